// The launcher's whole flow against the simulator.
#include "settings.h"
#include "shared_cases.h"

#include "support.h"

#include <algorithm>

namespace {

const char16_t kUsage[] = u"同名の .ini ファイルに、起動させたいファイルを指定する。";
const char16_t kPathTooLong[] = u"想定を超えるパスの長さ。";
const char16_t kArgumentsTooLong[] = u"想定を超える引数の長さ。";

class Launcher : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        sim::SetModulePath(u"D:\\Tools\\run.exe");
        sim::AddFile(u"D:\\Tools\\run.exe", "MZ");
        sim::AddFolder(u"C:\\Start");
        ASSERT_TRUE(sim::SetCurrentDir(u"C:\\Start"));
    }

    static void Ini(const std::string& text, const std::u16string& path = u"D:\\Tools\\run.ini") {
        sim::AddFile(path, text);
    }

    static void ExpectOneBox(const std::u16string& text, const std::u16string& caption) {
        ASSERT_EQ(sim::MessageBoxes().size(), 1u);
        const sim::MessageBox& box = sim::MessageBoxes()[0];
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.type, MB_OK);
    }

    static const sim::ShellStart& OnlyStart() {
        EXPECT_EQ(sim::ShellStarts().size(), 1u);
        static sim::ShellStart none{};
        return sim::ShellStarts().empty() ? none : sim::ShellStarts()[0];
    }
};

TEST_F(Launcher, StartsTheConfiguredTargetThroughTheShell) {
    Ini("[Execute]\nFileName=notepad.exe\nParameters=-x\n");
    RunProgram(u"\"D:\\Tools\\run.exe\"");
    const sim::ShellStart& start = OnlyStart();
    EXPECT_EQ(start.owner, nullptr);
    EXPECT_EQ(start.verb, u"open");
    EXPECT_EQ(start.file, u"notepad.exe");
    EXPECT_EQ(start.parameters, u"-x");
    EXPECT_EQ(start.directory, u"");
    EXPECT_FALSE(start.directoryNull); // an empty Directory is passed as an empty text
    EXPECT_EQ(start.show, SW_SHOWNORMAL);
    EXPECT_EQ(start.currentDirectory, u"D:\\Tools"); // the launcher's folder
    EXPECT_TRUE(sim::MessageBoxes().empty());
}

TEST_F(Launcher, PlatformCallsOfAFullRunInOrder) {
    Ini("[Execute]\nFileName=app\\x.exe\nDirectory=work\n");
    sim::AddFile(u"D:\\Tools\\app\\x.exe", "MZ");
    sim::AddFolder(u"D:\\Tools\\work");
    RunProgram(u"\"D:\\Tools\\run.exe\" a.txt");
    std::vector<std::string> expected = {"GetCommandLineW",
                                         "GetModuleFileNameW",
                                         "CreateFileW",
                                         "CloseHandle",
                                         "CreateFileW",
                                         "HeapAlloc",
                                         "ReadFile",
                                         "ReadFile",
                                         "CloseHandle",
                                         "HeapAlloc",
                                         "HeapFree",
                                         "HeapFree",
                                         "GetCurrentDirectoryW",
                                         "SetCurrentDirectoryW",
                                         "GetFullPathNameW",
                                         "CreateFileW",
                                         "CloseHandle",
                                         "GetFullPathNameW",
                                         "SetCurrentDirectoryW",
                                         "ShellExecuteW"};
    EXPECT_EQ(sim::CallNames(), expected);
    const sim::ShellStart& start = OnlyStart();
    EXPECT_EQ(start.file, u"D:\\Tools\\app\\x.exe");
    EXPECT_EQ(start.parameters, u"a.txt");
    EXPECT_EQ(start.directory, u"D:\\Tools\\work");
    EXPECT_EQ(start.currentDirectory, u"D:\\Tools\\work");
}

TEST_F(Launcher, ProgramPathLengthLimit) {
    // 1024 units are accepted; 1025 are not.
    for (int length : {1024, 1025}) {
        SCOPED_TRACE(length);
        sim::Reset();
        std::u16string folder = u"D:\\" + std::u16string(length - 3 - 8, u'd');
        std::u16string program = folder + u"\\run.exe";
        ASSERT_EQ(program.size(), size_t(length));
        sim::SetModulePath(program);
        Ini("[Execute]\nFileName=x.exe\n", folder + u"\\run.ini");
        RunProgram(u"run");
        if (length == 1024) {
            EXPECT_TRUE(sim::MessageBoxes().empty());
            EXPECT_EQ(sim::ShellStarts().size(), 1u);
        } else {
            ExpectOneBox(kPathTooLong, u"失敗");
            EXPECT_TRUE(sim::ShellStarts().empty());
            EXPECT_EQ(sim::CallNames(),
                      std::vector<std::string>({"GetCommandLineW", "GetModuleFileNameW",
                                                "MessageBoxW"})); // nothing else is done
        }
    }
}

