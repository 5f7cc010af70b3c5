#include "tables/TabDlgC.h"

#include "tables/TabDlgRules.h"
#include "util/LxUtils.h"
#include "util/Win32Text.h"
#include "util/TextUtils.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace korvalin {

namespace {

enum : int { kIdLabel = 101, kIdListe = 102 };
constexpr int kDefaultTextHeight = 12;
constexpr int kColumnPadding = 16;  // the list's space around a column's text

void SetColumnText(const TDialogControl& list, int column, const std::u16string& text) {
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = const_cast<wchar_t*>(WStr(text));
    list.Send(LVM_SETCOLUMNW, WPARAM(column), reinterpret_cast<LPARAM>(&info));
}

void SetItemText(const TDialogControl& list, int row, int column, const std::u16string& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(WStr(text));
    list.Send(LVM_SETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
}

std::u16string MenuText(std::u16string_view caption, std::u16string_view shortCut) {
    return std::u16string(caption).append(u"\t").append(shortCut);
}

}  // namespace

TTabDlg::TTabDlg(HWND Owner, TTabellen& Tabellen, TScreenReaderOutput* Tolk)
    : TDialogForm(Owner), FTabellen(Tabellen), FTolk(Tolk) {
    FormCreate();
}

TTabDlg::~TTabDlg() { FormDestroy(); }

void TTabDlg::FormCreate() {
    CreateForm(u"");
    TCreateArgs args = ChildArgs();

    args.Style = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_LEFT;
    args.Id = kIdLabel;
    LbTabellen.Create(L"STATIC", args);

    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                 LVS_NOSORTHEADER;
    args.ExStyle = WS_EX_CLIENTEDGE;
    args.Id = kIdListe;
    LvTabellen.Create(WC_LISTVIEWW, args);
    LvTabellen.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                    LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW info{};
        info.mask = LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
        info.fmt = LVCFMT_LEFT;
        info.cx = 10;
        info.iSubItem = column;
        LvTabellen.Send(LVM_INSERTCOLUMNW, WPARAM(column), reinterpret_cast<LPARAM>(&info));
    }
    LvTabellen.OnKeyDown = [this](WORD& key) { LvTabellenKeyDown(key); };

    CreateOkCancel(Btn1Ok, Btn2Abbrechen);

    PM_LvTabellen.Reset(CreatePopupMenu());
    AppendMenuItem(PM_LvTabellen.Get(), MenuText(tabdlg::Oben, tabdlg::ObenShortCut), kIdOben, false);
    AppendMenuItem(PM_LvTabellen.Get(), MenuText(tabdlg::Unten, tabdlg::UntenShortCut), kIdUnten, false);

    CaptionZuweisen();
    SchriftartZuweisen();
}

void TTabDlg::FormDestroy() {
    EndDrag();
    if (ModalResult() != IDOK) RestoreOrder();
}

void TTabDlg::RestoreOrder() {
    if (std::exchange(FRestoreOrderS, false)) FTabellen.SetFilesString(FOriginalOrder);
}

void TTabDlg::CancelModal() {
    EndDrag();
    RestoreOrder();
    TDialogForm::CancelModal();
}

void TTabDlg::CaptionZuweisen() {
    SetCaption(std::u16string(tabdlg::Caption));
    LbTabellen.SetText(std::u16string(tabdlg::ListLabel));
    SetColumnText(LvTabellen, 0, std::u16string(tabdlg::ColumnTabelle));
    SetColumnText(LvTabellen, 1, std::u16string(tabdlg::ColumnKurztaste));
    Btn1Ok.SetText(std::u16string(tabdlg::Ok));
    Btn2Abbrechen.SetText(std::u16string(tabdlg::Abbrechen));
}

void TTabDlg::FormShow() {
    FOriginalOrder = FTabellen.GetFilesString();
    FRestoreOrderS = true;
    SchriftartZuweisen();
    ListeFuellen();
    LvTabellen.SetFocus();
    Btn1Ok.SetEnabled(SelectedRow() >= 0);
}

void TTabDlg::SchriftartZuweisen() {
    FSchrift = CreateFontFromSpec(Einstellungen.Schriftart);
    for (const TDialogControl* control : {&LbTabellen, &LvTabellen, &Btn1Ok, &Btn2Abbrechen})
        control->SetFont(FSchrift.Get());
    ApplyInputColors();  // the list: the background colour and the font's colour
    SchalterEinrichten();
}

