#include "util/Menus.h"

#include "util/Errors.h"
#include "util/Win32Text.h"

namespace korvalin {

namespace {

void Check(BOOL ok, std::u16string_view what) {
    if (!ok) throw EKorvalin(std::u16string(what) + u"\r\n" + SysErrorMessage(GetLastError()));
}

UINT ItemState(HMENU menu, UINT id) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    return GetMenuItemInfoW(menu, id, FALSE, &info) ? info.fState : MFS_DISABLED;
}

}  // namespace

void TAcceleratorTable::Assign(std::vector<ACCEL> entries) {
    Reset();
    if (entries.empty()) return;
    FTable = CreateAcceleratorTableW(entries.data(), int(entries.size()));
    Check(FTable != nullptr, u"CreateAcceleratorTable");
}

void TAcceleratorTable::Reset() {
    if (FTable) DestroyAcceleratorTable(FTable);
    FTable = nullptr;
}

void AppendMenuItem(HMENU menu, const std::u16string& text, UINT id, bool radio) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID;
    info.fType = MFT_STRING | (radio ? MFT_RADIOCHECK : 0);
    info.wID = id;
    info.dwTypeData = const_cast<wchar_t*>(WStr(text));
    Check(InsertMenuItemW(menu, UINT(GetMenuItemCount(menu)), TRUE, &info), u"InsertMenuItem");
}

void AppendMenuSeparator(HMENU menu) { Check(AppendMenuW(menu, MF_SEPARATOR, 0, nullptr), u"AppendMenu"); }

void AppendSubmenu(HMENU menu, const std::u16string& text, HMENU submenu) {
    Check(AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), WStr(text)), u"AppendMenu");
}

void SetMenuItemEnabled(HMENU menu, UINT id, bool enabled) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void SetMenuItemChecked(HMENU menu, UINT id, bool checked) {
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MenuItemEnabled(HMENU menu, UINT id) { return (ItemState(menu, id) & (MFS_DISABLED | MFS_GRAYED)) == 0; }

bool MenuItemChecked(HMENU menu, UINT id) { return (ItemState(menu, id) & MFS_CHECKED) != 0; }

}  // namespace korvalin
