#include "paths.h"

static BOOL IsSeparator(WCHAR c) {
    return c == TEXT('\\') || c == TEXT('/');
}

BOOL IsAbsolutePath(LPCWSTR path) {
    if (path[0] == 0)
        return FALSE;
    if (path[1] == TEXT(':'))
        return TRUE;
    return IsSeparator(path[0]);
}

BOOL FileExists(LPCWSTR path) {
    // No access rights: the probe neither reads nor writes, and sharing is not checked. Without
    // FILE_FLAG_BACKUP_SEMANTICS a folder does not open, so it does not count as a file.
    HANDLE file = CreateFileW(path, 0, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == NULL || file == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(file);
    return TRUE;
}

LPCWSTR FindArgumentTail(LPCWSTR commandLine) {
    int length = lstrlenW(commandLine);
    int start = -1;
    if (length > 0 && commandLine[0] == TEXT('"')) {
        // A quoted program name: pass over the closing quote and the one unit after it.
        for (int i = 1; i < length; ++i) {
            if (commandLine[i] == TEXT('"')) {
                start = i + 2;
                break;
            }
        }
    } else {
        for (int i = 1; i < length; ++i) {
            if (commandLine[i] == TEXT(' ')) {
                start = i + 1;
                break;
            }
        }
    }
    if (start < 0 || start >= length)
        return NULL;
    return commandLine + start;
}

void MakeSettingsPath(LPWSTR path) {
    int length = lstrlenW(path);
    int dot = -1;
    for (int i = length - 1; i >= 0 && !IsSeparator(path[i]); --i) {
        if (path[i] == TEXT('.')) {
            dot = i;
            break;
        }
    }
    lstrcpyW(path + (dot >= 1 ? dot : length), TEXT(".ini"));
}

void CutToFolder(LPWSTR path) {
    int cut = -1;
    for (int i = lstrlenW(path) - 1; i >= 0; --i) {
        if (IsSeparator(path[i])) {
            cut = i;
            break;
        }
    }
    if (cut < 0)
        return;
    path[cut] = 0;
    if (cut > 0 && path[cut - 1] == TEXT(':')) {
        path[cut] = TEXT('\\');
        path[cut + 1] = 0;
    }
}
