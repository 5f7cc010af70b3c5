#include "appearance/SchriftDlgC.h"

#include "settings/DatenC.h"
#include "util/LxUtils.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <commctrl.h>

#include <algorithm>

namespace korvalin {

namespace {

enum : int {
    kIdGroesseLabel = 101,
    kIdGroesse,
    kIdUpDown,
    kIdCheckBox1,
    kIdCheckBox2,
    kIdListView,
    kIdTestLabel,
    kIdTest,
    kIdStandard,
};
// The tags of the fields that announce themselves.
enum : int { kTagGroesse = 1, kTagFarbe = 2, kTagTestzeile = 3 };
constexpr UINT_PTR kTestEditSubclass = 2;

void Place(const TDialogControl& control, const TDlgRect& rect) {
    control.SetBounds(rect.Left, rect.Top, rect.Width, rect.Height);
}

}  // namespace

TSchriftDlg::TSchriftDlg(HWND Owner, TScreenReaderOutput* Tolk) : TDialogForm(Owner), FTolk(Tolk) { FormCreate(); }

TSchriftDlg::~TSchriftDlg() {
    if (FHintergrundBrush) DeleteObject(FHintergrundBrush);
}

void TSchriftDlg::FormCreate() {
    FModus = 0;
    AssignFontSpec(&StandardFont, u"");
    FTestFont = StandardFont;
    CreateForm(u"");
    TCreateArgs args = ChildArgs();

    // Created in Tab order; a label right before its field, so that its
    // accelerator reaches the field.
    args.Style = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_CENTERIMAGE | SS_LEFT;
    args.Id = kIdGroesseLabel;
    LbGroesse.Create(L"STATIC", args);

    CreateNumberField(Le1Size, kIdGroesse, UpDown1, kIdUpDown, args, kSchriftGroesseMin, kSchriftGroesseMax);
    Le1Size.OnPaste = [this] { PuEinfuegenClick(); };

    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
    args.Id = kIdCheckBox1;
    CheckBox1.Create(L"BUTTON", args);
    args.Id = kIdCheckBox2;
    CheckBox2.Create(L"BUTTON", args);

    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
    args.ExStyle = WS_EX_CLIENTEDGE;
    args.Id = kIdListView;
    ListView1.Create(WC_LISTVIEWW, args);
    ListView1.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                   LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    // The first column of a list view is always left-aligned: the centred
    // column goes in second and becomes the first when the first goes.
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    ListView1.Send(LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    column.fmt = LVCFMT_CENTER;
    ListView1.Send(LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    ListView1.Send(LVM_DELETECOLUMN, 0);

    args.Style = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_LEFT;
    args.ExStyle = 0;
    args.Id = kIdTestLabel;
    LbTestzeile.Create(L"STATIC", args);

    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
    args.ExStyle = WS_EX_CLIENTEDGE;
    args.Id = kIdTest;
    Edit1.Create(L"EDIT", args);
    SetWindowSubclass(Edit1.Handle(), TestEditProc, kTestEditSubclass, reinterpret_cast<DWORD_PTR>(this));

    args.ExStyle = 0;
    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    args.Id = kIdStandard;
    Btn1Standard.Create(L"BUTTON", args);
    CreateOkCancel(Btn2Weiter, Btn3Abbrechen);

    CaptionZuweisen();
    SetGroesse(kSchriftGroesseMin);
    SchriftartZuweisen();
    FBuiltS = true;
    SchriftstilEinrichten();
}

void TSchriftDlg::CaptionZuweisen() {
    SetCaption(Format(SchriftDlgCaption, {std::int64_t(FModus)}));
    LbGroesse.SetText(Format(SchriftDlgGroesseLabel, {std::int64_t(kSchriftGroesseMin), std::int64_t(kSchriftGroesseMax)}));
    CheckBox1.SetText(u"&Fett");
    CheckBox2.SetText(u"K&ursiv");
    LbTestzeile.SetText(u"&Testzeile:");
    Btn1Standard.SetText(u"&Standard");
    Btn2Weiter.SetText(u"O&K");
    Btn3Abbrechen.SetText(u"&Abbrechen");
    // The list's accessible name, as its column says.
    ListView1.SetText(std::u16string(SchriftDlgTolkFarbe));

    std::u16string heading(SchriftDlgTolkFarbe);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(WStr(heading));
    ListView1.Send(LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));

    ListView1.Send(LVM_DELETEALLITEMS);
    Farben.clear();
    for (const TSchriftFarbe& farbe : SchriftFarben) {
        std::u16string name(farbe.Name);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = int(Farben.size());
        item.pszText = const_cast<wchar_t*>(WStr(name));
        ListView1.Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        Farben.emplace_back(farbe.Ident);
    }
}

void TSchriftDlg::SetModus(int value) {
    FModus = value;
    SetCaption(Format(SchriftDlgCaption, {std::int64_t(FModus)}));
    Edit1.SetText(TestzeileText(FModus));
    SchriftstilEinrichten();
}

void TSchriftDlg::SetTestFont(const TFontValue& font) {
    FTestFont = font;
    SchriftstilBereinigen(FTestFont, FModus);
    SchalterEinrichten();  // the test line's height follows its face
}

int TSchriftDlg::Groesse() const {
    if (const auto value = ParseSchriftGroesse(Le1Size.Text())) return *value;
    return int(UpDown1.Send(UDM_GETPOS32));
}

void TSchriftDlg::SetGroesse(int value) {
    value = std::clamp(value, kSchriftGroesseMin, kSchriftGroesseMax);
    UpDown1.Send(UDM_SETPOS32, 0, value);
    Le1Size.SetText(IntToStr(value));  // also when the spinner sets no text
}

bool TSchriftDlg::FettS() const { return CheckBox1.Send(BM_GETCHECK) == BST_CHECKED; }
bool TSchriftDlg::KursivS() const { return CheckBox2.Send(BM_GETCHECK) == BST_CHECKED; }
void TSchriftDlg::SetFettS(bool value) const { CheckBox1.Send(BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED); }
void TSchriftDlg::SetKursivS(bool value) const { CheckBox2.Send(BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED); }

int TSchriftDlg::FocusedRow() const { return int(ListView1.Send(LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED)); }

TColor TSchriftDlg::Getcolor() const {
    const int row = FocusedRow();
    if (row < 0 || size_t(row) >= Farben.size()) return StandardFont.Color;
    try {
        return StringToColor(Farben[size_t(row)]);
    } catch (const std::exception&) {
        return StandardFont.Color;
    }
}

void TSchriftDlg::SetColor(TColor C) {
    const int row = SchriftFarbzeile(C);
    const int count = int(ListView1.Send(LVM_GETITEMCOUNT));
    if (row >= count) return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ListView1.Send(LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));  // every row
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView1.Send(LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&state));
    ListView1.Send(LVM_SETSELECTIONMARK, 0, row);
    ListView1.Send(LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
    EditEinrichten();  // also when the row was selected already
}

void TSchriftDlg::FormShow() {
    SchriftartZuweisen();
    SchriftstilEinrichten();
    Le1Size.SetFocus();
    Le1Size.Send(EM_SETSEL, 0, -1);
}

void TSchriftDlg::SchriftstilEinrichten() {
    const bool erlaubtS = SchriftstilErlaubt(FModus);
    if (!erlaubtS) {
        SetFettS(false);
        SetKursivS(false);
    }
    CheckBox1.SetEnabled(erlaubtS);
    CheckBox2.SetEnabled(erlaubtS);
    EditEinrichten();
}

void TSchriftDlg::SchriftartZuweisen() {
    AssignFontSpec(&FSchriftWert, Einstellungen.Schriftart);
    TFontHandle font = CreateFontFromValue(FSchriftWert);
    const TDialogControl* controls[] = {&LbGroesse,   &Le1Size,      &CheckBox1,  &CheckBox2,    &ListView1,
                                        &LbTestzeile, &Btn1Standard, &Btn2Weiter, &Btn3Abbrechen};
    for (const TDialogControl* control : controls) control->SetFont(font.Get());
    FSchrift = std::move(font);  // the old font goes once no control uses it
    ApplyInputColors();  // the colour list
    SchalterEinrichten();
}

void TSchriftDlg::SchalterEinrichten() {
    const HFONT font = FSchrift.Get();
    TSchriftDlgMasse m;
    HWND owner = Owner();
    if (!owner || !IsWindow(owner)) owner = GetDesktopWindow();
    RECT ownerBounds{}, own{}, client{};
    GetWindowRect(owner, &ownerBounds);
    GetWindowRect(Handle(), &own);
    GetClientRect(Handle(), &client);
    m.OwnerWidth = ownerBounds.right - ownerBounds.left;
    m.FrameWidth = (own.right - own.left) - (client.right - client.left);

    m.ButtonHeight = FontControlHeight(font, TControlKind::Button);
    m.ButtonWidth = FontTextWidthSpaced(
        font, LaengsteBeschriftung({Btn1Standard.Text(), Btn2Weiter.Text(), Btn3Abbrechen.Text()}).append(u"MM"));
    m.GroesseLabelWidth = FontTextWidthSpaced(font, LaengsteBeschriftung({LbGroesse.Text()}));
    m.GroesseWidth = FontTextWidthSpaced(font, u"MM");
    m.GroesseHeight = FontControlHeight(font, TControlKind::Edit);
    m.UpDownWidth = GetSystemMetrics(SM_CXVSCROLL);
    m.CheckBox1Width = FontTextWidthSpaced(font, LaengsteBeschriftung({CheckBox1.Text()}).append(u"MM"));
    m.CheckBox2Width = FontTextWidthSpaced(font, LaengsteBeschriftung({CheckBox2.Text()}).append(u"MM"));
    m.CheckBoxHeight = FontControlHeight(font, TControlKind::CheckBox);
    m.TestLabelHeight = FontControlHeight(font, TControlKind::Other);
    TFontValue largest = FTestFont;
    largest.Size = kSchriftGroesseMax;
    m.TestHeightMax = FontControlHeight(CreateFontFromValue(largest).Get(), TControlKind::Edit);
    for (const TSchriftFarbe& farbe : SchriftFarben) {
        const int width = FontTextWidthSpaced(font, std::u16string(farbe.Name).append(u"MM"));
        m.ListViewMinWidth = std::max(m.ListViewMinWidth, width);
    }
    m.ListViewMinWidth += GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
    FLayout = SchriftDlgLayout(m);

    Place(LbGroesse, FLayout.GroesseLabel);
    Place(Le1Size, FLayout.Groesse);
    Place(CheckBox1, FLayout.CheckBox1);
    Place(CheckBox2, FLayout.CheckBox2);
    Place(ListView1, FLayout.ListView);
    RECT listClient{};
    GetClientRect(ListView1.Handle(), &listClient);
    ListView1.Send(LVM_SETCOLUMNWIDTH, 0, listClient.right - listClient.left);
    EditEinrichten();
    Place(Btn1Standard, FLayout.Standard);
    Place(Btn2Weiter, FLayout.Ok);
    Place(Btn3Abbrechen, FLayout.Abbrechen);
    SetClientSize(FLayout.ClientWidth, FLayout.ClientHeight);

    // Bound again, then put beside the edit so that the edit keeps its width.
    UpDown1.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(Le1Size.Handle()));
    Place(UpDown1, FLayout.UpDown);
    FensterEinrichten();
}

