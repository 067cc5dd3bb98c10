// Platform helpers shared by the Wine tests and wintool: no test framework here.
#pragma once

#include "platform.h"

// A shortcut at `link` to `target`, made with the platform's own shell-link object. Needs COM
// initialised on the calling thread.
bool MakeShortcut(LPCWSTR link, LPCWSTR target);

// Replaces the clipboard's contents by `text` as CF_UNICODETEXT.
bool SeedClipboardText(LPCWSTR text);

// Holds the clipboard open for `milliseconds` with an owner window, as a program would (under
// Wine two opens with no owner window do not exclude each other). Signals `opened`, when
// given, once the clipboard is held.
bool HoldClipboard(DWORD milliseconds, HANDLE opened);
