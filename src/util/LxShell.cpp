#include "util/LxShell.h"

#include "settings/LxRegistry.h"
#include "tables/TextFile.h"
#include "util/Errors.h"
#include "util/ShellPaths.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace korvalin {

namespace {

std::u16string WithBackslash(std::u16string folder) {
    if (!folder.empty() && folder.back() != u'\\') folder += u'\\';
    return folder;
}

// A string argument of the shell, nullptr for an empty one.
const wchar_t* OrNull(const std::u16string& s) { return s.empty() ? nullptr : WStr(s); }

}  // namespace

std::u16string ExeFilename() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) return U16(path.data(), length);
        path.resize(path.size() * 2);
    }
}

bool ShellStart(HWND owner, std::u16string_view file, std::u16string_view parameters, int showCommand,
                std::u16string_view verb, std::u16string_view folder, DWORD* error) {
    const std::u16string f(file), p(parameters), v(verb), d(folder);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // The callers report no failure, so neither does the shell: without this
    // flag it would show its own error box for a missing program.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = OrNull(v);
    info.lpFile = OrNull(f);
    info.lpParameters = OrNull(p);
    info.lpDirectory = OrNull(d);
    info.nShow = showCommand;
    if (ShellExecuteExW(&info)) return true;
    if (error) *error = GetLastError();
    return false;
}

std::u16string EnvironmentVariable(std::u16string_view name) {
    const std::u16string n(name);
    std::vector<wchar_t> value(256);
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(WStr(n), value.data(), DWORD(value.size()));
        if (length == 0) return {};
        if (length < value.size()) return U16(value.data(), length);
        value.resize(length + 1);
    }
}

bool IsWindows64Bit() {
    using TIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto isWow64Process =
        kernel ? reinterpret_cast<TIsWow64Process>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")))
               : nullptr;
    if (!isWow64Process) return false;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64)) throw EKorvalin(u"IsWindows64Bit: bad process handle");
    return wow64 != FALSE;
}

std::u16string GetProgramFilesDir() {
    const REGSAM access = KEY_READ | (IsWindows64Bit() ? KEY_WOW64_64KEY : 0);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, access, &key) !=
        ERROR_SUCCESS)
        return {};
    std::u16string value;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, L"ProgramFilesDir", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
        if (RegQueryValueExW(key, L"ProgramFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                             &size) == ERROR_SUCCESS)
            value = U16(buffer.data());  // the buffer ends in NUL whether the value does or not
    }
    RegCloseKey(key);
    return WithBackslash(std::move(value));
}

std::u16string GetSpecialFolder(int csidl) {
    LPITEMIDLIST list = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &list) != S_OK || !list) return {};
    wchar_t path[MAX_PATH] = {};
    const BOOL ok = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    return ok ? WithBackslash(U16(path)) : std::u16string();
}

std::u16string GetTempFolder() {
    wchar_t path[MAX_PATH + 2] = {};
    const DWORD length = GetTempPathW(DWORD(std::size(path)), path);
    if (length == 0 || length >= std::size(path)) return {};
    return WithBackslash(U16(path, length));
}

std::u16string FindWordPad() {
    return WordPadPath(EnvironmentVariable(u"ProgramFiles"), GetProgramFilesDir(), EnvironmentVariable(u"path"),
                       FileExists);
}

std::u16string FindNotepad() {
    std::u16string systemRoot = EnvironmentVariable(u"SystemRoot");
    if (!IsAbsoluteFolder(systemRoot)) {
        // a damaged variable gives way to the system's own answer
        wchar_t folder[MAX_PATH] = {};
        const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
        systemRoot = length > 0 && length < MAX_PATH ? U16(folder, length) : std::u16string();
    }
    return NotepadPath(systemRoot, EnvironmentVariable(u"path"), FileExists);
}

HWND FindTextFileWindow(std::u16string_view name) {
    for (const std::u16string& caption : TextFileWindowCaptions(name))
        if (const HWND window = FindWindowW(nullptr, WStr(caption))) return window;
    return nullptr;
}

bool ShowTextFile(const std::u16string& filename) {
    if (!FileExists(filename)) return false;
    const std::u16string notepad = FindNotepad();
    const std::u16string wordPad = FindWordPad();
    if (const HWND window = FindTextFileWindow(ExtractFileName(filename))) {
        BringWindowToForeground(window);
        return true;
    }
    const std::u16string& program = !wordPad.empty() ? wordPad : notepad;
    if (!program.empty()) ShellStart(nullptr, QuoteIfBlank(program), QuoteIfBlank(filename), SW_SHOWNORMAL, u"open", u"");
    else ShellStart(nullptr, QuoteIfBlank(filename), u"", SW_SHOWNORMAL, u"open", u"");
    return true;
}

}  // namespace korvalin
