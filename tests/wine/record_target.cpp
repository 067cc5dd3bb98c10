// A target for the launcher's tests: writes its raw command line, a line feed and its working
// directory (UTF-16 LE) to the file that RECORD_FILE names, whole or not at all.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    static wchar_t record[4096], partial[4100], directory[4096];
    DWORD length = GetEnvironmentVariableW(L"RECORD_FILE", record, 4096);
    if (length == 0 || length >= 4096)
        return 2;
    lstrcpyW(partial, record);
    lstrcatW(partial, L".new");
    GetCurrentDirectoryW(4096, directory);
    HANDLE file =
        CreateFileW(partial, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    LPCWSTR commandLine = GetCommandLineW();
    DWORD written = 0;
    WriteFile(file, commandLine, DWORD(lstrlenW(commandLine) * sizeof(wchar_t)), &written, NULL);
    WriteFile(file, L"\n", sizeof(wchar_t), &written, NULL);
    WriteFile(file, directory, DWORD(lstrlenW(directory) * sizeof(wchar_t)), &written, NULL);
    CloseHandle(file);
    return MoveFileExW(partial, record, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
