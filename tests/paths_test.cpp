#include "paths.h"

#include "support.h"

namespace {

struct BoolCase {
    const char16_t* path;
    BOOL expected;
};

TEST(IsAbsolutePath, Table) {
    const BoolCase cases[] = {
        {u"D:\\Tools\\run.ini", TRUE},
        {u"D:run.ini", TRUE},
        {u"\\run.ini", TRUE},
        {u"/run.ini", TRUE},
        {u"\\\\server\\share\\run.ini", TRUE},
        {u"1:x", TRUE},
        {u"run.ini", FALSE},
        {u"Tools\\run.ini", FALSE},
        {u".\\run.ini", FALSE},
        {u"..\\run.ini", FALSE},
        {u"", FALSE},
        {u"x", FALSE},
    };
    for (const BoolCase& c : cases)
        EXPECT_EQ(IsAbsolutePath(c.path), c.expected) << sim::U8(c.path);
}

struct TailCase {
    const char16_t* commandLine;
    const char16_t* tail; // nullptr: no tail
};

TEST(FindArgumentTail, Table) {
    const TailCase cases[] = {
        {u"\"D:\\Tools\\run.exe\"", nullptr},
        {u"\"D:\\Tools\\run.exe\" ", nullptr},
        {u"\"D:\\Tools\\run.exe\"  ", u" "},
        {u"\"D:\\Tools\\run.exe\" a b", u"a b"},
        {u"\"D:\\Tools\\run.exe\"   a", u"  a"},
        {u"\"D:\\Tools\\run.exe\" \"D:\\My Files\\b.txt\"", u"\"D:\\My Files\\b.txt\""},
        {u"\"D:\\Tools\\run.exe\"x y", u" y"}, // the unit after the closing quote is skipped
        {u"\"D:\\Tools\\run.exe a", nullptr},  // no closing quote
        {u"run a b", u"a b"},
        {u"run", nullptr},
        {u"run ", nullptr},
        {u"run  a", u" a"},
        {u"D:\\My Tools\\run.exe a", u"Tools\\run.exe a"},
        {u"run\ta", nullptr}, // only a space separates
        {u"", nullptr},
        {u"r", nullptr},
        {u"\"", nullptr},
    };
    for (const TailCase& c : cases) {
        std::u16string line = c.commandLine;
        LPCWSTR tail = FindArgumentTail(line.c_str());
        if (c.tail == nullptr) {
            EXPECT_EQ(tail, nullptr) << sim::U8(line);
        } else {
            ASSERT_NE(tail, nullptr) << sim::U8(line);
            EXPECT_EQ(std::u16string(tail), c.tail) << sim::U8(line);
            EXPECT_TRUE(tail >= line.c_str() && tail < line.c_str() + line.size());
        }
    }
}

struct PathCase {
    const char16_t* input;
    const char16_t* expected;
};

TEST(MakeSettingsPath, Table) {
    const PathCase cases[] = {
        {u"D:\\Tools\\run.exe", u"D:\\Tools\\run.ini"},
        {u"D:\\Tools\\run", u"D:\\Tools\\run.ini"},
        {u"D:\\Tools\\my.run.exe", u"D:\\Tools\\my.run.ini"},
        // The extension's dot is looked for in the last part only.
        {u"D:\\my.tools\\run", u"D:\\my.tools\\run.ini"},
        {u"D:/my.tools/run", u"D:/my.tools/run.ini"},
        {u".\\run", u".\\run.ini"},
        {u".run", u".run.ini"}, // a dot at index 0 is no extension
        {u"run.", u"run.ini"},
        {u"C:\\日本語 フォルダ\\起動.exe", u"C:\\日本語 フォルダ\\起動.ini"},
    };
    for (const PathCase& c : cases) {
        WCHAR buffer[kSettingsPathCapacity];
        lstrcpyW(buffer, c.input);
        MakeSettingsPath(buffer);
        EXPECT_EQ(std::u16string(buffer), c.expected) << sim::U8(c.input);
    }
}

TEST(MakeSettingsPath, LongestProgramPathFits) {
    std::u16string path = u"C:\\" + std::u16string(kProgramPathLimit - 3, u'a');
    std::vector<WCHAR> buffer(kSettingsPathCapacity + 8, u'#');
    lstrcpyW(buffer.data(), path.c_str());
    MakeSettingsPath(buffer.data());
    EXPECT_EQ(std::u16string(buffer.data()), path + u".ini");
    EXPECT_EQ(buffer[kSettingsPathCapacity], u'#'); // nothing written past the capacity
}

TEST(CutToFolder, Table) {
    const PathCase cases[] = {
        {u"D:\\Tools\\run.ini", u"D:\\Tools"},
        {u"D:\\run.ini", u"D:\\"}, // a drive's root, not the bare drive
        {u"D:/Tools/run.ini", u"D:/Tools"},
        {u"\\run.ini", u""},      // rooted without drive: names no folder
        {u"run.ini", u"run.ini"}, // no separator: stays whole
        {u"\\\\server\\share\\run.ini", u"\\\\server\\share"},
    };
    for (const PathCase& c : cases) {
        WCHAR buffer[64];
        lstrcpyW(buffer, c.input);
        CutToFolder(buffer);
        EXPECT_EQ(std::u16string(buffer), c.expected) << sim::U8(c.input);
    }
}

class FileExistsTest : public SimTest {};

TEST_F(FileExistsTest, ProbesWithoutAccessAndClosesWhatItOpens) {
    sim::AddFile(u"D:\\Tools\\run.ini", "x");
    sim::AddFolder(u"D:\\Tools\\sub");
    sim::DenyAccess(u"D:\\Tools\\secret.ini");
    sim::HoldOpen(u"D:\\Tools\\locked.ini", 0); // held with no sharing at all
    ASSERT_TRUE(sim::SetCurrentDir(u"D:\\Tools"));
    const BoolCase cases[] = {
        {u"D:\\Tools\\run.ini", TRUE},
        {u"d:\\tools\\RUN.INI", TRUE},
        {u"run.ini", TRUE},
        {u"D:\\Tools\\missing.ini", FALSE},
        {u"D:\\Nowhere\\run.ini", FALSE},
        {u"D:\\Tools\\sub", FALSE},
        {u"D:\\Tools\\secret.ini", FALSE},
        {u"D:\\Tools\\locked.ini", TRUE},
        {u"", FALSE},
    };
    for (const BoolCase& c : cases)
        EXPECT_EQ(FileExists(c.path), c.expected) << sim::U8(c.path);
}

} // namespace
