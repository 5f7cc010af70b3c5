// The page of braille files and of the embosser: cells per line and lines
// per page, as set in the settings or by default.
#pragma once

#include "settings/DatenC.h"

#include <optional>
#include <string_view>

namespace korvalin {

struct TBrailleSeite {
    int ZeichenProZeile = 40;
    int ZeilenProSeite = 25;
    bool operator==(const TBrailleSeite&) const = default;
};

// The largest number either field takes; 0 in the settings means not set.
constexpr int kBrailleSeiteMax = 99;

// The page to write: each field as set, or where it is not set (0) its
// default: 40 cells, or the line width limit when one is set, and 25 lines.
TBrailleSeite BrailleSeitenformat(const TEinstellungen& settings);

// A field of the page dialog: the trimmed text as a decimal number from 1
// to 99, or nothing.
std::optional<int> ParseBrailleSeitenZahl(std::u16string_view text);

// A stored field outside 0 to 99 becomes 0 (the default).
int RepairedBrailleSeitenZahl(int stored);

}  // namespace korvalin
