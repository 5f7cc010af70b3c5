// The mode font lists: for each input mode a list of (font file,
// font string) entries, and their stored form of two "|"-separated strings.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

struct TFontEntry {
    std::u16string Filename;  // full path of a file in "Fonts\"
    std::u16string Settings;  // font string
    bool operator==(const TFontEntry&) const = default;
};

// Indexed by the input mode 0 to 5.
using TFonts = std::array<std::vector<TFontEntry>, 6>;

// The maximal runs of characters other than "|": empty fields are skipped.
std::vector<std::u16string_view> Tokens(std::u16string_view text);

// Replaces the mode's list with the expansion of the stored pair: one entry
// per file name, each with its own face name and the common tail fields.
void SetModeFonts(TFonts& fonts, int mode, std::u16string_view exeFolder, std::u16string_view files,
                  std::u16string_view spec);

struct TModeFontStrings {
    std::u16string Files;
    std::u16string Spec;
};
// The inverse of SetModeFonts, for saving.
TModeFontStrings ModeFontsToStrings(const TFonts& fonts, int mode);

}  // namespace korvalin