void TSchriftDlg::FensterEinrichten() {
    HWND over = Owner();
    if (!over || !IsWindow(over)) over = GetDesktopWindow();
    CenterOver(over);
}

void TSchriftDlg::EditEinrichten() {
    TFontValue shown = FTestFont;
    shown.Size = Groesse();
    shown.Bold = FettS();
    shown.Italic = KursivS();
    shown.Color = Getcolor();
    FTestFont = shown;
    TFontHandle font = CreateFontFromValue(shown);
    Edit1.SetFont(font.Get());
    FTestSchrift = std::move(font);  // the old font goes once the edit no longer uses it
    Edit1.Send(EM_SETSEL, 0, 0);
    Edit1.Send(EM_SCROLLCARET);
    const int labelHeight = FontControlHeight(FSchrift.Get(), TControlKind::Other);
    const TTestzeileLayout place =
        TestzeileLayout(FLayout, labelHeight, FontControlHeight(FTestSchrift.Get(), TControlKind::Edit));
    Place(LbTestzeile, place.Label);
    Place(Edit1, place.Test);
    InvalidateRect(Edit1.Handle(), nullptr, TRUE);
}

void TSchriftDlg::Btn1StandardClick() {
    SetGroesse(StandardFont.Size);
    SetFettS(StandardFont.Bold);
    SetKursivS(StandardFont.Italic);
    SchriftstilEinrichten();
    SetColor(StandardFont.Color);
    Le1Size.Send(EM_SETSEL, 0, -1);
    Le1Size.SetFocus();
}

