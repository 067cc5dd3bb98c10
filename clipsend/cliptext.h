// The clipboard text: the items in order, a line feed between two, a terminating zero unit.
#pragma once

#include "platform.h"

// Size of the text in bytes: 2 × (sum of the item lengths + count).
int ClipboardTextBytes(LPWSTR* items, int count);

// Writes the text to `out`, which holds ClipboardTextBytes(items, count) bytes.
void FillClipboardText(LPWSTR* items, int count, LPWSTR out);
