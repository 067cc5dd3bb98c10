// The shipped launcher on the real platform: a renamed copy in a folder whose name has
// spaces, a dot and Japanese letters, its settings file in several encodings, started with
// exact command lines; the recording target tells what it received.
#include "shared_cases.h"
#include "wine_support.h"

#include <algorithm>
#include <cstring>

using namespace wine_test;

namespace {

const wchar_t kUsage[] = L"同名の .ini ファイルに、起動させたいファイルを指定する。";

enum Encoding { kUtf8, kUtf8Bom, kUtf16 };

struct Scenario {
    const char* name;
    Encoding encoding;
    const wchar_t* ini;       // nullptr: no settings file; "{dir}" stands for the folder
    const wchar_t* tail;      // appended to the quoted launcher path
    const wchar_t* arguments; // what the target must receive after its own name
    const wchar_t* directory; // the target's working directory, below "{dir}"
    const wchar_t* boxText;   // nullptr: no message box
    const wchar_t* boxCaption;
};

std::string Encode(const std::wstring& text, Encoding encoding) {
    if (encoding == kUtf16)
        return Utf16Le(text, true);
    return (encoding == kUtf8Bom ? "\xEF\xBB\xBF" : "") + Utf8(text);
}

// What follows the program name in a command line the shell built.
std::wstring ArgumentsOf(const std::wstring& commandLine) {
    if (!commandLine.empty() && commandLine[0] == L'"') {
        size_t close = commandLine.find(L'"', 1);
        return close == std::wstring::npos
                   ? L""
                   : commandLine.substr(std::min(close + 2, commandLine.size()));
    }
    size_t space = commandLine.find(L' ');
    return space == std::wstring::npos ? L"" : commandLine.substr(space + 1);
}

class LauncherOnWine : public ::testing::Test {
  protected:
    std::wstring folder, launcher, record;

    void Prepare(const char* name) {
        std::wstring root = FreshFolder(L"launcher_" + std::wstring(name, name + strlen(name)));
        folder = root + L"\\My Tools.v2 日本";
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), NULL));
        ASSERT_TRUE(CreateDirectoryW((folder + L"\\app").c_str(), NULL));
        ASSERT_TRUE(CreateDirectoryW((folder + L"\\work").c_str(), NULL));
        ASSERT_TRUE(CreateDirectoryW((root + L"\\elsewhere").c_str(), NULL));
        launcher = folder + L"\\起動 run.exe";
        CopyProgram(Env(L"LAUNCHER_EXE"), launcher);
        CopyProgram(Env(L"RECORD_TARGET_EXE"), folder + L"\\target.exe");
        CopyProgram(Env(L"RECORD_TARGET_EXE"), folder + L"\\app\\target.exe");
        record = root + L"\\record.txt";
        SetEnvironmentVariableW(L"RECORD_FILE", record.c_str());
    }

    void WriteIni(const std::wstring& path, const std::wstring& text, Encoding encoding) {
        WriteBytes(path, Encode(ExpandDir(text, folder), encoding));
    }

    void ExpectStarted(const ProgramRun& run, const std::wstring& arguments,
                       const std::wstring& directory, bool checkArguments = true) {
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_TRUE(run.boxes.empty()) << Utf8(run.boxes.empty() ? L"" : run.boxes[0].text);
        std::wstring commandLine, workingDirectory;
        ASSERT_TRUE(WaitForRecord(record, &commandLine, &workingDirectory))
            << "the target was not started";
        if (checkArguments) {
            EXPECT_EQ(Utf8(ArgumentsOf(commandLine)), Utf8(arguments)) << Utf8(commandLine);
        }
        EXPECT_EQ(Utf8(workingDirectory), Utf8(directory));
    }
};

