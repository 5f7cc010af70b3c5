#include "appearance/LxBackFontDlg.h"

#include "app/ResConst.h"
#include "util/LxUtils.h"
#include "util/ShortCut.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace korvalin {

namespace {

enum : int {
    kIdFonts = 101,
    kIdSizeLabel,
    kIdSize,
    kIdUpDown,
    kIdBold,
    kIdColors,
    kIdBackColors,
    kIdPreview,
    kIdSelectAll,
    kIdCopy,
};
enum : int { kTagFonts = 1, kTagColors = 2, kTagSize = 3, kTagBackColors = 4 };
constexpr UINT_PTR kTimerTolk = 1;
constexpr UINT kTimerTolkInterval = 25;
constexpr int kVisibleColorRows = 5;

std::u16string Spaced(std::u16string_view text) { return std::u16string(text).append(u"MM"); }

void FillCombo(const TDialogControl& combo, const std::vector<std::u16string>& items) {
    combo.Send(CB_RESETCONTENT);
    for (const std::u16string& item : items) combo.Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WStr(item)));
}

std::u16string ComboItemText(const TDialogControl& combo, int index) {
    const LRESULT length = combo.Send(CB_GETLBTEXTLEN, WPARAM(index));
    if (length == CB_ERR) return {};
    std::vector<wchar_t> buffer(size_t(length) + 1);
    combo.Send(CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(buffer.data()));
    return U16(buffer.data());
}

// Marks the row of Color with "*" and selects it; row 0 without one.
void SelectColor(const TDialogControl& combo, const TColors& colors, TColor color) {
    TColorName found;
    if (!colors.FindColor(color, found)) {
        combo.Send(CB_SETCURSEL, 0);
        return;
    }
    const std::u16string marked = std::u16string(u"*").append(ComboItemText(combo, found.Index));
    combo.Send(CB_DELETESTRING, WPARAM(found.Index));
    combo.Send(CB_INSERTSTRING, WPARAM(found.Index), reinterpret_cast<LPARAM>(WStr(marked)));
    combo.Send(CB_SETCURSEL, WPARAM(found.Index));
}

int ComboWidestItem(HFONT font, const TDialogControl& combo) {
    int widest = 0;
    const int count = int(combo.Send(CB_GETCOUNT));
    for (int i = 0; i < count; ++i) widest = std::max(widest, FontTextWidthSpaced(font, ComboItemText(combo, i)));
    return widest;
}

}  // namespace

// ---- the preview edit ----

