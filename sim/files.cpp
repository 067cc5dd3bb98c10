// The simulated file system: full-path rules, current directory, files and folders, and the
// file-handle operations the programs use.
#include "state.h"

#include <algorithm>

namespace sim {

namespace {

// Splits an already-slashed path into its root ("C:", "\\server\share") and the rest.
// Returns false when the path has no root of its own (relative, rooted or drive-relative).
bool SplitRoot(const std::u16string& path, std::u16string* root, std::u16string* rest) {
    if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\') {
        size_t server = path.find(u'\\', 2);
        size_t share = server == std::u16string::npos ? server : path.find(u'\\', server + 1);
        if (share == std::u16string::npos) {
            *root = path;
            rest->clear();
        } else {
            *root = path.substr(0, share);
            *rest = path.substr(share);
        }
        return true;
    }
    if (path.size() >= 3 && path[1] == u':' && path[2] == u'\\') {
        *root = path.substr(0, 2);
        *rest = path.substr(2);
        return true;
    }
    return false;
}

bool IsDotsAndSpaces(char16_t c) {
    return c == u'.' || c == u' ';
}

// Applies "." and "..", folds repeated separators, drops one trailing dot of inner
// components and all trailing dots and spaces of the last one, keeps a trailing separator.
std::u16string Collapse(const std::u16string& root, const std::u16string& rest) {
    std::vector<std::u16string> parts;
    size_t i = 0;
    bool trailingSeparator = !rest.empty() && rest.back() == u'\\';
    while (i < rest.size()) {
        while (i < rest.size() && rest[i] == u'\\')
            ++i;
        size_t end = rest.find(u'\\', i);
        if (end == std::u16string::npos)
            end = rest.size();
        if (end > i) {
            std::u16string part = rest.substr(i, end - i);
            bool last = end >= rest.size();
            if (part == u".") {
                if (last)
                    trailingSeparator = false;
            } else if (part == u"..") {
                if (!parts.empty())
                    parts.pop_back();
                if (last)
                    trailingSeparator = false;
            } else {
                if (!last && part.back() == u'.')
                    part.pop_back();
                if (last)
                    while (!part.empty() && IsDotsAndSpaces(part.back()))
                        part.pop_back();
                parts.push_back(part);
            }
        }
        i = end;
    }
    std::u16string full = root;
    for (const auto& part : parts)
        full += u"\\" + part;
    if (parts.empty() || trailingSeparator)
        full += u"\\";
    if (parts.empty() && root.size() > 2 && rest.empty())
        full.pop_back(); // "\\server\share" stays without a separator
    return full;
}

} // namespace

bool FullPath(const std::u16string& input, std::u16string* full) {
    if (input.empty())
        return false;
    std::u16string path = input;
    for (auto& c : path)
        if (c == u'/')
            c = u'\\';
    State& s = S();
    std::u16string root, rest;
    if (SplitRoot(path, &root, &rest)) {
        *full = Collapse(root, rest);
        return true;
    }
    std::u16string cwdRoot, cwdRest;
    SplitRoot(s.currentDir, &cwdRoot, &cwdRest);
    if (path.size() >= 2 && path[1] == u':') {
        // Drive-relative: the current directory when it is on that drive, else its root.
        std::u16string drive = Upper(path.substr(0, 2));
        if (Upper(cwdRoot) == drive)
            *full =
                Collapse(cwdRoot, path.size() == 2 ? cwdRest : cwdRest + u"\\" + path.substr(2));
        else
            *full = Collapse(drive, u"\\" + path.substr(2));
        return true;
    }
    if (path[0] == u'\\') {
        *full = Collapse(cwdRoot, path);
        return true;
    }
    *full = Collapse(cwdRoot, cwdRest + u"\\" + path);
    return true;
}

Node* FindNode(const std::u16string& path) {
    std::u16string full;
    if (!FullPath(path, &full))
        return nullptr;
    if (full.size() > 3 && full.back() == u'\\')
        full.pop_back();
    auto it = S().nodes.find(Upper(full));
    return it == S().nodes.end() ? nullptr : &it->second;
}

