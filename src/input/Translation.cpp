#include "input/Translation.h"

#include "util/TextUtils.h"

#include <algorithm>

namespace korvalin {

std::u16string ExpandKeysInString(int Keys, bool TrennzeichenS) {
    std::u16string pattern;
    for (int dot = 0; dot < 8; ++dot)
        if (Keys & (1 << dot)) pattern += char16_t(u'1' + dot);
    if (TrennzeichenS && !pattern.empty()) pattern.insert(pattern.begin(), u'|');
    return pattern;
}

std::u16string RemoveDots78(std::u16string_view pattern) {
    std::u16string result;
    for (const char16_t c : pattern)
        if (c != u'7' && c != u'8') result += c;
    return result;
}

std::u16string CodePointToString(std::int64_t codePoint) {
    if (codePoint <= 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return {};
    if (codePoint <= 0xFFFF) return std::u16string(1, char16_t(codePoint));
    const auto offset = std::uint32_t(codePoint - 0x10000);
    return {char16_t(0xD800 + (offset >> 10)), char16_t(0xDC00 + (offset & 0x3FF))};
}

namespace {

int DigitValue(char16_t c, int base) {
    int value = -1;
    if (c >= u'0' && c <= u'9') value = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f') value = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F') value = c - u'A' + 10;
    return value;
}

}  // namespace

bool TryStrToInt(std::u16string_view s, std::int32_t& value) {
    size_t i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    int base = 10;
    if (i < s.size() && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size()) return false;
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const int digit = DigitValue(s[i], base);
        if (digit < 0) return false;
        magnitude = magnitude * std::uint64_t(base) + std::uint64_t(digit);
        if (magnitude > limit) return false;
    }
    const auto bits = base == 16 ? std::int64_t(std::int32_t(std::uint32_t(magnitude))) : std::int64_t(magnitude);
    value = std::int32_t(negative ? -bits : bits);
    return true;
}

std::optional<std::u16string> ValueToText(std::u16string_view value, TValueFault* fault) {
    const auto failed = [fault](TValueFault::TKind kind, std::u16string_view number) -> std::optional<std::u16string> {
        if (fault) *fault = {kind, std::u16string(number)};
        return std::nullopt;
    };
    std::u16string_view rest = Trim(value);
    std::u16string text;
    while (!rest.empty()) {
        const size_t separator = std::min(rest.find(u'|'), rest.size());
        const std::u16string_view piece = rest.substr(0, separator);
        rest.remove_prefix(std::min(separator + 1, rest.size()));
        if (piece.empty()) continue;  // runs of "|" count as one separator
        std::int32_t codePoint = 0;
        if (!TryStrToInt(Trim(piece), codePoint))  // also a number of blanks only
            return failed(TValueFault::NotANumber, Trim(piece));
        const std::u16string character = CodePointToString(codePoint);
        if (character.empty()) return failed(TValueFault::NotACodePoint, Trim(piece));
        text += character;
    }
    if (text.empty()) return failed(TValueFault::NoNumber, {});
    return text;
}

std::optional<std::u16string> GetBrl2Char(const TStringList* Tab, std::u16string_view Brl) {
    if (!Tab || Brl.empty()) return std::nullopt;
    const int line = Tab->IndexOfName(Brl);
    if (line < 0) return std::nullopt;
    return ValueToText(Tab->ValueFromIndex(size_t(line)));
}

namespace {

TTranslation Looked(const TStringList& table, std::u16string_view key, int fontModeIndex, int fontVariant) {
    TTranslation translation;
    translation.FontModeIndex = fontModeIndex;
    translation.FontVariant = fontVariant;
    if (auto text = GetBrl2Char(&table, key)) {
        translation.Result = TTranslationResult::Text;
        translation.Text = std::move(*text);
    } else {
        translation.Result = TTranslationResult::Failed;
    }
    return translation;
}

// The 6-dot part of a pattern as the 6-dot table knows it.
std::u16string SixDotKey(std::u16string_view punkte) {
    std::u16string key = RemoveDots78(punkte);
    return key == u"456" ? u"4567" : key;
}

}  // namespace

TTranslation TranslatePunkte(TModus modus, std::u16string_view Punkte, bool LautS, const TStringList& tabStandard,
                             const TStringList& tab1, const TStringList& tab2) {
    if (Punkte.empty()) return {};
    if (LautS) return Looked(tab1, Punkte, 5, 0);
    switch (modus) {
    case TModus::M0:
        return {TTranslationResult::Text, std::u16string(Punkte), 0, 0};
    case TModus::M1: {
        const std::u16string key = SixDotKey(Punkte);
        if (key.empty()) return Looked(tab2, Punkte, 1, 0);
        const bool dot7 = Punkte.find(u'7') != std::u16string_view::npos;
        const bool dot8 = Punkte.find(u'8') != std::u16string_view::npos;
        return Looked(tabStandard, key, 1, (dot7 ? 1 : 0) + (dot8 ? 2 : 0));
    }
    case TModus::M2:
        return Looked(tab2, Punkte, 2, 0);
    case TModus::M3:
    case TModus::M4: {
        const int index = modus == TModus::M3 ? 3 : 4;
        const std::u16string key = SixDotKey(Punkte);
        if (key.empty()) return {TTranslationResult::Text, u" ", index, 0};
        return Looked(tabStandard, key, index, 0);
    }
    case TModus::M5:
        return Looked(tab1, Punkte, 5, 0);
    }
    return {};
}

bool IsPrintableChar(char16_t key) {
    // Letters and digits are never control characters, so this covers them.
    return key >= 32 && !(key >= 127 && key <= 159);
}

bool BlankIsEmptyCell(bool wasCombination, TModus modus, const TStringList& tab1, const TStringList& tab2) {
    if (wasCombination || modus == TModus::M5) return tab1.IndexOfName(u"0") >= 0;
    return modus == TModus::M2 && tab2.IndexOfName(u"0") >= 0;
}

}  // namespace korvalin
