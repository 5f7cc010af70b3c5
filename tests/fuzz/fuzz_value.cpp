// Any table line and key: a lookup either fails or gives well-formed UTF-16
// text that is exactly the concatenation of the value's code points.
#include "input/Translation.h"
#include "util/StringList.h"
#include "util/TextUtils.h"

#include <cstdint>
#include <cstdlib>

using namespace korvalin;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool WellFormed(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= 0xD800 && text[i] <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
            ++i;
        } else if (text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string input;
    for (size_t i = 0; i + 1 < size; i += 2) input += char16_t(data[i] | data[i + 1] << 8);
    const size_t separator = input.find(u'\n');
    const std::u16string line = input.substr(0, separator);
    const std::u16string key = separator == std::u16string::npos ? line.substr(0, line.find(u'=')) : input.substr(separator + 1);
    const TStringList table({line});
    const std::optional<std::u16string> text = GetBrl2Char(&table, key);
    if (!text) return 0;
    Check(!text->empty() && WellFormed(*text));
    // Recompute from the value: every non-empty piece is a valid code point.
    std::u16string expected;
    std::u16string_view value = table.ValueFromIndex(0);
    while (!value.empty()) {
        const size_t bar = value.find(u'|');
        const std::u16string_view piece = Trim(value.substr(0, bar));
        value = bar == std::u16string_view::npos ? std::u16string_view() : value.substr(bar + 1);
        std::int32_t codePoint = 0;
        if (piece.empty()) continue;
        Check(TryStrToInt(piece, codePoint));
        expected += CodePointToString(codePoint);
    }
    Check(expected == *text);
    return 0;
}
