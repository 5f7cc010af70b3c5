// Reads (and for test set-up changes) the state of the running Korvalin
// window from another process. Output on stdout, exit code 1 on failure.
//   probe caption          the main window's caption
//   probe text             the editor's text as UTF-16 units in hex
//   probe sel              "start end" of the editor's selection
//   probe settext HEX...   replaces the editor's text (UTF-16 units in hex)
//   probe select A B       selects from A to B
//   probe panel N          the text of status panel N
//   probe foreground       the caption of the foreground window
//   probe boxtext          the message text of the message box in front
//   probe focustext        the text of the focused control of the foreground window
//   probe rect             "width height" of the main window
//   probe resize W H       asks the main window for that size
//   probe count            how many main windows there are
//   probe modules          the full names of the libraries loaded in the
//                          main window's process, one a line
//   probe answers MS       the longest time in milliseconds the main window
//                          took to answer a message, asked every 2 ms for MS ms
//   probe closerequest     leaves the request to close in the registry and
//                          prints the milliseconds until the main window acts on
//                          it: gone, hidden for closing, or disabled by the
//                          save question
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

HWND MainWindow() { return FindWindowW(L"TForm1", nullptr); }

BOOL CALLBACK CountMainWindow(HWND window, LPARAM count) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (std::wstring(name) == L"TForm1") ++*reinterpret_cast<int*>(count);
    return TRUE;
}

HWND Editor(HWND main) { return main ? FindWindowExW(main, nullptr, L"RICHEDIT50W", nullptr) : nullptr; }

void PrintUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), size, nullptr, nullptr);
    std::printf("%s\n", bytes.c_str());
}

// SB_GETTEXTW into a buffer inside the window's own process.
bool StatusPanelText(HWND bar, int panel, std::wstring& text) {
    DWORD processId = 0;
    GetWindowThreadProcessId(bar, &processId);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return false;
    const SIZE_T bytes = 1024 * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    bool ok = false;
    if (remote) {
        const LRESULT length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, WPARAM(panel), 0));
        if (length < 1000) {
            SendMessageW(bar, SB_GETTEXTW, WPARAM(panel), reinterpret_cast<LPARAM>(remote));
            std::vector<wchar_t> buffer(size_t(length) + 1);
            ok = ReadProcessMemory(process, remote, buffer.data(), buffer.size() * sizeof(wchar_t), nullptr) != 0;
            text.assign(buffer.data(), size_t(length));
            while (!text.empty() && text[0] == L'\t') text.erase(0, 1);
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return ok;
}

std::wstring WindowText(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> buffer(size_t(length) + 1);
    SendMessageW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

// Every module of the window's process.
bool PrintModules(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32W module{};
    module.dwSize = sizeof(module);
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module))
        PrintUtf8(module.szExePath);
    CloseHandle(snapshot);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring command = argv[1];
    const HWND main = MainWindow();
    if (!main) return 1;
    if (command == L"modules") return PrintModules(main) ? 0 : 1;
    if (command == L"caption") {
        wchar_t caption[261] = {};
        GetWindowTextW(main, caption, 261);
        PrintUtf8(caption);
        return 0;
    }
    if (command == L"panel" && argc == 3) {
        std::wstring text;
        const HWND bar = FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
        if (!bar || !StatusPanelText(bar, int(std::wcstol(argv[2], nullptr, 10)), text)) return 1;
        PrintUtf8(text);
        return 0;
    }
    if (command == L"foreground") {
        wchar_t caption[261] = {};
        GetWindowTextW(GetForegroundWindow(), caption, 261);
        PrintUtf8(caption);
        return 0;
    }
    if (command == L"boxtext") {
        const HWND text = GetDlgItem(GetForegroundWindow(), 0xFFFF);  // the static text of a message box
        if (!text) return 1;
        PrintUtf8(WindowText(text));
        return 0;
    }
    if (command == L"focustext") {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        const HWND foreground = GetForegroundWindow();
        if (!foreground || !GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) || !info.hwndFocus)
            return 1;
        PrintUtf8(WindowText(info.hwndFocus));
        return 0;
    }
    if (command == L"rect") {
        RECT bounds{};
        GetWindowRect(main, &bounds);
        std::printf("%ld %ld\n", long(bounds.right - bounds.left), long(bounds.bottom - bounds.top));
        return 0;
    }
    if (command == L"resize" && argc == 4) {
        return SetWindowPos(main, nullptr, 0, 0, std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10),
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    if (command == L"count") {
        int count = 0;
        EnumWindows(CountMainWindow, reinterpret_cast<LPARAM>(&count));
        std::printf("%d\n", count);
        return 0;
    }
    if (command == L"answers" && argc == 3) {
        LARGE_INTEGER frequency{}, start{}, before{}, after{};
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        const double ticksPerMillisecond = double(frequency.QuadPart) / 1000.0;
        const double total = std::wcstod(argv[2], nullptr);
        double longest = 0;
        do {
            QueryPerformanceCounter(&before);
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)) return 1;
            QueryPerformanceCounter(&after);
            longest = std::max(longest, double(after.QuadPart - before.QuadPart) / ticksPerMillisecond);
            Sleep(2);
        } while (double(after.QuadPart - start.QuadPart) / ticksPerMillisecond < total);
        std::printf("%.1f\n", longest);
        return 0;
    }
    if (command == L"closerequest") {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Korvalin", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
            return 1;
        LARGE_INTEGER frequency{}, start{}, now{};
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        const bool written = RegSetValueExW(key, L"ProgramClose", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"),
                                            2 * sizeof(wchar_t)) == ERROR_SUCCESS;
        RegCloseKey(key);
        if (!written) return 1;
        double milliseconds = 0;
        do {
            Sleep(1);
            QueryPerformanceCounter(&now);
            milliseconds = double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
        } while (IsWindow(main) && IsWindowVisible(main) && IsWindowEnabled(main) && milliseconds < 5000);
        if (milliseconds >= 5000) return 1;
        std::printf("%.0f\n", milliseconds);
        return 0;
    }
    const HWND editor = Editor(main);
    if (!editor) return 1;
    if (command == L"text") {
        const LRESULT length = SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0);
        std::vector<wchar_t> buffer(size_t(length) + 1);
        const LRESULT copied = SendMessageW(editor, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        for (LRESULT i = 0; i < copied; ++i) std::printf(i ? " %04X" : "%04X", unsigned(buffer[size_t(i)]));
        std::printf("\n");
        return 0;
    }
    if (command == L"sel") {
        DWORD start = 0, end = 0;
        const LRESULT packed = SendMessageW(editor, EM_GETSEL, 0, 0);
        start = LOWORD(packed);
        end = HIWORD(packed);
        std::printf("%lu %lu\n", static_cast<unsigned long>(start), static_cast<unsigned long>(end));
        return 0;
    }
    if (command == L"settext") {
        std::wstring text;
        for (int i = 2; i < argc; ++i) text += wchar_t(std::wcstoul(argv[i], nullptr, 16));
        return SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) ? 0 : 1;
    }
    if (command == L"select" && argc == 4) {
        SendMessageW(editor, EM_SETSEL, std::wcstoul(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10));
        return 0;
    }
    return 2;
}
