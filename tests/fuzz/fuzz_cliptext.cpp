// Any list of items: the clipboard text fills a block of exactly its size (the sanitizer sees
// any write past it) and is the items joined by line feeds, terminated.
#include "cliptext.h"
#include "fuzz_check.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Zero units separate the items.
    std::vector<std::u16string> items(1);
    for (size_t i = 0; i + 1 < size; i += 2) {
        char16_t unit = char16_t(data[i] | (data[i + 1] << 8));
        if (unit == 0)
            items.emplace_back();
        else
            items.back() += unit;
    }
    std::vector<LPWSTR> pointers;
    std::u16string joined;
    for (size_t i = 0; i < items.size(); ++i) {
        pointers.push_back(&items[i][0]);
        joined += items[i];
        if (i + 1 < items.size())
            joined += u'\n';
    }
    joined += u'\0';
    int bytes = ClipboardTextBytes(pointers.data(), int(pointers.size()));
    FUZZ_CHECK(size_t(bytes) == joined.size() * sizeof(WCHAR));
    auto* block = static_cast<WCHAR*>(std::malloc(size_t(bytes)));
    FillClipboardText(pointers.data(), int(pointers.size()), block);
    FUZZ_CHECK(std::memcmp(block, joined.data(), size_t(bytes)) == 0);
    std::free(block);
    return 0;
}