void TPreviewEdit::Create(const TCreateArgs& args) {
    TDialogControl::Create(L"EDIT", args);
    SetWindowSubclass(Handle(), EditProc, 2, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TPreviewEdit::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR selfData) {
    auto* self = reinterpret_cast<TPreviewEdit*>(selfData);
    switch (message) {
    case WM_GETDLGCODE:  // entering by Tab leaves the selection alone
        return DefSubclassProc(window, message, wParam, lParam) & ~LRESULT(DLGC_HASSETSEL);
    case WM_CONTEXTMENU:
        return Contained(window, 0, [&] {
            if (self->OnContextMenu) self->OnContextMenu(lParam);
            return LRESULT(0);
        });
    case WM_CHAR:
        if (wParam != 0x01) break;  // Ctrl+A
        return Contained(window, 0, [self] {
            if (self->OnSelectAll) self->OnSelectAll();
            return LRESULT(0);
        });
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, EditProc, 2);
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// ---- creation ----

TBackFontDlg::TBackFontDlg(HWND AOwner, TColor AAktBackColor, const TFontValue& AAktFont, TScreenReaderOutput* ATolk)
    : TBackFontDlg(AOwner, AAktBackColor, AAktFont, TBackFontDlgTexts{}, ATolk) {}

TBackFontDlg::TBackFontDlg(HWND AOwner, TColor AAktBackColor, const TFontValue& AAktFont,
                           const TBackFontDlgTexts& ATexts, TScreenReaderOutput* ATolk)
    : TDialogForm(AOwner),
      FAktFont(AAktFont),
      FAktBackColor(AAktBackColor),
      FTexts(MergeBackFontDlgTexts(ATexts)),
      FColors(FTexts.ColorNames, FTexts.BackgroundSuffix),
      FTolk(ATolk) {
    FormCreate();
}

TBackFontDlg::~TBackFontDlg() {
    if (Handle()) KillTimer(Handle(), kTimerTolk);
    if (FPreviewBrush) DeleteObject(FPreviewBrush);
}

void TBackFontDlg::FormCreate() {
    FSchrift = CreateFontFromValue(FAktFont);
    CreateForm(FTexts.WindowCaption);
    TCreateArgs args = ChildArgs();

    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    args.ExStyle = WS_EX_CLIENTEDGE;
    args.Id = kIdFonts;
    LvFonts.Create(WC_LISTVIEWW, args);
    LvFonts.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    std::u16string columnCaption = FTexts.FontColumnCaption;
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = 10;
    column.pszText = const_cast<wchar_t*>(WStr(columnCaption));
    LvFonts.Send(LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));

    args.Style = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_CENTERIMAGE | SS_LEFT;
    args.ExStyle = 0;
    args.Id = kIdSizeLabel;
    LbSize.Create(L"STATIC", args);

    CreateNumberField(LeSize, kIdSize, UpDown1, kIdUpDown, args, kFontSizeMin, kFontSizeMax);
    LeSize.OnPaste = [this] { PuEinfuegenClick(); };

    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
    args.ExStyle = 0;
    args.Id = kIdBold;
    CbBold.Create(L"BUTTON", args);

    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    args.Id = kIdColors;
    CoBoColors.Create(L"COMBOBOX", args);
    args.Id = kIdBackColors;
    CoBoBackColors.Create(L"COMBOBOX", args);

    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_READONLY | ES_CENTER | ES_AUTOHSCROLL;
    args.ExStyle = WS_EX_CLIENTEDGE;
    args.Id = kIdPreview;
    EditTest.Create(args);
    EditTest.OnContextMenu = [this](LPARAM point) { ShowPreviewMenu(point); };
    EditTest.OnSelectAll = [this] { PuVorschauAllesMarkierenClick(); };

    CreateOkCancel(Btn1OK, Btn2Cancel);

    PuMenuVorschau.Reset(CreatePopupMenu());
    AppendMenuItem(PuMenuVorschau.Get(),
                   std::u16string(FTexts.SelectAllCaption).append(u"\t").append(ShortCutToText(Ctrl('A'))),
                   kIdSelectAll, false);
    AppendMenuItem(PuMenuVorschau.Get(),
                   std::u16string(FTexts.CopyCaption).append(u"\t").append(ShortCutToText(Ctrl('C'))), kIdCopy,
                   false);

    std::vector<std::u16string> names;
    FColors.FillStringList(names, false);
    FillCombo(CoBoColors, names);
    FColors.FillStringList(names, true);
    FillCombo(CoBoBackColors, names);
    CoBoColors.Send(CB_SETMINVISIBLE, kVisibleColorRows);
    CoBoBackColors.Send(CB_SETMINVISIBLE, kVisibleColorRows);

    FillFaces();
    LbSize.SetText(Format(FTexts.FontSizeCaption, {kFontSizeMin, kFontSizeMax}));
    CbBold.SetText(FTexts.BoldCaption);
    EditTest.SetText(FTexts.PreviewText);
    Btn1OK.SetText(FTexts.OkCaption);
    Btn2Cancel.SetText(FTexts.CancelCaption);

    StartValues();
    SchriftartZuweisen();
    FCreatedS = true;
}

void TBackFontDlg::FillFaces() {
    TInstalledFonts& installed = InstalledFonts();
    installed.Discard();
    FFaces = installed.Names();
    const TFaceRows rows = FaceRows(FFaces, FAktFont.Name);
    LvFonts.Send(LVM_DELETEALLITEMS);
    FMaxLvFontsWidth = FontTextWidthSpaced(FSchrift.Get(), Spaced(FTexts.FontColumnCaption));
    for (size_t i = 0; i < rows.Captions.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = int(i);
        item.pszText = const_cast<wchar_t*>(WStr(rows.Captions[i]));
        LvFonts.Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        FMaxLvFontsWidth = std::max(FMaxLvFontsWidth, FontTextWidthSpaced(FSchrift.Get(), Spaced(rows.Captions[i])));
    }
    FStartFaceInstalledS = rows.CurrentInstalledS;
    if (rows.Selected < 0) return;
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    LvFonts.Send(LVM_SETITEMSTATE, WPARAM(rows.Selected), reinterpret_cast<LPARAM>(&state));
    LvFonts.Send(LVM_ENSUREVISIBLE, WPARAM(rows.Selected), FALSE);
}

void TBackFontDlg::StartValues() {
    UpDown1.Send(UDM_SETPOS32, 0, std::clamp(FAktFont.Size, kFontSizeMin, kFontSizeMax));
    LeSize.SetText(IntToStr(std::clamp(FAktFont.Size, kFontSizeMin, kFontSizeMax)));
    CbBold.Send(BM_SETCHECK, FAktFont.Bold ? BST_CHECKED : BST_UNCHECKED);
    SelectColor(CoBoColors, FColors, FAktFont.Color);
    SelectColor(CoBoBackColors, FColors, FAktBackColor);
}

void TBackFontDlg::FormShow() {
    UpdateEditTest();
    Btn2Cancel.SetFocus();
    SetTimer(Handle(), kTimerTolk, kTimerTolkInterval, nullptr);
}

void TBackFontDlg::TimerTolkTimer() {
    KillTimer(Handle(), kTimerTolk);
    LvFonts.SetFocus();
}

// ---- appearance and layout ----

void TBackFontDlg::SchriftartZuweisen() {
    const TDialogControl* controls[] = {&LvFonts,    &LbSize,         &LeSize,  &CbBold, &CoBoColors,
                                        &CoBoBackColors, &Btn1OK, &Btn2Cancel};
    for (const TDialogControl* control : controls) control->SetFont(FSchrift.Get());
    SetInputColors({ColorToRGB(FAktBackColor), ColorToRGB(FAktFont.Color)});
    SchalterEinrichten();
}

void TBackFontDlg::SchalterEinrichten() {
    const HFONT font = FSchrift.Get();
    const int buttonHeight = FontControlHeight(font, TControlKind::Button);
    const int editHeight = FontControlHeight(font, TControlKind::Edit);
    const int checkHeight = FontControlHeight(font, TControlKind::CheckBox);
    FBtnWidth = 0;
    for (const std::u16string* caption : {&FTexts.OkCaption, &FTexts.CancelCaption})
        FBtnWidth = std::max(FBtnWidth, FontTextWidthSpaced(font, Spaced(WithoutAmpersand(*caption))));

    const int labelWidth = FontTextWidth(font, WithoutAmpersand(LbSize.Text()));
    const int sizeWidth = FontTextWidthSpaced(font, u"MM");
    const int upDownWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int boldWidth =
        FontTextWidthSpaced(font, Spaced(WithoutAmpersand(CbBold.Text()))) + GetSystemMetrics(SM_CXMENUCHECK);
    const int comboText = std::max(ComboWidestItem(font, CoBoColors), ComboWidestItem(font, CoBoBackColors));
    const int comboWidth = comboText + GetSystemMetrics(SM_CXVSCROLL) + 4 * GetSystemMetrics(SM_CXEDGE) + 8;
    // Right of the face list: the size row with the bold box and the colour
    // lists; where that is too wide for the screen, the box goes below the size.
    const int listFrame = GetSystemMetrics(SM_CXVSCROLL) + 4 * GetSystemMetrics(SM_CXEDGE);
    const int listMinimum = FontTextWidthSpaced(font, Spaced(FTexts.FontColumnCaption)) + listFrame;
    const int sizeRow = FRand + labelWidth + FLeer + sizeWidth + upDownWidth + FRand;
    const int comboColumn = FRand + comboWidth + FRand;
    const bool boldBelowS =
        FRand + listMinimum + std::max(sizeRow + boldWidth + FRand, comboColumn) > MaxClientWidth();
    const int rightColumn =
        boldBelowS ? std::max({sizeRow, FRand + boldWidth + FRand, comboColumn})
                   : std::max(sizeRow + boldWidth + FRand, comboColumn);

    // The face list, with room for its scroll bar and frame; narrower (with
    // a horizontal scroll bar) where the dialog would not fit on the screen.
    const int listWidth =
        std::max(listMinimum, std::min(FMaxLvFontsWidth + listFrame, MaxClientWidth() - FRand - rightColumn));
    const int listHeight = 6 * buttonHeight;
    LvFonts.SetBounds(FRand, FRand, listWidth, listHeight);
    LvFonts.Send(LVM_SETCOLUMNWIDTH, 0, std::max(FMaxLvFontsWidth, listWidth - listFrame));
    const int listRight = FRand + listWidth;

    const int sizeTop = (listHeight - editHeight) / 3 + FRand;
    const int sizeLeft = listRight + FRand + labelWidth + FLeer;
    LbSize.SetBounds(sizeLeft - FLeer - labelWidth, sizeTop, labelWidth, editHeight);
    LeSize.SetBounds(sizeLeft, sizeTop, sizeWidth, editHeight);
    // Bound again, then put beside the edit so that the edit keeps its width.
    UpDown1.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(LeSize.Handle()));
    UpDown1.SetBounds(sizeLeft + sizeWidth, sizeTop, upDownWidth, editHeight);

    int rowBottom = sizeTop + editHeight;
    if (boldBelowS) {
        CbBold.SetBounds(listRight + FRand, rowBottom + FRand, boldWidth, checkHeight);
        rowBottom += FRand + checkHeight;
    } else {
        const int boldLeft = sizeLeft + sizeWidth + upDownWidth + FRand;
        CbBold.SetBounds(boldLeft, sizeTop + (editHeight - checkHeight) / 2, boldWidth, checkHeight);
    }

    // Wide enough for the right column, the longest colour name and both buttons.
    const int comboLeft = listRight + FRand;
    const int clientWidth = std::max(listRight + rightColumn, 2 * FBtnWidth + 3 * FRand);

    const int itemHeight = int(CoBoColors.Send(CB_GETITEMHEIGHT, 0));
    int top = rowBottom + 2 * FRand;
    for (const TDialogControl* combo : {&CoBoColors, &CoBoBackColors}) {
        const RECT closed = combo->Bounds();
        const int fieldHeight = std::max(int(closed.bottom - closed.top), editHeight);
        combo->SetBounds(comboLeft, top, clientWidth - comboLeft - FRand,
                         fieldHeight + kVisibleColorRows * itemHeight + 2);
        const RECT now = combo->Bounds();
        top = now.bottom + 2 * FRand;
    }
    const int rightBottom = top - 2 * FRand;

    // The preview's room grows with the largest size the field allows.
    TFontValue largest = FAktFont;
    largest.Size = kFontSizeMax;
    largest.Bold = true;
    const TFontHandle largestFont = CreateFontFromValue(largest);
    FPreviewRoom = std::max(5 * editHeight, FontControlHeight(largestFont.Get(), TControlKind::Edit));
    const int previewTop = std::max(FRand + listHeight, rightBottom) + 2 * FRand;
    // On a low screen the room shrinks, down to one line of the interface font.
    const int spareHeight = MaxClientHeight() - (previewTop + 2 * FRand + buttonHeight + FRand);
    FPreviewRoom = std::max(editHeight, std::min(FPreviewRoom, spareHeight));
    EditTest.SetBounds(FRand, previewTop, clientWidth - 2 * FRand, editHeight);

    const int buttonTop = previewTop + FPreviewRoom + 2 * FRand;
    const int okLeft = (clientWidth - 2 * FBtnWidth) / 3;
    Btn1OK.SetBounds(okLeft, buttonTop, FBtnWidth, buttonHeight);
    Btn2Cancel.SetBounds(2 * okLeft + FBtnWidth, buttonTop, FBtnWidth, buttonHeight);
    SetClientSize(clientWidth, buttonTop + buttonHeight + FRand);
    FensterEinrichten();
}

