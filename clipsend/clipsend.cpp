// clipsend: puts its arguments on the clipboard as one Unicode text, one per line (LF), each
// shortcut replaced by the path of its target.
#include "platform.h"

#include "cliptext.h"
#include "shortcut.h"

// Capacity given to each resolution, terminator included.
const int kTargetCapacity = 1024;
// Scratch units reserved per argument: a resolution never takes more than kTargetCapacity.
const int kScratchPerItem = kTargetCapacity + 1;
// OpenClipboard fails while another program holds the clipboard, which clipboard managers
// and remote-desktop clients do for a moment after every change: try for about half a second.
const int kOpenTries = 10;
const DWORD kOpenRetryMs = 50;

static BOOL OpenClipboardPatiently() {
    for (int attempt = 1;; ++attempt) {
        if (OpenClipboard(NULL))
            return TRUE;
        if (attempt == kOpenTries)
            return FALSE;
        Sleep(kOpenRetryMs);
    }
}

// Allocates, fills and unlocks the CF_UNICODETEXT block; NULL when memory cannot be had.
static HGLOBAL BuildTextBlock(LPWSTR* items, int count, int bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, SIZE_T(bytes));
    if (block == NULL)
        return NULL;
    LPWSTR text = static_cast<LPWSTR>(GlobalLock(block));
    if (text == NULL) {
        GlobalFree(block);
        return NULL;
    }
    FillClipboardText(items, count, text);
    GlobalUnlock(block);
    return block;
}

// Replaces the clipboard's contents by the block. The previous contents stay when the
// clipboard cannot be opened; a block the clipboard did not take is freed.
static void PublishTextBlock(HGLOBAL block) {
    if (!OpenClipboardPatiently()) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, block) == NULL)
        GlobalFree(block);
    CloseClipboard();
}

static void RunClipsend() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == NULL || argc < 1)
        return;
    if (argc == 1) {
        MessageBoxW(NULL, TEXT("引数を与えると、それを、\\n 区切りで、クリップボードへ送る。"),
                    TEXT("使い方"), MB_OK);
        return;
    }
    LPWSTR* items = argv + 1;
    int count = argc - 1;

    // Without COM every resolution fails and the arguments go as typed. Only a successful
    // CoInitialize (S_FALSE included) is balanced by CoUninitialize.
    BOOL com = SUCCEEDED(CoInitialize(NULL));
    HANDLE heap = GetProcessHeap();
    LPWSTR scratch =
        static_cast<LPWSTR>(HeapAlloc(heap, 0, SIZE_T(count) * kScratchPerItem * sizeof(WCHAR)));
    if (scratch == NULL) {
        if (com)
            CoUninitialize();
        return;
    }
    // Resolved targets lie back to back in the scratch area; each item that names a
    // shortcut is pointed at its target's path.
    LPWSTR cursor = scratch;
    for (int i = 0; i < count; ++i) {
        if (ResolveShortcutTarget(items[i], cursor, kTargetCapacity)) {
            items[i] = cursor;
            cursor += lstrlenW(cursor) + 1;
        }
    }
    if (com)
        CoUninitialize();

    // Everything is ready before the clipboard is opened, so a failure here leaves the
    // user's clipboard as it was, and it is held open only for the hand-over.
    HGLOBAL block = BuildTextBlock(items, count, ClipboardTextBytes(items, count));
    if (block != NULL)
        PublishTextBlock(block);
    HeapFree(heap, 0, scratch);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    RunClipsend();
    return 0;
}