TEST_F(LauncherOnWine, Scenarios) {
    const std::wstring longTail(6000, L'x');
    const Scenario scenarios[] = {
        {"utf8", kUtf8, L"[Execute]\nFileName={dir}\\target.exe\nParameters=-x\n", L" a.txt",
         L"-x a.txt", L"", nullptr, nullptr},
        {"utf8bom", kUtf8Bom, L"[Execute]\nFileName={dir}\\target.exe\nParameters=-日本\n",
         L" \"C:\\My Files\\b.txt\" c", L"-日本 \"C:\\My Files\\b.txt\" c", L"", nullptr, nullptr},
        {"utf16", kUtf16, L"[Execute]\r\nFileName={dir}\\target.exe\r\nParameters=-x\r\n", L"   a",
         L"-x   a", L"", nullptr, nullptr},
        {"noargs", kUtf8, L"[Execute]\nFileName={dir}\\target.exe\nParameters=-x y\n", L"", L"-x y",
         L"", nullptr, nullptr},
        {"emptyparams", kUtf8, L"[Execute]\nFileName={dir}\\target.exe\n", L" a b", L"a b", L"",
         nullptr, nullptr},
        {"relative", kUtf8, L"[Execute]\nFileName=target.exe\nParameters=-r\n", L" 日本.txt",
         L"-r 日本.txt", L"", nullptr, nullptr},
        {"directory", kUtf8,
         L"[Execute]\nFileName=app\\target.exe\nParameters=-d\nDirectory=work\n", L" q", L"-d q",
         L"\\work", nullptr, nullptr},
        {"noini", kUtf8, nullptr, L" a", nullptr, nullptr, kUsage, L"使い方"},
        {"emptyini", kUtf8, L"", L" a", nullptr, nullptr, kUsage, L"使い方"},
        {"missingtarget", kUtf8, L"[Execute]\nFileName={dir}\\missing.exe\n", L"", nullptr, nullptr,
         L"指定されたファイルが見つかりませんでした。", L"エラー"},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        Prepare(s.name);
        if (s.ini)
            WriteIni(folder + L"\\起動 run.ini", s.ini, s.encoding);
        ProgramRun run =
            RunProgram(launcher, L"\"" + launcher + L"\"" + s.tail, ParentFolder(folder));
        if (s.boxText) {
            EXPECT_EQ(run.exitCode, 0u);
            ASSERT_EQ(run.boxes.size(), 1u);
            EXPECT_EQ(Utf8(run.boxes[0].text), Utf8(s.boxText));
            EXPECT_EQ(Utf8(run.boxes[0].caption), Utf8(s.boxCaption));
            EXPECT_EQ(run.boxes[0].buttons.size(), 1u); // OK alone
            EXPECT_FALSE(run.boxes[0].hasIcon);
            std::string bytes;
            EXPECT_FALSE(ReadBytes(record, &bytes)) << "nothing may be started";
        } else {
            ExpectStarted(run, s.arguments, folder + s.directory);
        }
    }
}

TEST_F(LauncherOnWine, ForwardsTheCommandLineTailVerbatim) {
    for (const TailCase& c : kTailCases) {
        SCOPED_TRACE(Utf8(c.tail));
        Prepare("tail");
        std::wstring parameters(c.parameters, c.parameters + strlen(c.parameters));
        WriteIni(folder + L"\\起動 run.ini",
                 L"[Execute]\nFileName={dir}\\target.exe\nParameters=" + parameters + L"\n", kUtf8);
        ProgramRun run = RunProgram(launcher, L"\"" + launcher + L"\"" + c.tail, folder);
        ExpectStarted(run, c.expected, folder);
    }
}

TEST_F(LauncherOnWine, LongTailReachesTheTarget) {
    Prepare("long");
    WriteIni(folder + L"\\起動 run.ini", L"[Execute]\nFileName={dir}\\target.exe\nParameters=-x\n",
             kUtf8);
    std::wstring tail;
    for (int i = 0; i < 600; ++i)
        tail += L" \"C:\\a b\\" + std::to_wstring(i) + L".txt\"";
    ASSERT_GT(tail.size(), 8000u);
    ProgramRun run = RunProgram(launcher, L"\"" + launcher + L"\"" + tail, L"C:\\");
    ExpectStarted(run, L"-x" + tail, folder);
}

TEST_F(LauncherOnWine, StartedByBareNameThroughPathFromAnotherFolder) {
    Prepare("path");
    CopyProgram(launcher, folder + L"\\go.exe");
    WriteIni(folder + L"\\go.ini", L"[Execute]\nFileName={dir}\\target.exe\nParameters=-p\n",
             kUtf8);
    std::wstring oldPath = Env(L"PATH");
    SetEnvironmentVariableW(L"PATH", (folder + L";" + oldPath).c_str());
    std::wstring elsewhere = ParentFolder(folder) + L"\\elsewhere";
    ProgramRun run = RunProgram(L"", L"go a.txt", elsewhere);
    SetEnvironmentVariableW(L"PATH", oldPath.c_str());
    ExpectStarted(run, L"-p a.txt", folder);
}

} // namespace

