#include "shortcut.h"

BOOL IsShortcutPath(LPCWSTR path) {
    int length = lstrlenW(path);
    if (length < 5)
        return FALSE;
    LPCWSTR suffix = path + length - 4;
    return suffix[0] == TEXT('.') && (suffix[1] == TEXT('l') || suffix[1] == TEXT('L')) &&
           (suffix[2] == TEXT('n') || suffix[2] == TEXT('N')) &&
           (suffix[3] == TEXT('k') || suffix[3] == TEXT('K'));
}

BOOL ResolveShortcutTarget(LPCWSTR path, LPWSTR out, int capacity) {
    if (!IsShortcutPath(path) || capacity < 1)
        return FALSE;
    out[0] = 0;
    IShellLinkW* link = NULL;
    IPersistFile* file = NULL;
    BOOL failed = TRUE;
    // Only S_OK counts: GetPath gives S_FALSE for a link without a file-system path. GetPath
    // cuts a path that does not fit without saying so, so a result that fills the buffer is
    // not taken.
    // SLR_ANY_MATCH alone: the platform may search for a moved target and ask the user, and
    // the shortcut is never updated.
    if (CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                         reinterpret_cast<void**>(&link)) == S_OK &&
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)) == S_OK &&
        file->Load(path, STGM_READ) == S_OK && link->Resolve(NULL, SLR_ANY_MATCH) == S_OK &&
        link->GetPath(out, capacity, NULL, SLGP_UNCPRIORITY) == S_OK &&
        lstrlenW(out) < capacity - 1)
        failed = FALSE;
    if (file != NULL)
        file->Release();
    if (link != NULL)
        link->Release();
    return !failed;
}
