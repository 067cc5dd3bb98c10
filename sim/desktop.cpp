// The simulated desktop: message boxes, shell starts, the clipboard, global memory and the heap.
#include "state.h"

#include <cstdlib>
#include <cstring>

namespace sim {

const std::vector<MessageBox>& MessageBoxes() {
    return S().boxes;
}
const std::vector<ShellStart>& ShellStarts() {
    return S().starts;
}
void SetShellExecuteResult(UINT_PTR result) {
    S().shellResult = result;
}

void FreeGlobal(GlobalBlock& block) {
    std::free(block.data);
    block.data = nullptr;
    block.freed = true;
}

namespace {

GlobalBlock* FindGlobal(HGLOBAL handle, const char* op) {
    auto it = S().globals.find(reinterpret_cast<uintptr_t>(handle));
    if (it == S().globals.end()) {
        Violation(std::string(op) + " on a handle that GlobalAlloc did not give");
        return nullptr;
    }
    if (it->second.freed) {
        Violation(std::string(op) + " on a freed block");
        return nullptr;
    }
    return &it->second;
}

HGLOBAL NewGlobal(SIZE_T size, bool zero) {
    State& s = S();
    GlobalBlock block;
    block.data = static_cast<unsigned char*>(std::malloc(size ? size : 1));
    block.size = size;
    if (zero)
        std::memset(block.data, 0, size);
    else
        std::memset(block.data, 0xCD, size); // not zeroed: make that visible
    uintptr_t handle = s.nextHandle;
    s.nextHandle += 4;
    s.globals[handle] = block;
    return reinterpret_cast<HGLOBAL>(handle);
}

} // namespace

void SeedClipboardText(const std::u16string& text) {
    HGLOBAL handle = NewGlobal((text.size() + 1) * sizeof(WCHAR), true);
    GlobalBlock& block = S().globals[reinterpret_cast<uintptr_t>(handle)];
    std::memcpy(block.data, text.c_str(), block.size);
    block.clipboardOwned = true;
    S().clipboard[CF_UNICODETEXT] = handle;
}

void HoldClipboard(int opens) {
    S().clipboardHeldFor = opens;
}
bool ClipboardIsOpen() {
    return S().clipboardOpen;
}
int ClipboardFormats() {
    return int(S().clipboard.size());
}
DWORD TotalSleepMs() {
    return S().sleptMs;
}

bool ClipboardText(std::vector<uint8_t>* bytes) {
    auto it = S().clipboard.find(CF_UNICODETEXT);
    if (it == S().clipboard.end())
        return false;
    const GlobalBlock& block = S().globals[reinterpret_cast<uintptr_t>(it->second)];
    bytes->assign(block.data, block.data + block.size);
    return true;
}

int LiveGlobalBlocks() {
    int live = 0;
    for (const auto& entry : S().globals)
        if (!entry.second.freed && !entry.second.clipboardOwned)
            ++live;
    return live;
}

int LiveHeapBlocks() {
    return int(S().heapBlocks.size());
}

} // namespace sim

using namespace sim;

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    Log("MessageBoxW", text);
    S().boxes.push_back({owner, text ? text : u"", caption ? caption : u"", type});
    return IDOK; // as if the user pressed OK
}

HINSTANCE WINAPI ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                               LPCWSTR directory, INT show) {
    Log("ShellExecuteW", file);
    State& s = S();
    s.starts.push_back({owner, verb ? verb : u"", file ? file : u"", parameters ? parameters : u"",
                        directory ? directory : u"", file == nullptr, parameters == nullptr,
                        directory == nullptr, show, s.currentDir});
    return reinterpret_cast<HINSTANCE>(s.shellResult);
}

BOOL WINAPI OpenClipboard(HWND) {
    Log("OpenClipboard");
    State& s = S();
    if (s.clipboardHeldFor != 0) {
        if (s.clipboardHeldFor > 0)
            --s.clipboardHeldFor;
        s.lastError = ERROR_ACCESS_DENIED;
        return FALSE;
    }
    if (ShouldFail("OpenClipboard")) {
        s.lastError = ERROR_ACCESS_DENIED;
        return FALSE;
    }
    if (s.clipboardOpen) {
        Violation("OpenClipboard while it is already open");
        return FALSE;
    }
    s.clipboardOpen = true;
    return TRUE;
}

