// The main window's command "Modus-Schrift": size, style and colour of one
// mode's document fonts through the per-mode font dialog.
#include "app/Haupt.h"

#include "appearance/ModusSchrift.h"
#include "appearance/SchriftDlgC.h"

namespace korvalin {

void TForm1::MenuEinstModusM0_5Click(const TMenuEntry* Sender) {
    if (!Sender) return;
    const int mode = Sender->Tag;
    TEinstellungen defaults;
    StandardEinstellungenSetzen(defaults, FExeFolder);
    const std::optional<TModusSchrift> start = ModusSchriftLesen(Einstellungen.Fonts, defaults.Fonts, mode);
    if (!start) return;

    TFontValue testFont;
    AssignFontSpec(&testFont, start->TestUnicodeBrailleS ? FUnicodeBrailleFont.GetUnicodeBrailleFontSpec(mode, 0)
                                                         : start->TestSpec);
    bool changedS = false;
    ModalDialog([&] {
        TSchriftDlg dialog(Handle(), Tolk());
        dialog.SetModus(mode);
        if (start->StandardS) dialog.StandardFont = start->Standard;
        dialog.SetTestFont(testFont);
        dialog.SetColor(start->Schrift.Color);
        dialog.SetGroesse(start->Schrift.Size);
        dialog.SetFettS(start->Schrift.Bold);
        dialog.SetKursivS(start->Schrift.Italic);
        if (dialog.ShowModal() != IDOK) return;
        const TFontValue font = ModusSchriftErgebnis(start->Schrift, mode, dialog.Groesse(), dialog.FettS(),
                                                     dialog.KursivS(), dialog.Getcolor());
        ModusSchriftSchreiben(Einstellungen.Fonts[size_t(mode)], font);
        changedS = true;
    });
    // Text already in the document keeps its format; the new fonts apply to
    // what is inserted from now on.
    if (changedS) RegistryLadenSpeichern(false);
}

}  // namespace korvalin
