#include "app/WindowRules.h"

#include "util/TextUtils.h"

#include <algorithm>

namespace korvalin {

namespace {

// One dimension of StartupSize: returns the size, adjusts the limits.
int FitDimension(int wanted, int& minimum, int& maximum, int work) {
    if (minimum > 0 && minimum > work) minimum = work;
    if (maximum > 0 && maximum < minimum) maximum = minimum;
    int size = std::min(wanted, work);
    size = std::max(size, minimum);
    if (maximum != 0) size = std::min(size, maximum);
    return size;
}

}  // namespace

TSizeLimits StartupSize(const TSizeLimits& wanted, int workWidth, int workHeight) {
    TSizeLimits result = wanted;
    result.Width = FitDimension(wanted.Width, result.MinWidth, result.MaxWidth, workWidth);
    result.Height = FitDimension(wanted.Height, result.MinHeight, result.MaxHeight, workHeight);
    return result;
}

TWindowPosition FensterPosition(const TWorkArea& workArea, int width, int height, bool maximized) {
    if (maximized) return {workArea.Left, workArea.Top};
    // C++ division truncates toward zero, as the rule wants.
    return {workArea.Left + (workArea.Width - width) / 2, workArea.Top + (workArea.Height - height) / 2};
}

TDocumentName FilenameZuweisen(std::u16string_view value, std::u16string_view current, std::u16string_view exeFolder) {
    const std::u16string_view folder = ExtractFilePath(value);
    if (!value.empty() && folder.size() < value.size())
        return {std::u16string(value), std::u16string(value.substr(folder.size()))};
    TDocumentName name;
    if (!value.empty()) name.Filename = value;
    else if (!current.empty()) name.Filename = ExtractFilePath(current);
    else name.Filename = exeFolder;
    name.DisplayName = texts::NewDocumentName;
    return name;
}

std::u16string DocumentCaption(std::u16string_view displayName) {
    return Format(texts::CaptionFormat, {displayName, texts::ProgramTitle});
}

std::u16string_view ModusStatusText(TModus modus) {
    static constexpr std::array<std::u16string_view, 6> kTexts = {
        u"0 QWERTZ-Tastatur", u"1 Brl8+", u"2 Brl8-", u"3 Brl6+", u"4 Brl6-", u"5 Brl8ToUnicode"};
    return kTexts[size_t(modus)];
}

std::u16string_view OnOffText(bool value) { return value ? u"Ein" : u"Aus"; }

std::u16string ModusPanelText(TModus modus) { return Format(u"Mod: %s", {ModusStatusText(modus)}); }
std::u16string LautgruppePanelText(bool value) { return Format(u"Zko: %s", {OnOffText(value)}); }
std::u16string EinhandPanelText(bool value) { return Format(u"Eha: %s", {OnOffText(value)}); }

std::u16string DottedNumber(std::int64_t value) {
    std::u16string digits = IntToStr(value);
    std::u16string text;
    if (value < 0) text = digits.substr(0, 1), digits.erase(0, 1);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += u'.';
        text += digits[i];
    }
    return text;
}

std::u16string ZeileSpalteText(std::int64_t row, std::int64_t column) {
    return Format(u"Ze %s | Sp %s", {DottedNumber(row), DottedNumber(column)});
}

std::u16string StatusHintText(int minute, bool modified, bool speichernUnterS, const THintShortCuts& shortCuts) {
    const bool odd = minute % 2 == 1;
    if (modified)
        return odd ? Format(u"%s=Speichern", {shortCuts.Speichern})
                   : Format(u"%s=Speichern unter", {shortCuts.SpeichernUnter});
    if (speichernUnterS)
        return odd ? Format(u"%s=Speichern unter", {shortCuts.SpeichernUnter})
                   : Format(u"%s=Öffnen", {shortCuts.Oeffnen});
    switch (minute % 10) {
    case 1:
    case 5:
    case 9:
        return Format(u"%s=Zeichenkombination eingeben", {shortCuts.Lautgruppe});
    case 2:
    case 6:
        return Format(u"%s=Schließen", {shortCuts.Schliessen});
    case 3:
    case 7:
        return Format(u"%s=Drucken", {shortCuts.Drucken});
    default:
        return Format(u"%s-%s=Modus wechseln", {shortCuts.Modus0, shortCuts.Modus5});
    }
}

std::array<std::u16string, 6> StatusPanelMeasureTexts() {
    return {u"Ze MMM | Sp MMM", ModusPanelText(TModus::M5) + u"M",
            LautgruppePanelText(false) + u"M", u"Bte: Unb.M", EinhandPanelText(false) + u"M", u"12345678"};
}

std::array<int, 6> StatusPanelWidths(int barWidth, const std::array<int, 6>& measured) {
    const int bar = std::max(0, barWidth);
    std::array<std::int64_t, 6> wanted{};
    for (size_t i = 0; i < wanted.size(); ++i) wanted[i] = std::max(0, measured[i]);
    std::int64_t fixed = 0;
    for (size_t i = 0; i < 5; ++i) fixed += wanted[i];
    const std::int64_t total = fixed + wanted[5];
    std::array<int, 6> widths{};
    int used = 0;
    for (size_t i = 0; i < 5; ++i) {
        widths[i] = int(total <= bar ? wanted[i] : wanted[i] * bar / total);
        used += widths[i];
    }
    widths[5] = bar - used;
    return widths;
}

}  // namespace korvalin
