// The settings-file reader: bytes in, values out. It follows the lexical rules of the
// platform's profile reader, but also takes UTF-8 without a byte-order mark, which that
// reader would decode in the ANSI code page.
#pragma once

#include "platform.h"

// Decodes a settings file into UTF-16. UTF-16 LE or BE and UTF-8 are recognised by their
// byte-order mark; without one, valid UTF-8 is taken as UTF-8 and anything else goes through
// the ANSI code page. `out` needs room for size + 1 units; the text is zero-terminated and
// its length returned. `cut` says the bytes are a prefix of a longer file, so that a UTF-8
// sequence broken at the end does not count against the whole file.
int DecodeSettingsText(const BYTE* bytes, int size, BOOL cut, LPWSTR out);

// Looks up `key` in the first section named `section` of decoded INI text. Names match
// without regard to ASCII case; blanks around names and values are dropped; one pair of
// matching surrounding quotes (" or ') is removed; lines starting with ';' are comments;
// LF, CRLF and CR end lines. Copies at most capacity - 1 units, terminates, and returns the
// number copied: 0 when the key is missing or its value is empty.
int FindSettingsValue(LPCWSTR text, int length, LPCWSTR section, LPCWSTR key, LPWSTR out,
                      int capacity);