BOOL WINAPI EmptyClipboard() {
    Log("EmptyClipboard");
    State& s = S();
    if (!s.clipboardOpen) {
        s.lastError = ERROR_CLIPBOARD_NOT_OPEN;
        return FALSE;
    }
    if (ShouldFail("EmptyClipboard"))
        return FALSE;
    for (auto& entry : s.clipboard)
        FreeGlobal(s.globals[reinterpret_cast<uintptr_t>(entry.second)]);
    s.clipboard.clear();
    return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT format, HANDLE memory) {
    Log("SetClipboardData");
    State& s = S();
    if (!s.clipboardOpen) {
        s.lastError = ERROR_CLIPBOARD_NOT_OPEN;
        return nullptr;
    }
    GlobalBlock* block = FindGlobal(memory, "SetClipboardData");
    if (block == nullptr || ShouldFail("SetClipboardData"))
        return nullptr;
    auto old = s.clipboard.find(format);
    if (old != s.clipboard.end())
        FreeGlobal(s.globals[reinterpret_cast<uintptr_t>(old->second)]);
    block->clipboardOwned = true; // the clipboard owns the block from now on
    s.clipboard[format] = memory;
    return memory;
}

BOOL WINAPI CloseClipboard() {
    Log("CloseClipboard");
    State& s = S();
    if (!s.clipboardOpen) {
        s.lastError = ERROR_CLIPBOARD_NOT_OPEN;
        Violation("CloseClipboard while it is not open");
        return FALSE;
    }
    s.clipboardOpen = false;
    return TRUE;
}

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
    Log("GlobalAlloc");
    if (ShouldFail("GlobalAlloc")) {
        S().lastError = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    return NewGlobal(bytes, (flags & GMEM_ZEROINIT) != 0);
}

LPVOID WINAPI GlobalLock(HGLOBAL memory) {
    Log("GlobalLock");
    GlobalBlock* block = FindGlobal(memory, "GlobalLock");
    if (block == nullptr || ShouldFail("GlobalLock"))
        return nullptr;
    ++block->locks;
    return block->data;
}

BOOL WINAPI GlobalUnlock(HGLOBAL memory) {
    Log("GlobalUnlock");
    GlobalBlock* block = FindGlobal(memory, "GlobalUnlock");
    if (block == nullptr)
        return FALSE;
    if (block->locks == 0) {
        Violation("GlobalUnlock of a block that is not locked");
        return FALSE;
    }
    return --block->locks != 0;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL memory) {
    Log("GlobalFree");
    GlobalBlock* block = FindGlobal(memory, "GlobalFree");
    if (block == nullptr)
        return memory;
    if (block->clipboardOwned) {
        Violation("GlobalFree of a block the clipboard owns");
        return memory;
    }
    FreeGlobal(*block);
    return nullptr;
}

SIZE_T WINAPI GlobalSize(HGLOBAL memory) {
    GlobalBlock* block = FindGlobal(memory, "GlobalSize");
    return block ? block->size : 0;
}

HANDLE WINAPI GetProcessHeap() {
    static int heap;
    return &heap;
}

LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
    Log("HeapAlloc");
    if (heap != GetProcessHeap())
        Violation("HeapAlloc on a heap other than the process heap");
    if (ShouldFail("HeapAlloc"))
        return nullptr;
    void* block = std::malloc(bytes ? bytes : 1);
    std::memset(block, (flags & HEAP_ZERO_MEMORY) ? 0 : 0xCD, bytes);
    S().heapBlocks.insert(block);
    return block;
}

BOOL WINAPI HeapFree(HANDLE, DWORD, LPVOID memory) {
    Log("HeapFree");
    if (memory == nullptr)
        return TRUE;
    if (S().heapBlocks.erase(memory) == 0) {
        Violation("HeapFree of a block HeapAlloc did not give, or twice");
        return FALSE;
    }
    std::free(memory);
    return TRUE;
}