namespace {

TEST_F(LauncherOnWine, BadSettingsFilesEndAsDescribed) {
    for (const BadSettingsCase& c : BadSettingsCases()) {
        SCOPED_TRACE(c.name);
        Prepare("bad");
        WriteBytes(folder + L"\\起動 run.ini", c.bytes);
        DWORD started = GetTickCount();
        ProgramRun run = RunProgram(launcher, L"\"" + launcher + L"\" a", folder);
        EXPECT_LT(GetTickCount() - started, 20000u);
        if (c.starts) {
            ExpectStarted(run, L"", folder, /*checkArguments=*/false);
        } else {
            EXPECT_EQ(run.exitCode, 0u);
            ASSERT_EQ(run.boxes.size(), 1u);
            EXPECT_EQ(Utf8(run.boxes[0].text), Utf8(kUsage));
        }
    }
}

TEST_F(LauncherOnWine, CommandLineAtThePlatformLimit) {
    // 32,767 units with the terminator: forwarded whole. The target's own command line is
    // then longer than the platform allows, so the start fails and is reported.
    Prepare("limit");
    WriteIni(folder + L"\\起動 run.ini", L"[Execute]\nFileName={dir}\\target.exe\n", kUtf8);
    std::wstring line = L"\"" + launcher + L"\" ";
    line += std::wstring(32766 - line.size(), L'a');
    ProgramRun run = RunProgram(launcher, line, folder);
    EXPECT_EQ(run.exitCode, 0u);
    std::wstring commandLine, workingDirectory;
    if (WaitForRecord(record, &commandLine, &workingDirectory, 3)) {
        EXPECT_EQ(ArgumentsOf(commandLine), line.substr(launcher.size() + 3));
    } else {
        ASSERT_EQ(run.boxes.size(), 1u) << "neither started nor reported";
        EXPECT_EQ(Utf8(run.boxes[0].caption).substr(0, 9), Utf8(L"エラー"));
    }
}

TEST_F(LauncherOnWine, ProgramPathLengthLimit) {
    // Folders nested until the launcher's full path is exactly 1024 units, then 1025.
    for (size_t length : {1024u, 1025u}) {
        SCOPED_TRACE(length);
        Prepare("long");
        std::wstring deep = folder;
        const std::wstring name = L"\\run.exe";
        while (deep.size() + name.size() < length) {
            size_t part = std::min<size_t>(100, length - name.size() - deep.size() - 1);
            deep += L"\\" + std::wstring(part, L'd');
            ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), NULL)) << GetLastError();
        }
        std::wstring program = deep + name;
        ASSERT_EQ(program.size(), length);
        ASSERT_TRUE(CopyFileW(launcher.c_str(), (L"\\\\?\\" + program).c_str(), FALSE));
        WriteBytes(L"\\\\?\\" + deep + L"\\run.ini",
                   Utf8(L"[Execute]\nFileName=" + folder + L"\\target.exe\nParameters=-l\n"));
        // Wine 8 starts no program whose path is longer than MAX_PATH; both lengths are then
        // covered by the host tests alone.
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION probe = {};
        wchar_t probeLine[] = L"run";
        if (!CreateProcessW(program.c_str(), probeLine, NULL, NULL, FALSE, CREATE_SUSPENDED, NULL,
                            NULL, &startup, &probe))
            GTEST_SKIP() << "the platform cannot start a program at a path of " << length
                         << " units (error " << GetLastError() << ")";
        TerminateProcess(probe.hProcess, 0);
        CloseHandle(probe.hThread);
        CloseHandle(probe.hProcess);
        ProgramRun run = RunProgram(program, L"run", folder);
        EXPECT_EQ(run.exitCode, 0u);
        if (length == 1024) {
            ExpectStarted(run, L"-l", folder);
        } else {
            ASSERT_EQ(run.boxes.size(), 1u);
            EXPECT_EQ(Utf8(run.boxes[0].text), Utf8(L"想定を超えるパスの長さ。"));
            EXPECT_EQ(Utf8(run.boxes[0].caption), Utf8(L"失敗"));
        }
    }
}

} // namespace

namespace {

TEST_F(LauncherOnWine, SettingsFileHeldOpenByAnEditorIsStillRead) {
    // An editor keeps the file open for reading and writing and shares both.
    Prepare("held");
    const std::wstring ini = folder + L"\\起動 run.ini";
    WriteIni(ini, L"[Execute]\nFileName={dir}\\target.exe\nParameters=-h\n", kUtf8);
    HANDLE editor =
        CreateFileW(ini.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(editor, INVALID_HANDLE_VALUE);
    ProgramRun run = RunProgram(launcher, L"\"" + launcher + L"\" a", folder);
    CloseHandle(editor);
    ExpectStarted(run, L"-h a", folder);
}

} // namespace
