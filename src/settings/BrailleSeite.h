// The page of braille files and of the embosser: cells per line and lines
// per page, as set in the settings or by default.
#pragma once

#include "settings/DatenC.h"
#include "tables/BrailleFiles.h"

#include <optional>
#include <string_view>

namespace korvalin {

// The page to write (0 in a settings field means not set): each field as set, or where it is not set (0) its
// default: 40 cells, or the line width limit when one is set, and 25 lines.
TBrailleGeometry BrailleSeitenformat(const TEinstellungen& settings);

// A field of the page dialog: the trimmed text as a decimal number from
// kBrailleGeometryMin to kBrailleGeometryMax, or nothing.
std::optional<int> ParseBrailleSeitenZahl(std::u16string_view text);

// A stored field outside 0 to kBrailleGeometryMax becomes 0 (the default).
int RepairedBrailleSeitenZahl(int stored);

}  // namespace korvalin
