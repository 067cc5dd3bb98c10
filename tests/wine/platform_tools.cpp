#include "platform_tools.h"

#include <cstring>

bool MakeShortcut(LPCWSTR link, LPCWSTR target) {
    IShellLinkW* shellLink = NULL;
    IPersistFile* file = NULL;
    bool ok =
        CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                         reinterpret_cast<void**>(&shellLink)) == S_OK &&
        shellLink->SetPath(target) == S_OK &&
        shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)) == S_OK &&
        file->Save(link, TRUE) == S_OK;
    if (file)
        file->Release();
    if (shellLink)
        shellLink->Release();
    return ok;
}

bool SeedClipboardText(LPCWSTR text) {
    if (!OpenClipboard(NULL))
        return false;
    EmptyClipboard();
    SIZE_T size = (lstrlenW(text) + 1) * sizeof(WCHAR);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    bool ok = block != NULL;
    if (ok) {
        std::memcpy(GlobalLock(block), text, size);
        GlobalUnlock(block);
        ok = SetClipboardData(CF_UNICODETEXT, block) != NULL;
        if (!ok)
            GlobalFree(block);
    }
    CloseClipboard();
    return ok;
}

bool HoldClipboard(DWORD milliseconds, HANDLE opened) {
    HWND window =
        CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    BOOL held = OpenClipboard(window);
    if (opened != NULL)
        SetEvent(opened);
    if (held) {
        Sleep(milliseconds);
        CloseClipboard();
    }
    DestroyWindow(window);
    return held != FALSE;
}
