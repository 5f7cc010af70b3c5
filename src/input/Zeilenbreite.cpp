#include "input/Zeilenbreite.h"

#include <algorithm>
#include <vector>

#include "util/TextUtils.h"

namespace korvalin {

int ClampMaxZeilenbreite(int value) { return std::clamp(value, 0, kMaxZeilenbreiteLimit); }

std::u16string ZeilenbreitePanelText(int maxZeilenbreite) {
    const std::u16string value = maxZeilenbreite != 0 ? IntToStr(maxZeilenbreite) : std::u16string(u"Unb.");
    return Format(u"Bte: %s", {value});
}

std::optional<int> ParseZeilenbreite(std::u16string_view text) {
    text = Trim(text);
    size_t i = 0;
    bool negativeS = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negativeS = text[i++] == u'-';
    if (i == text.size()) return std::nullopt;
    int value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
        value = value * 10 + (text[i] - u'0');
        if (value > kMaxZeilenbreiteLimit) return std::nullopt;
    }
    if (negativeS && value != 0) return std::nullopt;
    return value;
}

namespace {

// The segments of a text between line breaks; CR LF is one break, a lone
// CR or LF one each. A text of n breaks has n + 1 segments.
std::vector<std::u16string> SplitAtBreaks(const std::u16string& text) {
    std::vector<std::u16string> segments(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            segments.emplace_back();
        } else {
            segments.back().push_back(c);
        }
    }
    return segments;
}

std::u16string LineOrEmpty(const TLineModel& lines, int line) {
    return line >= 0 && line < lines.LineCount() ? lines.Line(line) : std::u16string();
}

}  // namespace

bool IsMaxZeilenbreiteOk(const TLineModel& lines, int MaxZeilenbreite, int SelStart, int SelLength,
                         const std::u16string& InsertText) {
    if (MaxZeilenbreite <= 0) return true;
    const int s = SelStart;
    const int lineA = std::max(lines.LineFromChar(s), 0);
    int startA = lines.LineIndex(lineA);
    if (startA < 0) startA = s;
    const int colA = std::max(s - startA, 0);
    const std::u16string prefix = LineOrEmpty(lines, lineA).substr(0, size_t(colA));

    const int e = s + std::max(SelLength, 0);
    int lineB = lines.LineFromChar(e);
    if (lineB < 0) lineB = lineA;
    const int startB = lines.LineIndex(lineB);
    const int colB = startB < 0 ? 0 : std::max(e - startB, 0);
    const std::u16string lineBText = LineOrEmpty(lines, lineB);
    const std::u16string suffix = size_t(colB) < lineBText.size() ? lineBText.substr(size_t(colB)) : std::u16string();

    const std::vector<std::u16string> segments = SplitAtBreaks(InsertText);
    for (size_t i = 0; i < segments.size(); ++i) {
        size_t length = segments[i].size();
        if (i == 0) length += prefix.size();
        if (i + 1 == segments.size()) length += suffix.size();
        if (length > size_t(MaxZeilenbreite)) return false;
    }
    return true;
}

}  // namespace korvalin
