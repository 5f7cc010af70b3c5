// The caret escapes of the find text. The first byte chooses:
//  even: any text; the expansion is never longer, and a text without a caret
//        comes back unchanged;
//  odd:  a text written with escapes wherever the input asks for one (a
//        caret always as "^^", a code "^n" only where no digit follows, also
//        none that a later code makes); the expansion gives the text back.
#include "app/Suchen.h"
#include "util/TextUtils.h"

#include "FuzzInput.h"

#include <utility>
#include <vector>

using namespace korvalin;
using korvalin::fuzzing::Check;

namespace {

// Characters that meet the escapes' corners, and any byte besides.
constexpr std::u16string_view kAlphabet = u"^\r\f\t0123456789aAbBtT \x01\x7F\xFF\u00E4\u2800";

// The escape written for C, or nothing for a character that goes in as it is.
std::u16string Escape(char16_t c, bool escapeS) {
    if (c == u'^') return u"^^";
    if (!escapeS) return {};
    switch (c) {
    case u'\r': return u"^a";
    case u'\f': return u"^B";
    case u'\t': return u"^t";
    }
    if (c >= 1 && c <= 255) return u"^" + IntToStr(c);
    return {};
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

void RoundTrip(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i)
        text.push_back(data[i] & 0x40 ? char16_t(data[i] | 0x80) : kAlphabet[(data[i] & 0x3F) % kAlphabet.size()]);
    // Written from the end, so that each piece knows whether a digit follows
    // it, as written or as a code expands to (the expansion goes from the
    // largest code down, so a digit it made joins a smaller code before it).
    std::vector<std::u16string> pieces(size);
    bool digitFollows = false;
    for (std::size_t i = size; i-- > 0;) {
        std::u16string piece = Escape(text[i], data[i] & 0x80);
        if (piece.empty() || (digitFollows && IsDigit(piece[1]))) piece.assign(1, text[i]);
        digitFollows = IsDigit(text[i]);
        pieces[i] = std::move(piece);
    }
    std::u16string written;
    for (const std::u16string& piece : pieces) written += piece;
    Check(ExpandSearchEscapes(written) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    if (data[0] % 2) {
        RoundTrip(data + 1, size - 1);
        return 0;
    }
    const std::u16string text = korvalin::fuzzing::Latin1(data + 1, size - 1);
    const std::u16string expanded = ExpandSearchEscapes(text);
    Check(expanded.size() <= text.size());
    if (text.find(u'^') == std::u16string::npos) Check(expanded == text);
    return 0;
}
