// What the Windows tests share: running the message loop for a while, a
// program folder of their own, clipboard text, a screen reader that records
// and an owner window for dialogs.
#pragma once

#include "speech/ScreenReaderOutput.h"
#include "util/Wnd.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace korvalin::testing {

// Dispatches every waiting message at least once, for about Milliseconds;
// TranslateS turns key presses into characters as the program's loop does.
inline void PumpMessages(int milliseconds, bool translateS = false) {
    const DWORD end = GetTickCount() + DWORD(milliseconds);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (translateS) TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);  // woken by a message, as GetMessage is
    } while (GetTickCount() < end);
}

// A program folder of its own ("Tabellen\\" included) with the files a test
// writes into it; removed afterwards.
class TProgramFolder {
public:
    TProgramFolder() {
        FPath = std::filesystem::temp_directory_path() / ("korvalin-form-" + std::to_string(GetTickCount()));
        std::filesystem::create_directories(FPath / "Tabellen");
    }
    ~TProgramFolder() {
        std::error_code error;
        std::filesystem::remove_all(FPath, error);
    }
    TProgramFolder(const TProgramFolder&) = delete;
    TProgramFolder& operator=(const TProgramFolder&) = delete;
    void Write(const char* name, const char* text) { std::ofstream(FPath / name, std::ios::binary) << text; }
    std::u16string Folder() const { return FPath.u16string() + u"\\"; }

private:
    std::filesystem::path FPath;
};

// Puts Text on the clipboard as Unicode text; nullptr leaves it empty.
inline bool SetClipboardText(const wchar_t* text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    if (text) {
        const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(GlobalLock(memory), text, bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
    return true;
}

// A screen reader that keeps what it is given.
class TRecordingTolk : public TScreenReaderOutput {
public:
    bool Output(const std::u16string& S, bool Interrupt) override {
        Texts.push_back(S);
        InterruptS = InterruptS || Interrupt;
        return true;
    }
    std::vector<std::u16string> Texts;
    bool InterruptS = false;  // whether any output interrupted
};

// A top-level window of a given class and title, as a screen reader shows.
class TFakeReaderWindow {
public:
    TFakeReaderWindow(const wchar_t* className, const wchar_t* title) : FClassName(className) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassW(&windowClass);
        FHandle = CreateWindowExW(0, className, title, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~TFakeReaderWindow() {
        DestroyWindow(FHandle);
        UnregisterClassW(FClassName, GetModuleHandleW(nullptr));
    }
    TFakeReaderWindow(const TFakeReaderWindow&) = delete;
    TFakeReaderWindow& operator=(const TFakeReaderWindow&) = delete;
    HWND Handle() const { return FHandle; }

private:
    const wchar_t* FClassName;
    HWND FHandle = nullptr;
};

// The calls that the stand-in NVDA controller library beside the tests
// records in "nvda-calls.txt"; the record starts empty and goes afterwards.
class TNvdaCalls {
public:
    TNvdaCalls() {
        wchar_t path[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        FLog.assign(path, length);
        FLog.resize(FLog.find_last_of(L'\\') + 1);
        FLog += L"nvda-calls.txt";
        DeleteFileW(FLog.c_str());
    }
    ~TNvdaCalls() { DeleteFileW(FLog.c_str()); }
    TNvdaCalls(const TNvdaCalls&) = delete;
    TNvdaCalls& operator=(const TNvdaCalls&) = delete;
    // The calls since the last look, one a line, without the running tests.
    std::string Take() {
        std::string line, calls;
        {
            std::ifstream file(FLog.c_str(), std::ios::binary);
            while (std::getline(file, line))
                if (line != "testIfRunning") calls += line + "\n";
        }
        DeleteFileW(FLog.c_str());
        return calls;
    }

private:
    std::wstring FLog;
};

// A top-level window at the given place for a dialog to be centred over.
class TDialogOwner : public TWnd {
public:
    TDialogOwner(int x, int y, int width, int height, bool visibleS = false) {
        TCreateArgs args;
        args.X = x, args.Y = y, args.Width = width, args.Height = height;
        CreateWnd(L"TTestDialogOwner", args);
        if (visibleS) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    }
};

}  // namespace korvalin::testing
