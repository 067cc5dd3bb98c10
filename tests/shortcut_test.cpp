#include "shortcut.h"

#include "support.h"

namespace {

TEST(IsShortcutPath, Table) {
    struct Case {
        const char16_t* path;
        BOOL expected;
    };
    const Case cases[] = {
        {u"", FALSE},       {u".lnk", FALSE},   {u"a.lnk", TRUE},
        {u"a.LNK", TRUE},   {u"a.LnK", TRUE},   {u"C:\\x\\y.lnk", TRUE},
        {u"a..lnk", TRUE},  {u"a.lnk ", FALSE}, {u"a.lnk.", FALSE},
        {u"a_lnk", FALSE},  {u"alnk", FALSE},   {u"a.ｌｎｋ", FALSE}, // full-width letters
        {u"a.lnx", FALSE},  {u"a.lmk", FALSE},  {u"a,lnk", FALSE},
        {u"ab.url", FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsShortcutPath(c.path), c.expected) << sim::U8(c.path);
}

class ResolveTest : public SimTest {
  protected:
    WCHAR buffer[64];
    void SetUp() override {
        SimTest::SetUp();
        for (WCHAR& c : buffer)
            c = u'#';
        CoInitialize(nullptr);
    }
    void TearDown() override {
        CoUninitialize();
        SimTest::TearDown();
    }
    static bool NoComCall() {
        for (const std::string& name : sim::CallNames())
            if (name != "CoInitialize")
                return false;
        return true;
    }
};

TEST_F(ResolveTest, ResolvesATargetWithTheFixedFlags) {
    sim::AddShortcut(u"C:\\links\\doc.LNK", u"C:\\docs\\report.txt");
    ASSERT_TRUE(ResolveShortcutTarget(u"C:\\links\\doc.LNK", buffer, 64));
    EXPECT_EQ(std::u16string(buffer), u"C:\\docs\\report.txt");
    ASSERT_EQ(sim::ShellLinks().size(), 1u);
    const sim::ShellLinkUse& use = sim::ShellLinks()[0];
    EXPECT_EQ(use.loadedPath, u"C:\\links\\doc.LNK");
    EXPECT_EQ(use.loadMode, STGM_READ);
    EXPECT_EQ(use.resolveOwner, nullptr);
    EXPECT_EQ(use.resolveFlags, DWORD(SLR_ANY_MATCH)); // no SLR_NO_UI, no SLR_UPDATE, no time-out
    EXPECT_EQ(use.getPathCapacity, 64);
    EXPECT_EQ(use.getPathFlags, DWORD(SLGP_UNCPRIORITY));
    EXPECT_FALSE(use.findDataPassed);
    std::vector<std::string> expected = {
        "CoInitialize",          "CoCreateInstance",     "IShellLinkW::QueryInterface",
        "IPersistFile::Load",    "IShellLinkW::Resolve", "IShellLinkW::GetPath",
        "IPersistFile::Release", "IShellLinkW::Release"};
    EXPECT_EQ(sim::CallNames(), expected);
}

TEST_F(ResolveTest, RelativePathIsLoadedAsTyped) {
    sim::AddFolder(u"C:\\links");
    ASSERT_TRUE(sim::SetCurrentDir(u"C:\\links"));
    sim::AddShortcut(u"C:\\links\\doc.lnk", u"C:\\t.txt");
    ASSERT_TRUE(ResolveShortcutTarget(u"doc.lnk", buffer, 64));
    EXPECT_EQ(sim::ShellLinks()[0].loadedPath, u"doc.lnk");
    EXPECT_EQ(std::u16string(buffer), u"C:\\t.txt");
}

TEST_F(ResolveTest, RefusedBeforeAnyComCallWithTheBufferUntouched) {
    sim::AddShortcut(u"C:\\a.lnk", u"C:\\t.txt");
    struct Case {
        const char16_t* path;
        int capacity;
    };
    const Case cases[] = {
        {u"", 64}, {u".lnk", 64}, {u"C:\\a.txt", 64}, {u"C:\\a.lnk", 0}, {u"C:\\a.lnk", -1}};
    for (const Case& c : cases) {
        EXPECT_FALSE(ResolveShortcutTarget(c.path, buffer, c.capacity)) << sim::U8(c.path);
        EXPECT_EQ(buffer[0], u'#');
    }
    EXPECT_TRUE(NoComCall());
}

TEST_F(ResolveTest, EveryFailingStepReleasesWhatWasObtained) {
    struct Case {
        const char* failing;
        std::vector<std::string> releases;
        bool bufferEmpty;
    };
    const Case cases[] = {
        {"CoCreateInstance", {}, true},
        {"IShellLinkW::QueryInterface", {"IShellLinkW::Release"}, true},
        {"IPersistFile::Load", {"IPersistFile::Release", "IShellLinkW::Release"}, true},
        {"IShellLinkW::Resolve", {"IPersistFile::Release", "IShellLinkW::Release"}, true},
        {"IShellLinkW::GetPath", {"IPersistFile::Release", "IShellLinkW::Release"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing);
        sim::Reset(); // COM stays initialised for TearDown
        CoInitialize(nullptr);
        sim::AddShortcut(u"C:\\a.lnk", u"C:\\t.txt");
        sim::FailAll(c.failing);
        for (WCHAR& w : buffer)
            w = u'#';
        EXPECT_FALSE(ResolveShortcutTarget(u"C:\\a.lnk", buffer, 64));
        if (c.bufferEmpty) {
            EXPECT_EQ(buffer[0], 0);
        }
        std::vector<std::string> releases;
        for (const std::string& name : sim::CallNames())
            if (name.find("Release") != std::string::npos)
                releases.push_back(name);
        EXPECT_EQ(releases, c.releases);
        std::vector<std::string> names = sim::CallNames();
        EXPECT_EQ(names[names.size() - c.releases.size() - 1], c.failing)
            << "no step runs after the failing one";
        EXPECT_EQ(sim::LiveComObjects(), 0);
    }
}

TEST_F(ResolveTest, OnlySOkCounts) {
    // No file, not a shortcut, a folder, and a link without a file-system path (S_FALSE).
    sim::AddFile(u"C:\\text.lnk", "plain text");
    sim::AddFolder(u"C:\\folder.lnk");
    sim::AddShortcutWithoutPath(u"C:\\printer.lnk");
    for (const char16_t* path :
         {u"C:\\missing.lnk", u"C:\\text.lnk", u"C:\\folder.lnk", u"C:\\printer.lnk"}) {
        buffer[0] = u'#';
        EXPECT_FALSE(ResolveShortcutTarget(path, buffer, 64)) << sim::U8(path);
        EXPECT_EQ(buffer[0], 0) << sim::U8(path);
    }
    EXPECT_EQ(sim::LiveComObjects(), 0);
}

TEST_F(ResolveTest, WithoutComEveryResolutionFails) {
    CoUninitialize();
    sim::AddShortcut(u"C:\\a.lnk", u"C:\\t.txt");
    EXPECT_FALSE(ResolveShortcutTarget(u"C:\\a.lnk", buffer, 64));
    CoInitialize(nullptr);
}

} // namespace

namespace {

TEST_F(ResolveTest, TargetThatMayHaveBeenCutIsNotUsed) {
    // GetPath cuts a path that does not fit without saying so: a result that fills the buffer
    // cannot be told from a cut one.
    struct Case {
        size_t targetLength;
        BOOL resolved;
    };
    for (const Case& c : {Case{62, TRUE}, Case{63, FALSE}, Case{200, FALSE}}) {
        SCOPED_TRACE(c.targetLength);
        std::u16string target = u"C:\\" + std::u16string(c.targetLength - 3, u't');
        sim::AddShortcut(u"C:\\long.lnk", target);
        EXPECT_EQ(ResolveShortcutTarget(u"C:\\long.lnk", buffer, 64), c.resolved);
        if (c.resolved) {
            EXPECT_EQ(std::u16string(buffer), target);
        }
        EXPECT_EQ(sim::LiveComObjects(), 0);
    }
}

} // namespace
