// Font values and their one-line text form, the font string
// "Name|Size|Charset|BIUS|Colour", the colour identifiers, and the choice of a
// face for text made of Unicode braille patterns.
#pragma once

#include "appearance/ModeFonts.h"

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <string>
#include <string_view>

namespace korvalin {

// 0x00BBGGRR for an RGB colour; 0xFF0000nn for the system colour with index
// nn; clNone and clDefault are special values.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// Whether the value names a system colour (0xFF0000nn, index nn).
inline constexpr bool IsSystemColor(TColor color) { return (color & 0xFF000000u) == 0xFF000000u; }

struct TFontValue {
    std::u16string Name;
    int Size = 0;               // points
    std::uint8_t Charset = 1;   // a Windows charset number, 1 DEFAULT_CHARSET
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    TColor Color = clWindowText;
    bool operator==(const TFontValue&) const = default;
};

struct TColorIdent {
    std::u16string_view Name;
    TColor Value;
};

// The 52 colour identifiers; a value that occurs twice is written with the
// name that comes first. The first 16 rows are the standard colour list.
extern const std::array<TColorIdent, 52> ColorIdents;

// The first identifier of Color, else "$" and eight upper-case hex digits.
std::u16string ColorToString(TColor color);
// An identifier (case-insensitive), else an integer (decimal or "$" hex);
// throws EKorvalin for anything else.
TColor StringToColor(std::u16string_view text);

// Written with "%s|%d|%d|%d%d%d%d|%s".
std::u16string FontToSpec(const TFontValue& font);
// Throws EKorvalin: "Falscher Parameter beim Konvertieren des Fonts!" for a
// missing separator or a style field that is not four characters, or the
// integer or colour conversion's own text.
TFontValue SpecToFont(std::u16string_view spec);
// Sets Font from Spec; an unreadable Spec gives Arial, 12, no style,
// clWindowText with the charset kept. Nothing happens for an absent font.
void AssignFontSpec(TFontValue* font, std::u16string_view spec);

// The font string with its size field replaced by Size where the string is
// readable and its size lies outside Min to Max; otherwise unchanged.
std::u16string FontSpecSizeInRange(std::u16string_view spec, int min, int max, int size);

inline constexpr std::u16string_view FontSpecError = u"Falscher Parameter beim Konvertieren des Fonts!";

// True if Text is not empty and every character lies in U+2800 to U+28FF.
bool IsUnicodeBrailleText(std::u16string_view text);

// Faces tried, in this order, when the requested face lacks braille glyphs.
inline constexpr std::array<std::u16string_view, 5> UnicodeBrailleFallbackFaces = {
    u"Segoe UI Symbol", u"DejaVu Sans", u"Noto Sans Symbols 2", u"Arial Unicode MS", u"Symbola"};

// The font string used for braille text of a mode when that mode's list is
// empty or the index lies outside it.
inline constexpr std::u16string_view UnicodeBrailleDefaultSpec = u"Charis SIL|18|0|0000|clBlack";

// Chooses the face for Unicode braille text and remembers the choice for the
// face last asked for, so that the glyph test runs only when a different face
// is requested.
class TUnicodeBrailleFontChooser {
public:
    // Whether a face has glyphs for all of U+2800 to U+28FF; without one no
    // face passes.
    using THasBraillePatterns = std::function<bool(const std::u16string& face)>;

    explicit TUnicodeBrailleFontChooser(THasBraillePatterns hasBraillePatterns);

    // The font string for braille text in Mode (0 to 5) with entry Index of
    // that mode's list in Fonts; an index past the end of a non-empty list
    // falls back to entry 0.
    std::u16string GetUnicodeBrailleFontSpec(const TFonts& fonts, int mode, int index);
    // The same over Einstellungen.Fonts.
    std::u16string GetUnicodeBrailleFontSpec(int mode, int index);

    const std::u16string& UnicodeBrailleFontName() const { return FUnicodeBrailleFontName; }
    const std::u16string& UnicodeBraillePreferredFontName() const { return FUnicodeBraillePreferredFontName; }

private:
    std::u16string ChooseFace(const std::u16string& wanted) const;

    THasBraillePatterns FHasBraillePatterns;
    std::u16string FUnicodeBrailleFontName;
    std::u16string FUnicodeBraillePreferredFontName;
};

// The mode's list in Fonts; an empty list for a mode outside 0 to 5.
const std::vector<TFontEntry>& ModeFontList(const TFonts& fonts, int mode);
// The entry index used in a list of Count entries: an index at or past the
// end of a non-empty list falls back to 0; otherwise Index is kept.
int ModeFontIndex(int index, int count);

}  // namespace korvalin
