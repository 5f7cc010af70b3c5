#include "input/TastaturtestDlgC.h"

#include "settings/DatenC.h"
#include "util/LxUtils.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <commctrl.h>

#include <algorithm>

namespace korvalin {

namespace {

enum : int { kIdPunkttasten = 101 };
constexpr int kMargin = 10;
constexpr int kLabelSpacing = 5;
constexpr int kVerdictLines = 3;

// The key event a key message's lParam describes (scan code, extended
// flag). Modifiers play no part: the check is of the keyboard.
TKeyEvent KeyEventOf(LPARAM lParam) {
    TKeyEvent event;
    event.ScanCode = (DWORD(lParam) >> 16) & 0xFF;
    event.Flags = (lParam & (1 << 24)) ? kLlkhfExtended : 0;
    return event;
}

bool IsKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP ||
           message == WM_CHAR || message == WM_SYSCHAR;
}

// The height of Text wrapped to Width in Font.
int WrappedTextHeight(HFONT font, const std::u16string& text, int width) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    RECT bounds{0, 0, width, 0};
    DrawTextW(dc, WStr(text), int(text.size()), &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return bounds.bottom;
}

}  // namespace

TTastaturtestDlg::TTastaturtestDlg(HWND Owner, TScreenReaderOutput* Tolk) : TDialogForm(Owner), FTolk(Tolk) {
    FormCreate();
}

void TTastaturtestDlg::FormCreate() {
    CreateForm(u"");
    TCreateArgs args = ChildArgs();
    args.Style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    LbAnleitung.Create(L"STATIC", args);
    args.Style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE;
    LbPunkttasten.Create(L"STATIC", args);

    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL;
    args.ExStyle = WS_EX_CLIENTEDGE;
    args.Id = kIdPunkttasten;
    EdPunkttasten.Create(L"EDIT", args);
    SetWindowSubclass(EdPunkttasten.Handle(), EdPunkttastenProc, 1, reinterpret_cast<DWORD_PTR>(this));

    args.Style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    args.ExStyle = 0;
    args.Id = 0;
    LbHoechstens.Create(L"STATIC", args);
    LbUrteil.Create(L"STATIC", args);

    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
    args.Id = IDCANCEL;
    BtnSchliessen.Create(L"BUTTON", args);

    CaptionZuweisen();
    SchriftartZuweisen();
}

void TTastaturtestDlg::CaptionZuweisen() {
    SetCaption(std::u16string(texts::KeyCheckCaption));
    LbAnleitung.SetText(std::u16string(texts::KeyCheckInstruction));
    LbPunkttasten.SetText(std::u16string(texts::KeyCheckField));
    BtnSchliessen.SetText(std::u16string(texts::KeyCheckClose));
    ShowCheck();
}

void TTastaturtestDlg::ShowCheck() {
    EdPunkttasten.SetText(FCheck.DownText());
    LbHoechstens.SetText(FCheck.MostHeldText());
    LbUrteil.SetText(FCheck.Verdict());
}

void TTastaturtestDlg::FormShow() {
    SchriftartZuweisen();
    EdPunkttasten.SetFocus();
}

void TTastaturtestDlg::SchriftartZuweisen() {
    FSchrift = CreateFontFromSpec(Einstellungen.Schriftart);
    const TDialogControl* controls[] = {&LbAnleitung, &LbPunkttasten, &EdPunkttasten,
                                        &LbHoechstens, &LbUrteil, &BtnSchliessen};
    for (const TDialogControl* control : controls) control->SetFont(FSchrift.Get());
    SchalterEinrichten();
}

void TTastaturtestDlg::SchalterEinrichten() {
    const HFONT font = FSchrift.Get();
    const int buttonHeight = FontControlHeight(font, TControlKind::Button);
    const int buttonWidth = FontTextWidthSpaced(font, WithoutAmpersand(texts::KeyCheckClose).append(u"MM"));
    const int editHeight = FontControlHeight(font, TControlKind::Edit);
    const int lineHeight = FontTextHeight(font);
    const int width = std::max(FontTextWidth(font, texts::KeyCheckSixDotsOnly), 3 * buttonWidth);

    int top = kMargin;
    const int instructionHeight = WrappedTextHeight(font, LbAnleitung.Text(), width);
    LbAnleitung.SetBounds(kMargin, top, width, instructionHeight);
    top += instructionHeight + kMargin;

    const int labelWidth = FontTextWidth(font, WithoutAmpersand(texts::KeyCheckField));
    LbPunkttasten.SetBounds(kMargin, top, labelWidth, editHeight);
    const int editLeft = kMargin + labelWidth + kLabelSpacing;
    EdPunkttasten.SetBounds(editLeft, top, kMargin + width - editLeft, editHeight);
    top += editHeight + kMargin;

    LbHoechstens.SetBounds(kMargin, top, width, lineHeight);
    top += lineHeight + kMargin;
    LbUrteil.SetBounds(kMargin, top, width, kVerdictLines * lineHeight);
    top += kVerdictLines * lineHeight + kMargin;

    BtnSchliessen.SetBounds(kMargin + (width - buttonWidth) / 2, top, buttonWidth, buttonHeight);
    SetClientSize(width + 2 * kMargin, top + buttonHeight + kMargin);
    FensterEinrichten();
}

void TTastaturtestDlg::FensterEinrichten() {
    HWND over = Owner();
    if (!over || !IsWindow(over)) over = GetDesktopWindow();
    CenterOver(over);
}

void TTastaturtestDlg::Command(int id, int code) {
    if (id == IDOK || id == IDCANCEL) Close(IDCANCEL);
    if (id == kIdPunkttasten && code == EN_SETFOCUS && FTolk) FTolk->Output(std::u16string(texts::KeyCheckFieldSpoken), false);
}

bool TTastaturtestDlg::EdPunkttastenKey(UINT message, LPARAM lParam) {
    const TKeyEvent event = KeyEventOf(lParam);
    if (message == WM_CHAR || message == WM_SYSCHAR) return KeyToDot(&event) != 0;  // the letter of a dot key
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const TKeyCheckStep step = FCheck.KeyEvent(event, down);
    if (step == TKeyCheckStep::NotADotKey) return false;
    if (step != TKeyCheckStep::Unchanged) ShowCheck();
    if (step == TKeyCheckStep::AttemptEnded && FTolk) FTolk->Output(FCheck.AttemptText(), true);
    return true;
}

LRESULT CALLBACK TTastaturtestDlg::EdPunkttastenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                     DWORD_PTR selfData) {
    auto* self = reinterpret_cast<TTastaturtestDlg*>(selfData);
    switch (message) {
    case WM_GETDLGCODE: {
        // The dot keys are this field's, not the dialog's mnemonics.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && IsKeyMessage(key->message)) {
            const TKeyEvent event = KeyEventOf(key->lParam);
            if (KeyToDot(&event)) return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        }
        break;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        if (self->EdPunkttastenKey(message, lParam)) return 0;
        break;
    case WM_KILLFOCUS:
        self->FCheck.ReleaseAll();  // its key-ups go elsewhere now
        self->ShowCheck();
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, EdPunkttastenProc, 1);
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace korvalin