void TTabDlg::SchalterEinrichten() {
    const HFONT font = FSchrift.Get();
    const int buttonHeight = FontControlHeight(font, TControlKind::Button);
    int buttonWidth = 0;
    for (const std::u16string_view caption : {tabdlg::Ok, tabdlg::Abbrechen})
        buttonWidth = std::max(buttonWidth, FontTextWidthSpaced(font, WithoutAmpersand(caption).append(u"MM")));
    int labelHeight = FontTextHeight(font);
    if (labelHeight <= 0) labelHeight = kDefaultTextHeight;

    // The outer size from the owner, the controls from the client area it leaves.
    RECT owner{0, 0, 0, 0};
    if (Owner() && IsWindow(Owner())) GetWindowRect(Owner(), &owner);
    else SystemParametersInfoW(SPI_GETWORKAREA, 0, &owner, 0);
    const TTabDlgSize size = TabDlgSize(owner.right - owner.left, owner.bottom - owner.top);
    SetWindowPos(Handle(), nullptr, 0, 0, size.Width, size.Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(Handle(), &client);

    const TTabDlgLayout layout = TabDlgLayout(client.right, client.bottom, labelHeight, buttonWidth, buttonHeight);
    const auto place = [](const TDialogControl& control, const TTabDlgRect& r) {
        control.SetBounds(r.Left, r.Top, r.Width, r.Height);
    };
    place(LbTabellen, layout.Label);
    place(LvTabellen, layout.List);
    place(Btn1Ok, layout.Ok);
    place(Btn2Abbrechen, layout.Cancel);

    SpaltenEinrichten();
    FensterEinrichten();
}

// The columns fill the list's inside, so that no horizontal scroll bar
// appears, and show every shortcut whole.
void TTabDlg::SpaltenEinrichten() {
    int needed = 0;
    const auto measure = [&](const std::u16string& text) {
        needed = std::max(needed, int(LvTabellen.Send(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(WStr(text)))));
    };
    measure(std::u16string(tabdlg::ColumnKurztaste));
    for (int row = 0; row < RowCount(); ++row) measure(RowText(row, 1));
    RECT inside{};
    GetClientRect(LvTabellen.Handle(), &inside);
    const TTabDlgColumns columns = TabDlgColumns(inside.right, needed + kColumnPadding);
    LvTabellen.Send(LVM_SETCOLUMNWIDTH, 0, columns.Tabelle);
    LvTabellen.Send(LVM_SETCOLUMNWIDTH, 1, columns.Kurztaste);
}

void TTabDlg::FensterEinrichten() {
    HWND over = Owner();
    if (!over || !IsWindow(over)) over = GetDesktopWindow();
    CenterOver(over);
}

void TTabDlg::ListeFuellen() {
    LvTabellen.Send(LVM_DELETEALLITEMS);
    const std::vector<TTabDlgRow> rows = TabDlgRows(FTabellen);
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = int(i);
        item.pszText = const_cast<wchar_t*>(WStr(rows[i].Titel));
        LvTabellen.Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SetItemText(LvTabellen, int(i), 1, rows[i].Kurztaste);
    }
    SpaltenEinrichten();  // a vertical scroll bar may have come or gone with the rows
    SelectRow(TabDlgStartRow(FTabellen));
}

void TTabDlg::SelectRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    LvTabellen.Send(LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&state));
    LvTabellen.Send(LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
    if (IsWindowVisible(Handle())) LvTabellen.SetFocus();
}

