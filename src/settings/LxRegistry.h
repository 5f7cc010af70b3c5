// The registry hand-over between instances, the watcher thread of the
// running instance and the window helpers of the single-instance start.
#pragma once

#include "settings/RegistrySettings.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace korvalin {

// The main window's messages of the hand-over.
constexpr UINT WM_PROGRAMCLOSE = WM_USER + 100;     // run "&Beenden"
constexpr UINT WM_PROGRAMSETFOCUS = WM_USER + 200;  // come to the front

// The program's own command-line parameters (without the program name).
std::vector<std::u16string> ProgramParameters();
// The parameter string and array of the program's own command line.
std::u16string GetParametersString();
std::vector<std::u16string> GetParametersArray();

// Writes every non-empty field under HKEY_CURRENT_USER\<appName>; true on
// success, also when there was nothing to write.
bool WriteRegistrySettings(std::u16string_view appName, const TRegistrySettings& settings);
// Takes the three values out of the key (and the key itself when nothing
// else is left in it); true when at least one of them was there.
bool ReadRegistrySettings(std::u16string_view appName, TRegistrySettings& settings);

// Sends a parameter string to a window as WM_COPYDATA, trimmed; an empty
// string is not sent.
void SendParameters(HWND window, std::u16string_view parameters);

// The first top-level window in Z order whose caption ends with Text.
HWND FindWindowByCaptionEnd(std::u16string_view text);

// Restores and activates a window, also from a background process, and
// tells whether it is the foreground window afterwards.
bool BringWindowToForeground(HWND window);

// Polls the registry key of the application every 100 ms on a thread of its
// own and hands each request, as one command, to the thread that created
// it (the GUI thread), which runs it against the main window.
class TWatchRegistrySettings {
public:
    TWatchRegistrySettings(HWND AAppHandle, std::u16string AAppName);
    // Discards the commands not yet run and ends the thread. Call on the
    // thread that created the watcher.
    ~TWatchRegistrySettings();
    TWatchRegistrySettings(const TWatchRegistrySettings&) = delete;
    TWatchRegistrySettings& operator=(const TWatchRegistrySettings&) = delete;

    // Queues the command of Request for the creating thread; callable from
    // any thread. It runs there the next time that thread's message loop
    // runs, unless the watcher is destroyed first.
    void QueueRegistryCommand(HWND AAppHandle, const TRegistrySettings& Request);

private:
    struct TQueued {
        HWND AppHandle = nullptr;
        TRegistryCommand Command;
    };
    void Execute();
    // Sleeps four times 25 ms; false when the end was asked for meanwhile.
    bool Pause();
    void RunNextCommand();
    static LRESULT CALLBACK QueueWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const HWND FAppHandle;
    const std::u16string FAppName;
    HWND FQueueWindow = nullptr;
    std::mutex FMutex;
    std::condition_variable FWake;
    bool FTerminated = false;
    std::deque<TQueued> FPending;
    std::thread FThread;
};

}  // namespace korvalin
