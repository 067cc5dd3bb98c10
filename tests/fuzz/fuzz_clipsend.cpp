// Any command line, split by the simulator's shell rules, through the whole of clipsend: the
// clipboard holds exactly the arguments, one per line, or the usage message is shown; it ends
// clean. Names ending in .lnk name no shortcut here, so resolution fails and they go as typed.
#include "fuzz_check.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sim::Reset();
    sim::SetModulePath(u"C:\\clipsend.exe");
    const std::u16string line = UnitsOf(data, size);
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(line.c_str(), &argc);
    std::u16string expected;
    for (int i = 1; i < argc; ++i) {
        expected += argv[i]; // no shortcut exists: every argument goes as typed
        if (i + 1 < argc)
            expected += u'\n';
    }
    sim::SetCommandLine(line);
    FUZZ_CHECK(wWinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL) == 0);
    CheckCleanEnd();
    FUZZ_CHECK(sim::ComInitDepth() == 0);
    std::vector<uint8_t> bytes;
    if (argc == 1) {
        FUZZ_CHECK(sim::MessageBoxes().size() == 1 && !sim::ClipboardText(&bytes));
    } else {
        FUZZ_CHECK(sim::ClipboardText(&bytes));
        FUZZ_CHECK(bytes.size() == (expected.size() + 1) * 2);
        for (size_t i = 0; i < expected.size(); ++i)
            FUZZ_CHECK(bytes[2 * i] == (expected[i] & 0xFF) &&
                       bytes[2 * i + 1] == (expected[i] >> 8));
    }
    return 0;
}
