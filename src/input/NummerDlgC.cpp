#include "input/NummerDlgC.h"

#include "input/Zeilenbreite.h"
#include "settings/DatenC.h"
#include "util/LxUtils.h"
#include "util/TextUtils.h"

#include <commctrl.h>

#include <algorithm>

namespace korvalin {

namespace {

enum : int { kIdLabel = 101, kIdNummer = 102, kIdUpDown = 103 };
constexpr int kMargin = 10;
constexpr int kLabelSpacing = 5;

}  // namespace

TNummerDlg::TNummerDlg(HWND Owner, TScreenReaderOutput* Tolk) : TDialogForm(Owner), FTolk(Tolk) { FormCreate(); }

void TNummerDlg::FormCreate() {
    CreateForm(u"");
    TCreateArgs args = ChildArgs();

    args.Style = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_CENTERIMAGE | SS_LEFT;
    args.Id = kIdLabel;
    LbNummer.Create(L"STATIC", args);

    CreateNumberField(LeNummer, kIdNummer, UpDown1, kIdUpDown, args, 0, kMaxZeilenbreiteLimit);
    LeNummer.OnPaste = [this] { PuEinfuegenClick(); };

    CreateOkCancel(Btn1Weiter, Btn2Abbrechen);

    CaptionZuweisen();
    SetPosition(0);
    SchriftartZuweisen();
}

void TNummerDlg::CaptionZuweisen() {
    SetCaption(u"Maximale Zeilenbreite eingeben");
    LbNummer.SetText(u"&Breite (0-99):");
    Btn1Weiter.SetText(u"O&K");
    Btn2Abbrechen.SetText(u"&Abbrechen");
}

int TNummerDlg::Position() const {
    if (const auto value = ParseZeilenbreite(LeNummer.Text())) return *value;
    return int(UpDown1.Send(UDM_GETPOS32));
}

void TNummerDlg::SetPosition(int value) {
    value = ClampMaxZeilenbreite(value);
    UpDown1.Send(UDM_SETPOS32, 0, value);
    LeNummer.SetText(IntToStr(value));  // also when the spin control sets no text
}

void TNummerDlg::FormShow() {
    SchriftartZuweisen();
    LeNummer.SetFocus();
    LeNummer.Send(EM_SETSEL, 0, -1);
}

void TNummerDlg::SchriftartZuweisen() {
    FSchrift = CreateFontFromSpec(Einstellungen.Schriftart);
    const TDialogControl* controls[] = {&LbNummer, &LeNummer, &Btn1Weiter, &Btn2Abbrechen};
    for (const TDialogControl* control : controls) control->SetFont(FSchrift.Get());
    SchalterEinrichten();
}

void TNummerDlg::SchalterEinrichten() {
    const HFONT font = FSchrift.Get();
    const int buttonHeight = FontControlHeight(font, TControlKind::Button);
    int buttonWidth = 0;
    for (const char16_t* caption : {u"O&K", u"&Abbrechen"})
        buttonWidth = std::max(buttonWidth, FontTextWidthSpaced(font, WithoutAmpersand(caption).append(u"MM")));

    const int labelWidth = FontTextWidth(font, WithoutAmpersand(LbNummer.Text()));
    const int editHeight = FontControlHeight(font, TControlKind::Edit);
    const int editLeft = labelWidth + kLabelSpacing + kMargin;
    const int editWidth = FontTextWidthSpaced(font, u"MM");
    LeNummer.SetBounds(editLeft, kMargin, editWidth, editHeight);
    LbNummer.SetBounds(editLeft - kLabelSpacing - labelWidth, kMargin, labelWidth, editHeight);

    const int upDownWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int clientWidth = std::max(4 * buttonWidth, editLeft + editWidth + upDownWidth + kMargin);
    const int buttonTop = kMargin + editHeight + kMargin;
    const int okLeft = (clientWidth - 2 * buttonWidth) / 3;
    Btn1Weiter.SetBounds(okLeft, buttonTop, buttonWidth, buttonHeight);
    Btn2Abbrechen.SetBounds(2 * okLeft + buttonWidth, buttonTop, buttonWidth, buttonHeight);
    SetClientSize(clientWidth, buttonTop + buttonHeight + kMargin);

    // Bound again, then put beside the edit so that the edit keeps its width.
    UpDown1.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(LeNummer.Handle()));
    UpDown1.SetBounds(editLeft + editWidth, kMargin, upDownWidth, editHeight);
    FensterEinrichten();
}

void TNummerDlg::FensterEinrichten() {
    HWND over = Owner();
    if (!over || !IsWindow(over)) over = GetDesktopWindow();
    CenterOver(over);
}

void TNummerDlg::Command(int id, int code) {
    switch (id) {
    case IDOK:
        if (Btn1Weiter.Enabled()) Close(IDOK);
        break;
    case IDCANCEL:
        Close(IDCANCEL);
        break;
    case kIdNummer:
        if (code == EN_CHANGE) LeNummerChange();
        if (code == EN_SETFOCUS) LeNummerEnter();
        break;
    case kIdLabel:
        if (code == STN_CLICKED) LeNummerSubLabelClick();
        break;
    }
}

void TNummerDlg::LeNummerChange() { Btn1Weiter.SetEnabled(ParseZeilenbreite(LeNummer.Text()).has_value()); }

void TNummerDlg::LeNummerEnter() {
    if (FTolk) FTolk->Output(u"Breite (0 bis 99)", false);
}

void TNummerDlg::LeNummerSubLabelClick() { LeNummer.SetFocus(); }

void TNummerDlg::PuEinfuegenClick() { MessageBeep(0); }

}  // namespace korvalin
