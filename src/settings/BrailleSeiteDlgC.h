// TBrailleSeiteDlg: asks for the braille page, cells per line and lines
// per page, each a number from 1 to 99.
#pragma once

#include "appearance/FontFiles.h"
#include "settings/BrailleSeite.h"
#include "speech/ScreenReaderOutput.h"
#include "util/DialogForm.h"

namespace korvalin {

class TBrailleSeiteDlg : public TDialogForm {
public:
    // Owner: the window to centre over and to disable meanwhile; Tolk may be null.
    TBrailleSeiteDlg(HWND Owner, TScreenReaderOutput* Tolk);

    // The page the fields show; a field that holds no valid number gives
    // its spin control's value.
    TBrailleGeometry Seite() const;
    void SetSeite(const TBrailleGeometry& value);

    TDialogControl LbZeichen;  // the label of LeZeichen
    TDialogEdit LeZeichen;
    TDialogControl UpDownZeichen;
    TDialogControl LbZeilen;  // the label of LeZeilen
    TDialogEdit LeZeilen;
    TDialogControl UpDownZeilen;
    TDialogControl Btn1Ok;
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
    // OK is enabled while both fields hold a valid number.
    void LeChange();

    TScreenReaderOutput* FTolk;
    TFontHandle FSchrift;
};

}  // namespace korvalin
