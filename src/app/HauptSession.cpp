// The main window's end from outside: a close request while dialogs are
// open, and the end of the Windows session. Open dialogs are cancelled
// first, by their own rules, so that neither the save question nor the
// settings see what a dialog was about to undo; no window goes while a
// dialog's loop is still running.
#include "app/Haupt.h"

#include "util/DialogForm.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

namespace korvalin {

void TForm1::CloseRequest() {
    if (FModalLevel > 0) {  // the window closes once the last dialog's loop has ended
        FClosePendingS = true;
        CancelModalWindows(Handle());
        return;
    }
    if (!ProgramClosing) {
        if (!FormCloseQuery()) return;
        FormClose();
    }
    DestroyWindow(Handle());
}

// The save question; Cancel, or a save that failed, refuses the end and
// leaves Windows the reason to show.
LRESULT TForm1::WMQueryEndSession() {
    if (ProgramClosing) return TRUE;
    CancelModalWindows(Handle());
    if (!RichEdit1.Modified()) return TRUE;
    // A stub under Wine that fails: the question is asked all the same.
    ShutdownBlockReasonCreate(Handle(), WStr(Format(texts::ShutdownBlockReason, {ExtractFileName(FFilename)})));
    if (!SpeichernTestOk()) return FALSE;
    ShutdownBlockReasonDestroy(Handle());
    return TRUE;
}

// The process may be ended as soon as this returns: the settings are
// written and the window goes here, without a second question.
void TForm1::WMEndSession(bool endingS) {
    ShutdownBlockReasonDestroy(Handle());
    if (!endingS || ProgramClosing) return;
    CancelModalWindows(Handle());
    FormClose();
    CloseRequest();
}

}  // namespace korvalin