TEST_F(Launcher, UsageWhenNothingIsConfigured) {
    const char* inis[] = {nullptr, "", "[Execute]\nDirectory=x\n",
                          "[Execute]\nFileName=\nParameters=\n", "[Other]\nFileName=a.exe\n"};
    for (const char* ini : inis) {
        SCOPED_TRACE(ini ? ini : "(no file)");
        SetUp();
        if (ini)
            Ini(ini);
        RunProgram(u"\"D:\\Tools\\run.exe\" a.txt");
        ExpectOneBox(kUsage, u"使い方");
        EXPECT_TRUE(sim::ShellStarts().empty());
        EXPECT_EQ(sim::CurrentDir(), u"C:\\Start"); // the working directory is not changed
        ExpectCleanEnd();
    }
}

TEST_F(Launcher, FolderOfTheSameNameIsNoSettingsFile) {
    sim::AddFolder(u"D:\\Tools\\run.ini");
    RunProgram(u"\"D:\\Tools\\run.exe\"");
    ExpectOneBox(kUsage, u"使い方");
}

TEST_F(Launcher, SettingsFileIsFoundBesideTheProgramHoweverItWasStarted) {
    // Started by a bare name through PATH from another folder, or typed without ".exe" under
    // a folder whose name has a dot: the module name still leads to the right file.
    struct Case {
        const char16_t* module;
        const char16_t* commandLine;
        const char16_t* ini;
    };
    const Case cases[] = {
        {u"D:\\Tools\\run.exe", u"run a.txt", u"D:\\Tools\\run.ini"},
        {u"D:\\my.tools\\run.exe", u"D:\\my.tools\\run a.txt", u"D:\\my.tools\\run.ini"},
        {u"D:\\Tools\\my.run.exe", u"my.run a.txt", u"D:\\Tools\\my.run.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(sim::U8(c.module));
        SetUp();
        sim::SetModulePath(c.module);
        Ini("[Execute]\nFileName=x.exe\n", c.ini);
        Ini("[Execute]\nFileName=wrong.exe\n", u"C:\\Start\\run.ini");
        Ini("[Execute]\nFileName=wrong.exe\n", u"D:\\my.ini");
        RunProgram(c.commandLine);
        EXPECT_EQ(OnlyStart().file, u"x.exe");
        EXPECT_EQ(OnlyStart().parameters, u"a.txt");
        ExpectCleanEnd();
    }
}

TEST_F(Launcher, FallsBackToTheCommandLineWithoutAModuleName) {
    sim::SetModulePath(u"");
    sim::AddFolder(u"C:\\Start\\sub");
    Ini("[Execute]\nFileName=x.exe\n", u"C:\\Start\\sub\\run.ini");
    RunProgram(u"sub\\run a");
    EXPECT_EQ(OnlyStart().parameters, u"a");
    EXPECT_EQ(OnlyStart().currentDirectory, u"C:\\Start\\sub"); // the relative path made full
    EXPECT_EQ(sim::CallNames()[2], "CommandLineToArgvW");
}

TEST_F(Launcher, FallbackPathLimitAndMissingVector) {
    sim::SetModulePath(u"");
    RunProgram(u"\"C:\\" + std::u16string(1022, u'a') + u"\" x");
    ExpectOneBox(kPathTooLong, u"失敗");

    SetUp();
    sim::SetModulePath(u"");
    sim::FailAll("CommandLineToArgvW");
    RunProgram(u"run");
    EXPECT_TRUE(sim::MessageBoxes().empty());
    EXPECT_TRUE(sim::ShellStarts().empty());
}

TEST_F(Launcher, RootedProgramPathWithoutDriveKeepsTheWorkingDirectory) {
    sim::SetModulePath(u"");
    Ini("[Execute]\nFileName=x.exe\n", u"C:\\run.ini");
    RunProgram(u"\\run.exe");
    EXPECT_EQ(OnlyStart().currentDirectory, u"C:\\Start");
}

TEST_F(Launcher, LauncherInADriveRootWorksInTheRootFolder) {
    sim::SetModulePath(u"D:\\run.exe");
    Ini("[Execute]\nFileName=x.exe\n", u"D:\\run.ini");
    RunProgram(u"D:\\run.exe");
    EXPECT_EQ(OnlyStart().currentDirectory, u"D:\\");
}

TEST_F(Launcher, ForwardsTheCommandLineTailVerbatim) {
    for (const TailCase& c : kTailCases) {
        SCOPED_TRACE(sim::U8(c.tail));
        SetUp();
        Ini(std::string("[Execute]\nFileName=x.exe\nParameters=") + c.parameters + "\n");
        RunProgram(u"\"D:\\Tools\\run.exe\"" + std::u16string(c.tail));
        EXPECT_EQ(OnlyStart().parameters, c.expected);
        ExpectCleanEnd();
    }
}

TEST_F(Launcher, LongestTailsFitAndLongerOnesAreRefused) {
    // The longest value as read, a space and a tail as long as a whole command line can be
    // (only the simulator delivers such a line): started.
    std::string parameters(kValueCapacity - 1, 'p');
    std::u16string program = u"\"D:\\Tools\\run.exe\" ";
    std::u16string tail(kCommandLineLimit, u't');
    Ini("[Execute]\nFileName=x.exe\nParameters=" + parameters + "\n");
    RunProgram(program + tail);
    EXPECT_EQ(OnlyStart().parameters, sim::U16(parameters) + u" " + tail);

    // One unit more than Parameters holds: refused, nothing started, nothing cut.
    SetUp();
    Ini("[Execute]\nFileName=x.exe\nParameters=" + parameters + "\n");
    RunProgram(program + tail + u"t");
    ExpectOneBox(kArgumentsTooLong, u"失敗");
    EXPECT_TRUE(sim::ShellStarts().empty());
}

TEST_F(Launcher, ConfiguredDirectoryResolvesAgainstTheLauncherFolder) {
    struct Case {
        const char* fileName;
        const char* directory;
        const char16_t* expectedFile;
        const char16_t* expectedDirectory;
    };
    const Case cases[] = {
        // Without Directory, both are passed exactly as read.
        {"app\\x.exe", "", u"app\\x.exe", u""},
        {"app\\x.exe", "work", u"D:\\Tools\\app\\x.exe", u"D:\\Tools\\work"},
        {"notepad.exe", "work", u"notepad.exe", u"D:\\Tools\\work"},
        {"app", "work", u"app", u"D:\\Tools\\work"}, // a folder is no file
        {"app\\x.exe", "..\\other", u"D:\\Tools\\app\\x.exe", u"D:\\other"},
        {"C:x.exe", "C:\\w", u"C:x.exe", u"C:\\w"}, // drive-relative: never converted
        {"\\x.exe", "\\w", u"\\x.exe", u"\\w"},
        {"/x.exe", "/w", u"/x.exe", u"/w"},
        {"app\\x.exe", "missing", u"D:\\Tools\\app\\x.exe", u"D:\\Tools\\missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName + std::string(" in ") + c.directory);
        SetUp();
        sim::AddFile(u"D:\\Tools\\app\\x.exe", "MZ");
        sim::AddFolder(u"D:\\Tools\\work");
        sim::AddFolder(u"D:\\other");
        Ini(std::string("[Execute]\nFileName=") + c.fileName + "\nDirectory=" + c.directory + "\n");
        RunProgram(u"\"D:\\Tools\\run.exe\"");
        const sim::ShellStart& start = OnlyStart();
        EXPECT_EQ(start.file, c.expectedFile);
        EXPECT_EQ(start.directory, c.expectedDirectory);
        // The working directory is Directory when it exists, else still the launcher folder.
        bool exists = std::u16string(c.expectedDirectory) == u"D:\\Tools\\work" ||
                      std::u16string(c.expectedDirectory) == u"D:\\other";
        EXPECT_EQ(start.currentDirectory, exists ? c.expectedDirectory : u"D:\\Tools");
        ExpectCleanEnd();
    }
}

TEST_F(Launcher, ParametersOnlyStartsWithAnEmptyFileName) {
    Ini("[Execute]\nParameters=https://example.invalid/\n");
    RunProgram(u"\"D:\\Tools\\run.exe\"");
    EXPECT_EQ(OnlyStart().file, u"");
    EXPECT_FALSE(OnlyStart().fileNull);
}

TEST_F(Launcher, FailedStartsAreReportedFromTheErrorTable) {
    struct Case {
        UINT_PTR result;
        const char16_t* text; // nullptr: nothing shown
        const char16_t* caption;
    };
    const Case cases[] = {
        {2, u"指定されたファイルが見つかりませんでした。", u"エラー"},
        {3, u"ERROR_PATH_NOT_FOUND", u"エラー"},
        {5, u"SE_ERR_ACCESSDENIED", u"エラー"},
        {11, u"ERROR_BAD_FORMAT", u"エラー"},
        {27, u"SE_ERR_ASSOCINCOMPLETE", u"エラー"},
        {31, u"SE_ERR_NOASSOC", u"エラー"},
        {0, u"0", u"エラーコード"},
        {1, u"1", u"エラーコード"},
        {26, u"26", u"エラーコード"},
        {32, u"32", u"エラーコード"},
        {33, nullptr, nullptr},
        {~UINT_PTR(0), nullptr, nullptr}, // compared unsigned at pointer width
        {UINT_PTR(1) << (sizeof(UINT_PTR) * 8 - 1), nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        SetUp();
        Ini("[Execute]\nFileName=x.exe\n");
        sim::SetShellExecuteResult(c.result);
        RunProgram(u"\"D:\\Tools\\run.exe\"");
        if (c.text == nullptr)
            EXPECT_TRUE(sim::MessageBoxes().empty());
        else
            ExpectOneBox(c.text, c.caption);
        ExpectCleanEnd();
    }
}

TEST_F(Launcher, FailedWorkingDirectoryChangesAreIgnored) {
    Ini("[Execute]\nFileName=x.exe\nDirectory=work\n");
    sim::AddFolder(u"D:\\Tools\\work");
    sim::FailAll("SetCurrentDirectoryW");
    sim::FailAll("GetCurrentDirectoryW");
    sim::FailAll("GetFullPathNameW");
    RunProgram(u"\"D:\\Tools\\run.exe\"");
    const sim::ShellStart& start = OnlyStart();
    EXPECT_EQ(start.directory, u"work"); // a failed conversion leaves the path as it was
    EXPECT_EQ(start.currentDirectory, u"C:\\Start");
}

} // namespace

namespace {

TEST_F(Launcher, EveryFailureEndsAsDescribed) {
    // A full run: settings read, tail forwarded, FileName and Directory resolved.
    auto prepare = [] {
        sim::AddFile(u"D:\\Tools\\run.ini", "[Execute]\nFileName=app\\x.exe\nDirectory=work\n");
        sim::AddFile(u"D:\\Tools\\app\\x.exe", "MZ");
        sim::AddFolder(u"D:\\Tools\\work");
    };
    const std::u16string line = u"\"D:\\Tools\\run.exe\" a.txt";
    prepare();
    RunProgram(line);
    ASSERT_EQ(OnlyStart().file, u"D:\\Tools\\app\\x.exe");
    const std::vector<std::string> points = sim::FailurePointNames();
    ASSERT_GT(points.size(), 8u);
    // Every failure point between the module name and the working directory reads settings.
    const size_t settingsEnd =
        std::find(points.begin(), points.end(), "GetCurrentDirectoryW") - points.begin();
    ASSERT_EQ(points[0], "GetModuleFileNameW");
    for (size_t n = 1; n <= points.size(); ++n) {
        SCOPED_TRACE("failing call " + std::to_string(n) + ": " + points[n - 1]);
        SetUp();
        prepare();
        sim::FailNth(int(n));
        RunProgram(line);
        ExpectCleanEnd();
        // Reading the settings fails: the usage message and nothing started. Anything else
        // is passed over (without the module name, the command line names the program): the
        // target starts, with the arguments.
        bool settingsLost = n > 1 && n <= settingsEnd;
        if (settingsLost) {
            ExpectOneBox(kUsage, u"使い方");
            EXPECT_TRUE(sim::ShellStarts().empty());
        } else {
            EXPECT_TRUE(sim::MessageBoxes().empty());
            EXPECT_EQ(OnlyStart().parameters, u"a.txt");
        }
    }
}

} // namespace

namespace {

TEST_F(Launcher, BadSettingsFilesEndAsDescribed) {
    for (const BadSettingsCase& c : BadSettingsCases()) {
        SCOPED_TRACE(c.name);
        SetUp();
        Ini(c.bytes);
        RunProgram(u"\"D:\\Tools\\run.exe\" a");
        if (c.starts) {
            EXPECT_TRUE(sim::MessageBoxes().empty());
            EXPECT_EQ(OnlyStart().file, u"target.exe");
        } else {
            ExpectOneBox(kUsage, u"使い方");
            EXPECT_TRUE(sim::ShellStarts().empty());
        }
        ExpectCleanEnd();
    }
}

} // namespace