RECT TBackFontDlg::WorkArea() const {
    HWND over = Owner();
    if (!over || !IsWindow(over)) over = Handle();
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(over, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

// The client size at which the whole window just fits into the work area.
int TBackFontDlg::MaxClientWidth() const {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    const RECT work = WorkArea();
    return (work.right - work.left) - (frame.right - frame.left);
}

int TBackFontDlg::MaxClientHeight() const {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    const RECT work = WorkArea();
    return (work.bottom - work.top) - (frame.bottom - frame.top);
}

void TBackFontDlg::FensterEinrichten() {
    HWND over = Owner();
    if (!over || !IsWindow(over)) over = GetDesktopWindow();
    CenterOver(over);
    // Kept on the screen where the owner is smaller than the dialog or near an edge.
    RECT own{};
    GetWindowRect(Handle(), &own);
    const RECT work = WorkArea();
    const int left = std::max<int>(work.left, std::min<int>(own.left, work.right - (own.right - own.left)));
    const int top = std::max<int>(work.top, std::min<int>(own.top, work.bottom - (own.bottom - own.top)));
    if (left != own.left || top != own.top)
        SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- results ----

int TBackFontDlg::SelectedFaceRow() const { return int(LvFonts.Send(LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); }

std::u16string TBackFontDlg::FaceRowCaption(int row) const {
    if (row < 0) return {};
    wchar_t buffer[256] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = int(std::size(buffer));
    LvFonts.Send(LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    return U16(buffer);
}

int TBackFontDlg::SizePosition() const {
    return std::clamp(int(UpDown1.Send(UDM_GETPOS32)), kFontSizeMin, kFontSizeMax);
}

void TBackFontDlg::GetNewFont(TFontValue& AFont) const {
    const int row = SelectedFaceRow();
    std::optional<std::u16string> face;
    if (row >= 0 && size_t(row) < FFaces.size() && (FStartFaceInstalledS || FFaceChosenS)) face = FFaces[size_t(row)];
    const bool bold = CbBold.Send(BM_GETCHECK) == BST_CHECKED;
    const TColor color = FColors.Get(int(CoBoColors.Send(CB_GETCURSEL))).Color;
    AFont = BackFontDlgFont(FAktFont, face, SizePosition(), bold, color);
}

TColor TBackFontDlg::NewBackColor() const { return FColors.Get(int(CoBoBackColors.Send(CB_GETCURSEL))).Color; }

void TBackFontDlg::UpdateEditTest() {
    TFontValue font;
    GetNewFont(font);
    TFontHandle previewFont = CreateFontFromValue(font);
    EditTest.SetFont(previewFont.Get());
    FPreviewFont = std::move(previewFont);
    const TInputColors colors{ColorToRGB(NewBackColor()), ColorToRGB(font.Color)};
    if (!FPreviewBrush || !(colors == FPreviewColors)) {
        if (FPreviewBrush) DeleteObject(FPreviewBrush);
        FPreviewColors = colors;
        FPreviewBrush = CreateSolidBrush(colors.Background);
    }
    // The edit's height follows its font, within the room kept for it.
    const RECT bounds = EditTest.Bounds();
    const int height = std::min(FontControlHeight(FPreviewFont.Get(), TControlKind::Edit), FPreviewRoom);
    EditTest.SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, height);
    InvalidateRect(EditTest.Handle(), nullptr, TRUE);
}

// ---- interaction ----

void TBackFontDlg::Command(int id, int code) {
    switch (id) {
    case IDOK:
        if (Btn1OK.Enabled() && FormCloseQuery()) Close(IDOK);
        break;
    case IDCANCEL:
        Close(IDCANCEL);
        break;
    case kIdSize:
        if (code == EN_CHANGE) LeSizeChange();
        else if (code == EN_SETFOCUS) Enters(kTagSize);
        else if (code == EN_KILLFOCUS) LeSizeExit();
        break;
    case kIdSizeLabel:
        if (code == STN_CLICKED) LeBreiteSubLabelClick();
        break;
    case kIdBold:
        if (code == BN_CLICKED) UpdateEditTest();
        break;
    case kIdColors:
    case kIdBackColors:
        if (code == CBN_SELCHANGE) UpdateEditTest();
        else if (code == CBN_SETFOCUS) Enters(id == kIdColors ? kTagColors : kTagBackColors);
        break;
    case kIdSelectAll:
        PuVorschauAllesMarkierenClick();
        break;
    case kIdCopy:
        PuVorschauKopierenClick();
        break;
    }
}

LRESULT TBackFontDlg::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimerTolk) TimerTolkTimer();
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == LvFonts.Handle()) {
            if (header->code == LVN_ITEMCHANGED) {
                const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
                if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) {
                    if (FCreatedS && (change->uNewState & LVIS_SELECTED)) FFaceChosenS = true;
                    LvFontsSelectItem();
                }
            } else if (header->code == NM_SETFOCUS) {
                Enters(kTagFonts);
            }
        }
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == EditTest.Handle() && FPreviewBrush) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, FPreviewColors.Text);
            SetBkColor(dc, FPreviewColors.Background);
            return reinterpret_cast<LRESULT>(FPreviewBrush);
        }
        break;
    }
    return TDialogForm::WndProc(message, wParam, lParam);
}

