// Path and command-line helpers of the launcher.
#pragma once

#include "platform.h"

// Longest program path the launcher accepts, in code units.
const int kProgramPathLimit = 1024;
// The program path with ".ini" appended, and its terminator.
const int kSettingsPathCapacity = kProgramPathLimit + 4 + 1;

// True for D:\x, D:x, \x, /x and \\server\share\x; false for x, x\y, .\x and the empty path.
BOOL IsAbsolutePath(LPCWSTR path);

// True when `path` names an existing file that can be opened; false for a folder.
BOOL FileExists(LPCWSTR path);

// Where the text after the program name begins in a raw command line, or NULL when nothing
// follows it. Only the one separator after the program name is passed over.
LPCWSTR FindArgumentTail(LPCWSTR commandLine);

// Turns a program path (at most kProgramPathLimit units, in a buffer of kSettingsPathCapacity)
// into its settings-file path in place: the extension of the last path part becomes ".ini",
// or ".ini" is appended when that part has none.
void MakeSettingsPath(LPWSTR path);

// Cuts a path down to its folder in place: the text before the last separator, with a bare
// drive ("D:") turned into its root ("D:\"). A path without separator stays whole. The buffer
// must have room for one more unit.
void CutToFolder(LPWSTR path);
