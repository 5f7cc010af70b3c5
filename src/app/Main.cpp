// The program entry: creates the document window and runs the message loop.
#include "app/Haupt.h"
#include "app/ResConst.h"
#include "util/Errors.h"
#include "util/LxUtils.h"
#include "util/Win32Text.h"

#include <commctrl.h>
#include <ole2.h>

namespace {

int RunMainWindow(int showCommand) {
    using namespace korvalin;
    TForm1 form(ExeFolder());
    form.Show(showCommand);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.IsShortCut(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    using namespace korvalin;
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
    return exitCode;
}
