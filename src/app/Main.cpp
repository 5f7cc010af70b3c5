// The program entry: one instance per user. The first start creates the
// document window and runs the message loop with the registry watcher
// beside it; a second start hands its command line over and ends.
#include "app/Haupt.h"
#include "app/ResConst.h"
#include "settings/LxRegistry.h"
#include "util/Errors.h"
#include "util/LxUtils.h"
#include "util/Win32Text.h"

#include <commctrl.h>
#include <ole2.h>

namespace {

constexpr wchar_t kMutexName[] = L"Korvalin V1.21";
constexpr std::u16string_view kAppName = u"Korvalin";

int RunMainWindow(int showCommand) {
    using namespace korvalin;
    TForm1 form(ExeFolder());
    form.Show(showCommand);
    TWatchRegistrySettings watcher(form.Handle(), std::u16string(kAppName));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.IsFindDialogMessage(message) || form.IsShortCut(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

// A second start: leaves its files, or else a request to come to the front,
// for the running instance. Nothing is shown, whatever happens.
void HandOverToRunningInstance() {
    using namespace korvalin;
    if (!FindWindowByCaptionEnd(texts::ProgramTitle)) return;  // still starting: nothing to hand to
    const std::u16string parameters = GetParametersString();
    WriteRegistrySettings(kAppName, parameters.empty() ? TRegistrySettings::rsSetFocus(u"1")
                                                       : TRegistrySettings::rsParameters({}, parameters));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    using namespace korvalin;
    RestrictLibrarySearch();
    const HANDLE mutex = CreateMutexW(nullptr, TRUE, kMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        HandOverToRunningInstance();
        if (mutex) CloseHandle(mutex);
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // OLE carries the editor's clipboard and drag and drop.
    const bool oleS = SUCCEEDED(OleInitialize(nullptr));
    int exitCode = 1;
    try {
        exitCode = RunMainWindow(showCommand);
    } catch (const EKorvalin& error) {
        MessageBoxW(nullptr, WStr(error.Message()), WStr(std::u16string(texts::ProgramTitle)), MB_ICONERROR | MB_OK);
    }
    if (oleS) OleUninitialize();
    if (mutex) CloseHandle(mutex);
    return exitCode;
}
