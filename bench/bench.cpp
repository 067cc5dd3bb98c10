// Times the programs under the platform: each case is started with an exact command line
// a number of times and its median wall time from start to exit taken. Prints a table. Usage: bench FOLDER REPETITIONS
// FOLDER holds launcher.exe (with launcher.ini naming empty.exe), clipsend.exe and the floors.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

struct Result {
    double medianMs;
};

static Result Measure(const std::wstring& program, const std::wstring& commandLine,
                      const std::wstring& folder, int repetitions) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    Result result = {0};
    for (int i = 0; i < repetitions; ++i) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
        line.push_back(0);
        LARGE_INTEGER begin, end;
        QueryPerformanceCounter(&begin);
        if (!CreateProcessW(program.c_str(), line.data(), NULL, NULL, FALSE, 0, NULL,
                            folder.c_str(), &startup, &process)) {
            std::printf("cannot start %ls (%lu)\n", program.c_str(), GetLastError());
            return result;
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        QueryPerformanceCounter(&end);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        times.push_back(double(end.QuadPart - begin.QuadPart) * 1000.0 / double(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    result.medianMs = times[times.size() / 2];
    return result;
}

static std::wstring Arguments(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        text += L' ';
        text += wchar_t(L'a' + i % 26);
    }
    return text;
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    const std::wstring folder = argv[1];
    const int repetitions = _wtoi(argv[2]);
    auto path = [&](const wchar_t* name) { return folder + L"\\" + name; };
    auto quoted = [&](const wchar_t* name) { return L"\"" + path(name) + L"\""; };
    // As many one-letter arguments as a command line holds (32,767 units with the terminator).
    const int most = int((32766 - quoted(L"clipsend.exe").size()) / 2);

    const Result empty = Measure(path(L"empty.exe"), quoted(L"empty.exe"), folder, repetitions);
    struct Row {
        const wchar_t* name;
        Result result;
        Result floor;
        const wchar_t* floorName;
    };
    const Result bareLauncher =
        Measure(path(L"bare_launcher.exe"), quoted(L"bare_launcher.exe"), folder, repetitions);
    const Result bareClipsend = Measure(path(L"bare_clipsend.exe"),
                                        quoted(L"bare_clipsend.exe") + Arguments(1), folder,
                                        repetitions);
    std::vector<Row> rows;
    rows.push_back({L"launcher, starting a target", Measure(path(L"launcher.exe"),
                    quoted(L"launcher.exe") + L" a.txt", folder, repetitions), bareLauncher,
                    L"bare_launcher"});
    for (int count : {1, 1000, most}) {
        std::wstring name = L"clipsend, " + std::to_wstring(count) + L" argument(s)";
        rows.push_back({_wcsdup(name.c_str()), Measure(path(L"clipsend.exe"),
                        quoted(L"clipsend.exe") + Arguments(count), folder, repetitions),
                        bareClipsend, L"bare_clipsend"});
    }

    std::printf("median wall time of %d runs each, from process start to exit\n\n", repetitions);
    std::printf("| %-32s | %9s | %14s | %22s |\n", "case", "median ms", "/ empty program",
                "/ bare program (floor)");
    std::printf("|%s|%s|%s|%s|\n", std::string(34, '-').c_str(), std::string(11, '-').c_str(),
                std::string(16, '-').c_str(), std::string(24, '-').c_str());
    std::printf("| %-32s | %9.1f | %14s | %22s |\n", "empty GUI program", empty.medianMs, "1.00",
                "");
    std::printf("| %-32s | %9.1f | %14.2f | %22s |\n", "bare_launcher (floor)",
                bareLauncher.medianMs, bareLauncher.medianMs / empty.medianMs, "");
    std::printf("| %-32s | %9.1f | %14.2f | %22s |\n", "bare_clipsend (floor)",
                bareClipsend.medianMs, bareClipsend.medianMs / empty.medianMs, "");
    for (const Row& row : rows) {
        char name[64];
        WideCharToMultiByte(CP_UTF8, 0, row.name, -1, name, sizeof name, NULL, NULL);
        char floor[80];
        std::snprintf(floor, sizeof floor, "%.2f (%ls)", row.result.medianMs / row.floor.medianMs,
                      row.floorName);
        std::printf("| %-32s | %9.1f | %14.2f | %22s |\n", name, row.result.medianMs,
                    row.result.medianMs / empty.medianMs, floor);
    }
    return 0;
}
