// Process entry without a C runtime: gives wWinMain what the runtime's start-up would, then
// ends the process with its result. Linked as the entry point of the release programs.
#include "platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int);

// The command-line text after the program name, as the runtime passes it to wWinMain.
static LPWSTR SkipProgramName(LPWSTR line) {
    BOOL quoted = FALSE;
    while (*line > TEXT(' ') || (*line != 0 && quoted)) {
        if (*line == TEXT('"'))
            quoted = !quoted;
        ++line;
    }
    while (*line != 0 && *line <= TEXT(' '))
        ++line;
    return line;
}

extern "C" void WINAPI RawEntry() {
    STARTUPINFOW startup;
    GetStartupInfoW(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    LPWSTR arguments = SkipProgramName(GetCommandLineW());
    ExitProcess(UINT(wWinMain(GetModuleHandleW(NULL), NULL, arguments, show)));
}
