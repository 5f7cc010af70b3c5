#include "appearance/ModusSchrift.h"

#include "input/Translation.h"
#include "util/TextUtils.h"

#include <algorithm>

namespace korvalin {

namespace {

constexpr int kRand = 10;           // margin and gap
constexpr int kLabelAbstand = 5;    // between a label and its field
constexpr int kListeMinBreite = 80;

// The braille digits of the modes 0 to 4; every other mode takes U+2831.
constexpr char16_t kBrailleZiffern[] = {u'\u282C', u'\u2821', u'\u2823', u'\u2829', u'\u2839'};
constexpr std::u16string_view kTestzeileBraille = u"⡞⠑⠎⠞⠵⠑⠊⠇⠑ ⡍⠕⠙⠥⠎ %s⠒ ⠈⠿⣿⠈";
constexpr std::u16string_view kTestzeile = u"Testzeile Modus %d: \"%s\"";
constexpr std::u16string_view kTestzeileZeichen = u"%⣿";

TFontValue FontFromSpec(std::u16string_view spec, int mode) {
    TFontValue font;
    AssignFontSpec(&font, spec);
    SchriftstilBereinigen(font, mode);
    return font;
}

}  // namespace

const std::array<TSchriftFarbe, 16> SchriftFarben = {{
    {u"Schwarz", u"clBlack"},
    {u"Braun", u"clMaroon"},
    {u"Grün", u"clGreen"},
    {u"Olivgrün", u"clOlive"},
    {u"Dunkelblau", u"clNavy"},
    {u"Purpur", u"clPurple"},
    {u"Grünblau", u"clTeal"},
    {u"Grau", u"clGray"},
    {u"Silber", u"clSilver"},
    {u"Rot", u"clRed"},
    {u"Limone", u"clLime"},
    {u"Gelb", u"clYellow"},
    {u"Blau", u"clBlue"},
    {u"Fuchsie", u"clFuchsia"},
    {u"Aquamarin", u"clAqua"},
    {u"Weiß", u"clWhite"},
}};

bool SchriftstilErlaubt(int mode) { return mode != 1 && mode != 3 && mode != 4; }

void SchriftstilBereinigen(TFontValue& font, int mode) {
    if (SchriftstilErlaubt(mode)) return;
    font.Bold = false;
    font.Italic = false;
}

std::optional<int> ParseSchriftGroesse(std::u16string_view text) {
    std::int32_t value = 0;
    if (!TryStrToInt(Trim(text), value) || value < kSchriftGroesseMin || value > kSchriftGroesseMax)
        return std::nullopt;
    return value;
}

int SchriftFarbzeile(TColor color) {
    const std::u16string text = ColorToString(color);
    for (size_t row = 0; row < SchriftFarben.size(); ++row)
        if (SameText(SchriftFarben[row].Ident, text)) return int(row);
    return 0;
}

std::u16string TestzeileText(int mode) {
    if (mode == 2) {
        const char16_t digit = mode >= 0 && mode < 5 ? kBrailleZiffern[mode] : u'\u2831';
        return Format(kTestzeileBraille, {std::u16string_view(&digit, 1)});
    }
    return Format(kTestzeile, {std::int64_t(mode), kTestzeileZeichen});
}

std::optional<TModusSchrift> ModusSchriftLesen(const TFonts& fonts, const TFonts& defaults, int mode) {
    const std::vector<TFontEntry>& list = ModeFontList(fonts, mode);
    if (list.empty()) return std::nullopt;
    TModusSchrift result;
    result.Schrift = FontFromSpec(list[0].Settings, mode);
    // Without a default list "Standard" restores the fallback font.
    result.Standard = FontFromSpec(u"", mode);
    const std::vector<TFontEntry>& standard = ModeFontList(defaults, mode);
    if (!standard.empty()) {
        result.Standard = FontFromSpec(standard[0].Settings, mode);
        result.StandardS = true;
    }
    const size_t test = mode == 1 && list.size() > 2 ? 2 : 0;  // the font of the cells with dot 8
    result.TestSpec = list[test].Settings;
    result.TestUnicodeBrailleS = mode == 2;
    return result;
}

TFontValue ModusSchriftErgebnis(TFontValue start, int mode, int size, bool bold, bool italic, TColor color) {
    start.Size = size;
    start.Bold = bold;
    start.Italic = italic;
    SchriftstilBereinigen(start, mode);
    start.Color = color;
    return start;
}

void ModusSchriftSchreiben(std::vector<TFontEntry>& list, const TFontValue& font) {
    // The font string of a nameless font is exactly the shared tail
    // "|size|charset|style|colour".
    TFontValue tailFont = font;
    tailFont.Name.clear();
    const std::u16string tail = FontToSpec(tailFont);
    for (TFontEntry& entry : list) {
        const std::vector<std::u16string_view> tokens = Tokens(entry.Settings);
        std::u16string settings(tokens.empty() ? std::u16string_view() : tokens.front());
        entry.Settings = settings.append(tail);
    }
}

std::u16string LaengsteBeschriftung(std::initializer_list<std::u16string_view> captions) {
    std::u16string longest;
    for (const std::u16string_view caption : captions) {
        std::u16string text;
        for (const char16_t c : caption)
            if (c != u'&') text.push_back(c);
        if (text.size() > longest.size()) longest = std::move(text);
    }
    return longest;
}

TSchriftDlgLayout SchriftDlgLayout(const TSchriftDlgMasse& m) {
    TSchriftDlgLayout l;
    l.Groesse = {m.GroesseLabelWidth + kLabelAbstand + kRand, kRand, m.GroesseWidth, m.GroesseHeight};
    l.GroesseLabel = {l.Groesse.Left - kLabelAbstand - m.GroesseLabelWidth, kRand, m.GroesseLabelWidth,
                      m.GroesseHeight};
    l.UpDown = {l.Groesse.Right(), kRand, m.UpDownWidth, m.GroesseHeight};
    l.CheckBox1 = {l.UpDown.Right() + kRand, kRand, m.CheckBox1Width, m.CheckBoxHeight};
    l.CheckBox2 = {l.CheckBox1.Right() + kRand, kRand, m.CheckBox2Width, m.CheckBoxHeight};

    // 70 % of the owner, but never so narrow that the list or the buttons
    // would leave the client.
    const int listLeft = l.CheckBox2.Right() + kRand;
    const int listMinWidth = std::max(kListeMinBreite, m.ListViewMinWidth);
    l.ClientWidth = std::max({int(m.OwnerWidth * 70LL / 100) - m.FrameWidth, listLeft + listMinWidth + kRand,
                              3 * m.ButtonWidth + 4 * kRand});
    // Ten check box heights, or what the test line and its label need below
    // the check boxes at the largest size.
    const int listHeight =
        std::max(10 * m.CheckBoxHeight, m.CheckBoxHeight + kRand + m.TestLabelHeight + m.TestHeightMax);
    l.ListView = {listLeft, kRand, l.ClientWidth - listLeft - kRand, listHeight};

    const int buttonTop = l.ListView.Bottom() + kRand;
    const int standardLeft = (l.ClientWidth - 3 * m.ButtonWidth) / 4;
    const int okLeft = 2 * standardLeft + m.ButtonWidth;
    l.Standard = {standardLeft, buttonTop, m.ButtonWidth, m.ButtonHeight};
    l.Ok = {okLeft, buttonTop, m.ButtonWidth, m.ButtonHeight};
    l.Abbrechen = {standardLeft + okLeft + m.ButtonWidth, buttonTop, m.ButtonWidth, m.ButtonHeight};
    l.ClientHeight = buttonTop + m.ButtonHeight + kRand;
    return l;
}

TTestzeileLayout TestzeileLayout(const TSchriftDlgLayout& layout, int labelHeight, int testHeight) {
    const TDlgRect& list = layout.ListView;
    const TDlgRect& box = layout.CheckBox1;
    int top = (list.Height - testHeight - box.Top - box.Height) / 2;
    // Kept below the check boxes with room for the label, and inside the
    // height of the list where it fits.
    top = std::min(top, list.Bottom() - testHeight);
    top = std::max(top, box.Bottom() + kRand + labelHeight);
    TTestzeileLayout result;
    result.Test = {kRand, top, std::max(list.Left - kRand - kRand, 0), testHeight};
    result.Label = {kRand, top - labelHeight, result.Test.Width, labelHeight};
    return result;
}

}  // namespace korvalin
