// Test-side control of the host simulator: set up a process (command line, module path,
// current directory, files), inject failures, and read back what the programs did.
#pragma once

#include "win32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// Puts the simulated process back to its start: an empty C: drive with C:\ as current
// directory, no command line, an empty clipboard, COM uninitialised, no failures armed.
// Memory the previous run left behind is freed (and was reported by Leaks()).
void Reset();

// --- process ---
void SetCommandLine(const std::u16string& commandLine);
// An empty module path makes GetModuleFileNameW fail.
void SetModulePath(const std::u16string& path);
// Sets the current directory directly; the folder must exist (returns false otherwise).
bool SetCurrentDir(const std::u16string& path);
std::u16string CurrentDir();

// --- file system: drive letters and \\server\share roots; names match case-insensitively ---
void AddFolder(const std::u16string& path);
void AddFile(const std::u16string& path, const std::string& bytes);
// A file that exists but cannot be opened at all (as with an ACL that denies access).
void DenyAccess(const std::u16string& path);
// Another program keeps the file open with read and write access, sharing only `shareMode`.
void HoldOpen(const std::u16string& path, DWORD shareMode);
// How many file handles the programs left open.
int OpenFileHandles();
// The ANSI code page of the simulated system is a single-byte one: byte b is U+00bb.

// --- shell links: shortcut files the simulated shell-link object can load ---
void AddShortcut(const std::u16string& path, const std::u16string& target);
void AddShortcutWithoutPath(const std::u16string& path); // GetPath gives S_FALSE
int LiveComObjects(); // shell-link objects not yet released to a count of 0
int ComInitDepth();   // CoInitialize calls not yet balanced by CoUninitialize
struct ShellLinkUse { // one shell-link object's life, in creation order
    std::u16string loadedPath;
    DWORD loadMode = 0xFFFFFFFFu;
    HWND resolveOwner = nullptr;
    DWORD resolveFlags = 0xFFFFFFFFu;
    int getPathCapacity = -1;
    DWORD getPathFlags = 0xFFFFFFFFu;
    bool findDataPassed = false;
};
const std::vector<ShellLinkUse>& ShellLinks();

// --- user interface ---
struct MessageBox {
    HWND owner;
    std::u16string text;
    std::u16string caption;
    UINT type;
};
const std::vector<MessageBox>& MessageBoxes();

struct ShellStart {
    HWND owner;
    std::u16string verb, file, parameters, directory;
    bool fileNull, parametersNull, directoryNull;
    INT show;
    std::u16string currentDirectory; // at the moment of the call
};
const std::vector<ShellStart>& ShellStarts();
void SetShellExecuteResult(UINT_PTR result); // default 42: started

// --- clipboard ---
void SeedClipboardText(const std::u16string& text);
// Another program holds the clipboard for the next `opens` OpenClipboard calls (-1: for good).
void HoldClipboard(int opens);
bool ClipboardIsOpen();
// The bytes of the CF_UNICODETEXT block on the clipboard, and whether there is one.
bool ClipboardText(std::vector<uint8_t>* bytes);
int ClipboardFormats();
DWORD TotalSleepMs();

// --- failure injection ---
// Every call of an operation that can fail counts as one failure point. Arm one of them:
void FailNth(int n); // the n-th failure point of the run (1-based); 0 disarms
void FailAll(const std::string& operation); // every call of the named operation fails
int FailurePoints();                        // how many failure points the run has passed
// Failure points are named as their operations; COM methods as "IShellLinkW::GetPath".
std::vector<std::string> FailurePointNames();

// --- the call log: every platform operation in call order, with its main text argument ---
struct Call {
    std::string op;
    std::u16string text;
};
const std::vector<Call>& Calls();
std::vector<std::string> CallNames();

// --- memory: misuse is recorded, not crashed on ---
int LiveGlobalBlocks(); // global blocks neither freed nor owned by the clipboard
int LiveHeapBlocks();
const std::vector<std::string>& Violations(); // double frees, use after free, calls out of rules

// UTF-8 <-> UTF-16 for tests and messages.
std::u16string U16(const std::string& utf8);
std::string U8(const std::u16string& utf16);

} // namespace sim
