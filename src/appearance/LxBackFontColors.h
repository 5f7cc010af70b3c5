// What the font and background dialog decides without a window: its texts
// with their German defaults, the 17 named colours of its two colour lists,
// the rows of its face list, the size field's range and the font it gives
// back.
#pragma once

#include "appearance/FontSpec.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

inline constexpr int kColorCount = 17;
using TBackFontDlgColorNames = std::array<std::u16string, kColorCount>;

// Every text of the dialog; an empty field means its default.
struct TBackFontDlgTexts {
    std::u16string WindowCaption;
    std::u16string FontColumnCaption;
    std::u16string FontSizeCaption;  // "%d-%d": the size range
    std::u16string BoldCaption;
    std::u16string PreviewText;
    std::u16string OkCaption;
    std::u16string CancelCaption;
    std::u16string InsertCaption;
    std::u16string CopyCaption;
    std::u16string SelectAllCaption;
    std::u16string BackgroundSuffix;
    std::u16string EqualColorsQuestion;
    std::u16string TolkFontName;   // "%s": the face row
    std::u16string TolkFontColor;  // "%s": the font colour shown
    std::u16string TolkFontSize;   // "%d", "%d", "%s": the range and the field's text
    std::u16string TolkBackColor;  // "%s": the background colour shown
    TBackFontDlgColorNames ColorNames;
    bool operator==(const TBackFontDlgTexts&) const = default;
};

const TBackFontDlgTexts& DefaultBackFontDlgTexts();
// Texts with every empty field, colour names included, replaced by its default.
TBackFontDlgTexts MergeBackFontDlgTexts(const TBackFontDlgTexts& texts);

struct TColorName {
    int Index = 0;
    TColor Color = 0;
    std::u16string Name;
    bool operator==(const TColorName&) const = default;
};
using TColorNameDynArray = std::vector<TColorName>;

// The 17 colours of both colour lists, in this order, with their names.
class TColors {
public:
    TColors();
    TColors(const TBackFontDlgColorNames& AColorNames, std::u16string ABackgroundSuffix);

    int Count() const { return int(FList.size()); }
    // Sl holds every name in order afterwards, with the suffix for a background list.
    void FillStringList(std::vector<std::u16string>& Sl, bool IsBackground) const;
    // The first entry of Color.
    bool FindColor(TColor Color, TColorName& ColorName) const;
    // The first entry of Name, ignoring case; false for a name that is blank.
    bool FindName(std::u16string_view Name, TColorName& ColorName) const;
    // An index outside the list gives entry 0.
    const TColorName& Get(int Index) const;
    const TColorName& operator[](int Index) const { return Get(Index); }
    const std::u16string& BackgroundSuffix() const { return FBackgroundSuffix; }

private:
    std::u16string FBackgroundSuffix;
    TColorNameDynArray FList;
};

inline constexpr int kFontSizeMin = 5, kFontSizeMax = 35;

// The size field's text as an integer; -1 when it is not one.
int FontSizeValue(std::u16string_view text);

// The rows of the face list: the installed faces in their order, the current
// face marked with a leading "*"; Selected is its row, 0 when it is not
// installed (CurrentInstalledS false), -1 without rows.
struct TFaceRows {
    std::vector<std::u16string> Captions;
    int Selected = -1;
    bool CurrentInstalledS = false;
};
TFaceRows FaceRows(const std::vector<std::u16string>& faces, std::u16string_view currentFace);

// The dialog's choice as a font: the starting font with the face (when a
// row is chosen), the size, bold as the only style, and the colour.
TFontValue BackFontDlgFont(const TFontValue& start, const std::optional<std::u16string>& face, int size, bool bold,
                           TColor color);

// The new user-interface font: Chosen, whose bold decides, with italic,
// underline and strike-out of the font it replaces.
TFontValue InterfaceFont(const TFontValue& previous, const TFontValue& chosen);

}  // namespace korvalin
