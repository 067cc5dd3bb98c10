// Any bytes as a settings file: decoding and look-up stay in bounds, and reading the file
// through the platform releases everything.
#include "fuzz_check.h"
#include "ini.h"
#include "settings.h"

static LaunchSettings g_settings;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sim::Reset();
    const BOOL cut = size % 2;
    std::vector<WCHAR> text(size + 1, u'#');
    int length = DecodeSettingsText(data, int(size), cut, text.data());
    FUZZ_CHECK(length >= 0 && size_t(length) <= size && text[length] == 0);
    for (const char16_t* key : {u"FileName", u"Parameters", u"Directory"}) {
        WCHAR out[kValueCapacity + 1];
        out[kValueCapacity] = u'#';
        int copied = FindSettingsValue(text.data(), length, u"Execute", key, out, kValueCapacity);
        FUZZ_CHECK(copied >= 0 && copied < kValueCapacity && out[copied] == 0);
        FUZZ_CHECK(out[kValueCapacity] == u'#');
    }
    if (size % 4 != 0)
        return 0; // the file path costs a 1 MiB buffer: a quarter of the inputs take it
    sim::AddFile(u"C:\\run.ini", std::string(reinterpret_cast<const char*>(data), size));
    BOOL configured = ReadLaunchSettings(u"C:\\run.ini", &g_settings);
    FUZZ_CHECK(configured || (g_settings.FileName[0] == 0 && g_settings.Directory[0] == 0));
    CheckCleanEnd();
    return 0;
}
