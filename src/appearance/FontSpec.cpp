#include "appearance/FontSpec.h"

#include "input/Translation.h"
#include "settings/DatenC.h"
#include "util/Errors.h"
#include "util/TextUtils.h"

namespace korvalin {

const std::array<TColorIdent, 52> ColorIdents = {{
    {u"clBlack", 0x000000},
    {u"clMaroon", 0x000080},
    {u"clGreen", 0x008000},
    {u"clOlive", 0x008080},
    {u"clNavy", 0x800000},
    {u"clPurple", 0x800080},
    {u"clTeal", 0x808000},
    {u"clGray", 0x808080},
    {u"clSilver", 0xC0C0C0},
    {u"clRed", 0x0000FF},
    {u"clLime", 0x00FF00},
    {u"clYellow", 0x00FFFF},
    {u"clBlue", 0xFF0000},
    {u"clFuchsia", 0xFF00FF},
    {u"clAqua", 0xFFFF00},
    {u"clWhite", 0xFFFFFF},
    {u"clMoneyGreen", 0xC0DCC0},
    {u"clSkyBlue", 0xF0CAA6},
    {u"clCream", 0xF0FBFF},
    {u"clMedGray", 0xA4A0A0},
    {u"clActiveBorder", 0xFF00000A},
    {u"clActiveCaption", 0xFF000002},
    {u"clAppWorkSpace", 0xFF00000C},
    {u"clBackground", 0xFF000001},
    {u"clBtnFace", 0xFF00000F},
    {u"clBtnHighlight", 0xFF000014},
    {u"clBtnShadow", 0xFF000010},
    {u"clBtnText", 0xFF000012},
    {u"clCaptionText", 0xFF000009},
    {u"clDefault", 0x20000000},
    {u"clGradientActiveCaption", 0xFF00001B},
    {u"clGradientInactiveCaption", 0xFF00001C},
    {u"clGrayText", 0xFF000011},
    {u"clHighlight", 0xFF00000D},
    {u"clHighlightText", 0xFF00000E},
    {u"clHotLight", 0xFF00001A},
    {u"clInactiveBorder", 0xFF00000B},
    {u"clInactiveCaption", 0xFF000003},
    {u"clInactiveCaptionText", 0xFF000013},
    {u"clInfoBk", 0xFF000018},
    {u"clInfoText", 0xFF000017},
    {u"clMenu", 0xFF000004},
    {u"clMenuBar", 0xFF00001E},
    {u"clMenuHighlight", 0xFF00001D},
    {u"clMenuText", 0xFF000007},
    {u"clNone", 0x1FFFFFFF},
    {u"clScrollBar", 0xFF000000},
    {u"cl3DDkShadow", 0xFF000015},
    {u"cl3DLight", 0xFF000016},
    {u"clWindow", 0xFF000005},
    {u"clWindowFrame", 0xFF000006},
    {u"clWindowText", 0xFF000008},
}};

namespace {

constexpr std::u16string_view kInvalidInteger = u"\"%s\" ist kein gültiger ganzzahliger Wert.";
constexpr std::u16string_view kInvalidColor = u"\"%s\" ist kein gültiger Farbwert.";
constexpr std::u16string_view kUnicodeBrailleDefaultTail = u"|18|0|0000|clBlack";
constexpr char16_t kSeparator = u'|';

int StrToInt(std::u16string_view text) {
    std::int32_t value = 0;
    if (!TryStrToInt(text, value)) throw EKorvalin(Format(kInvalidInteger, {text}));
    return value;
}

// Removes and returns the text before the next separator; throws when there
// is none.
std::u16string_view TakeField(std::u16string_view& rest) {
    const size_t p = rest.find(kSeparator);
    if (p == std::u16string_view::npos) throw EKorvalin(std::u16string(FontSpecError));
    const std::u16string_view field = rest.substr(0, p);
    rest.remove_prefix(p + 1);
    return field;
}

}  // namespace

std::u16string ColorToString(TColor color) {
    for (const TColorIdent& ident : ColorIdents)
        if (ident.Value == color) return std::u16string(ident.Name);
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string text(9, u'$');
    for (int digit = 0; digit < 8; ++digit) text[size_t(8 - digit)] = kHex[(color >> (4 * digit)) & 0xF];
    return text;
}

TColor StringToColor(std::u16string_view text) {
    for (const TColorIdent& ident : ColorIdents)
        if (SameText(ident.Name, text)) return ident.Value;
    std::int32_t value = 0;
    if (!TryStrToInt(text, value)) throw EKorvalin(Format(kInvalidColor, {text}));
    return TColor(value);
}

std::u16string FontToSpec(const TFontValue& font) {
    const std::u16string color = ColorToString(font.Color);
    return Format(u"%s|%d|%d|%d%d%d%d|%s",
                  {font.Name, std::int64_t(font.Size), std::int64_t(font.Charset), std::int64_t(font.Bold),
                   std::int64_t(font.Italic), std::int64_t(font.Underline), std::int64_t(font.StrikeOut), color});
}

TFontValue SpecToFont(std::u16string_view spec) {
    std::u16string_view rest = spec;
    TFontValue font;
    font.Name = std::u16string(TakeField(rest));
    font.Size = StrToInt(TakeField(rest));
    font.Charset = std::uint8_t(StrToInt(TakeField(rest)) & 0xFF);
    if (rest.find(kSeparator) != 4) throw EKorvalin(std::u16string(FontSpecError));
    font.Bold = rest[0] == u'1';
    font.Italic = rest[1] == u'1';
    font.Underline = rest[2] == u'1';
    font.StrikeOut = rest[3] == u'1';
    rest.remove_prefix(5);
    font.Color = StringToColor(rest);
    return font;
}

void AssignFontSpec(TFontValue* font, std::u16string_view spec) {
    if (!font) return;
    try {
        *font = SpecToFont(spec);
    } catch (const EKorvalin&) {
        font->Name = u"Arial";
        font->Size = 12;
        font->Bold = font->Italic = font->Underline = font->StrikeOut = false;
        font->Color = clWindowText;
    }
}

std::u16string FontSpecSizeInRange(std::u16string_view spec, int min, int max, int size) {
    try {
        const int stored = SpecToFont(spec).Size;
        if (stored >= min && stored <= max) return std::u16string(spec);
    } catch (const EKorvalin&) {
        return std::u16string(spec);
    }
    // A readable spec has its size between the first two separators.
    const size_t sizeStart = spec.find(kSeparator) + 1;
    const size_t sizeEnd = spec.find(kSeparator, sizeStart);
    std::u16string result(spec.substr(0, sizeStart));
    return result.append(IntToStr(size)).append(spec.substr(sizeEnd));
}

bool IsUnicodeBrailleText(std::u16string_view text) {
    if (text.empty()) return false;
    for (const char16_t c : text)
        if (c < 0x2800 || c > 0x28FF) return false;
    return true;
}

const std::vector<TFontEntry>& ModeFontList(const TFonts& fonts, int mode) {
    static const std::vector<TFontEntry> empty;
    return mode >= 0 && size_t(mode) < fonts.size() ? fonts[size_t(mode)] : empty;
}

int ModeFontIndex(int index, int count) { return index >= count && count > 0 ? 0 : index; }

TUnicodeBrailleFontChooser::TUnicodeBrailleFontChooser(THasBraillePatterns hasBraillePatterns)
    : FHasBraillePatterns(std::move(hasBraillePatterns)) {}

std::u16string TUnicodeBrailleFontChooser::ChooseFace(const std::u16string& wanted) const {
    if (FHasBraillePatterns) {
        if (FHasBraillePatterns(wanted)) return wanted;
        for (const std::u16string_view face : UnicodeBrailleFallbackFaces) {
            std::u16string candidate(face);
            if (FHasBraillePatterns(candidate)) return candidate;
        }
    }
    return wanted.empty() ? std::u16string(u"Arial") : wanted;
}

std::u16string TUnicodeBrailleFontChooser::GetUnicodeBrailleFontSpec(const TFonts& fonts, int mode, int index) {
    const std::vector<TFontEntry>& list = ModeFontList(fonts, mode);
    index = ModeFontIndex(index, int(list.size()));
    const std::u16string_view spec =
        index >= 0 && size_t(index) < list.size() ? std::u16string_view(list[size_t(index)].Settings)
                                                  : UnicodeBrailleDefaultSpec;
    const std::vector<std::u16string_view> tokens = Tokens(spec);
    const std::u16string wanted = tokens.empty() ? std::u16string() : std::u16string(tokens.front());
    if (FUnicodeBrailleFontName.empty() || !SameText(FUnicodeBraillePreferredFontName, wanted)) {
        FUnicodeBrailleFontName = ChooseFace(wanted);
        FUnicodeBraillePreferredFontName = wanted;
    }
    std::u16string result = FUnicodeBrailleFontName;
    const size_t p = spec.find(kSeparator);
    result.append(p == std::u16string_view::npos ? kUnicodeBrailleDefaultTail : spec.substr(p));
    return result;
}

std::u16string TUnicodeBrailleFontChooser::GetUnicodeBrailleFontSpec(int mode, int index) {
    return GetUnicodeBrailleFontSpec(Einstellungen.Fonts, mode, index);
}

}  // namespace korvalin
