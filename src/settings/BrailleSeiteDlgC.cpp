#include "settings/BrailleSeiteDlgC.h"

#include "settings/DatenC.h"
#include "util/LxUtils.h"
#include "util/TextUtils.h"

#include <commctrl.h>

#include <algorithm>

namespace korvalin {

namespace {

enum : int {
    kIdLabelZeichen = 101,
    kIdZeichen,
    kIdUpDownZeichen,
    kIdLabelZeilen,
    kIdZeilen,
    kIdUpDownZeilen,
};
constexpr int kMargin = 10;
constexpr int kLabelSpacing = 5;

int FieldValue(const TDialogEdit& edit, const TDialogControl& upDown) {
    if (const auto value = ParseBrailleSeitenZahl(edit.Text())) return *value;
    return int(upDown.Send(UDM_GETPOS32));
}

void SetFieldValue(TDialogEdit& edit, TDialogControl& upDown, int value) {
    value = std::clamp(value, kBrailleGeometryMin, kBrailleGeometryMax);
    upDown.Send(UDM_SETPOS32, 0, value);
    edit.SetText(IntToStr(value));
}

}  // namespace

TBrailleSeiteDlg::TBrailleSeiteDlg(HWND Owner, TScreenReaderOutput* Tolk) : TDialogForm(Owner), FTolk(Tolk) {
    FormCreate();
}

void TBrailleSeiteDlg::FormCreate() {
    CreateForm(u"");
    TCreateArgs args = ChildArgs();
    args.Style = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_CENTERIMAGE | SS_LEFT;
    args.Id = kIdLabelZeichen;
    LbZeichen.Create(L"STATIC", args);
    CreateNumberField(LeZeichen, kIdZeichen, UpDownZeichen, kIdUpDownZeichen, args, 1, kBrailleGeometryMax);
    args.Id = kIdLabelZeilen;
    LbZeilen.Create(L"STATIC", args);
    CreateNumberField(LeZeilen, kIdZeilen, UpDownZeilen, kIdUpDownZeilen, args, 1, kBrailleGeometryMax);
    for (TDialogEdit* edit : {&LeZeichen, &LeZeilen}) edit->OnPaste = [] { MessageBeep(0); };
    CreateOkCancel(Btn1Ok, Btn2Abbrechen);

    CaptionZuweisen();
    SetSeite({});
    SchriftartZuweisen();
}

void TBrailleSeiteDlg::CaptionZuweisen() {
    SetCaption(u"Braille-Seitenformat");
    LbZeichen.SetText(u"&Zeichen pro Zeile (1-99):");
    LbZeilen.SetText(u"Zeilen pro &Seite (1-99):");
    Btn1Ok.SetText(u"O&K");
    Btn2Abbrechen.SetText(u"&Abbrechen");
}

TBrailleGeometry TBrailleSeiteDlg::Seite() const {
    return {FieldValue(LeZeichen, UpDownZeichen), FieldValue(LeZeilen, UpDownZeilen)};
}

void TBrailleSeiteDlg::SetSeite(const TBrailleGeometry& value) {
    SetFieldValue(LeZeichen, UpDownZeichen, value.CellsPerLine);
    SetFieldValue(LeZeilen, UpDownZeilen, value.LinesPerPage);
}

void TBrailleSeiteDlg::FormShow() {
    SchriftartZuweisen();
    LeZeichen.SetFocus();
    LeZeichen.Send(EM_SETSEL, 0, -1);
}

void TBrailleSeiteDlg::SchriftartZuweisen() {
    FSchrift = CreateFontFromSpec(Einstellungen.Schriftart);
    const TDialogControl* controls[] = {&LbZeichen, &LeZeichen, &LbZeilen, &LeZeilen, &Btn1Ok, &Btn2Abbrechen};
    for (const TDialogControl* control : controls) control->SetFont(FSchrift.Get());
    SchalterEinrichten();
}

// Two rows of label and number field, the labels right-aligned to the
// fields; the buttons below.
void TBrailleSeiteDlg::SchalterEinrichten() {
    const HFONT font = FSchrift.Get();
    const int buttonHeight = FontControlHeight(font, TControlKind::Button);
    int buttonWidth = 0;
    for (const char16_t* caption : {u"O&K", u"&Abbrechen"})
        buttonWidth = std::max(buttonWidth, FontTextWidthSpaced(font, WithoutAmpersand(caption).append(u"MM")));

    const int labelWidth = std::max(FontTextWidth(font, WithoutAmpersand(LbZeichen.Text())),
                                    FontTextWidth(font, WithoutAmpersand(LbZeilen.Text())));
    const int editHeight = FontControlHeight(font, TControlKind::Edit);
    const int editLeft = kMargin + labelWidth + kLabelSpacing;
    const int editWidth = FontTextWidthSpaced(font, u"MM");
    const int upDownWidth = GetSystemMetrics(SM_CXVSCROLL);
    const struct {
        const TDialogControl& Label;
        const TDialogEdit& Edit;
        const TDialogControl& UpDown;
    } rows[] = {{LbZeichen, LeZeichen, UpDownZeichen}, {LbZeilen, LeZeilen, UpDownZeilen}};
    int top = kMargin;
    for (const auto& row : rows) {
        row.Label.SetBounds(kMargin, top, labelWidth, editHeight);
        row.Edit.SetBounds(editLeft, top, editWidth, editHeight);
        // Bound again, then put beside the edit so that the edit keeps its width.
        row.UpDown.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(row.Edit.Handle()));
        row.UpDown.SetBounds(editLeft + editWidth, top, upDownWidth, editHeight);
        top += editHeight + kMargin;
    }

    const int clientWidth = std::max(4 * buttonWidth, editLeft + editWidth + upDownWidth + kMargin);
    const int okLeft = (clientWidth - 2 * buttonWidth) / 3;
    Btn1Ok.SetBounds(okLeft, top, buttonWidth, buttonHeight);
    Btn2Abbrechen.SetBounds(2 * okLeft + buttonWidth, top, buttonWidth, buttonHeight);
    SetClientSize(clientWidth, top + buttonHeight + kMargin);
    FensterEinrichten();
}

void TBrailleSeiteDlg::FensterEinrichten() {
    HWND over = Owner();
    if (!over || !IsWindow(over)) over = GetDesktopWindow();
    CenterOver(over);
}

void TBrailleSeiteDlg::Command(int id, int code) {
    switch (id) {
    case IDOK:
        if (Btn1Ok.Enabled()) Close(IDOK);
        break;
    case IDCANCEL:
        Close(IDCANCEL);
        break;
    case kIdZeichen:
    case kIdZeilen:
        if (code == EN_CHANGE) LeChange();
        if (code == EN_SETFOCUS && FTolk)
            FTolk->Output(id == kIdZeichen ? u"Zeichen pro Zeile (1 bis 99)" : u"Zeilen pro Seite (1 bis 99)", false);
        break;
    case kIdLabelZeichen:
    case kIdLabelZeilen:
        if (code == STN_CLICKED) (id == kIdLabelZeichen ? LeZeichen : LeZeilen).SetFocus();
        break;
    }
}

void TBrailleSeiteDlg::LeChange() {
    Btn1Ok.SetEnabled(ParseBrailleSeitenZahl(LeZeichen.Text()) && ParseBrailleSeitenZahl(LeZeilen.Text()));
}

}  // namespace korvalin
