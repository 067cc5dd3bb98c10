// Any command line and any program path: the tail lies inside the command line, and the
// settings-file path and folder stay within their buffers.
#include "fuzz_check.h"
#include "paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string line = UnitsOf(data, size);
    LPCWSTR tail = FindArgumentTail(line.c_str());
    FUZZ_CHECK(tail == nullptr || (tail > line.c_str() && tail < line.c_str() + line.size()));
    IsAbsolutePath(line.c_str());

    std::u16string program = line.substr(0, kProgramPathLimit);
    std::vector<WCHAR> buffer(kSettingsPathCapacity + 1, u'#');
    lstrcpyW(buffer.data(), program.c_str());
    MakeSettingsPath(buffer.data());
    std::u16string settings(buffer.data());
    FUZZ_CHECK(buffer[kSettingsPathCapacity] == u'#');
    FUZZ_CHECK(settings.size() >= 4 && settings.compare(settings.size() - 4, 4, u".ini") == 0);
    FUZZ_CHECK(settings.compare(0, settings.size() - 4, program, 0, settings.size() - 4) == 0);

    CutToFolder(buffer.data());
    std::u16string folder(buffer.data());
    FUZZ_CHECK(folder.size() <= settings.size());
    FUZZ_CHECK(buffer[kSettingsPathCapacity] == u'#');
    return 0;
}