bool ParentExists(const std::u16string& full) {
    size_t cut = full.find_last_of(u'\\');
    if (cut == std::u16string::npos)
        return false;
    std::u16string parent = full.substr(0, cut);
    if (parent.size() == 2 && parent[1] == u':')
        parent += u'\\';
    auto it = S().nodes.find(Upper(parent));
    return it != S().nodes.end() && it->second.folder;
}

namespace {

Node& AddNode(const std::u16string& path) {
    std::u16string full;
    FullPath(path, &full);
    if (full.size() > 3 && full.back() == u'\\')
        full.pop_back();
    // Every folder on the way exists too.
    for (size_t cut = full.find(u'\\', 3); cut != std::u16string::npos;
         cut = full.find(u'\\', cut + 1)) {
        std::u16string parent = full.substr(0, cut);
        if (parent.size() == 2 && parent[1] == u':')
            parent += u'\\';
        S().nodes[Upper(parent)].folder = true;
    }
    if (full.size() >= 2 && full[1] == u':')
        S().nodes[Upper(full.substr(0, 2)) + u"\\"].folder = true;
    return S().nodes[Upper(full)];
}

} // namespace

void AddFolder(const std::u16string& path) {
    AddNode(path).folder = true;
}

void AddFile(const std::u16string& path, const std::string& bytes) {
    Node& node = AddNode(path);
    node = Node();
    node.bytes = bytes;
}

void DenyAccess(const std::u16string& path) {
    AddNode(path).denied = true;
}

void HoldOpen(const std::u16string& path, DWORD shareMode) {
    Node& node = AddNode(path);
    node.held = true;
    node.heldShare = shareMode;
}

int OpenFileHandles() {
    return int(S().openFiles.size());
}

bool SetCurrentDir(const std::u16string& path) {
    Node* node = FindNode(path);
    if (node == nullptr || !node->folder)
        return false;
    std::u16string full;
    FullPath(path, &full);
    if (full.size() > 3 && full.back() == u'\\')
        full.pop_back();
    S().currentDir = full;
    return true;
}

std::u16string CurrentDir() {
    return S().currentDir;
}

} // namespace sim

using namespace sim;

DWORD WINAPI GetFullPathNameW(LPCWSTR fileName, DWORD capacity, LPWSTR buffer, LPWSTR* filePart) {
    Log("GetFullPathNameW", fileName);
    State& s = S();
    std::u16string full;
    if (fileName == nullptr || !FullPath(fileName, &full)) {
        s.lastError = ERROR_INVALID_NAME;
        return 0;
    }
    if (ShouldFail("GetFullPathNameW")) {
        s.lastError = ERROR_NOT_ENOUGH_MEMORY;
        return 0;
    }
    // When the full path does not fit, the result is the size needed, terminator included.
    if (full.size() + 1 > capacity)
        return DWORD(full.size() + 1);
    full.copy(buffer, full.size());
    buffer[full.size()] = 0;
    if (filePart != nullptr) {
        size_t cut = full.find_last_of(u'\\');
        *filePart = cut + 1 < full.size() ? buffer + cut + 1 : nullptr;
    }
    return DWORD(full.size());
}

DWORD WINAPI GetCurrentDirectoryW(DWORD capacity, LPWSTR buffer) {
    Log("GetCurrentDirectoryW");
    State& s = S();
    if (ShouldFail("GetCurrentDirectoryW")) {
        s.lastError = ERROR_NOT_ENOUGH_MEMORY;
        return 0;
    }
    if (s.currentDir.size() + 1 > capacity)
        return DWORD(s.currentDir.size() + 1);
    s.currentDir.copy(buffer, s.currentDir.size());
    buffer[s.currentDir.size()] = 0;
    return DWORD(s.currentDir.size());
}

