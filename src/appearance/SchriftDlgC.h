// TSchriftDlg: size, bold, italic and colour of the document font of one
// input mode, with a test line in the mode's own face.
#pragma once

#include "appearance/FontFiles.h"
#include "appearance/ModusSchrift.h"
#include "speech/ScreenReaderOutput.h"
#include "util/DialogForm.h"

#include <string>
#include <vector>

namespace korvalin {

class TSchriftDlg : public TDialogForm {
public:
    // Owner: the window to centre over and to disable meanwhile; Tolk may be
    // null. The input colours are the forms' defaults.
    TSchriftDlg(HWND Owner, TScreenReaderOutput* Tolk);
    ~TSchriftDlg() override;

    int Modus() const { return FModus; }
    // Sets the mode, the caption and the test line, and applies the style
    // rule to the check boxes.
    void SetModus(int value);

    // What "&Standard" restores.
    TFontValue StandardFont;
    // The identifiers of the colour list's rows, row by row.
    std::vector<std::u16string> Farben;

    // The face, charset, underline and strike-out of the test line; its
    // size, style and colour follow the fields.
    void SetTestFont(const TFontValue& font);
    const TFontValue& TestFont() const { return FTestFont; }

    // The size field's number, else the spinner's position.
    int Groesse() const;
    void SetGroesse(int value);
    bool FettS() const;
    bool KursivS() const;
    void SetFettS(bool value) const;
    void SetKursivS(bool value) const;
    // The colour of the focused row, else that of StandardFont.
    TColor Getcolor() const;
    // Focuses and selects the row of C (row 0 when it has none).
    void SetColor(TColor C);
    // The row that has the focus, -1 for none.
    int FocusedRow() const;

    TDialogControl LbGroesse;  // the label of Le1Size
    TDialogEdit Le1Size;
    TDialogControl UpDown1;
    TDialogControl CheckBox1;
    TDialogControl CheckBox2;
    TDialogControl ListView1;
    TDialogControl LbTestzeile;  // the label of Edit1
    TDialogControl Edit1;
    TDialogControl Btn1Standard;
    TDialogControl Btn2Weiter;
    TDialogControl Btn3Abbrechen;

protected:
    void FormShow() override;
    void Command(int id, int code) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void CaptionZuweisen();
    void SchriftstilEinrichten();
    void SchriftartZuweisen();
    void SchalterEinrichten();
    void FensterEinrichten();
    void EditEinrichten();
    void Btn1StandardClick();
    void Le1SizeChange();
    void CheckBox1Click();
    void ListView1SelectItem();
    void Le1SizeSubLabelClick();
    void PuEinfuegenClick();
    void Enters(int Tag);
    // The colours of the size label, the check boxes and the test line; null
    // for every other control.
    HBRUSH ControlColors(HWND control, HDC dc);
    static LRESULT CALLBACK TestEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);

    TScreenReaderOutput* FTolk;
    int FModus = 0;
    bool FBuiltS = false;
    HBRUSH FHintergrundBrush = nullptr;  // of the input background, for the labels and check boxes
    COLORREF FHintergrundBrushColor = 0;
    TFontValue FSchriftWert;  // the user-interface font
    TFontHandle FSchrift;
    TFontValue FTestFont;
    TFontHandle FTestSchrift;
    TSchriftDlgLayout FLayout;
};

}  // namespace korvalin
