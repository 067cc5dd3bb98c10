// The simulator's inner state, shared by its source files only.
#pragma once

#include "sim.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace sim {

struct Node {
    bool folder = false;
    std::string bytes;
    bool denied = false;
    bool held = false;
    DWORD heldShare = 0;
    bool shortcut = false;
    bool shortcutHasPath = false;
    std::u16string shortcutTarget;
};

struct OpenFile {
    std::u16string key;
    size_t position = 0;
};

struct GlobalBlock {
    unsigned char* data = nullptr;
    SIZE_T size = 0;
    int locks = 0;
    bool freed = false;
    bool clipboardOwned = false;
};

struct State {
    std::u16string commandLine;
    std::u16string modulePath;
    std::u16string currentDir = u"C:\\";
    DWORD lastError = 0;
    std::vector<void*> argvBlocks;

    std::map<std::u16string, Node> nodes; // key: upper-cased full path
    std::map<uintptr_t, OpenFile> openFiles;
    uintptr_t nextHandle = 0x1000;

    std::vector<MessageBox> boxes;
    std::vector<ShellStart> starts;
    UINT_PTR shellResult = 42;

    std::map<UINT, HGLOBAL> clipboard;
    bool clipboardOpen = false;
    int clipboardHeldFor = 0;
    DWORD sleptMs = 0;

    std::map<uintptr_t, GlobalBlock> globals;
    std::set<void*> heapBlocks;

    int comInit = 0;
    int liveComObjects = 0;
    std::vector<ShellLinkUse> links;

    int failNth = 0;
    std::set<std::string> failAll;
    std::vector<std::string> failurePoints;

    std::vector<Call> calls;
    std::vector<std::string> violations;
};

State& S();
void Log(const char* op, const std::u16string& text = std::u16string());
void Log(const char* op, LPCWSTR text);
// Counts one failure point of `op`; true when the test armed it to fail.
bool ShouldFail(const char* op);
void Violation(const std::string& what);

std::u16string Upper(std::u16string s);
// The platform's full-path rules; false for a path that has none (empty).
bool FullPath(const std::u16string& path, std::u16string* full);
Node* FindNode(const std::u16string& path);
bool ParentExists(const std::u16string& full);
void FreeGlobal(GlobalBlock& block);

} // namespace sim