void TBackFontDlg::LvFontsSelectItem() { UpdateEditTest(); }

void TBackFontDlg::LeSizeChange() {
    const int value = FontSizeValue(LeSize.Text());
    const bool validS = value >= kFontSizeMin && value <= kFontSizeMax;
    Btn1OK.SetEnabled(validS);
    if (validS) UpdateEditTest();
}

void TBackFontDlg::LeSizeExit() {
    const int value = FontSizeValue(LeSize.Text());
    const int position = std::clamp(value < 0 ? kFontSizeMin : value, kFontSizeMin, kFontSizeMax);
    UpDown1.Send(UDM_SETPOS32, 0, position);
    const std::u16string text = IntToStr(position);
    if (LeSize.Text() != text) LeSize.SetText(text);
}

void TBackFontDlg::LeBreiteSubLabelClick() { LeSize.SetFocus(); }

void TBackFontDlg::Enters(int tag) {
    if (!FTolk) return;
    std::u16string text;
    switch (tag) {
    case kTagFonts:
        text = Format(FTexts.TolkFontName, {FaceRowCaption(SelectedFaceRow())});
        break;
    case kTagColors:
        text = Format(FTexts.TolkFontColor, {CoBoColors.Text()});
        break;
    case kTagSize:
        text = Format(FTexts.TolkFontSize, {kFontSizeMin, kFontSizeMax, LeSize.Text()});
        break;
    case kTagBackColors:
        text = Format(FTexts.TolkBackColor, {CoBoBackColors.Text()});
        break;
    default:
        return;
    }
    FTolk->Output(text, false);
}

