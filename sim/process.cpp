// Process-wide parts of the simulator: state, call log, failure injection, command line,
// module name, last error, string functions and code-page conversion.
#include "state.h"

#include <cstdlib>
#include <cstring>

namespace sim {

State& S() {
    static State* state = new State();
    return *state;
}

void Log(const char* op, const std::u16string& text) {
    S().calls.push_back({op, text});
}
void Log(const char* op, LPCWSTR text) {
    Log(op, text ? std::u16string(text) : u"(null)");
}

bool ShouldFail(const char* op) {
    State& s = S();
    s.failurePoints.push_back(op);
    return s.failAll.count(op) != 0 || (s.failNth > 0 && int(s.failurePoints.size()) == s.failNth);
}

void Violation(const std::string& what) {
    S().violations.push_back(what);
}

std::u16string Upper(std::u16string s) {
    for (auto& c : s)
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - u'a' + u'A');
    return s;
}

void Reset() {
    State& s = S();
    for (void* block : s.argvBlocks)
        std::free(block);
    for (auto& entry : s.globals)
        FreeGlobal(entry.second);
    for (void* block : s.heapBlocks)
        std::free(block);
    s = State();
    s.nodes[u"C:\\"].folder = true;
}

void SetCommandLine(const std::u16string& commandLine) {
    S().commandLine = commandLine;
}
void SetModulePath(const std::u16string& path) {
    S().modulePath = path;
}

void FailNth(int n) {
    S().failNth = n;
}
void FailAll(const std::string& operation) {
    S().failAll.insert(operation);
}
int FailurePoints() {
    return int(S().failurePoints.size());
}
std::vector<std::string> FailurePointNames() {
    return S().failurePoints;
}

const std::vector<Call>& Calls() {
    return S().calls;
}
std::vector<std::string> CallNames() {
    std::vector<std::string> names;
    for (const auto& call : S().calls)
        names.push_back(call.op);
    return names;
}
const std::vector<std::string>& Violations() {
    return S().violations;
}

