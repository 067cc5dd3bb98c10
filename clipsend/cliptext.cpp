#include "cliptext.h"

int ClipboardTextBytes(LPWSTR* items, int count) {
    int units = count; // the line feeds between items, and the terminator
    for (int i = 0; i < count; ++i)
        units += lstrlenW(items[i]);
    return units * int(sizeof(WCHAR));
}

void FillClipboardText(LPWSTR* items, int count, LPWSTR out) {
    for (int i = 0; i < count; ++i) {
        lstrcpyW(out, items[i]);
        out += lstrlenW(items[i]);
        if (i + 1 < count)
            *out++ = TEXT('\n'); // over the copied terminator
    }
}