bool TBackFontDlg::FormCloseQuery() {
    if (CoBoColors.Send(CB_GETCURSEL) != CoBoBackColors.Send(CB_GETCURSEL)) return true;
    if (MessageDlg(FTexts.EqualColorsQuestion, MB_ICONQUESTION | MB_YESNO) == IDYES) return true;
    CoBoColors.SetFocus();
    return false;
}

int TBackFontDlg::MessageDlg(const std::u16string& text, UINT flags) {
    if (OnMessageDlg) return OnMessageDlg(text, flags);
    return MessageBoxW(Handle(), WStr(text), WStr(std::u16string(texts::ProgramTitle)), flags);
}

void TBackFontDlg::PuEinfuegenClick() { MessageBeep(0); }

bool TBackFontDlg::PreviewSelectAllEnabled() const { return GetWindowTextLengthW(EditTest.Handle()) > 0; }

bool TBackFontDlg::PreviewCopyEnabled() const {
    DWORD start = 0, end = 0;
    EditTest.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end > start;
}

void TBackFontDlg::PuMenuVorschauPopup() {
    SetMenuItemEnabled(PuMenuVorschau.Get(), kIdSelectAll, PreviewSelectAllEnabled());
    SetMenuItemEnabled(PuMenuVorschau.Get(), kIdCopy, PreviewCopyEnabled());
}

void TBackFontDlg::ShowPreviewMenu(LPARAM screenPoint) {
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (screenPoint == -1) {  // from the keyboard: below the preview's left end
        const RECT bounds = EditTest.Bounds();
        at = {bounds.left, bounds.bottom};
        ClientToScreen(Handle(), &at);
    }
    PuMenuVorschauPopup();
    TrackPopupMenu(PuMenuVorschau.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

void TBackFontDlg::PuVorschauAllesMarkierenClick() {
    EditTest.SetFocus();
    EditTest.Send(EM_SETSEL, 0, -1);
}

void TBackFontDlg::PuVorschauKopierenClick() {
    EditTest.SetFocus();
    EditTest.Send(WM_COPY);
}

}  // namespace korvalin
