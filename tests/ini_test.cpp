#include "ini.h"
#include "settings.h"

#include "support.h"

#include <cstdio>

namespace {

std::u16string Decode(const std::string& bytes, BOOL cut = FALSE) {
    std::vector<WCHAR> out(bytes.size() + 1, u'#');
    int length = DecodeSettingsText(reinterpret_cast<const BYTE*>(bytes.data()), int(bytes.size()),
                                    cut, out.data());
    EXPECT_EQ(out[length], 0);
    return std::u16string(out.data(), length);
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::u16string expected;
};

TEST(DecodeSettingsText, Encodings) {
    const DecodeCase cases[] = {
        {"UTF-16 LE with BOM", Utf16Le(u"a=日本"), u"a=日本"},
        {"UTF-16 BE with BOM", std::string("\xFE\xFF\x00\x61\x65\xE5", 6), u"a日"},
        {"UTF-16 LE odd last byte", std::string("\xFF\xFE\x61\x00\x62", 5), u"a"},
        {"UTF-8 with BOM",
         "\xEF\xBB\xBF"
         "a=\xE6\x97\xA5",
         u"a=日"},
        {"UTF-8 without BOM", "a=\xE6\x97\xA5\xF0\x9F\x98\x80", u"a=日\U0001F600"},
        {"ASCII", "[Execute]\r\n", u"[Execute]\r\n"},
        // Not UTF-8: the ANSI code page (a single-byte one in the simulator).
        {"ANSI", "a=\x93\xfa", u"a=\u0093\u00fa"},
        {"overlong UTF-8 is ANSI", "\xC0\xAF", u"\u00c0\u00af"},
        {"UTF-8 surrogate is ANSI", "\xED\xA0\x80", u"\u00ed\u00a0\u0080"},
        {"broken UTF-8 at the end is ANSI", "a\xE6\x97", u"a\u00e6\u0097"},
        {"empty", "", u""},
        {"NUL bytes stay", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(Decode(c.bytes), c.expected) << c.name;
}

TEST(DecodeSettingsText, SequenceBrokenByTheReadLimitIsDropped) {
    EXPECT_EQ(Decode("a=\xE6\x97\xA5\xE6\x97", TRUE), u"a=日");
    EXPECT_EQ(Decode("a=\xE6\x97\xA5\xE6\x97", FALSE), u"a=\u00e6\u0097\u00a5\u00e6\u0097");
}

struct LookupCase {
    int line;
    const char16_t* text;
    const char16_t* key;
    const char16_t* expected;
};

TEST(FindSettingsValue, LexicalRules) {
    const LookupCase cases[] = {
        {__LINE__, u"[Execute]\nFileName=a.exe", u"FileName", u"a.exe"},
        {__LINE__, u"[execute]\nFILENAME=a.exe", u"FileName", u"a.exe"},
        {__LINE__, u"  [ Execute ]  \n  FileName  =  a b.exe  ", u"FileName", u"a b.exe"},
        {__LINE__, u"[Execute]\n\tFileName\t=\tx\t", u"FileName", u"x"},
        {__LINE__, u"[Execute]\nFileName=\"C:\\My Files\\a.exe\"", u"FileName",
         u"C:\\My Files\\a.exe"},
        {__LINE__, u"[Execute]\nFileName='a'", u"FileName", u"a"},
        {__LINE__, u"[Execute]\nFileName=\"a'", u"FileName", u"\"a'"},
        {__LINE__, u"[Execute]\nFileName=\"", u"FileName", u"\""},
        {__LINE__, u"[Execute]\nFileName=\"\"a\"\"", u"FileName", u"\"a\""},
        {__LINE__, u"[Execute]\n;FileName=a\nFileName=b", u"FileName", u"b"},
        {__LINE__, u"[Execute]\nFileName=a\nFileName=b", u"FileName", u"a"},
        {__LINE__, u"[Execute]\nFileName=a\n[Execute]\nFileName=b", u"FileName", u"a"},
        {__LINE__, u"[Execute]\nX=1\n[Execute]\nFileName=b", u"FileName", u""},
        {__LINE__, u"[Other]\nFileName=a\n[Execute]\nFileName=b", u"FileName", u"b"},
        {__LINE__, u"[Other]\nFileName=a", u"FileName", u""},
        {__LINE__, u"FileName=a\n[Execute]", u"FileName", u""},
        {__LINE__, u"[Execute]\r\nFileName=a\r\nParameters=b\r\n", u"Parameters", u"b"},
        {__LINE__, u"[Execute]\rFileName=a\rParameters=b", u"Parameters", u"b"},
        {__LINE__, u"[Execute]\nFileName=a=b", u"FileName", u"a=b"},
        {__LINE__, u"[Execute]\nFileName", u"FileName", u""},
        {__LINE__, u"[Execute]\nFileName=", u"FileName", u""},
        {__LINE__, u"[Execute]\nFile Name=a", u"FileName", u""},
        {__LINE__, u"[Execute]\nFileNameX=a", u"FileName", u""},
        {__LINE__, u"[Execute]\nFileName=日本語.exe", u"FileName", u"日本語.exe"},
        // A line with an opening bracket but no closing one is no section header.
        {__LINE__, u"[Execute]\n[Other\nFileName=a", u"FileName", u"a"},
        {__LINE__, u"[Execute]x\nFileName=a", u"FileName", u"a"},
        {__LINE__, u"", u"FileName", u""},
    };
    for (const LookupCase& c : cases) {
        std::u16string text = c.text;
        WCHAR out[64];
        int length = FindSettingsValue(text.c_str(), int(text.size()), u"Execute", c.key, out, 64);
        EXPECT_EQ(std::u16string(out), c.expected) << "case at line " << c.line;
        EXPECT_EQ(length, int(std::u16string(c.expected).size())) << "case at line " << c.line;
    }
}

TEST(FindSettingsValue, CutsToCapacity) {
    std::u16string text = u"[Execute]\nFileName=" + std::u16string(2000, u'x');
    std::vector<WCHAR> out(kValueCapacity + 1, u'#');
    int length = FindSettingsValue(text.c_str(), int(text.size()), u"Execute", u"FileName",
                                   out.data(), kValueCapacity);
    EXPECT_EQ(length, kValueCapacity - 1);
    EXPECT_EQ(std::u16string(out.data()), std::u16string(kValueCapacity - 1, u'x'));
    EXPECT_EQ(out[kValueCapacity], u'#');
}

class ReadLaunchSettingsTest : public SimTest {
  protected:
    LaunchSettings settings;
    BOOL Read(const std::string& bytes) {
        sim::AddFile(u"D:\\Tools\\run.ini", bytes);
        return ReadLaunchSettings(u"D:\\Tools\\run.ini", &settings);
    }
    void Expect(const char16_t* fileName, const char16_t* parameters, const char16_t* directory) {
        EXPECT_EQ(std::u16string(settings.FileName), fileName);
        EXPECT_EQ(std::u16string(settings.Parameters), parameters);
        EXPECT_EQ(std::u16string(settings.Directory), directory);
    }
};

TEST_F(ReadLaunchSettingsTest, WhichKeysConfigureALaunch) {
    struct Case {
        const char* ini;
        BOOL configured;
        const char16_t *fileName, *parameters, *directory;
    };
    const Case cases[] = {
        {"[Execute]\nFileName=a.exe", TRUE, u"a.exe", u"", u""},
        {"[Execute]\nParameters=-x", TRUE, u"", u"-x", u""},
        {"[Execute]\nFileName=a\nParameters=b\nDirectory=c", TRUE, u"a", u"b", u"c"},
        {"[Execute]\nDirectory=c", FALSE, u"", u"", u""}, // Directory is then not read
        {"[Execute]\nFileName=\nParameters=\nDirectory=", FALSE, u"", u"", u""},
        {"[Other]\nFileName=a.exe", FALSE, u"", u"", u""},
        {"[Execute]\nFileName=C:\\Program Files\\a b\\x.exe", TRUE,
         u"C:\\Program Files\\a b\\x.exe", u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        settings.FileName[0] = u'#';
        EXPECT_EQ(Read(c.ini), c.configured);
        Expect(c.fileName, c.parameters, c.directory);
    }
}

TEST_F(ReadLaunchSettingsTest, JapaneseValueInEveryEncoding) {
    const std::u16string ini = u"[Execute]\r\nFileName=C:\\ツール\\日本語.exe\r\n";
    const std::string utf8 = sim::U8(ini);
    for (const std::string& bytes : {Utf16Le(ini), "\xEF\xBB\xBF" + utf8, utf8}) {
        ASSERT_TRUE(Read(bytes));
        Expect(u"C:\\ツール\\日本語.exe", u"", u"");
    }
}

TEST_F(ReadLaunchSettingsTest, FileHeldOpenByAnEditorIsStillRead) {
    sim::AddFile(u"D:\\Tools\\run.ini", "[Execute]\nFileName=a.exe");
    sim::HoldOpen(u"D:\\Tools\\run.ini", FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_TRUE(ReadLaunchSettings(u"D:\\Tools\\run.ini", &settings));
    Expect(u"a.exe", u"", u"");
}

TEST_F(ReadLaunchSettingsTest, UnreadableFileConfiguresNothing) {
    sim::AddFile(u"D:\\Tools\\run.ini", "[Execute]\nFileName=a.exe");
    sim::FailAll("ReadFile");
    EXPECT_FALSE(ReadLaunchSettings(u"D:\\Tools\\run.ini", &settings));
    EXPECT_FALSE(ReadLaunchSettings(u"D:\\Tools\\missing.ini", &settings));
}

TEST_F(ReadLaunchSettingsTest, HugeFileIsReadOnlyUpToTheLimit) {
    std::string head = "[Execute]\nFileName=a.exe\n;";
    std::string bytes = head + std::string(kSettingsFileLimit - head.size() - 1, 'x') + "\n";
    EXPECT_TRUE(Read(bytes + "Parameters=too far\n"));
    Expect(u"a.exe", u"", u"");
    EXPECT_TRUE(Read(bytes.substr(0, bytes.size() - 40) + "\nParameters=near\n"));
    Expect(u"a.exe", u"near", u"");
}

} // namespace

namespace {

TEST_F(ReadLaunchSettingsTest, ShippedSampleStartsNotepad) {
    std::FILE* file = std::fopen(SAMPLE_SETTINGS_FILE, "rb");
    ASSERT_NE(file, nullptr);
    std::string bytes;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.append(chunk, n);
    std::fclose(file);
    EXPECT_TRUE(Read(bytes));
    Expect(u"notepad.exe", u"", u"");
}

} // namespace