int TTabDlg::SelectedRow() const {
    return int(LvTabellen.Send(LVM_GETNEXTITEM, WPARAM(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

int TTabDlg::RowCount() const { return int(LvTabellen.Send(LVM_GETITEMCOUNT)); }

std::u16string TTabDlg::RowText(int row, int column) const {
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = int(std::size(text));
    const auto length = LvTabellen.Send(LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    return U16(text, size_t(std::clamp<LRESULT>(length, 0, LRESULT(std::size(text)) - 1)));
}

void TTabDlg::Command(int id, int code) {
    switch (id) {
    case IDOK:
        if (FDraggingS) break;
        if (Btn1Ok.Enabled()) Close(IDOK);
        break;
    case IDCANCEL:  // Escape during a drag ends only the drag
        if (FDraggingS) EndDrag();
        else Close(IDCANCEL);
        break;
    case kIdLabel:
        if (code == STN_CLICKED) LvTabellen.SetFocus();
        break;
    }
}

void TTabDlg::LvTabellenKeyDown(WORD& Key) {
    if ((Key != VK_UP && Key != VK_DOWN) || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return;
    PM_LT_ObenUntenClick(Key == VK_UP ? 1 : 2);
    Key = 0;
}

void TTabDlg::LvTabellenEnter() {
    if (FTolk) FTolk->Output(std::u16string(tabdlg::TolkListe), false);
}

void TTabDlg::PM_LvTabellenPopup() {
    const int row = SelectedRow();
    SetMenuItemEnabled(PM_LvTabellen.Get(), kIdOben, row > 0);
    SetMenuItemEnabled(PM_LvTabellen.Get(), kIdUnten, row >= 0 && row < RowCount() - 1);
}

void TTabDlg::PM_LT_ObenUntenClick(int Tag) {
    const int moved = TabDlgMoveByOne(FTabellen, SelectedRow(), Tag == 1);
    if (moved < 0) return;
    ListeFuellen();
    SelectRow(moved);
}

void TTabDlg::ShowPopup(LPARAM screenPoint) {
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (screenPoint == -1) {  // from the keyboard: below the selected row, or at the list's corner
        RECT row{LVIR_BOUNDS, 0, 0, 0};
        const int selected = SelectedRow();
        if (selected < 0 || !LvTabellen.Send(LVM_GETITEMRECT, WPARAM(selected), reinterpret_cast<LPARAM>(&row)))
            row = RECT{0, 0, 0, 0};
        at = {row.left + 10, row.bottom};
        ClientToScreen(LvTabellen.Handle(), &at);
    }
    PM_LvTabellenPopup();
    const UINT chosen = UINT(TrackPopupMenu(PM_LvTabellen.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                            at.x, at.y, 0, Handle(), nullptr));
    if (chosen == kIdOben) PM_LT_ObenUntenClick(1);
    if (chosen == kIdUnten) PM_LT_ObenUntenClick(2);
}

// ---- drag and drop ----

void TTabDlg::LvTabellenStartDrag() {
    if (SelectedRow() < 0) return;
    FDraggingS = true;
    SetCapture(Handle());
}

bool TTabDlg::LvTabellenDragOver(POINT point) const {
    POINT screen = point;
    ClientToScreen(Handle(), &screen);
    const HWND target = WindowFromPoint(screen);
    return target == LvTabellen.Handle() || (target && GetParent(target) == LvTabellen.Handle());
}

int TTabDlg::DropRowAt(POINT point) const {
    MapWindowPoints(Handle(), LvTabellen.Handle(), &point, 1);
    RECT inside{};
    GetClientRect(LvTabellen.Handle(), &inside);
    if (point.x < inside.left || point.x >= inside.right) return -1;
    // Rows above the header's bottom are hidden behind it.
    RECT header{};
    if (const HWND headerWindow = reinterpret_cast<HWND>(LvTabellen.Send(LVM_GETHEADER))) {
        GetWindowRect(headerWindow, &header);
        MapWindowPoints(nullptr, LvTabellen.Handle(), reinterpret_cast<POINT*>(&header), 2);
    }
    if (point.y < header.bottom) return -1;
    std::vector<TRowSpan> rows;
    for (int i = 0; i < RowCount(); ++i) {
        RECT bounds{LVIR_BOUNDS, 0, 0, 0};
        LvTabellen.Send(LVM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&bounds));
        rows.push_back({bounds.top, bounds.bottom});
    }
    return TabDlgDropRow(rows, point.y);
}

void TTabDlg::LvTabellenDragMove(POINT point) {
    const bool acceptS = LvTabellenDragOver(point);
    SetCursor(LoadCursorW(nullptr, acceptS ? IDC_ARROW : IDC_NO));
    SetDropHighlight(acceptS ? DropRowAt(point) : -1);
}

void TTabDlg::SetDropHighlight(int row) {
    if (row == FDropHighlight || !LvTabellen.Handle()) return;
    LVITEMW state{};
    state.stateMask = LVIS_DROPHILITED;
    if (FDropHighlight >= 0)
        LvTabellen.Send(LVM_SETITEMSTATE, WPARAM(FDropHighlight), reinterpret_cast<LPARAM>(&state));
    FDropHighlight = row;
    state.state = LVIS_DROPHILITED;
    if (row >= 0) LvTabellen.Send(LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&state));
}

void TTabDlg::LvTabellenDragDrop(POINT point) {
    const bool acceptS = LvTabellenDragOver(point);
    const int target = acceptS ? DropRowAt(point) : -1;
    EndDrag();
    const int moved = TabDlgMoveRow(FTabellen, SelectedRow(), target);
    if (moved < 0) return;
    ListeFuellen();
    SelectRow(moved);
}

void TTabDlg::EndDrag() {
    if (!FDraggingS) return;
    FDraggingS = false;
    SetDropHighlight(-1);
    if (GetCapture() == Handle()) ReleaseCapture();
}

LRESULT TTabDlg::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == LvTabellen.Handle()) {
            if (header->code == LVN_BEGINDRAG) LvTabellenStartDrag();
            if (header->code == NM_SETFOCUS) LvTabellenEnter();
        }
        return 0;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == LvTabellen.Handle() && !FDraggingS) {
            ShowPopup(lParam);
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (FDraggingS) LvTabellenDragMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONUP:
        if (FDraggingS) LvTabellenDragDrop({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_CAPTURECHANGED:
        if (FDraggingS && reinterpret_cast<HWND>(lParam) != Handle()) EndDrag();
        return 0;
    }
    return TDialogForm::WndProc(message, wParam, lParam);
}

}  // namespace korvalin
