// CommandLineToArgvW and GetFullPathNameW: one table each, run against the simulator on the
// host and against the real platform under Wine. A disagreement is a simulator bug.
#include "platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include "sim.h"
#endif

namespace {

typedef std::basic_string<WCHAR> WString;

std::string Show(const WString& text) {
    std::string out;
    for (WCHAR c : text) {
        if (c >= 0x20 && c < 0x7F)
            out += char(c);
        else
            out += "\\u" + std::to_string(unsigned(c));
    }
    return out;
}

class Conformance : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef _WIN32
        sim::Reset();
        sim::SetModulePath(u"C:\\tools\\conformance.exe");
        sim::AddFolder(u"C:\\windows");
#endif
        ASSERT_TRUE(SetCurrentDirectoryW(TEXT("C:\\windows")));
    }
};

struct ArgvCase {
    int line;
    const WCHAR* commandLine;
    std::vector<const WCHAR*> expected;
};

TEST_F(Conformance, CommandLineToArgvW) {
    const ArgvCase cases[] = {
        {__LINE__, TEXT("prog a b"), {TEXT("prog"), TEXT("a"), TEXT("b")}},
        {__LINE__, TEXT("\"C:\\My Dir\\prog.exe\" x"), {TEXT("C:\\My Dir\\prog.exe"), TEXT("x")}},
        // The program name knows no escapes: the second quote ends it.
        {__LINE__, TEXT("\"a\\\"b c"), {TEXT("a\\"), TEXT("b"), TEXT("c")}},
        {__LINE__, TEXT("C:\\a\"b c\" d"), {TEXT("C:\\a\"b"), TEXT("c d")}},
        // 2n backslashes before a quote: n backslashes, and the quote toggles quoting.
        {__LINE__, TEXT("p a\\\\\"b c\""), {TEXT("p"), TEXT("a\\b c")}},
        // 2n+1 backslashes before a quote: n backslashes and a literal quote.
        {__LINE__, TEXT("p a\\\\\\\"b"), {TEXT("p"), TEXT("a\\\"b")}},
        {__LINE__, TEXT("p a\\\"b c"), {TEXT("p"), TEXT("a\"b"), TEXT("c")}},
        // Backslashes not before a quote are literal.
        {__LINE__, TEXT("p a\\\\b\\ c"), {TEXT("p"), TEXT("a\\\\b\\"), TEXT("c")}},
        // Runs of quotes.
        {__LINE__, TEXT("p \"a\"\"b\""), {TEXT("p"), TEXT("a\"b")}},
        {__LINE__, TEXT("p \"\"\"\""), {TEXT("p"), TEXT("\"")}},
        {__LINE__, TEXT("p \"\"\"a b\"\"\" c"), {TEXT("p"), TEXT("\"a"), TEXT("b\""), TEXT("c")}},
        {__LINE__, TEXT("p \"\""), {TEXT("p"), TEXT("")}},
        {__LINE__, TEXT("p \"\" x"), {TEXT("p"), TEXT(""), TEXT("x")}},
        {__LINE__, TEXT("p \"a b"), {TEXT("p"), TEXT("a b")}},
        // Tab and space separate; runs of them count once; none is added at the end.
        {__LINE__, TEXT("p\ta\t b"), {TEXT("p"), TEXT("a"), TEXT("b")}},
        {__LINE__, TEXT("p   a   "), {TEXT("p"), TEXT("a")}},
        {__LINE__, TEXT("\"\""), {TEXT("")}},
        {__LINE__, TEXT("\"p"), {TEXT("p")}},
        {__LINE__, TEXT("p \"日本 語\" x"), {TEXT("p"), TEXT("日本 語"), TEXT("x")}},
    };
    for (const ArgvCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "case at line " << c.line);
        int count = -1;
        LPWSTR* argv = CommandLineToArgvW(c.commandLine, &count);
        ASSERT_NE(argv, nullptr);
        std::vector<WString> got(argv, argv + count);
        std::vector<WString> expected(c.expected.begin(), c.expected.end());
        EXPECT_EQ(got, expected) << "from " << Show(c.commandLine) << ": got "
                                 << testing::PrintToString([&] {
                                        std::vector<std::string> shown;
                                        for (const auto& a : got)
                                            shown.push_back(Show(a));
                                        return shown;
                                    }());
        EXPECT_EQ(argv[count], nullptr);
        LocalFree(argv);
    }
}

TEST_F(Conformance, CommandLineToArgvWOfEmptyLineNamesTheProgram) {
    WCHAR module[MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, module, MAX_PATH);
    ASSERT_GT(length, 0u);
    int count = -1;
    LPWSTR* argv = CommandLineToArgvW(TEXT(""), &count);
    ASSERT_NE(argv, nullptr);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(WString(argv[0]), WString(module));
    LocalFree(argv);
}

// Wine is told apart from Windows by the export its ntdll adds.
bool RunningOnWine() {
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != NULL && GetProcAddress(ntdll, "wine_get_version") != NULL;
#else
    return false;
#endif
}

