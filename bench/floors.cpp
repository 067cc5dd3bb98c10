// The floors the benchmark compares with, built without a C runtime like the programs:
//   empty:     a GUI program that starts and ends (process start and exit alone);
//   bare_launcher: loads what the launcher loads and starts the same target through the
//              shell, the one call a launcher cannot avoid;
//   bare_clipsend: loads what clipsend loads and initialises and uninitialises COM.
#include "platform.h"

extern "C" void WINAPI RawEntry() {
#if defined(FLOOR_BARE_LAUNCHER)
    // The benchmark's target is empty.exe beside this program.
    GetSystemMetrics(SM_CXSCREEN); // user32, as the launcher's message boxes need
    ShellExecuteW(NULL, TEXT("open"), TEXT("empty.exe"), TEXT(""), TEXT(""), SW_SHOWNORMAL);
#elif defined(FLOOR_BARE_CLIPSEND)
    int count = 0;
    CommandLineToArgvW(GetCommandLineW(), &count);
    GetSystemMetrics(SM_CXSCREEN); // user32, as the clipboard needs
    if (SUCCEEDED(CoInitialize(NULL)))
        CoUninitialize();
#endif
    ExitProcess(0);
}