void TSchriftDlg::Le1SizeChange() {
    const bool validS = ParseSchriftGroesse(Le1Size.Text()).has_value();
    Btn2Weiter.SetEnabled(validS);
    if (validS && FBuiltS) EditEinrichten();
}

void TSchriftDlg::CheckBox1Click() { EditEinrichten(); }

void TSchriftDlg::ListView1SelectItem() { EditEinrichten(); }

void TSchriftDlg::Le1SizeSubLabelClick() { Le1Size.SetFocus(); }

void TSchriftDlg::PuEinfuegenClick() { MessageBeep(0); }

void TSchriftDlg::Enters(int Tag) {
    if (!FTolk) return;
    switch (Tag) {
    case kTagGroesse:
        FTolk->Output(Format(SchriftDlgTolkGroesse, {std::int64_t(kSchriftGroesseMin), std::int64_t(kSchriftGroesseMax)}),
                      false);
        break;
    case kTagFarbe:
        FTolk->Output(std::u16string(SchriftDlgTolkFarbe), false);
        break;
    case kTagTestzeile:
        FTolk->Output(std::u16string(SchriftDlgTolkTestzeile), false);
        break;
    }
}

void TSchriftDlg::Command(int id, int code) {
    switch (id) {
    case IDOK:
        if (Btn2Weiter.Enabled()) Close(IDOK);
        break;
    case IDCANCEL:
        Close(IDCANCEL);
        break;
    case kIdStandard:
        if (code == BN_CLICKED) Btn1StandardClick();
        break;
    case kIdGroesse:
        if (code == EN_CHANGE) Le1SizeChange();
        if (code == EN_SETFOCUS) Enters(kTagGroesse);
        break;
    case kIdGroesseLabel:
        if (code == STN_CLICKED) Le1SizeSubLabelClick();
        break;
    case kIdCheckBox1:
    case kIdCheckBox2:
        if (code == BN_CLICKED) CheckBox1Click();
        break;
    case kIdTestLabel:
        if (code == STN_CLICKED) Edit1.SetFocus();
        break;
    case kIdTest:
        if (code == EN_SETFOCUS) Enters(kTagTestzeile);
        break;
    }
}

