// One table of settings files read by our reader and by the platform's profile reader
// (GetPrivateProfileStringW). They agree except where we decode UTF-8 without a byte-order
// mark, which the platform reads in the ANSI code page.
#include "ini.h"

#include "wine_support.h"

using namespace wine_test;

namespace {

struct Fixture {
    const char* name;
    std::string bytes;
    bool utf8WithoutBom;     // the platform garbles what we decode
    const wchar_t* fileName; // what we expect for FileName
};

std::wstring OurValue(const std::string& bytes, const wchar_t* key, int* length) {
    std::vector<wchar_t> text(bytes.size() + 1);
    int units = DecodeSettingsText(reinterpret_cast<const BYTE*>(bytes.data()), int(bytes.size()),
                                   FALSE, text.data());
    wchar_t out[1024];
    *length = FindSettingsValue(text.data(), units, L"Execute", key, out, 1024);
    return out;
}

TEST(SettingsReader, AgreesWithThePlatformProfileReader) {
    const std::string sjis = "\x93\xfa\x96\x7b"; // 日本 in the Japanese ANSI code page
    const Fixture fixtures[] = {
        {"plain", "[Execute]\r\nFileName=notepad.exe\r\nParameters=-a -b\r\nDirectory=C:\\w\r\n",
         false, L"notepad.exe"},
        {"case of names", "[execute]\nfilename=a.exe\nPARAMETERS=x\n", false, L"a.exe"},
        {"blanks", "  [Execute]  \n  FileName  =  a b.exe  \n\tParameters\t=\t\"q v\"\t\n", false,
         L"a b.exe"},
        {"quotes", "[Execute]\nFileName='a.exe'\nParameters=\"a'\nDirectory=\"\"\n", false,
         L"a.exe"},
        {"lone quote", "[Execute]\nFileName=\"\nParameters=\"\"x\"\"\n", false, L"\""},
        {"comments", "[Execute]\n;FileName=bad\nFileName=good\n", false, L"good"},
        {"first key wins", "[Execute]\nFileName=first\nFileName=second\n", false, L"first"},
        {"other section first", "[Other]\nFileName=x\n[Execute]\nFileName=y\n", false, L"y"},
        {"CR line ends", "[Execute]\rFileName=a\rParameters=b\r", false, L"a"},
        {"LF line ends", "[Execute]\nFileName=a\nParameters=b", false, L"a"},
        {"no section", "[Other]\nFileName=x\n", false, L""},
        {"no value", "[Execute]\nFileName\nParameters=x\n", false, L""},
        {"equals in value", "[Execute]\nFileName=a=b\n", false, L"a=b"},
        {"spaces in brackets", "[ Execute ]\nFileName=a\n", false, L"a"},
        {"text after bracket", "[Execute] ; note\nFileName=a\n", false, L"a"},
        {"long value", "[Execute]\nFileName=" + std::string(2000, 'x') + "\n", false, nullptr},
        {"UTF-16 LE", Utf16Le(L"[Execute]\r\nFileName=C:\\ツール\\日本語.exe\r\n", true), false,
         L"C:\\ツール\\日本語.exe"},
        {"UTF-16 BE",
         std::string("\xFE\xFF\0[\0E\0x\0e\0c\0u\0t\0e\0]\0\n\0F\0i\0l\0e\0N\0a\0m\0e\0=\x65\xE5",
                     42),
         false, L"日"},
        {"UTF-8 with BOM", "\xEF\xBB\xBF[Execute]\nFileName=C:\\\xE6\x97\xA5\xE6\x9C\xAC.exe\n",
         false, L"C:\\日本.exe"},
        {"ANSI (Japanese)", "[Execute]\nFileName=" + sjis + ".exe\n", false, L"日本.exe"},
        {"UTF-8 without BOM", "[Execute]\nFileName=C:\\\xE6\x97\xA5\xE6\x9C\xAC.exe\n", true,
         L"C:\\日本.exe"},
    };
    const wchar_t* keys[] = {L"FileName", L"Parameters", L"Directory"};
    std::wstring folder = FreshFolder(L"ini");
    int index = 0;
    for (const Fixture& f : fixtures) {
        SCOPED_TRACE(f.name);
        // A new name each time: the platform may keep a file it has read in a cache.
        std::wstring path = folder + L"\\f" + std::to_wstring(index++) + L".ini";
        WriteBytes(path, f.bytes);
        for (const wchar_t* key : keys) {
            SCOPED_TRACE(Utf8(key));
            wchar_t platform[1024];
            DWORD platformLength =
                GetPrivateProfileStringW(L"Execute", key, L"", platform, 1024, path.c_str());
            int ourLength = 0;
            std::wstring ours = OurValue(f.bytes, key, &ourLength);
            if (f.utf8WithoutBom && std::wstring(key) == L"FileName") {
                EXPECT_NE(std::wstring(platform), ours) << "the platform decodes it the same";
            } else {
                EXPECT_EQ(Utf8(ours), Utf8(platform));
                EXPECT_EQ(DWORD(ourLength), platformLength);
            }
            if (std::wstring(key) == L"FileName") {
                if (f.fileName)
                    EXPECT_EQ(Utf8(ours), Utf8(f.fileName));
                else
                    EXPECT_EQ(ourLength, 1023);
            }
        }
    }
}

} // namespace
