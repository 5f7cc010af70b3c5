// RAII for menus and accelerator tables, and item state by command id.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace korvalin {

// A menu owned until it is handed to a window (SetMenu) with Release.
class TMenuHandle {
public:
    explicit TMenuHandle(HMENU menu = nullptr) : FMenu(menu) {}
    TMenuHandle(const TMenuHandle&) = delete;
    TMenuHandle& operator=(const TMenuHandle&) = delete;
    ~TMenuHandle() {
        if (FMenu) DestroyMenu(FMenu);
    }
    HMENU Get() const { return FMenu; }
    HMENU Release() { return std::exchange(FMenu, nullptr); }
    void Reset(HMENU menu) {
        if (FMenu) DestroyMenu(FMenu);
        FMenu = menu;
    }

private:
    HMENU FMenu;
};

class TAcceleratorTable {
public:
    TAcceleratorTable() = default;
    TAcceleratorTable(const TAcceleratorTable&) = delete;
    TAcceleratorTable& operator=(const TAcceleratorTable&) = delete;
    ~TAcceleratorTable() { Reset(); }

    // Replaces the table; throws EKorvalin when the system refuses it.
    void Assign(std::vector<ACCEL> entries);
    HACCEL Get() const { return FTable; }

private:
    void Reset();
    HACCEL FTable = nullptr;
};

// Appends an item (text with "\t" and the shortcut text when there is one),
// a separator or a submenu; throws EKorvalin on failure.
void AppendMenuItem(HMENU menu, const std::u16string& text, UINT id, bool radio);
void AppendMenuSeparator(HMENU menu);
void AppendSubmenu(HMENU menu, const std::u16string& text, HMENU submenu);

void SetMenuItemEnabled(HMENU menu, UINT id, bool enabled);
void SetMenuItemChecked(HMENU menu, UINT id, bool checked);
bool MenuItemEnabled(HMENU menu, UINT id);
bool MenuItemChecked(HMENU menu, UINT id);

}  // namespace korvalin
