// From dot masks to dot patterns, and from dot patterns to text through the
// working tables.
#pragma once

#include "app/ResConst.h"
#include "util/StringList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvalin {

// The digits "1" to "8" of the mask's dots in ascending order; with
// TrennzeichenS a "|" in front of a non-empty result.
std::u16string ExpandKeysInString(int Keys, bool TrennzeichenS);
std::u16string RemoveDots78(std::u16string_view pattern);
// The UTF-16 text of one code point; empty for 0, negatives, surrogates and
// numbers above U+10FFFF.
std::u16string CodePointToString(std::int64_t codePoint);

// The integer parse of table values: leading blanks, an optional sign,
// decimal digits, or hexadecimal digits after "$", "x" or "0x" (either case),
// within 32 bits; nothing may follow. Hexadecimal numbers are taken as
// unsigned 32-bit patterns, so "$FFFFFFFF" gives -1.
bool TryStrToInt(std::u16string_view s, std::int32_t& value);

// Why a table value gives no text.
struct TValueFault {
    enum TKind { NoNumber, NotANumber, NotACodePoint };
    TKind Kind = NoNumber;
    std::u16string Number;  // the trimmed number that failed
};

// The text of a table value (the part of a line after its "="): its numbers
// are separated by "|" (runs and separators at either end count as one),
// each an integer that CodePointToString accepts; nullopt, with the reason
// in Fault when given, for a value with a bad number or no number at all.
std::optional<std::u16string> ValueToText(std::u16string_view value, TValueFault* fault = nullptr);

// The text of the first line of Tab named Brl; nullopt for a failed lookup
// (no table, no such line, or a value that is not a list of valid code
// points), for which the caller gives the error cue once.
std::optional<std::u16string> GetBrl2Char(const TStringList* Tab, std::u16string_view Brl);

enum class TTranslationResult {
    Nothing,  // an empty pattern: nothing to do, no cue
    Failed,   // the lookup failed: error cue
    Text,
};

struct TTranslation {
    TTranslationResult Result = TTranslationResult::Nothing;
    std::u16string Text;
    int FontModeIndex = 0;
    int FontVariant = 0;  // mode 1: 0 plain, 1 dot 7, 2 dot 8, 3 both
};

// Which table, key, font mode index and variant a pattern (or, LautS, a
// character combination) gets in the mode, and the text found.
TTranslation TranslatePunkte(TModus modus, std::u16string_view Punkte, bool LautS, const TStringList& tabStandard,
                             const TStringList& tab1, const TStringList& tab2);

// A typed character is printable when it is a letter or digit, or no control
// character outside 127 to 159.
bool IsPrintableChar(char16_t key);

// Whether a typed blank stands for the empty cell "0": in a combination or
// mode 5 when Tab1 has the line, otherwise in mode 2 when Tab2 has it.
bool BlankIsEmptyCell(bool wasCombination, TModus modus, const TStringList& tab1, const TStringList& tab2);

}  // namespace korvalin