HBRUSH TSchriftDlg::ControlColors(HWND control, HDC dc) {
    if (control == Edit1.Handle()) {
        SetTextColor(dc, ColorToRGB(FTestFont.Color));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return GetSysColorBrush(COLOR_WINDOW);
    }
    // The size field itself takes the input colours from the form.
    const HWND painted[] = {LbGroesse.Handle(), CheckBox1.Handle(), CheckBox2.Handle(), LbTestzeile.Handle()};
    if (std::find(std::begin(painted), std::end(painted), control) == std::end(painted)) return nullptr;
    const TInputColors& colors = InputColors();
    if (!FHintergrundBrush || FHintergrundBrushColor != colors.Background) {
        if (FHintergrundBrush) DeleteObject(FHintergrundBrush);
        FHintergrundBrush = CreateSolidBrush(colors.Background);
        FHintergrundBrushColor = colors.Background;
    }
    SetTextColor(dc, colors.Text);
    SetBkColor(dc, colors.Background);
    return FHintergrundBrush;
}

LRESULT TSchriftDlg::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == ListView1.Handle()) {
            if (header->code == LVN_ITEMCHANGED) {
                const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
                if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
                    !(change->uOldState & LVIS_SELECTED))
                    ListView1SelectItem();
            } else if (header->code == NM_SETFOCUS) {
                Enters(kTagFarbe);
            }
        }
        return 0;  // the spinner's changes are always allowed
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (const HBRUSH brush = ControlColors(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    }
    return TDialogForm::WndProc(message, wParam, lParam);
}

LRESULT CALLBACK TSchriftDlg::TestEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR) {
    switch (message) {
    case WM_GETDLGCODE:
        // Entering the test line keeps its caret; its text is not selected.
        return DefSubclassProc(window, message, wParam, lParam) & ~LRESULT(DLGC_HASSETSEL);
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, TestEditProc, kTestEditSubclass);
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace korvalin