std::u16string U16(const std::string& utf8) {
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = utf8[i];
        uint32_t cp;
        int extra;
        if (c < 0x80) {
            cp = c;
            extra = 0;
        } else if ((c >> 5) == 6) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c >> 4) == 14) {
            cp = c & 0x0F;
            extra = 2;
        } else {
            cp = c & 0x07;
            extra = 3;
        }
        ++i;
        for (int k = 0; k < extra && i < utf8.size(); ++k, ++i)
            cp = (cp << 6) | (utf8[i] & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

std::string U8(const std::u16string& utf16) {
    std::string out;
    for (size_t i = 0; i < utf16.size(); ++i) {
        uint32_t cp = utf16[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

} // namespace sim

using namespace sim;

bool operator==(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

const CLSID CLSID_ShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IUnknown = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IShellLinkW = {0x000214F9, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

LPWSTR WINAPI GetCommandLineW() {
    Log("GetCommandLineW");
    return &S().commandLine[0];
}

DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    Log("GetModuleFileNameW");
    State& s = S();
    if (module != nullptr) {
        Violation("GetModuleFileNameW: only the process's own module is simulated");
        return 0;
    }
    if (ShouldFail("GetModuleFileNameW") || s.modulePath.empty()) {
        s.lastError = ERROR_NOT_ENOUGH_MEMORY;
        return 0;
    }
    if (size == 0) {
        s.lastError = ERROR_INSUFFICIENT_BUFFER;
        return 0;
    }
    // Since Vista: a name that does not fit is cut to size - 1 units and terminated, and the
    // result is size with ERROR_INSUFFICIENT_BUFFER.
    DWORD length = DWORD(s.modulePath.size());
    if (length >= size) {
        s.modulePath.copy(buffer, size - 1);
        buffer[size - 1] = 0;
        s.lastError = ERROR_INSUFFICIENT_BUFFER;
        return size;
    }
    s.modulePath.copy(buffer, length);
    buffer[length] = 0;
    s.lastError = ERROR_SUCCESS;
    return length;
}

DWORD WINAPI GetLastError() {
    return S().lastError;
}
void WINAPI SetLastError(DWORD code) {
    S().lastError = code;
}

void WINAPI Sleep(DWORD ms) {
    Log("Sleep");
    S().sleptMs += ms;
}

int WINAPI lstrlenW(LPCWSTR text) {
    if (text == nullptr)
        return 0;
    int n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

LPWSTR WINAPI lstrcpyW(LPWSTR destination, LPCWSTR source) {
    int i = 0;
    do {
        destination[i] = source[i];
    } while (source[i++] != 0);
    return destination;
}

int WINAPI lstrcmpW(LPCWSTR a, LPCWSTR b) {
    // Equality is what the programs rely on; the order is by code unit here.
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b ? 0 : (*a < *b ? -1 : 1);
}

// The simulated ANSI code page maps byte b to U+00bb. UTF-8 is decoded strictly.
int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH source, int sourceBytes,
                               LPWSTR out, int outCapacity) {
    Log("MultiByteToWideChar");
    State& s = S();
    if (source == nullptr || sourceBytes == 0 || outCapacity < 0 ||
        (codePage != CP_ACP && codePage != CP_UTF8)) {
        s.lastError = ERROR_INVALID_PARAMETER;
        return 0;
    }
    if (ShouldFail("MultiByteToWideChar")) {
        s.lastError = ERROR_NOT_ENOUGH_MEMORY;
        return 0;
    }
    size_t count = sourceBytes < 0 ? std::strlen(source) + 1 : size_t(sourceBytes);
    std::u16string decoded;
    if (codePage == CP_ACP) {
        for (size_t i = 0; i < count; ++i)
            decoded += char16_t((unsigned char)source[i]);
    } else {
        std::string bytes(source, count);
        decoded = U16(bytes);
        if ((flags & MB_ERR_INVALID_CHARS) != 0 && U8(decoded) != bytes) {
            s.lastError = ERROR_NO_UNICODE_TRANSLATION;
            return 0;
        }
    }
    if (outCapacity == 0)
        return int(decoded.size());
    if (decoded.size() > size_t(outCapacity)) {
        s.lastError = ERROR_INSUFFICIENT_BUFFER;
        return 0;
    }
    decoded.copy(out, decoded.size());
    return int(decoded.size());
}

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// The shell's splitting rules. The program name ends at the first blank, or, when it begins
// with a quote, at the next quote; no backslash escapes in it. In the arguments: 2n
// backslashes before a quote give n backslashes and the quote toggles quoting; 2n+1 give n and
// a literal quote; a run of quotes gives one literal quote for every third.
std::vector<std::u16string> SplitCommandLine(const std::u16string& line) {
    std::vector<std::u16string> args;
    size_t i = 0;
    std::u16string name;
    if (i < line.size() && line[i] == u'"') {
        ++i;
        while (i < line.size() && line[i] != u'"')
            name += line[i++];
        if (i < line.size())
            ++i;
    } else {
        while (i < line.size() && !IsBlank(line[i]))
            name += line[i++];
    }
    args.push_back(name);
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i >= line.size())
        return args;

    std::u16string arg;
    int quotes = 0; // quotes seen in the current run; odd means inside quotes
    size_t backslashes = 0;
    while (i < line.size()) {
        char16_t c = line[i];
        if (IsBlank(c) && quotes == 0) {
            args.push_back(arg);
            arg.clear();
            backslashes = 0;
            while (i < line.size() && IsBlank(line[i]))
                ++i;
            if (i >= line.size())
                return args;
            continue;
        }
        if (c == u'\\') {
            arg += c;
            ++backslashes;
            ++i;
            continue;
        }
        if (c == u'"') {
            if (backslashes % 2 == 0) {
                arg.resize(arg.size() - backslashes / 2);
                ++quotes;
            } else {
                arg.resize(arg.size() - backslashes / 2 - 1);
                arg += u'"';
            }
            backslashes = 0;
            ++i;
            while (i < line.size() && line[i] == u'"') {
                if (++quotes == 3) {
                    arg += u'"';
                    quotes = 0;
                }
                ++i;
            }
            if (quotes == 2)
                quotes = 0;
            continue;
        }
        arg += c;
        backslashes = 0;
        ++i;
    }
    args.push_back(arg);
    return args;
}

} // namespace

LPWSTR* WINAPI CommandLineToArgvW(LPCWSTR commandLine, int* count) {
    Log("CommandLineToArgvW", commandLine);
    State& s = S();
    if (count == nullptr) {
        s.lastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    if (ShouldFail("CommandLineToArgvW")) {
        s.lastError = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    std::vector<std::u16string> args;
    if (commandLine == nullptr || *commandLine == 0)
        args.push_back(s.modulePath); // the empty command line names the program itself
    else
        args = SplitCommandLine(commandLine);

    // One block, as on the platform: the pointer array (null-terminated), then the strings.
    size_t units = 0;
    for (const auto& arg : args)
        units += arg.size() + 1;
    size_t pointerBytes = (args.size() + 1) * sizeof(LPWSTR);
    auto* block = static_cast<unsigned char*>(std::malloc(pointerBytes + units * sizeof(WCHAR)));
    auto** argv = reinterpret_cast<LPWSTR*>(block);
    auto* text = reinterpret_cast<WCHAR*>(block + pointerBytes);
    for (size_t k = 0; k < args.size(); ++k) {
        argv[k] = text;
        args[k].copy(text, args[k].size());
        text[args[k].size()] = 0;
        text += args[k].size() + 1;
    }
    argv[args.size()] = nullptr;
    s.argvBlocks.push_back(block);
    *count = int(args.size());
    return argv;
}

HGLOBAL WINAPI LocalFree(HGLOBAL memory) {
    Log("LocalFree");
    State& s = S();
    for (auto it = s.argvBlocks.begin(); it != s.argvBlocks.end(); ++it) {
        if (*it == memory) {
            std::free(memory);
            s.argvBlocks.erase(it);
            return nullptr;
        }
    }
    if (memory != nullptr)
        Violation("LocalFree of a block the simulator did not hand out");
    return memory;
}
