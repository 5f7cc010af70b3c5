#include "appearance/LxBackFontColors.h"

#include "util/TextUtils.h"

#include <utility>

namespace korvalin {

namespace {

constexpr std::array<TColor, kColorCount> kColorValues = {
    0x000000, 0xFFFFFF, 0x00FFFF, 0xFF0000, 0x800000, 0xF0CAA6, 0x808000, 0x008000, 0xC0DCC0,
    0x00FF00, 0x008080, 0x808080, 0x0000FF, 0x800080, 0xFF00FF, 0xC0C0C0, 0x000080,
};

TBackFontDlgTexts MakeDefaults() {
    TBackFontDlgTexts texts;
    texts.WindowCaption = u"Schrifteinstellungen";
    texts.FontColumnCaption = u"Schriftart";
    texts.FontSizeCaption = u"Schrift&größe (%d-%d):";
    texts.BoldCaption = u"&Fett";
    texts.PreviewText = u"Das ist eine Vorschau, wie der Text aussehen wird.";
    texts.OkCaption = u"O&K";
    texts.CancelCaption = u"&Abbrechen";
    texts.InsertCaption = u"Einfügen";
    texts.CopyCaption = u"&Kopieren";
    texts.SelectAllCaption = u"Alles &markieren";
    texts.BackgroundSuffix = u" (Hintergrund)";
    texts.EqualColorsQuestion =
        u"Schriftfarbe und Hintergrundfarbe sind identisch!\r\nSoll trotzdem fortgesetzt werden?";
    texts.TolkFontName = u"Schriftart: %s";
    texts.TolkFontColor = u"Schriftfarbe: %s";
    texts.TolkFontSize = u"Schriftgröße (%d bis %d): %s";
    texts.TolkBackColor = u"Hintergrundfarbe: %s";
    texts.ColorNames = {u"Schwarz",  u"Weiß",     u"Gelb",      u"Blau",     u"Marineblau", u"Himmelblau",
                        u"Blaugrün", u"Grün",     u"Minzgrün",  u"Gelbgrün", u"Olivgrün",   u"Grau",
                        u"Rot",      u"Violett",  u"Lila",      u"Silber",   u"Braun"};
    return texts;
}

// The sixteen text fields, in their order.
constexpr std::u16string TBackFontDlgTexts::* kTextFields[] = {
    &TBackFontDlgTexts::WindowCaption,    &TBackFontDlgTexts::FontColumnCaption,
    &TBackFontDlgTexts::FontSizeCaption,  &TBackFontDlgTexts::BoldCaption,
    &TBackFontDlgTexts::PreviewText,      &TBackFontDlgTexts::OkCaption,
    &TBackFontDlgTexts::CancelCaption,    &TBackFontDlgTexts::InsertCaption,
    &TBackFontDlgTexts::CopyCaption,      &TBackFontDlgTexts::SelectAllCaption,
    &TBackFontDlgTexts::BackgroundSuffix, &TBackFontDlgTexts::EqualColorsQuestion,
    &TBackFontDlgTexts::TolkFontName,     &TBackFontDlgTexts::TolkFontColor,
    &TBackFontDlgTexts::TolkFontSize,     &TBackFontDlgTexts::TolkBackColor,
};

}  // namespace

const TBackFontDlgTexts& DefaultBackFontDlgTexts() {
    static const TBackFontDlgTexts defaults = MakeDefaults();
    return defaults;
}

TBackFontDlgTexts MergeBackFontDlgTexts(const TBackFontDlgTexts& texts) {
    const TBackFontDlgTexts& defaults = DefaultBackFontDlgTexts();
    TBackFontDlgTexts merged = texts;
    for (const auto field : kTextFields)
        if ((merged.*field).empty()) merged.*field = defaults.*field;
    for (size_t i = 0; i < merged.ColorNames.size(); ++i)
        if (merged.ColorNames[i].empty()) merged.ColorNames[i] = defaults.ColorNames[i];
    return merged;
}

TColors::TColors() : TColors(DefaultBackFontDlgTexts().ColorNames, DefaultBackFontDlgTexts().BackgroundSuffix) {}

TColors::TColors(const TBackFontDlgColorNames& AColorNames, std::u16string ABackgroundSuffix)
    : FBackgroundSuffix(std::move(ABackgroundSuffix)) {
    FList.reserve(kColorCount);
    for (int i = 0; i < kColorCount; ++i) FList.push_back({i, kColorValues[size_t(i)], AColorNames[size_t(i)]});
}

void TColors::FillStringList(std::vector<std::u16string>& Sl, bool IsBackground) const {
    Sl.clear();
    for (const TColorName& entry : FList) {
        Sl.push_back(entry.Name);
        if (IsBackground) Sl.back().append(FBackgroundSuffix);
    }
}

bool TColors::FindColor(TColor Color, TColorName& ColorName) const {
    for (const TColorName& entry : FList)
        if (entry.Color == Color) {
            ColorName = entry;
            return true;
        }
    return false;
}

bool TColors::FindName(std::u16string_view Name, TColorName& ColorName) const {
    if (Trim(Name).empty()) return false;
    for (const TColorName& entry : FList)
        if (SameText(entry.Name, Name)) {
            ColorName = entry;
            return true;
        }
    return false;
}

const TColorName& TColors::Get(int Index) const {
    return Index >= 0 && Index < Count() ? FList[size_t(Index)] : FList.front();
}

int FontSizeValue(std::u16string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 9) return -1;
    int value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

TFaceRows FaceRows(const std::vector<std::u16string>& faces, std::u16string_view currentFace) {
    TFaceRows rows;
    for (const std::u16string& face : faces) {
        if (rows.Selected < 0 && SameText(face, currentFace)) {
            rows.Selected = int(rows.Captions.size());
            rows.Captions.push_back(std::u16string(u"*").append(face));
        } else {
            rows.Captions.push_back(face);
        }
    }
    rows.CurrentInstalledS = rows.Selected >= 0;
    if (rows.Selected < 0 && !rows.Captions.empty()) rows.Selected = 0;
    return rows;
}

TFontValue BackFontDlgFont(const TFontValue& start, const std::optional<std::u16string>& face, int size, bool bold,
                           TColor color) {
    TFontValue font = start;
    if (face) font.Name = *face;
    font.Size = size;
    font.Bold = bold;
    font.Italic = font.Underline = font.StrikeOut = false;
    font.Color = color;
    return font;
}

TFontValue InterfaceFont(const TFontValue& previous, const TFontValue& chosen) {
    TFontValue font = chosen;
    font.Italic = previous.Italic || chosen.Italic;
    font.Underline = previous.Underline || chosen.Underline;
    font.StrikeOut = previous.StrikeOut || chosen.StrikeOut;
    return font;
}

}  // namespace korvalin
