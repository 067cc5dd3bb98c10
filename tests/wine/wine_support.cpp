#include "wine_support.h"

#include "platform_tools.h"

namespace wine_test {

std::wstring Env(const wchar_t* name) {
    wchar_t value[4096];
    DWORD length = GetEnvironmentVariableW(name, value, 4096);
    return length > 0 && length < 4096 ? std::wstring(value, length) : std::wstring();
}

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return std::string();
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), NULL, 0, NULL, NULL);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &out[0], size, NULL, NULL);
    return out;
}

std::wstring ParentFolder(const std::wstring& path) {
    size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::wstring FreshFolder(const std::wstring& name) {
    CreateDirectoryW(L"C:\\tests", NULL);
    std::wstring folder = L"C:\\tests\\" + name;
    RemoveTree(folder);
    EXPECT_TRUE(CreateDirectoryW(folder.c_str(), NULL)) << Utf8(folder);
    return folder;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << Utf8(path);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, NULL));
    CloseHandle(file);
}

bool ReadBytes(const std::wstring& path, std::string* bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes->clear();
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, NULL) && read > 0)
        bytes->append(chunk, read);
    CloseHandle(file);
    return true;
}

void CopyProgram(const std::wstring& from, const std::wstring& to) {
    ASSERT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE)) << Utf8(from) << " -> " << Utf8(to);
}

std::string Utf16Le(const std::wstring& text, bool bom) {
    std::string bytes = bom ? std::string("\xFF\xFE") : std::string();
    for (wchar_t c : text) {
        bytes += char(c & 0xFF);
        bytes += char((c >> 8) & 0xFF);
    }
    return bytes;
}

namespace {

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM context) {
    Search* search = reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[64];
    if (process == search->process && IsWindowVisible(window) &&
        GetClassNameW(window, className, 64) && std::wstring(className) == L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ReadControl(HWND control, LPARAM context) {
    Box* box = reinterpret_cast<Box*>(context);
    wchar_t className[64];
    wchar_t text[4096];
    GetClassNameW(control, className, 64);
    int length = GetWindowTextW(control, text, 4096);
    std::wstring kind = className;
    if (kind == L"Button") {
        box->buttons.push_back(std::wstring(text, length));
    } else if (kind == L"Static") {
        // The icon is a static control with SS_ICON; the message is the one with text.
        if ((GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            if (SendMessageW(control, STM_GETICON, 0, 0) != 0)
                box->hasIcon = true;
        } else if (length > 0) {
            box->text = std::wstring(text, length);
        }
    }
    return TRUE;
}

} // namespace

ProgramRun RunProgram(const std::wstring& program, const std::wstring& commandLine,
                      const std::wstring& directory, int seconds) {
    ProgramRun run;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    if (!CreateProcessW(program.empty() ? NULL : program.c_str(), line.data(), NULL, NULL, FALSE, 0,
                        NULL, directory.empty() ? NULL : directory.c_str(), &startup, &process)) {
        ADD_FAILURE() << "cannot start " << Utf8(program) << ": " << GetLastError();
        return run;
    }
    DWORD deadline = GetTickCount() + DWORD(seconds) * 1000;
    while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
        Search search = {process.dwProcessId, NULL};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found != NULL) {
            Box box;
            wchar_t caption[1024];
            box.caption = std::wstring(caption, GetWindowTextW(search.found, caption, 1024));
            EnumChildWindows(search.found, ReadControl, reinterpret_cast<LPARAM>(&box));
            run.boxes.push_back(box);
            PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            // Wait until that box is gone before looking for the next.
            for (int i = 0; i < 100 && IsWindow(search.found); ++i)
                Sleep(20);
        }
        if (GetTickCount() > deadline) {
            TerminateProcess(process.hProcess, 99);
            ADD_FAILURE() << Utf8(program) << " did not end within " << seconds << " s";
            break;
        }
    }
    run.finished = WaitForSingleObject(process.hProcess, 5000) == WAIT_OBJECT_0;
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

bool WaitForRecord(const std::wstring& path, std::wstring* commandLine, std::wstring* directory,
                   int seconds) {
    std::string bytes;
    for (int waited = 0; waited < seconds * 20; ++waited) {
        if (ReadBytes(path, &bytes)) {
            std::wstring text;
            for (size_t i = 0; i + 1 < bytes.size(); i += 2)
                text += wchar_t((unsigned char)bytes[i] | ((unsigned char)bytes[i + 1] << 8));
            size_t cut = text.rfind(L'\n');
            if (cut == std::wstring::npos)
                return false;
            *commandLine = text.substr(0, cut);
            *directory = text.substr(cut + 1);
            return true;
        }
        Sleep(50);
    }
    return false;
}

bool ReadClipboardText(std::string* bytes, SIZE_T* blockSize) {
    bool found = false;
    for (int attempt = 0; attempt < 50 && !OpenClipboard(NULL); ++attempt)
        Sleep(20);
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data != NULL) {
        *blockSize = GlobalSize(data);
        const char* text = static_cast<const char*>(GlobalLock(data));
        if (text != NULL) {
            bytes->assign(text, *blockSize);
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

void SeedClipboard(const std::wstring& text) {
    ASSERT_TRUE(SeedClipboardText(text.c_str()));
}

ClipboardHolder::ClipboardHolder(DWORD milliseconds) : milliseconds_(milliseconds) {
    opened_ = CreateEventW(NULL, TRUE, FALSE, NULL);
    thread_ = CreateThread(NULL, 0, Hold, this, 0, NULL);
    WaitForSingleObject(opened_, 10000);
}

ClipboardHolder::~ClipboardHolder() {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(opened_);
}

DWORD WINAPI ClipboardHolder::Hold(LPVOID self) {
    ClipboardHolder* holder = static_cast<ClipboardHolder*>(self);
    HoldClipboard(holder->milliseconds_, holder->opened_);
    return 0;
}

} // namespace wine_test
