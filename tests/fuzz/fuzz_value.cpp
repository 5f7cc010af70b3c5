// Table lookups of any line and key. The first byte chooses how the rest is
// read:
//  even: raw UTF-16 (little endian) "line\nkey"; a found text must be
//        non-empty, well-formed UTF-16, and the same for the key in lower case.
//  odd:  a value written from the input's numbers in every notation the table
//        format allows, with blanks and runs of separators; the text must be
//        exactly the UTF-16 of those numbers, or the lookup fails when one of
//        them is no code point or a piece of garbage was put in.
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

void RawLookup(const std::uint8_t* data, std::size_t size) {
    std::u16string input;
    for (size_t i = 0; i + 1 < size; i += 2) input += char16_t(data[i] | data[i + 1] << 8);
    const size_t newline = input.find(u'\n');
    const std::u16string line = input.substr(0, newline);
    const std::u16string key =
        newline == std::u16string::npos ? line.substr(0, line.find(u'=')) : input.substr(newline + 1);
    const TStringList table({line});
    const std::optional<std::u16string> text = GetBrl2Char(&table, key);
    Check(GetBrl2Char(&table, LowerCase(key)) == text);
    if (text) Check(!text->empty() && WellFormed(*text));
}

struct TReader {
    const std::uint8_t* Data;
    std::size_t Size;
    std::uint8_t Byte() {
        if (Size == 0) return 0;
        --Size;
        return *Data++;
    }
    std::uint32_t Word() {
        std::uint32_t word = 0;
        for (int shift = 0; shift < 32; shift += 8) word |= std::uint32_t(Byte()) << shift;
        return word;
    }
};

std::u16string Digits(std::uint64_t n, unsigned base, bool upper) {
    std::u16string digits;
    do {
        const unsigned d = unsigned(n % base);
        digits.insert(digits.begin(), char16_t(d < 10 ? u'0' + d : (upper ? u'A' : u'a') + d - 10));
        n /= base;
    } while (n);
    return digits;
}

// UTF-16 of a code point written out by hand, independent of the code under test.
std::u16string Utf16(std::int64_t cp) {
    if (cp < 0x10000) return std::u16string(1, char16_t(cp));
    return {char16_t(0xD7C0 + (cp >> 10)), char16_t(0xDC00 | (cp & 0x3FF))};
}

void WrittenLookup(TReader in) {
    const std::u16string blanks[] = {u"", u" ", u"  ", u"\t"};
    std::u16string value = in.Byte() & 1 ? u"|" : u"";
    std::u16string expected;
    bool valid = true;
    for (int count = 1 + in.Byte() % 6; count > 0 && in.Size > 0; --count) {
        const std::uint8_t form = in.Byte();
        const std::uint32_t word = in.Word();
        // Mostly code points, sometimes any 32-bit pattern.
        const std::uint64_t magnitude = form & 0x80 ? word : word % 0x110010;
        const bool negative = (form & 0x60) == 0x60;
        const unsigned notation = (form >> 2) % 6;  // decimal, $, x, X, 0x, 0X
        std::u16string number = blanks[form & 3] + (negative ? u"-" : (form & 0x10 ? u"+" : u""));
        static const std::u16string_view prefixes[] = {u"", u"$", u"x", u"X", u"0x", u"0X"};
        number += prefixes[notation];
        number += Digits(magnitude, notation == 0 ? 10 : 16, form & 0x08);
        number += blanks[(form >> 4) & 3];
        // The number the platform parse gives: decimal within int32, hexadecimal
        // as a 32-bit pattern; anything else is no number.
        std::int64_t parsed = 0;
        bool parses = true;
        if (notation == 0) {
            parses = magnitude <= (negative ? 0x80000000ull : 0x7FFFFFFFull);
            parsed = negative ? -std::int64_t(magnitude) : std::int64_t(magnitude);
        } else {
            parsed = std::int32_t(std::uint32_t(magnitude));
            if (negative) parsed = -parsed;
        }
        const bool codePoint = parses && parsed >= 1 && parsed <= 0x10FFFF && (parsed < 0xD800 || parsed > 0xDFFF);
        if (codePoint) expected += Utf16(parsed);
        valid = valid && codePoint;
        if (in.Byte() % 16 == 0) {  // garbage glued to the number
            number += u"#";
            valid = false;
        }
        value += number + std::u16string(1 + in.Byte() % 3, u'|');
    }
    const TStringList table({u"Ab1=" + value});
    const std::optional<std::u16string> text = GetBrl2Char(&table, u"aB1");
    if (valid && !expected.empty()) {
        Check(text == expected);
    } else {
        Check(!text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    if (data[0] % 2 == 0) RawLookup(data + 1, size - 1);
    else WrittenLookup(TReader{data + 1, size - 1});
    return 0;
}
