// clipsend's whole flow against the simulator.
#include "shared_cases.h"
#include "support.h"

#include <algorithm>

namespace {

const char16_t kProgram[] = u"\"C:\\Tools\\clipsend.exe\"";

std::vector<uint8_t> TextBytes(const std::u16string& text) {
    std::vector<uint8_t> bytes;
    for (char16_t c : text + u'\0') {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t(c >> 8));
    }
    return bytes;
}

class Clipsend : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        sim::SetModulePath(u"C:\\Tools\\clipsend.exe");
        sim::AddFolder(u"C:\\Tools");
        sim::AddShortcut(u"C:\\links\\doc.LNK", u"C:\\docs\\report.txt");
        sim::AddShortcut(u"C:\\links\\pic.lnk", u"\\\\server\\share\\写真.png");
        // The shared scenarios' folder.
        sim::AddShortcut(u"C:\\shared\\doc.LNK", u"C:\\shared\\report.txt");
        sim::AddShortcut(u"C:\\shared\\pic.lnk", u"C:\\shared\\写真.png");
        sim::AddFile(u"C:\\shared\\corrupt.lnk", std::string("L\0\0\0garbage", 11));
        sim::AddShortcut(u"C:\\links\\empty.lnk", u"");
        sim::AddShortcutWithoutPath(u"C:\\links\\printer.lnk");
        sim::AddFile(u"C:\\links\\fake.lnk", "not a shortcut");
        sim::SeedClipboardText(u"previous");
    }

    static void ExpectClipboard(const std::u16string& text) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(sim::ClipboardText(&bytes));
        EXPECT_EQ(bytes, TextBytes(text)) << "expected " << sim::U8(text);
        EXPECT_EQ(sim::ClipboardFormats(), 1);
    }
};

TEST_F(Clipsend, ExactClipboardBytes) {
    struct Case {
        const char16_t* arguments;
        const char16_t* text;
        size_t blockBytes;
    };
    const Case cases[] = {
        {u" abc", u"abc", 8},
        {u" a b c", u"a\nb\nc", 12},
        {u" \"\"", u"", 2},
        {u" C:\\links\\doc.LNK", u"C:\\docs\\report.txt", 38},
        {u" C:\\links\\missing.lnk x", u"C:\\links\\missing.lnk\nx", 46},
        {u" C:\\links\\fake.lnk C:\\links\\printer.lnk",
         u"C:\\links\\fake.lnk\nC:\\links\\printer.lnk", 78},
        {u" C:\\links\\empty.lnk x", u"\nx", 6},
        // Two shortcuts with a failed resolution between them.
        {u" C:\\links\\doc.LNK C:\\links\\missing.lnk C:\\links\\pic.lnk",
         u"C:\\docs\\report.txt\nC:\\links\\missing.lnk\n\\\\server\\share\\写真.png", 124},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(sim::U8(c.arguments));
        SetUp();
        RunProgram(kProgram + std::u16string(c.arguments));
        ExpectClipboard(c.text);
        EXPECT_EQ(TextBytes(c.text).size(), c.blockBytes);
        EXPECT_TRUE(sim::MessageBoxes().empty());
        EXPECT_EQ(sim::ComInitDepth(), 0);
        ExpectCleanEnd();
    }
}

TEST_F(Clipsend, SharedScenarios) {
    const std::u16string folder = u"C:\\shared";
    for (const ClipsendCase& c : kClipsendCases) {
        SCOPED_TRACE(sim::U8(c.arguments));
        SetUp();
        ASSERT_TRUE(sim::SetCurrentDir(folder));
        RunProgram(kProgram + ExpandDir<std::u16string>(c.arguments, folder));
        ExpectClipboard(ExpandDir<std::u16string>(c.text, folder));
        EXPECT_TRUE(sim::MessageBoxes().empty());
        ExpectCleanEnd();
    }
}

TEST_F(Clipsend, ResolvesEveryArgumentWithTheSameCapacity) {
    RunProgram(kProgram + std::u16string(u" a.txt C:\\links\\doc.LNK C:\\links\\pic.lnk"));
    ASSERT_EQ(sim::ShellLinks().size(), 2u); // only names ending in .lnk create an object
    for (const sim::ShellLinkUse& use : sim::ShellLinks())
        EXPECT_EQ(use.getPathCapacity, 1024);
}

