// The user-interface font and the background colour of the main window:
// the background number, the colours it gives the editor and the dialogs,
// and the command that opens the font and background dialog.
#include "app/Haupt.h"

#include "appearance/LxBackFontColors.h"
#include "appearance/LxBackFontDlg.h"
#include "util/DialogForm.h"

namespace korvalin {

void TForm1::SetHintergrundNr(int Value) {
    FHintergrundForm.SetHintergrundNr(Value);
    Einstellungen.Schrifthintergrund = FHintergrundForm.HintergrundNr();
    SchriftartZuweisen();
}

void TForm1::HintergrundZuweisen() {
    TFontValue font;
    AssignFontSpec(&font, Einstellungen.Schriftart);
    const COLORREF background = ColorToRGB(HintergrundFarbe());
    TDialogForm::SetDefaultInputColors({background, ColorToRGB(font.Color)});
    if (RichEdit1.Handle()) RichEdit1.Send(EM_SETBKGNDCOLOR, 0, LPARAM(background));
}

void TForm1::MenuAnsSchriftartClick(const TMenuEntry*) {
    bool changedS = false;
    ModalDialog([&] {
        TFontValue font;
        AssignFontSpec(&font, Einstellungen.Schriftart);
        TBackFontDlg dialog(Handle(), HintergrundFarbe(), font, Tolk());
        dialog.OnMessageDlg = OnMessageDlg;
        if (dialog.ShowModal() != IDOK) return;
        TFontValue chosen;
        dialog.GetNewFont(chosen);
        Einstellungen.Schriftart = FontToSpec(InterfaceFont(font, chosen));
        SetHintergrundNr(HintergrundNrForColor(dialog.NewBackColor()));
        changedS = true;
    });
    if (changedS) RegistryLadenSpeichern(false);
}

}  // namespace korvalin
