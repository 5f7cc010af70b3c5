// Keyboard shortcuts of menu items and how a menu shows them.
#pragma once

#include <cstdint>
#include <string>

namespace korvalin {

enum TShiftState : std::uint8_t { ssNone = 0, ssShift = 1, ssCtrl = 2, ssAlt = 4 };

// Key is a virtual-key code: '0'..'9', 'A'..'Z' or a function key.
struct TShortCut {
    std::uint16_t Key = 0;
    std::uint8_t Shift = ssNone;

    bool Empty() const { return Key == 0; }
    bool operator==(const TShortCut&) const = default;
};

inline constexpr std::uint16_t kVkF1 = 0x70;

constexpr TShortCut Ctrl(char16_t key) { return {std::uint16_t(key), ssCtrl}; }
constexpr TShortCut FKey(int number, std::uint8_t shift = ssNone) {
    return {std::uint16_t(kVkF1 + number - 1), shift};
}

// The shortcut as a German menu shows it: "Umsch+", "Strg+", "Alt+" in
// that order, then the key name ("Strg+O", "Umsch+Strg+1", "Alt+F4");
// empty for no shortcut.
std::u16string ShortCutToText(TShortCut shortCut);

}  // namespace korvalin
