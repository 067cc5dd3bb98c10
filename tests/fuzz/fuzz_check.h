// Shared by the fuzz targets: a failed check stops the run with a crash libFuzzer reports.
#pragma once

#include "sim.h"

#include <string>
#include <vector>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (0)

// The input as UTF-16 code units (little-endian pairs), with zero units replaced, so that it
// can stand as one zero-terminated wide string.
inline std::u16string UnitsOf(const uint8_t* data, size_t size, char16_t zero = u'0') {
    std::u16string units;
    for (size_t i = 0; i + 1 < size; i += 2) {
        char16_t unit = char16_t(data[i] | (data[i + 1] << 8));
        units += unit == 0 ? zero : unit;
    }
    return units;
}

// The simulated process must end clean: nothing leaked, nothing left open, no misuse.
inline void CheckCleanEnd() {
    FUZZ_CHECK(sim::Violations().empty());
    FUZZ_CHECK(sim::LiveHeapBlocks() == 0);
    FUZZ_CHECK(sim::LiveGlobalBlocks() == 0);
    FUZZ_CHECK(sim::OpenFileHandles() == 0);
    FUZZ_CHECK(sim::LiveComObjects() == 0);
    FUZZ_CHECK(!sim::ClipboardIsOpen());
}
