// Any command line, split by the simulator's shell rules, through the whole launcher: it
// starts the target with the configured parameters followed by a tail of the command line,
// or refuses a tail too long to forward; it ends clean.
#include "fuzz_check.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sim::Reset();
    sim::SetModulePath(size % 3 == 0 ? u"" : u"D:\\Tools\\run.exe"); // also the fallback
    sim::AddFile(u"D:\\Tools\\run.ini", "[Execute]\nFileName=x.exe\nParameters=-p\nDirectory=w\n");
    sim::AddFolder(u"D:\\Tools\\w");
    const std::u16string line = UnitsOf(data, size);
    sim::SetCommandLine(line);
    FUZZ_CHECK(wWinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL) == 0);
    CheckCleanEnd();
    FUZZ_CHECK(sim::ShellStarts().size() + sim::MessageBoxes().size() >= 1);
    if (!sim::ShellStarts().empty()) {
        const std::u16string& parameters = sim::ShellStarts()[0].parameters;
        FUZZ_CHECK(parameters.compare(0, 2, u"-p") == 0);
        if (parameters.size() > 2) {
            FUZZ_CHECK(parameters[2] == u' ');
            std::u16string tail = parameters.substr(3);
            FUZZ_CHECK(line.size() >= tail.size() &&
                       line.compare(line.size() - tail.size(), tail.size(), tail) == 0);
        }
    }
    return 0;
}
