// The simulator's own rules, where the programs' tests rely on them to catch misuse.
#include "support.h"

namespace {

class Simulator : public SimTest {};

TEST_F(Simulator, ClipboardCallsNeedAnOpenClipboard) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(sim::Violations(), std::vector<std::string>({"CloseClipboard while it is not open"}));
    GlobalFree(block);
    sim::Reset();
}

TEST_F(Simulator, BlockTakenByTheClipboardBelongsToIt) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(sim::LiveGlobalBlocks(), 0);
    GlobalFree(block);
    EXPECT_EQ(sim::Violations(),
              std::vector<std::string>({"GlobalFree of a block the clipboard owns"}));
    sim::Reset();
}

TEST_F(Simulator, MemoryMisuseIsRecorded) {
    void* heapBlock = HeapAlloc(GetProcessHeap(), 0, 8);
    HeapFree(GetProcessHeap(), 0, heapBlock);
    HeapFree(GetProcessHeap(), 0, heapBlock);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
    GlobalFree(block);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(sim::Violations(), std::vector<std::string>({
                                     "HeapFree of a block HeapAlloc did not give, or twice",
                                     "GlobalLock on a freed block",
                                 }));
    HGLOBAL leaked = GlobalAlloc(GMEM_MOVEABLE, 8);
    EXPECT_NE(leaked, nullptr);
    EXPECT_EQ(sim::LiveGlobalBlocks(), 1);
    sim::Reset();
}

TEST_F(Simulator, FailuresAreCountedAndArmed) {
    sim::FailNth(2);
    EXPECT_NE(GlobalAlloc(GMEM_MOVEABLE, 1), nullptr);
    EXPECT_EQ(HeapAlloc(GetProcessHeap(), 0, 1), nullptr);
    EXPECT_NE(HeapAlloc(GetProcessHeap(), 0, 1), nullptr);
    EXPECT_EQ(sim::FailurePointNames(),
              std::vector<std::string>({"GlobalAlloc", "HeapAlloc", "HeapAlloc"}));
    sim::Reset();
}

TEST_F(Simulator, ModuleNameThatDoesNotFitIsCutAndReported) {
    sim::SetModulePath(u"C:\\run.exe"); // 10 units
    WCHAR buffer[11];
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 11), 10u);
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 10), 10u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::u16string(buffer), u"C:\\run.ex");
}

TEST_F(Simulator, FilesOpenAsThePlatformAllows) {
    sim::AddFile(u"C:\\a\\f.txt", "data");
    sim::HoldOpen(u"C:\\a\\held.txt", FILE_SHARE_READ | FILE_SHARE_WRITE);
    sim::HoldOpen(u"C:\\a\\exclusive.txt", 0);
    struct Case {
        const char16_t* path;
        DWORD access, share, flags;
        bool opens;
        DWORD error;
    };
    const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const Case cases[] = {
        {u"C:\\a\\f.txt", GENERIC_READ, 0, 0, true, 0},
        {u"c:/A/F.TXT", GENERIC_READ, 0, 0, true, 0},
        {u"C:\\a\\g.txt", 0, 0, 0, false, ERROR_FILE_NOT_FOUND},
        {u"C:\\b\\f.txt", 0, 0, 0, false, ERROR_PATH_NOT_FOUND},
        {u"C:\\a", 0, 0, 0, false, ERROR_ACCESS_DENIED},
        {u"C:\\a", 0, 0, FILE_FLAG_BACKUP_SEMANTICS, true, 0},
        {u"C:\\a\\held.txt", GENERIC_READ, FILE_SHARE_READ, 0, false, ERROR_SHARING_VIOLATION},
        {u"C:\\a\\held.txt", GENERIC_READ, all, 0, true, 0},
        {u"C:\\a\\exclusive.txt", GENERIC_READ, all, 0, false, ERROR_SHARING_VIOLATION},
        {u"C:\\a\\exclusive.txt", 0, 0, 0, true, 0}, // no data access: not checked
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(sim::U8(c.path));
        HANDLE file =
            CreateFileW(c.path, c.access, c.share, nullptr, OPEN_EXISTING, c.flags, nullptr);
        EXPECT_EQ(file != INVALID_HANDLE_VALUE, c.opens);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        else
            EXPECT_EQ(GetLastError(), c.error);
    }
}

TEST_F(Simulator, CurrentDirectoryMustBeAnExistingFolder) {
    sim::AddFolder(u"D:\\work");
    sim::AddFile(u"D:\\file.txt", "");
    EXPECT_TRUE(SetCurrentDirectoryW(u"d:\\WORK\\"));
    EXPECT_EQ(sim::CurrentDir(), u"d:\\WORK"); // as given, separator dropped
    EXPECT_FALSE(SetCurrentDirectoryW(u"D:\\missing"));
    EXPECT_FALSE(SetCurrentDirectoryW(u"D:\\file.txt"));
    EXPECT_EQ(sim::CurrentDir(), u"d:\\WORK"); // as given, separator dropped
    WCHAR buffer[8];
    EXPECT_EQ(GetCurrentDirectoryW(7, buffer), 8u); // too small: the size needed
    EXPECT_EQ(GetCurrentDirectoryW(8, buffer), 7u);
}

} // namespace