TEST_F(Clipsend, UsageWithoutArgumentsTouchesNothing) {
    for (const char16_t* line : {kProgram, u"\"C:\\Tools\\clipsend.exe\"   "}) {
        SetUp();
        RunProgram(line);
        ASSERT_EQ(sim::MessageBoxes().size(), 1u);
        const sim::MessageBox& box = sim::MessageBoxes()[0];
        std::u16string usage = u"引数を与えると、それを、\\n 区切りで、クリップボードへ送る。";
        EXPECT_EQ(usage.size(), 31u);
        EXPECT_EQ(box.text, usage);
        EXPECT_EQ(box.caption, u"使い方");
        EXPECT_EQ(box.type, MB_OK);
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(sim::CallNames(), std::vector<std::string>(
                                        {"GetCommandLineW", "CommandLineToArgvW", "MessageBoxW"}));
        ExpectClipboard(u"previous");
    }
}

TEST_F(Clipsend, ClipboardIsFilledBeforeItIsOpenedAndHeldOnlyForTheHandOver) {
    RunProgram(kProgram + std::u16string(u" a"));
    std::vector<std::string> names = sim::CallNames();
    auto at = [&](const char* op) {
        return std::find(names.begin(), names.end(), op) - names.begin();
    };
    EXPECT_LT(at("CoUninitialize"), at("GlobalAlloc"));
    EXPECT_LT(at("GlobalUnlock"), at("OpenClipboard"));
    std::vector<std::string> tail(names.begin() + at("OpenClipboard"), names.end());
    EXPECT_EQ(tail, std::vector<std::string>({"OpenClipboard", "EmptyClipboard", "SetClipboardData",
                                              "CloseClipboard", "HeapFree"}));
}

TEST_F(Clipsend, BusyClipboard) {
    // Held for a moment: copied after a few tries.
    sim::HoldClipboard(3);
    RunProgram(kProgram + std::u16string(u" a"));
    ExpectClipboard(u"a");
    EXPECT_EQ(sim::TotalSleepMs(), 150u);

    // Held for good: about half a second of tries, then the previous contents stay.
    SetUp();
    sim::HoldClipboard(-1);
    RunProgram(kProgram + std::u16string(u" a"));
    ExpectClipboard(u"previous");
    auto names = sim::CallNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "OpenClipboard"), 10);
    EXPECT_EQ(sim::TotalSleepMs(), 450u);
}

TEST_F(Clipsend, EveryFailureEndsCleanlyWithoutLosingTheClipboard) {
    const std::u16string line = kProgram + std::u16string(u" a C:\\links\\doc.LNK");
    RunProgram(line);
    ExpectClipboard(u"a\nC:\\docs\\report.txt");
    const std::vector<std::string> points = sim::FailurePointNames();
    ASSERT_GT(points.size(), 8u);
    for (size_t n = 1; n <= points.size(); ++n) {
        const std::string& op = points[n - 1];
        SCOPED_TRACE("failing call " + std::to_string(n) + ": " + op);
        SetUp();
        sim::FailNth(int(n));
        RunProgram(line);
        ExpectCleanEnd();
        EXPECT_EQ(sim::ComInitDepth(), 0);
        if (op == "CoInitialize" || op == "CoCreateInstance" || op.rfind("IShellLinkW::", 0) == 0 ||
            op.rfind("IPersistFile::", 0) == 0) {
            ExpectClipboard(u"a\nC:\\links\\doc.LNK"); // the shortcut goes as typed
        } else if (op == "OpenClipboard" || op == "EmptyClipboard") {
            ExpectClipboard(u"a\nC:\\docs\\report.txt"); // tried again / replaced anyway
        } else if (op == "SetClipboardData") {
            std::vector<uint8_t> bytes; // emptied already: nothing to put back
            EXPECT_FALSE(sim::ClipboardText(&bytes));
        } else {
            ExpectClipboard(u"previous"); // CommandLineToArgvW, HeapAlloc, GlobalAlloc, ...
        }
    }
}

TEST_F(Clipsend, ManyArgumentsAtTheCommandLineLimit) {
    // 16,000 one-letter arguments: one scratch area, one block of exactly the text's size.
    std::u16string line = kProgram;
    std::u16string text;
    for (int i = 0; i < 16000; ++i) {
        char16_t letter = char16_t(u'a' + i % 26);
        line += u' ';
        line += letter;
        text += letter;
        if (i + 1 < 16000)
            text += u'\n';
    }
    RunProgram(line);
    ExpectClipboard(text);
}

} // namespace

namespace {

TEST_F(Clipsend, CutTargetPathIsNeverPutOnTheClipboard) {
    sim::AddShortcut(u"C:\\links\\deep.lnk", u"C:\\" + std::u16string(1500, u'd'));
    RunProgram(kProgram + std::u16string(u" C:\\links\\deep.lnk"));
    ExpectClipboard(u"C:\\links\\deep.lnk");
}

} // namespace
