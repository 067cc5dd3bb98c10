// Scenarios that run against the simulator on the host and against the real platform under
// Wine alike. "{dir}" stands for the test's folder.
#pragma once

#include "platform.h"

#include <cstdint>
#include <string>
#include <vector>

// clipsend: arguments after the program name, and the clipboard text they give. The folder
// holds doc.LNK (a shortcut to {dir}\report.txt), pic.lnk (to {dir}\写真.png), corrupt.lnk
// (a file that is no shortcut) and no missing.lnk; clipsend runs in the folder.
struct ClipsendCase {
    const WCHAR* arguments;
    const WCHAR* text;
};

const ClipsendCase kClipsendCases[] = {
    {TEXT(" abc"), TEXT("abc")},
    {TEXT(" a b c"), TEXT("a\nb\nc")},
    {TEXT(" \"\""), TEXT("")},
    {TEXT(" \"\" x"), TEXT("\nx")},
    {TEXT(" \"C:\\My Files\\a.txt\" b"), TEXT("C:\\My Files\\a.txt\nb")},
    {TEXT(" 日本語.txt ｆｕｌｌ"), TEXT("日本語.txt\nｆｕｌｌ")},
    {TEXT(" .lnk"), TEXT(".lnk")},
    {TEXT(" \"{dir}\\doc.LNK\""), TEXT("{dir}\\report.txt")},
    {TEXT(" {dir}\\doc.LNK {dir}\\pic.lnk"), TEXT("{dir}\\report.txt\n{dir}\\写真.png")},
    {TEXT(" {dir}\\doc.LNK {dir}\\corrupt.lnk {dir}\\missing.lnk {dir}\\pic.lnk"),
     TEXT("{dir}\\report.txt\n{dir}\\corrupt.lnk\n{dir}\\missing.lnk\n{dir}\\写真.png")},
    {TEXT(" pic.lnk"), TEXT("{dir}\\写真.png")}, // relative to the working directory
};

// launcher: the configured Parameters, what follows the quoted program path on the command
// line, and the parameters the target is started with.
struct TailCase {
    const char* parameters;
    const WCHAR* tail;
    const WCHAR* expected;
};

const TailCase kTailCases[] = {
    {"-x", TEXT(""), TEXT("-x")},
    {"-x", TEXT(" a.txt"), TEXT("-x a.txt")},
    {"", TEXT(" a.txt"), TEXT("a.txt")},
    {"-x", TEXT("   a.txt"), TEXT("-x   a.txt")},
    {"-x", TEXT(" \"D:\\My Files\\b.txt\""), TEXT("-x \"D:\\My Files\\b.txt\"")},
    {"-x", TEXT(" 日本語.txt \"a\"\"b\""), TEXT("-x 日本語.txt \"a\"\"b\"")},
};

// Replaces every "{dir}" in a text.
template <typename String> String ExpandDir(String text, const String& folder) {
    const WCHAR marker[] = TEXT("{dir}");
    for (size_t at; (at = text.find(marker)) != String::npos;)
        text.replace(at, 5, folder);
    return text;
}

// launcher: settings files no one should write. Each names FileName=target.exe where it is
// found at all; the launcher either starts it or shows its usage message, in bounded memory.
struct BadSettingsCase {
    const char* name;
    std::string bytes;
    bool starts;
};

inline std::vector<BadSettingsCase> BadSettingsCases() {
    const std::string execute = "[Execute]\nFileName=target.exe\n";
    std::string filler;
    while (filler.size() < 5 * 1024 * 1024)
        filler += "; a line of no interest to anyone, repeated to make the file large\n";
    std::string junk(64 * 1024, '\0');
    uint32_t state = 12345;
    for (char& c : junk) {
        state = state * 1103515245u + 12345u;
        c = char(state >> 24);
    }
    std::string surrogate = "\xFF\xFE";
    for (char c : execute + "Parameters=")
        surrogate += std::string{c, '\0'};
    surrogate += std::string("\x00\xD8\n\0", 4); // a lone high surrogate, then a line end
    return {
        {"5 MiB file, settings first", execute + filler, true},
        {"5 MiB file, settings past the first MiB", filler + execute, false},
        {"NUL bytes", execute + std::string("\0\0garbage\0\n", 11), true},
        {"invalid UTF-8", execute + "Parameters=\xFF\xFE\xC0\x80\xED\xA0\x80\n", true},
        {"lone UTF-16 surrogate", surrogate, true},
        {"section without closing bracket", "[Execute\nFileName=target.exe\n", false},
        {"line of 100,000 characters",
         "[Execute]\nParameters=" + std::string(100000, 'x') + "\nFileName=target.exe\n", true},
        {"binary junk", junk, false},
    };
}
