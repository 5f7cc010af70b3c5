// The program entry: creates the document window and runs the message loop.
#include "app/Haupt.h"
#include "app/ResConst.h"
#include "util/Errors.h"
#include "util/LxUtils.h"
#include "util/Win32Text.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    using namespace korvalin;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        TForm1 form(ExeFolder());
        form.Show(showCommand);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return int(message.wParam);
    } catch (const EKorvalin& error) {
        MessageBoxW(nullptr, WStr(error.Message()), WStr(std::u16string(texts::ProgramTitle)), MB_ICONERROR | MB_OK);
        return 1;
    }
}