struct FullPathCase {
    int line;
    const WCHAR* path;
    const WCHAR* expected;               // NULL: the call fails
    const WCHAR* wineExpected = nullptr; // where Wine differs from Windows, what Wine gives
};

TEST_F(Conformance, GetFullPathNameW) {
    const FullPathCase cases[] = {
        {__LINE__, TEXT("a"), TEXT("C:\\windows\\a")},
        {__LINE__, TEXT("a\\b\\..\\c"), TEXT("C:\\windows\\a\\c")},
        {__LINE__, TEXT(".\\a"), TEXT("C:\\windows\\a")},
        {__LINE__, TEXT("..\\a"), TEXT("C:\\a")},
        {__LINE__, TEXT("..\\..\\..\\a"), TEXT("C:\\a")},
        {__LINE__, TEXT("C:\\x\\y"), TEXT("C:\\x\\y")},
        {__LINE__, TEXT("C:/x/y"), TEXT("C:\\x\\y")},
        {__LINE__, TEXT("c:\\x"), TEXT("c:\\x")},
        // Drive-relative: the current directory on its own drive, the root elsewhere.
        {__LINE__, TEXT("C:x"), TEXT("C:\\windows\\x")},
        // Windows gives the drive's current directory as GetCurrentDirectoryW does; Wine 8
        // appends a separator.
        {__LINE__, TEXT("C:"), TEXT("C:\\windows"), TEXT("C:\\windows\\")},
        {__LINE__, TEXT("D:x"), TEXT("D:\\x")},
        // Rooted on the current drive.
        {__LINE__, TEXT("\\x"), TEXT("C:\\x")},
        // Wine takes a path that begins with a slash as a Unix path, under drive Z:.
        {__LINE__, TEXT("/x/./y"), TEXT("C:\\x\\y"), TEXT("Z:\\x\\y")},
        {__LINE__, TEXT("\\x/./y"), TEXT("C:\\x\\y")},
        // UNC: .. stops at the share.
        {__LINE__, TEXT("\\\\server\\share\\a\\..\\b"), TEXT("\\\\server\\share\\b")},
        {__LINE__, TEXT("\\\\server\\share\\..\\..\\b"), TEXT("\\\\server\\share\\b")},
        {__LINE__, TEXT("//server/share/a"), TEXT("\\\\server\\share\\a")},
        // Trailing dots and spaces of the last part go; separators fold.
        {__LINE__, TEXT("C:\\a\\b."), TEXT("C:\\a\\b")},
        {__LINE__, TEXT("C:\\a\\b. . "), TEXT("C:\\a\\b")},
        {__LINE__, TEXT("C:\\a\\\\b"), TEXT("C:\\a\\b")},
        {__LINE__, TEXT("C:\\a\\"), TEXT("C:\\a\\")},
        {__LINE__, TEXT("C:\\a\\."), TEXT("C:\\a")},
        {__LINE__, TEXT("C:\\a\\.."), TEXT("C:\\")},
        {__LINE__, TEXT("C:\\"), TEXT("C:\\")},
        {__LINE__, TEXT("C:\\a b\\日本.txt"), TEXT("C:\\a b\\日本.txt")},
        {__LINE__, TEXT(""), NULL},
    };
    for (const FullPathCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "case at line " << c.line << ": " << Show(c.path));
        WCHAR buffer[MAX_PATH];
        DWORD result = GetFullPathNameW(c.path, MAX_PATH, buffer, NULL);
        const WCHAR* expected = c.wineExpected && RunningOnWine() ? c.wineExpected : c.expected;
        if (expected == NULL) {
            EXPECT_EQ(result, 0u);
            continue;
        }
        ASSERT_EQ(result, DWORD(WString(expected).size())) << "got " << Show(buffer);
        EXPECT_EQ(WString(buffer), WString(expected)) << "got " << Show(buffer);
    }
}

TEST_F(Conformance, GetFullPathNameWReportsTheSizeNeeded) {
    // "C:\abc" is 6 units: it fits in 7 (length returned), not in 6 (size with terminator).
    WCHAR buffer[8];
    for (int i = 0; i < 8; ++i)
        buffer[i] = TEXT('#');
    EXPECT_EQ(GetFullPathNameW(TEXT("C:\\abc"), 6, buffer, NULL), 7u);
    EXPECT_EQ(GetFullPathNameW(TEXT("C:\\abc"), 7, buffer, NULL), 6u);
    EXPECT_EQ(WString(buffer), WString(TEXT("C:\\abc")));
    EXPECT_EQ(GetFullPathNameW(TEXT("abc"), 1, buffer, NULL), 15u); // C:\windows\abc
}

TEST_F(Conformance, GetFullPathNameWGivesTheFilePart) {
    WCHAR buffer[MAX_PATH];
    LPWSTR part = NULL;
    ASSERT_GT(GetFullPathNameW(TEXT("dir\\file.txt"), MAX_PATH, buffer, &part), 0u);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(WString(part), WString(TEXT("file.txt")));
}

} // namespace
