#include "settings.h"

#include "ini.h"

// Reads up to kSettingsFileLimit bytes of the file and decodes them into a new heap block.
// The file is shared for reading, writing and deletion, so an editor that holds it open does
// not hide it. Returns NULL when the file cannot be read.
static LPWSTR LoadSettingsText(LPCWSTR path, int* length) {
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return NULL;
    HANDLE heap = GetProcessHeap();
    BYTE* bytes = static_cast<BYTE*>(HeapAlloc(heap, 0, kSettingsFileLimit + 1));
    BOOL ok = bytes != NULL;
    int size = 0;
    while (ok && size <= kSettingsFileLimit) {
        DWORD read = 0;
        ok = ReadFile(file, bytes + size, DWORD(kSettingsFileLimit + 1 - size), &read, NULL);
        if (read == 0)
            break;
        size += int(read);
    }
    CloseHandle(file);
    LPWSTR text = NULL;
    if (ok) {
        // One byte past the limit tells that the file goes on.
        BOOL cut = size > kSettingsFileLimit;
        if (cut)
            size = kSettingsFileLimit;
        text = static_cast<LPWSTR>(HeapAlloc(heap, 0, (SIZE_T(size) + 1) * sizeof(WCHAR)));
        if (text != NULL)
            *length = DecodeSettingsText(bytes, size, cut, text);
    }
    if (bytes != NULL)
        HeapFree(heap, 0, bytes);
    return text;
}

BOOL ReadLaunchSettings(LPCWSTR path, LaunchSettings* settings) {
    settings->FileName[0] = 0;
    settings->Parameters[0] = 0;
    settings->Directory[0] = 0;
    int length = 0;
    LPWSTR text = LoadSettingsText(path, &length);
    if (text == NULL)
        return FALSE;
    LPCWSTR section = TEXT("Execute");
    int fileName = FindSettingsValue(text, length, section, TEXT("FileName"), settings->FileName,
                                     kValueCapacity);
    int parameters = FindSettingsValue(text, length, section, TEXT("Parameters"),
                                       settings->Parameters, kValueCapacity);
    BOOL configured = fileName > 0 || parameters > 0;
    if (configured)
        FindSettingsValue(text, length, section, TEXT("Directory"), settings->Directory,
                          kValueCapacity);
    HeapFree(GetProcessHeap(), 0, text);
    return configured;
}
