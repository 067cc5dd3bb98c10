// Support for tests that run the built programs on the real platform (under Wine): fresh
// folders, files, exact command lines, message boxes, the clipboard and shortcuts.
#pragma once

#include "platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wine_test {

std::wstring Env(const wchar_t* name);
std::string Utf8(const std::wstring& text);
std::wstring ParentFolder(const std::wstring& path); // the text before the last separator

// A fresh, empty folder under C:\tests; any earlier one of that name is removed first.
std::wstring FreshFolder(const std::wstring& name);
void WriteBytes(const std::wstring& path, const std::string& bytes);
bool ReadBytes(const std::wstring& path, std::string* bytes);
void CopyProgram(const std::wstring& from, const std::wstring& to);
// The bytes of a text in UTF-16 LE, with the byte-order mark when asked.
std::string Utf16Le(const std::wstring& text, bool bom);

struct Box {
    std::wstring caption;
    std::wstring text;
    std::vector<std::wstring> buttons;
    bool hasIcon = false;
};

struct ProgramRun {
    DWORD exitCode = 0xFFFFFFFF;
    bool finished = false;
    std::vector<Box> boxes; // every message box the program showed, each answered with OK
};

// Starts `program` with exactly `commandLine` in `directory`, answers its message boxes with
// OK, and waits for it to end (at most `seconds`). An empty `program` is looked for as the
// first word of the command line, through PATH as a console would.
ProgramRun RunProgram(const std::wstring& program, const std::wstring& commandLine,
                      const std::wstring& directory, int seconds = 60);

// The recording target writes its raw command line and working directory to the file named by
// the RECORD_FILE environment variable; this waits for that file.
bool WaitForRecord(const std::wstring& path, std::wstring* commandLine, std::wstring* directory,
                   int seconds = 30);

// The clipboard as another program sees it.
bool ReadClipboardText(std::string* bytes, SIZE_T* blockSize);
void SeedClipboard(const std::wstring& text);
// Holds the clipboard open from another thread (with an owner window, as a program would)
// for `milliseconds`; Stop waits for the release.
class ClipboardHolder {
  public:
    explicit ClipboardHolder(DWORD milliseconds);
    ~ClipboardHolder();

  private:
    HANDLE thread_;
    HANDLE opened_;
    DWORD milliseconds_;
    static DWORD WINAPI Hold(LPVOID self);
};

} // namespace wine_test
