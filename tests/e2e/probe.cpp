// Reads (and for test set-up changes) the state of the running Korvalin
// window from another process. Output on stdout, exit code 1 on failure.
//   probe caption          the main window's caption
//   probe text             the editor's text as UTF-16 units in hex
//   probe sel              "start end" of the editor's selection
//   probe settext HEX...   replaces the editor's text (UTF-16 units in hex)
//   probe select A B       selects from A to B
#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const wchar_t kTitleEnd[] = L"Korvalin V1.21";

BOOL CALLBACK FindMain(HWND window, LPARAM found) {
    wchar_t caption[261] = {};
    const int length = GetWindowTextW(window, caption, 261);
    const int endLength = int(wcslen(kTitleEnd));
    if (length >= endLength && wcscmp(caption + length - endLength, kTitleEnd) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND MainWindow() {
    HWND found = nullptr;
    EnumWindows(FindMain, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND Editor(HWND main) { return main ? FindWindowExW(main, nullptr, L"RICHEDIT50W", nullptr) : nullptr; }

void PrintUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), size, nullptr, nullptr);
    std::printf("%s\n", bytes.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring command = argv[1];
    const HWND main = MainWindow();
    if (!main) return 1;
    if (command == L"caption") {
        wchar_t caption[261] = {};
        GetWindowTextW(main, caption, 261);
        PrintUtf8(caption);
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
