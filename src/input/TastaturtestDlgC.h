// TTastaturtestDlg: the keyboard check. A focused field takes the dot keys
// by their scan codes and shows live which are down; below it the most held
// at once and whether this keyboard can write 6-dot and 8-dot chords, which
// the screen reader also hears when the keys are released.
#pragma once

#include "appearance/FontFiles.h"
#include "input/KeyboardCheck.h"
#include "speech/ScreenReaderOutput.h"
#include "util/DialogForm.h"

namespace korvalin {

class TTastaturtestDlg : public TDialogForm {
public:
    // Owner: the window to centre over and to disable meanwhile; Tolk may be null.
    TTastaturtestDlg(HWND Owner, TScreenReaderOutput* Tolk);

    const TKeyboardCheck& Check() const { return FCheck; }

    TDialogControl LbAnleitung;
    TDialogControl LbPunkttasten;  // the label of EdPunkttasten
    TDialogControl EdPunkttasten;  // read-only; wants the dot keys, shows which are down
    TDialogControl LbHoechstens;
    TDialogControl LbUrteil;
    TDialogControl BtnSchliessen;

protected:
    void FormShow() override;
    void Command(int id, int code) override;

private:
    void FormCreate();
    void CaptionZuweisen();
    void SchriftartZuweisen();
    void SchalterEinrichten();
    void FensterEinrichten();
    void ShowCheck();
    // A key message of EdPunkttasten; false when it is no dot key's.
    bool EdPunkttastenKey(UINT message, LPARAM lParam);
    static LRESULT CALLBACK EdPunkttastenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR self);

    TScreenReaderOutput* FTolk;
    TFontHandle FSchrift;
    TKeyboardCheck FCheck;
};

}  // namespace korvalin
