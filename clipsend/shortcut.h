// Shortcut (.lnk) names and their targets, through the platform's shell-link object.
#pragma once

#include "platform.h"

// True when the path ends in ".lnk" (letters in either ASCII case) with at least one unit
// before it.
BOOL IsShortcutPath(LPCWSTR path);

// Writes the file-system path of the target of the shortcut at `path` into `out` (capacity
// units, terminator included). The path is handed to the shell-link object as given. Needs
// COM initialised on the calling thread. False when the path is no shortcut name, the
// capacity is below 1, any step fails, or the target's path fills the buffer (it may have
// been cut); `out` is then not to be used.
BOOL ResolveShortcutTarget(LPCWSTR path, LPWSTR out, int capacity);
