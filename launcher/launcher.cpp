// launcher: starts what the settings file beside it names, through the shell, and forwards
// its own command-line arguments after the configured parameters.
#include "platform.h"

#include "paths.h"
#include "settings.h"

// Output capacity of every GetFullPathNameW and GetCurrentDirectoryW call.
const DWORD kFullPathCapacity = 1024;
// The module name buffer holds one unit more than the longest accepted path, so that a
// result equal to the capacity means the name did not fit.
const DWORD kModuleNameCapacity = kProgramPathLimit + 1;

static WCHAR g_programPath[kModuleNameCapacity];
static WCHAR g_settingsPath[kSettingsPathCapacity];
static WCHAR g_fullPath[kFullPathCapacity];
static WCHAR g_currentDirectory[kFullPathCapacity];
static LaunchSettings g_settings;

static void ShowMessage(LPCWSTR text, LPCWSTR caption) {
    MessageBoxW(NULL, text, caption, MB_OK);
}

// GetFullPathNameW returns the length written when the path fits, the size it would need
// (terminator included) when it does not, and 0 on failure.
static BOOL ConvertToFullPath(LPCWSTR path) {
    DWORD length = GetFullPathNameW(path, kFullPathCapacity, g_fullPath, NULL);
    return length > 0 && length < kFullPathCapacity;
}

// The launcher's own path: the module name, which does not depend on how the launcher was
// started; element 0 of the command line only when the module name cannot be had.
// Returns NULL when there is no path at all.
static LPCWSTR FindProgramPath(LPCWSTR commandLine, BOOL* tooLong) {
    *tooLong = FALSE;
    DWORD length = GetModuleFileNameW(NULL, g_programPath, kModuleNameCapacity);
    if (length >= kModuleNameCapacity) {
        *tooLong = TRUE; // the name was cut to fit
        return NULL;
    }
    if (length > 0)
        return g_programPath;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine, &count);
    if (arguments == NULL || count < 1)
        return NULL;
    *tooLong = lstrlenW(arguments[0]) > kProgramPathLimit;
    return *tooLong ? NULL : arguments[0];
}

// Appends the command-line tail to Parameters, with one space between when Parameters is
// not empty. False, with Parameters unchanged, when the joined text would not fit.
static BOOL AppendArgumentTail(LPWSTR parameters, LPCWSTR tail) {
    int length = lstrlenW(parameters);
    int separator = length > 0 ? 1 : 0;
    if (length + separator + lstrlenW(tail) >= kParametersCapacity)
        return FALSE;
    if (separator)
        parameters[length++] = TEXT(' ');
    lstrcpyW(parameters + length, tail);
    return TRUE;
}

// Shows a failed start's result (0 to 32).
static void ShowStartError(UINT_PTR code) {
    LPCWSTR text = NULL;
    switch (code) {
    case 2:
        text = TEXT("指定されたファイルが見つかりませんでした。");
        break;
    case 3:
        text = TEXT("ERROR_PATH_NOT_FOUND");
        break;
    case 5:
        text = TEXT("SE_ERR_ACCESSDENIED");
        break;
    case 11:
        text = TEXT("ERROR_BAD_FORMAT");
        break;
    case 27:
        text = TEXT("SE_ERR_ASSOCINCOMPLETE");
        break;
    case 31:
        text = TEXT("SE_ERR_NOASSOC");
        break;
    }
    if (text != NULL) {
        ShowMessage(text, TEXT("エラー"));
        return;
    }
    // Any other code from 0 to 32, in decimal.
    WCHAR number[3];
    int count = 0;
    if (code >= 10)
        number[count++] = WCHAR(TEXT('0') + code / 10);
    number[count++] = WCHAR(TEXT('0') + code % 10);
    number[count] = 0;
    ShowMessage(number, TEXT("エラーコード"));
}

static void RunLauncher() {
    LPCWSTR commandLine = GetCommandLineW();
    BOOL tooLong = FALSE;
    LPCWSTR programPath = FindProgramPath(commandLine, &tooLong);
    if (tooLong) {
        ShowMessage(TEXT("想定を超えるパスの長さ。"), TEXT("失敗"));
        return;
    }
    if (programPath == NULL)
        return;

    lstrcpyW(g_settingsPath, programPath);
    MakeSettingsPath(g_settingsPath);

    BOOL configured = FALSE;
    if (FileExists(g_settingsPath))
        configured = ReadLaunchSettings(g_settingsPath, &g_settings);
    if (!configured) {
        ShowMessage(TEXT("同名の .ini ファイルに、起動させたいファイルを指定する。"),
                    TEXT("使い方"));
        return;
    }

    LPCWSTR tail = FindArgumentTail(commandLine);
    if (tail != NULL && !AppendArgumentTail(g_settings.Parameters, tail)) {
        ShowMessage(TEXT("想定を超える引数の長さ。"), TEXT("失敗"));
        return;
    }

    // The launcher's folder becomes the working directory.
    if (!IsAbsolutePath(g_settingsPath) && ConvertToFullPath(g_settingsPath))
        lstrcpyW(g_settingsPath, g_fullPath);
    CutToFolder(g_settingsPath);
    LPCWSTR launcherFolder = g_settingsPath;
    DWORD current = GetCurrentDirectoryW(kFullPathCapacity, g_currentDirectory);
    if (current == 0 || current >= kFullPathCapacity ||
        lstrcmpW(launcherFolder, g_currentDirectory) != 0)
        SetCurrentDirectoryW(launcherFolder);

    // A configured working directory: FileName and Directory are taken relative to the
    // launcher's folder. A FileName that is no file there (notepad.exe, a folder) is left
    // for the shell to find.
    if (g_settings.Directory[0] != 0) {
        if (!IsAbsolutePath(g_settings.FileName) && ConvertToFullPath(g_settings.FileName) &&
            FileExists(g_fullPath))
            lstrcpyW(g_settings.FileName, g_fullPath);
        if (!IsAbsolutePath(g_settings.Directory) && ConvertToFullPath(g_settings.Directory))
            lstrcpyW(g_settings.Directory, g_fullPath);
        SetCurrentDirectoryW(g_settings.Directory);
    }

    HINSTANCE result = ShellExecuteW(NULL, TEXT("open"), g_settings.FileName, g_settings.Parameters,
                                     g_settings.Directory, SW_SHOWNORMAL);
    UINT_PTR code = reinterpret_cast<UINT_PTR>(result);
    if (code <= 32)
        ShowStartError(code);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    RunLauncher();
    return 0;
}
