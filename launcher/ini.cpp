#include "ini.h"

// Decodes UTF-8 strictly (no overlong forms, no surrogates, nothing above U+10FFFF).
// Returns the number of units written, or -1 when the bytes are not UTF-8.
static int DecodeUtf8(const BYTE* bytes, int size, BOOL cut, LPWSTR out) {
    int units = 0;
    int i = 0;
    while (i < size) {
        BYTE lead = bytes[i];
        int extra;
        BYTE low = 0x80, high = 0xBF; // allowed range of the second byte
        DWORD code;
        if (lead < 0x80) {
            out[units++] = lead;
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            code = lead & 0x0F;
            if (lead == 0xE0)
                low = 0xA0;
            if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            code = lead & 0x07;
            if (lead == 0xF0)
                low = 0x90;
            if (lead == 0xF4)
                high = 0x8F;
        } else {
            return -1;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= size)
                return cut ? units : -1; // a sequence broken by the end of what was read
            BYTE next = bytes[i + k];
            if (k == 1 ? (next < low || next > high) : (next < 0x80 || next > 0xBF))
                return -1;
            code = (code << 6) | (next & 0x3F);
        }
        i += extra + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            out[units++] = WCHAR(0xD800 + (code >> 10));
            out[units++] = WCHAR(0xDC00 + (code & 0x3FF));
        } else {
            out[units++] = WCHAR(code);
        }
    }
    return units;
}

int DecodeSettingsText(const BYTE* bytes, int size, BOOL cut, LPWSTR out) {
    int units = 0;
    if (size >= 2 && (bytes[0] == 0xFF || bytes[0] == 0xFE) && bytes[0] + bytes[1] == 0xFF + 0xFE) {
        BOOL bigEndian = bytes[0] == 0xFE;
        for (int i = 2; i + 1 < size; i += 2)
            out[units++] = bigEndian ? WCHAR((bytes[i] << 8) | bytes[i + 1])
                                     : WCHAR(bytes[i] | (bytes[i + 1] << 8));
    } else if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        // Declared UTF-8: decode what is valid of it; a broken file reads as empty.
        units = DecodeUtf8(bytes + 3, size - 3, cut, out);
    } else {
        units = DecodeUtf8(bytes, size, cut, out);
        if (units < 0 && size > 0)
            units = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCCH>(bytes), size, out, size);
    }
    if (units < 0)
        units = 0;
    out[units] = 0;
    return units;
}

static BOOL IsBlank(WCHAR c) {
    return c == TEXT(' ') || c == TEXT('\t') || c == 0x0B || c == 0x0C || c == 0x1A;
}

static WCHAR FoldAscii(WCHAR c) {
    return (c >= TEXT('a') && c <= TEXT('z')) ? WCHAR(c - TEXT('a') + TEXT('A')) : c;
}

// Does text[begin, end) equal the zero-terminated name, ignoring ASCII case?
static BOOL NameIs(LPCWSTR text, int begin, int end, LPCWSTR name) {
    int i = 0;
    for (; begin + i < end; ++i) {
        if (name[i] == 0 || FoldAscii(text[begin + i]) != FoldAscii(name[i]))
            return FALSE;
    }
    return name[i] == 0;
}

static void Trim(LPCWSTR text, int* begin, int* end) {
    while (*begin < *end && IsBlank(text[*begin]))
        ++*begin;
    while (*end > *begin && IsBlank(text[*end - 1]))
        --*end;
}

static int CopyValue(LPCWSTR text, int begin, int end, LPWSTR out, int capacity) {
    if (end - begin >= 2 && (text[begin] == TEXT('"') || text[begin] == TEXT('\'')) &&
        text[end - 1] == text[begin]) {
        ++begin;
        --end;
    }
    int count = end - begin;
    if (count > capacity - 1)
        count = capacity - 1;
    for (int i = 0; i < count; ++i)
        out[i] = text[begin + i];
    out[count] = 0;
    return count;
}

int FindSettingsValue(LPCWSTR text, int length, LPCWSTR section, LPCWSTR key, LPWSTR out,
                      int capacity) {
    if (capacity < 1)
        return 0;
    out[0] = 0;
    BOOL inSection = FALSE;
    BOOL sectionSeen = FALSE;
    int next = 0;
    while (next < length) {
        int begin = next;
        int end = begin;
        while (end < length && text[end] != TEXT('\r') && text[end] != TEXT('\n'))
            ++end;
        next = end + 1;
        if (end < length && text[end] == TEXT('\r') && next < length && text[next] == TEXT('\n'))
            ++next;

        Trim(text, &begin, &end);
        if (begin == end || text[begin] == TEXT(';'))
            continue;
        if (text[begin] == TEXT('[')) {
            int close = begin + 1;
            while (close < end && text[close] != TEXT(']'))
                ++close;
            if (close < end) {
                if (sectionSeen)
                    return 0; // only the first section of that name counts
                int nameBegin = begin + 1;
                int nameEnd = close;
                Trim(text, &nameBegin, &nameEnd);
                inSection = NameIs(text, nameBegin, nameEnd, section);
                sectionSeen = inSection;
                continue;
            }
        }
        if (!inSection)
            continue;
        int equals = begin;
        while (equals < end && text[equals] != TEXT('='))
            ++equals;
        int nameEnd = equals;
        Trim(text, &begin, &nameEnd);
        if (!NameIs(text, begin, nameEnd, key))
            continue;
        if (equals == end)
            return 0; // a key without a value
        int valueBegin = equals + 1;
        Trim(text, &valueBegin, &end);
        return CopyValue(text, valueBegin, end, out, capacity);
    }
    return 0;
}
