// The shipped clipsend on the real platform: exact clipboard bytes and block sizes for plain,
// empty, quoted and Japanese arguments and for real shortcuts made with the platform's own
// shell-link object; the usage box; a clipboard that another program holds.
#include "shared_cases.h"
#include "platform_tools.h"
#include "wine_support.h"

using namespace wine_test;

namespace {

const wchar_t kPrevious[] = L"previous contents";

std::string TextBytes(const std::wstring& text) {
    std::string bytes = Utf16Le(text, false);
    return bytes + std::string(2, '\0');
}

class ClipsendOnWine : public ::testing::Test {
  protected:
    std::wstring folder, clipsend;

    void SetUp() override {
        CoInitialize(NULL);
        folder = FreshFolder(L"clipsend");
        clipsend = folder + L"\\clipsend.exe";
        CopyProgram(Env(L"CLIPSEND_EXE"), clipsend);
        WriteBytes(folder + L"\\report.txt", "r");
        WriteBytes(folder + L"\\写真.png", "p");
        WriteBytes(folder + L"\\corrupt.lnk", std::string("L\0\0\0garbage", 11));
        ASSERT_TRUE(
            MakeShortcut((folder + L"\\doc.LNK").c_str(), (folder + L"\\report.txt").c_str()));
        ASSERT_TRUE(
            MakeShortcut((folder + L"\\pic.lnk").c_str(), (folder + L"\\写真.png").c_str()));
    }
    void TearDown() override { CoUninitialize(); }

    ProgramRun Send(const std::wstring& arguments) {
        return RunProgram(clipsend, L"\"" + clipsend + L"\"" + arguments, folder);
    }

    static void ExpectClipboard(const std::wstring& text) {
        std::string bytes;
        SIZE_T size = 0;
        ASSERT_TRUE(ReadClipboardText(&bytes, &size));
        EXPECT_EQ(bytes, TextBytes(text)) << "expected " << Utf8(text);
        EXPECT_EQ(size, TextBytes(text).size());
    }
};

TEST_F(ClipsendOnWine, ExactClipboardBytes) {
    for (const ClipsendCase& c : kClipsendCases) {
        SCOPED_TRACE(Utf8(c.arguments));
        SeedClipboard(kPrevious);
        ProgramRun run = Send(ExpandDir<std::wstring>(c.arguments, folder));
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_TRUE(run.boxes.empty());
        ExpectClipboard(ExpandDir<std::wstring>(c.text, folder));
    }
}

TEST_F(ClipsendOnWine, UsageWithoutArgumentsLeavesTheClipboard) {
    SeedClipboard(kPrevious);
    ProgramRun run = Send(L"");
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(Utf8(run.boxes[0].text),
              Utf8(L"引数を与えると、それを、\\n 区切りで、クリップボードへ送る。"));
    EXPECT_EQ(Utf8(run.boxes[0].caption), Utf8(L"使い方"));
    EXPECT_EQ(run.boxes[0].buttons.size(), 1u);
    EXPECT_FALSE(run.boxes[0].hasIcon);
    ExpectClipboard(kPrevious);
}

TEST_F(ClipsendOnWine, ClipboardHeldForAMomentIsWaitedFor) {
    // Held from before clipsend starts until well after its first try (a free run shows when
    // that is), and released well within its half second of retries.
    DWORD started = GetTickCount();
    Send(L" free");
    DWORD freeRun = GetTickCount() - started;
    SeedClipboard(kPrevious);
    ProgramRun run;
    started = GetTickCount();
    {
        ClipboardHolder holder(freeRun + 150);
        run = Send(L" a b");
    }
    EXPECT_GE(GetTickCount() - started, freeRun + 100) << "clipsend did not wait";
    EXPECT_EQ(run.exitCode, 0u);
    ExpectClipboard(L"a\nb");
}

TEST_F(ClipsendOnWine, ClipboardHeldForLongKeepsItsContents) {
    SeedClipboard(kPrevious);
    ProgramRun run;
    DWORD started = GetTickCount();
    {
        ClipboardHolder holder(3000);
        run = Send(L" a b");
        EXPECT_LT(GetTickCount() - started, 2500u) << "clipsend gives up after about 0.5 s";
    }
    EXPECT_EQ(run.exitCode, 0u);
    ExpectClipboard(kPrevious);
}

} // namespace

namespace {

TEST_F(ClipsendOnWine, ThousandsOfArgumentsAtTheCommandLineLimit) {
    // As many one-letter arguments as a command line holds (32,767 units with the terminator).
    std::wstring line = L"\"" + clipsend + L"\"";
    std::wstring text;
    for (int i = 0; line.size() + 2 < 32767; ++i) {
        wchar_t letter = wchar_t(L'a' + i % 26);
        line += L' ';
        line += letter;
        if (!text.empty())
            text += L'\n';
        text += letter;
    }
    ASSERT_GT(text.size() / 2, 16000u);
    SeedClipboard(kPrevious);
    ProgramRun run = RunProgram(clipsend, line, folder);
    EXPECT_EQ(run.exitCode, 0u);
    ExpectClipboard(text);
}

TEST_F(ClipsendOnWine, DamagedShortcutsGoAsTyped) {
    // The start of a real shortcut, cut short; and a shortcut's header with nothing after it.
    std::string whole;
    ASSERT_TRUE(ReadBytes(folder + L"\\doc.LNK", &whole));
    WriteBytes(folder + L"\\cut.lnk", whole.substr(0, whole.size() / 2));
    WriteBytes(folder + L"\\header.lnk", whole.substr(0, 76));
    WriteBytes(folder + L"\\empty.lnk", "");
    SeedClipboard(kPrevious);
    ProgramRun run = Send(L" cut.lnk header.lnk empty.lnk");
    EXPECT_EQ(run.exitCode, 0u);
    ExpectClipboard(L"cut.lnk\nheader.lnk\nempty.lnk");
}

} // namespace
