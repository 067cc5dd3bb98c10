// A console helper for the demo and for tests run from the shell under Wine:
//   wintool run PROGRAM COMMAND-LINE   start PROGRAM with exactly COMMAND-LINE, print its exit code
//   wintool mklink LINK TARGET         make a shortcut with the platform's shell-link object
//   wintool clip-read                  print the clipboard's Unicode text and its block size
//   wintool clip-seed TEXT             put TEXT on the clipboard
//   wintool clip-hold MILLISECONDS     hold the clipboard open (with an owner window)
// Text goes to standard output in UTF-8.
#include "platform_tools.h"

#include <string>

static void Print(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), NULL, 0, NULL, NULL);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &bytes[0], size, NULL, NULL);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), DWORD(bytes.size()), &written, NULL);
}

static int Run(const wchar_t* program, const wchar_t* commandLine) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring line = commandLine;
    if (!CreateProcessW(program, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        Print(L"cannot start the program\n");
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    Print(L"exit code " + std::to_wstring(code) + L"\n");
    return 0;
}

static int ReadClipboard() {
    if (!OpenClipboard(NULL))
        return 1;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == NULL) {
        CloseClipboard();
        Print(L"(no text on the clipboard)\n");
        return 0;
    }
    SIZE_T size = GlobalSize(data);
    const wchar_t* text = static_cast<const wchar_t*>(GlobalLock(data));
    std::wstring copy(text, size / sizeof(wchar_t));
    GlobalUnlock(data);
    CloseClipboard();
    if (!copy.empty() && copy.back() == 0)
        copy.pop_back();
    Print(copy + L"\n(" + std::to_wstring(size) + L" bytes)\n");
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"run" && argc == 4)
        return Run(argv[2], argv[3]);
    if (verb == L"mklink" && argc == 4) {
        CoInitialize(NULL);
        bool made = MakeShortcut(argv[2], argv[3]);
        CoUninitialize();
        return made ? 0 : 1;
    }
    if (verb == L"clip-read" && argc == 2)
        return ReadClipboard();
    if (verb == L"clip-seed" && argc == 3)
        return SeedClipboardText(argv[2]) ? 0 : 1;
    if (verb == L"clip-hold" && argc == 3)
        return HoldClipboard(DWORD(_wtoi(argv[2])), NULL) ? 0 : 1;
    Print(L"usage: wintool run|mklink|clip-read|clip-seed|clip-hold ...\n");
    return 2;
}
