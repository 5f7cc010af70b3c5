#include "app/Suchen.h"

#include "util/TextUtils.h"

#include <algorithm>

namespace korvalin {

namespace {

void ReplaceAll(std::u16string& text, std::u16string_view what, std::u16string_view by, bool ignoreCaseS) {
    std::u16string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const bool hit = i + what.size() <= text.size() &&
                         (ignoreCaseS ? SameText(std::u16string_view(text).substr(i, what.size()), what)
                                      : std::u16string_view(text).substr(i, what.size()) == what);
        if (hit) {
            result.append(by);
            i += what.size();
        } else {
            result.push_back(text[i++]);
        }
    }
    text = std::move(result);
}

}  // namespace

std::u16string ExpandSearchEscapes(std::u16string_view text) {
    std::u16string result(text);
    if (text.find(u'^') == std::u16string_view::npos) return result;
    ReplaceAll(result, u"^^", u"^^ ", false);
    ReplaceAll(result, u"^a", u"\r", true);
    ReplaceAll(result, u"^b", u"\f", true);
    ReplaceAll(result, u"^t", u"\t", true);
    for (int n = 255; n >= 1; --n) {
        if (result.find(u'^') == std::u16string::npos) break;
        std::u16string code(u"^");
        code.append(IntToStr(n));
        ReplaceAll(result, code, std::u16string(1, char16_t(n)), false);
    }
    ReplaceAll(result, u"^^ ", u"^", false);
    return result;
}

std::u16string CrLfToCr(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        result.push_back(text[i]);
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    }
    return result;
}

bool IsWordChar(char16_t c) {
    if (c < 0x80) return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
    if (c == 0xA0 || (c >= 0x2000 && c <= 0x206F) || c == 0x3000 || c == 0xFEFF) return false;
    if (c >= 0xA1 && c <= 0xBF && c != 0xAA && c != 0xB5 && c != 0xBA) return false;
    return c != 0xD7 && c != 0xF7;
}

std::int64_t TTextSuchPuffer::Find(std::u16string_view pattern, std::int64_t from, bool matchCaseS, bool wholeWordS) {
    const std::int64_t size = std::int64_t(FText.size()), length = std::int64_t(pattern.size());
    if (length == 0 || from < 0) return -1;
    const std::u16string_view text(FText);
    for (std::int64_t p = from; p + length <= size; ++p) {
        const std::u16string_view candidate = text.substr(size_t(p), size_t(length));
        if (matchCaseS ? candidate != pattern : !SameText(candidate, pattern)) continue;
        if (wholeWordS && ((p > 0 && IsWordChar(text[size_t(p - 1)])) ||
                           (p + length < size && IsWordChar(text[size_t(p + length)]))))
            continue;
        return p;
    }
    return -1;
}

TSuchTreffer Suchen(TSuchPuffer& puffer, std::u16string_view editorText, std::int64_t selStart, std::int64_t selLength,
                    std::u16string_view findText, const TSuchOptionen& optionen) {
    std::u16string text = CrLfToCr(editorText);
    const std::int64_t l = std::int64_t(text.size());
    const std::int64_t s = std::clamp<std::int64_t>(selStart, 0, l);
    const std::int64_t n = std::clamp<std::int64_t>(selLength, 0, l - s);
    std::u16string t = ExpandSearchEscapes(findText);
    if (t.empty()) return {};
    const std::int64_t length = std::int64_t(t.size());
    TSuchTreffer treffer;
    std::int64_t p;
    if (optionen.DownS) {
        puffer.SetText(text);
        p = puffer.Find(t, s + n, optionen.MatchCaseS, optionen.WholeWordS);
        treffer.SelStart = p;
    } else {
        std::reverse(text.begin(), text.end());
        std::reverse(t.begin(), t.end());
        puffer.SetText(text);
        p = puffer.Find(t, l - s, optionen.MatchCaseS, optionen.WholeWordS);
        treffer.SelStart = l - p - length;
    }
    if (p < 0) {
        // Down from behind a selection at the start did not look at the
        // selection itself: only "no further match" is certain then.
        const bool wholeS = optionen.DownS ? s + n == 0 : s == l;
        return {wholeS ? TSuchErgebnis::NichtGefunden : TSuchErgebnis::KeinWeiterer, selStart, selLength};
    }
    treffer.Ergebnis = TSuchErgebnis::Gefunden;
    treffer.SelLength = length;
    return treffer;
}

}  // namespace korvalin
