// TNummerDlg: asks for the maximum line width, a number from 0 to 99.
#pragma once

#include "appearance/FontFiles.h"
#include "speech/ScreenReaderOutput.h"
#include "util/DialogForm.h"

namespace korvalin {

class TNummerDlg : public TDialogForm {
public:
    // Owner: the window to centre over and to disable meanwhile; Tolk may be null.
    TNummerDlg(HWND Owner, TScreenReaderOutput* Tolk);

    int Position() const;
    void SetPosition(int value);

    TDialogControl LbNummer;  // the label of LeNummer
    TDialogEdit LeNummer;
    TDialogControl UpDown1;
    TDialogControl Btn1Weiter;
    TDialogControl Btn2Abbrechen;

protected:
    void FormShow() override;
    void Command(int id, int code) override;

private:
    void FormCreate();
    void CaptionZuweisen();
    void SchriftartZuweisen();
    void SchalterEinrichten();
    void FensterEinrichten();
    void LeNummerChange();
    void LeNummerEnter();
    void LeNummerSubLabelClick();
    void PuEinfuegenClick();

    TScreenReaderOutput* FTolk;
    TFontHandle FSchrift;
};

}  // namespace korvalin
