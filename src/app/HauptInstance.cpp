// The main window's end of the single-instance hand-over: files named on the
// command line, parameters handed over by a second start, and the requests
// to come to the front and to close.
#include "app/Haupt.h"

#include "settings/LxRegistry.h"
#include "settings/RegistrySettings.h"
#include "tables/TextFile.h"

#include <vector>

namespace korvalin {

namespace {

constexpr UINT kHandOverTimerInterval = 5;

struct TOwnedWindows {
    HWND Owner;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectOwnedWindow(HWND window, LPARAM data) {
    auto& owned = *reinterpret_cast<TOwnedWindows*>(data);
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owned.Owner) owned.Found.push_back(window);
    return TRUE;
}

// Brings the visible windows of this thread that Owner owns above it, and
// the windows they own above them in turn, so that a dialog ends up on top.
void BringOwnedWindowsToForeground(HWND owner, int depth = 0) {
    if (depth > 8) return;  // owner chains are short; this only bounds the walk
    TOwnedWindows owned{owner, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectOwnedWindow, reinterpret_cast<LPARAM>(&owned));
    for (const HWND window : owned.Found) {
        BringWindowToForeground(window);
        BringOwnedWindowsToForeground(window, depth + 1);
    }
}

}  // namespace

// The end of the first table loading: once the start-up check has ended,
// an available update is offered, then a file named on the command line is
// opened, unless the program is closing for the update. The window does not
// block while the check waits for the server: keys and the screen reader
// are served meanwhile.
void TForm1::StartupFinished() {
    FStartupPendingS = true;
    StartupContinue();
}

// Runs when start-up is pending and neither a check nor a dialog is running;
// the end of either asks again.
void TForm1::StartupContinue() {
    if (!FStartupPendingS || FModalLevel > 0 || (FUpdater && FUpdater->Checking())) return;
    FStartupPendingS = false;
    if (StartupUpdatePrompt()) return;
    if (!FParameters.empty()) SetTimer(Handle(), kTimerLoadThisFile, kHandOverTimerInterval, nullptr);
}

LRESULT TForm1::WMCopyData(const COPYDATASTRUCT* data) {
    SendMessageW(Handle(), WM_PROGRAMSETFOCUS, 0, 0);
    // The sender's size is the limit: a string without its NUL is not read past.
    FParameters = GetParametersArray(data ? Utf16FromBytes(data->lpData, data->cbData) : std::u16string());
    if (!FParameters.empty()) SetTimer(Handle(), kTimerSendTo, kHandOverTimerInterval, nullptr);
    return 0;
}

void TForm1::WMProgramClose() { MenuDateiBeendenClick(nullptr); }

void TForm1::WMProgramSetFocus() {
    BringWindowToForeground(Handle());
    BringOwnedWindowsToForeground(Handle());
}

// A handed-over file is opened only while the user works in the document
// itself; behind a dialog the request is dropped.
void TForm1::TimerSendToTimer() {
    KillTimer(Handle(), kTimerSendTo);
    const HWND focus = GetFocus();
    const bool frontS = GetActiveWindow() == Handle() && focus && (focus == Handle() || IsChild(Handle(), focus));
    if (frontS && !ProgramClosing && FModalLevel == 0 && FHookSuspendCount == 0) OpenFirstParameter();
}

void TForm1::TimerLoadThisFileTimer() {
    KillTimer(Handle(), kTimerLoadThisFile);
    OpenFirstParameter();
}

void TForm1::OpenFirstParameter() {
    if (!FParameters.empty() && FileExists(FParameters.front())) MenuDateiOeffnenClick(nullptr);
}

}  // namespace korvalin