BOOL WINAPI SetCurrentDirectoryW(LPCWSTR path) {
    Log("SetCurrentDirectoryW", path);
    State& s = S();
    if (path == nullptr || ShouldFail("SetCurrentDirectoryW")) {
        s.lastError = ERROR_ACCESS_DENIED;
        return FALSE;
    }
    Node* node = FindNode(path);
    if (node == nullptr || !node->folder) {
        s.lastError = node ? ERROR_INVALID_NAME : ERROR_FILE_NOT_FOUND;
        return FALSE;
    }
    SetCurrentDir(path);
    return TRUE;
}

HANDLE WINAPI CreateFileW(LPCWSTR fileName, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES,
                          DWORD disposition, DWORD flags, HANDLE) {
    Log("CreateFileW", fileName);
    State& s = S();
    if (disposition != OPEN_EXISTING) {
        Violation("CreateFileW: only OPEN_EXISTING is simulated");
        s.lastError = ERROR_INVALID_PARAMETER;
        return INVALID_HANDLE_VALUE;
    }
    if ((access & ~GENERIC_READ) != 0) {
        Violation("CreateFileW: only no access or GENERIC_READ is simulated");
        s.lastError = ERROR_ACCESS_DENIED;
        return INVALID_HANDLE_VALUE;
    }
    std::u16string full;
    if (fileName == nullptr || !FullPath(fileName, &full)) {
        s.lastError = ERROR_PATH_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    if (ShouldFail("CreateFileW")) {
        s.lastError = ERROR_ACCESS_DENIED;
        return INVALID_HANDLE_VALUE;
    }
    Node* node = FindNode(full);
    if (node == nullptr) {
        s.lastError = ParentExists(full) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    // A folder opens only with FILE_FLAG_BACKUP_SEMANTICS.
    if (node->denied || (node->folder && (flags & FILE_FLAG_BACKUP_SEMANTICS) == 0)) {
        s.lastError = ERROR_ACCESS_DENIED;
        return INVALID_HANDLE_VALUE;
    }
    // The holder has read and write access: an open that reads must be allowed by the holder's
    // sharing and must itself share reading and writing. An open without data access is not
    // checked against other opens.
    if (node->held && access != 0 &&
        ((node->heldShare & FILE_SHARE_READ) == 0 ||
         (share & (FILE_SHARE_READ | FILE_SHARE_WRITE)) != (FILE_SHARE_READ | FILE_SHARE_WRITE))) {
        s.lastError = ERROR_SHARING_VIOLATION;
        return INVALID_HANDLE_VALUE;
    }
    uintptr_t handle = s.nextHandle;
    s.nextHandle += 4;
    if (full.size() > 3 && full.back() == u'\\')
        full.pop_back();
    s.openFiles[handle] = OpenFile{Upper(full), 0};
    s.lastError = ERROR_SUCCESS;
    return reinterpret_cast<HANDLE>(handle);
}

BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED) {
    Log("ReadFile");
    State& s = S();
    auto it = s.openFiles.find(reinterpret_cast<uintptr_t>(file));
    if (it == s.openFiles.end()) {
        Violation("ReadFile on a handle that is not open");
        s.lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    if (read == nullptr) {
        Violation("ReadFile without a count of bytes read");
        return FALSE;
    }
    *read = 0;
    if (ShouldFail("ReadFile")) {
        s.lastError = ERROR_ACCESS_DENIED;
        return FALSE;
    }
    const std::string& bytes = s.nodes[it->second.key].bytes;
    size_t from = std::min(it->second.position, bytes.size());
    size_t count = std::min<size_t>(toRead, bytes.size() - from);
    bytes.copy(static_cast<char*>(buffer), count, from);
    it->second.position = from + count;
    *read = DWORD(count);
    return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE object) {
    Log("CloseHandle");
    State& s = S();
    if (s.openFiles.erase(reinterpret_cast<uintptr_t>(object)) == 0) {
        Violation("CloseHandle on a handle that is not open");
        s.lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    return TRUE;
}
