// The simulated COM library and shell-link object. A shortcut is a file placed with
// sim::AddShortcut; loading anything else fails as the platform's loader does for a file that
// is not a shell link.
#include "state.h"

#include <algorithm>

namespace sim {

void AddShortcut(const std::u16string& path, const std::u16string& target) {
    AddFile(path, std::string("L\0\0\0 shortcut", 13)); // the header a shell link starts with
    Node* node = FindNode(path);
    node->shortcut = true;
    node->shortcutHasPath = true;
    node->shortcutTarget = target;
}

void AddShortcutWithoutPath(const std::u16string& path) {
    AddShortcut(path, u"");
    FindNode(path)->shortcutHasPath = false;
}

int LiveComObjects() {
    return S().liveComObjects;
}
int ComInitDepth() {
    return S().comInit;
}
const std::vector<ShellLinkUse>& ShellLinks() {
    return S().links;
}

namespace {

// One object with two faces, so that the log tells through which interface a call came.
struct ShellLink;

struct LinkFace final : IShellLinkW {
    ShellLink* object;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetPath(LPWSTR buffer, int capacity, WIN32_FIND_DATAW* findData,
                                      DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Resolve(HWND owner, DWORD flags) override;
};

struct PersistFace final : IPersistFile {
    ShellLink* object;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR path, DWORD mode) override;
};

struct ShellLink {
    LinkFace link;
    PersistFace persist;
    ULONG references = 1;
    size_t use; // index into S().links
    bool loaded = false;
    bool hasPath = false;
    std::u16string target;

    explicit ShellLink(size_t index) : use(index) {
        link.object = this;
        persist.object = this;
        ++S().liveComObjects;
    }

    HRESULT Query(const char* op, REFIID iid, void** out) {
        Log(op);
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (ShouldFail(op))
            return E_NOINTERFACE;
        if (iid == IID_IUnknown || iid == IID_IShellLinkW)
            *out = static_cast<IShellLinkW*>(&link);
        else if (iid == IID_IPersistFile)
            *out = static_cast<IPersistFile*>(&persist);
        else
            return E_NOINTERFACE;
        ++references;
        return S_OK;
    }

    ULONG Drop(const char* op) {
        Log(op);
        if (references == 0) {
            Violation("Release of a shell-link object that was already released");
            return 0;
        }
        ULONG left = --references;
        if (left == 0) {
            --S().liveComObjects;
            delete this;
        }
        return left;
    }
};

HRESULT LinkFace::QueryInterface(REFIID iid, void** out) {
    return object->Query("IShellLinkW::QueryInterface", iid, out);
}
ULONG LinkFace::AddRef() {
    return ++object->references;
}
ULONG LinkFace::Release() {
    return object->Drop("IShellLinkW::Release");
}

HRESULT PersistFace::QueryInterface(REFIID iid, void** out) {
    return object->Query("IPersistFile::QueryInterface", iid, out);
}
ULONG PersistFace::AddRef() {
    return ++object->references;
}
ULONG PersistFace::Release() {
    return object->Drop("IPersistFile::Release");
}

HRESULT LinkFace::GetPath(LPWSTR buffer, int capacity, WIN32_FIND_DATAW* findData, DWORD flags) {
    Log("IShellLinkW::GetPath");
    ShellLinkUse& u = S().links[object->use];
    u.getPathCapacity = capacity;
    u.getPathFlags = flags;
    u.findDataPassed = findData != nullptr;
    if (ShouldFail("IShellLinkW::GetPath"))
        return E_FAIL;
    if (buffer == nullptr || capacity < 1)
        return E_INVALIDARG;
    if (!object->loaded || !object->hasPath) {
        buffer[0] = 0;
        return S_FALSE;
    }
    // A path that does not fit is cut silently, as the platform's object does.
    size_t count = std::min(object->target.size(), size_t(capacity - 1));
    object->target.copy(buffer, count);
    buffer[count] = 0;
    return S_OK;
}

HRESULT LinkFace::Resolve(HWND owner, DWORD flags) {
    Log("IShellLinkW::Resolve");
    ShellLinkUse& u = S().links[object->use];
    u.resolveOwner = owner;
    u.resolveFlags = flags;
    if (ShouldFail("IShellLinkW::Resolve"))
        return E_FAIL;
    return object->loaded ? S_OK : E_FAIL;
}

HRESULT PersistFace::Load(LPCOLESTR path, DWORD mode) {
    Log("IPersistFile::Load", path);
    ShellLinkUse& u = S().links[object->use];
    u.loadedPath = path ? path : u"";
    u.loadMode = mode;
    if (ShouldFail("IPersistFile::Load"))
        return E_FAIL;
    Node* node = path ? FindNode(path) : nullptr;
    if (node == nullptr)
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    if (node->folder || node->denied)
        return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    if (!node->shortcut)
        return E_FAIL;
    object->loaded = true;
    object->hasPath = node->shortcutHasPath;
    object->target = node->shortcutTarget;
    return S_OK;
}

} // namespace

} // namespace sim

using namespace sim;

HRESULT WINAPI CoInitialize(LPVOID) {
    Log("CoInitialize");
    if (ShouldFail("CoInitialize"))
        return E_OUTOFMEMORY;
    return S().comInit++ == 0 ? S_OK : S_FALSE;
}

void WINAPI CoUninitialize() {
    Log("CoUninitialize");
    if (S().comInit == 0) {
        Violation("CoUninitialize without CoInitialize");
        return;
    }
    --S().comInit;
}

HRESULT WINAPI CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                LPVOID* out) {
    Log("CoCreateInstance");
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (S().comInit == 0)
        return CO_E_NOTINITIALIZED;
    if (ShouldFail("CoCreateInstance"))
        return E_OUTOFMEMORY;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    if (clsid != CLSID_ShellLink || (context & CLSCTX_INPROC_SERVER) == 0)
        return REGDB_E_CLASSNOTREG;
    S().links.push_back(ShellLinkUse());
    auto* link = new ShellLink(S().links.size() - 1); // its one reference is the caller's
    if (iid == IID_IUnknown || iid == IID_IShellLinkW) {
        *out = static_cast<IShellLinkW*>(&link->link);
    } else if (iid == IID_IPersistFile) {
        *out = static_cast<IPersistFile*>(&link->persist);
    } else {
        --S().liveComObjects;
        delete link;
        return E_NOINTERFACE;
    }
    return S_OK;
}
