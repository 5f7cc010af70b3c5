// Search cases in editor positions, shared by the tests of the plain-text
// buffer and of the real rich edit: both buffers must give the same answers.
#pragma once

#include "app/Suchen.h"

#include <cstdint>
#include <string_view>

namespace korvalin::testing {

struct TSearchRow {
    std::u16string_view text;  // as the editor reads it out, CR LF
    std::int64_t selStart, selLength;
    std::u16string_view findText;
    TSuchOptionen optionen;
    TSuchErgebnis ergebnis;
    std::int64_t expectedStart, expectedLength;
};

inline constexpr TSuchOptionen Down{}, Up{.DownS = false};

inline constexpr TSearchRow kSearchRows[] = {
    // Upward from the end of "ab", line break, "ab": 3..4, then 0..1, then nothing further.
    {u"ab\r\nab", 5, 0, u"ab", Up, TSuchErgebnis::Gefunden, 3, 2},
    {u"ab\r\nab", 3, 2, u"ab", Up, TSuchErgebnis::Gefunden, 0, 2},
    {u"ab\r\nab", 0, 2, u"ab", Up, TSuchErgebnis::KeinWeiterer, 0, 2},
    // Downward the positions behind a line break are editor positions too.
    {u"ab\r\nab\r\nab", 0, 0, u"ab", Down, TSuchErgebnis::Gefunden, 0, 2},
    {u"ab\r\nab\r\nab", 0, 2, u"ab", Down, TSuchErgebnis::Gefunden, 3, 2},
    {u"ab\r\nab\r\nab", 3, 2, u"ab", Down, TSuchErgebnis::Gefunden, 6, 2},
    {u"ab\r\nab\r\nab", 6, 2, u"ab", Down, TSuchErgebnis::KeinWeiterer, 6, 2},
    // A line break is searched as one character and selected as one.
    {u"x\r\ny\r\nz", 0, 0, u"^a", Down, TSuchErgebnis::Gefunden, 1, 1},
    {u"x\r\ny\r\nz", 2, 0, u"y^az", Down, TSuchErgebnis::Gefunden, 2, 3},
    {u"x\r\ny\r\nz", 5, 0, u"^a", Up, TSuchErgebnis::Gefunden, 3, 1},
    {u"x\r\ny\r\nz", 5, 0, u"x^ay", Up, TSuchErgebnis::Gefunden, 0, 3},
    // Down starts behind the selection: a match overlapping its end is skipped.
    {u"aaaa", 0, 2, u"aa", Down, TSuchErgebnis::Gefunden, 2, 2},
    {u"aaa", 0, 2, u"aa", Down, TSuchErgebnis::KeinWeiterer, 0, 2},
    // Up: a match must end at or before the selection start.
    {u"abcab", 4, 1, u"ab", Up, TSuchErgebnis::Gefunden, 0, 2},
    {u"abcab", 5, 0, u"ab", Up, TSuchErgebnis::Gefunden, 3, 2},
    // Which message: down from 0 or up from the end covered the whole document.
    {u"abc", 0, 0, u"z", Down, TSuchErgebnis::NichtGefunden, 0, 0},
    {u"abc", 0, 3, u"z", Down, TSuchErgebnis::KeinWeiterer, 0, 3},
    // Repeating after the only match, at the start, finds no further one.
    {u"ab cd", 0, 2, u"ab", Down, TSuchErgebnis::KeinWeiterer, 0, 2},
    {u"abc", 1, 0, u"z", Down, TSuchErgebnis::KeinWeiterer, 1, 0},
    {u"a\r\nb", 3, 0, u"z", Up, TSuchErgebnis::NichtGefunden, 3, 0},
    {u"a\r\nb", 2, 0, u"z", Up, TSuchErgebnis::KeinWeiterer, 2, 0},
    // An empty search text does nothing.
    {u"abc", 1, 1, u"", Down, TSuchErgebnis::Leer, 0, 0},
    // Options reach the buffer, also on the reversed text.
    {u"Ab ab", 5, 0, u"AB", {.DownS = false, .MatchCaseS = true}, TSuchErgebnis::NichtGefunden, 5, 0},
    {u"Ab ab", 5, 0, u"Ab", {.DownS = false, .MatchCaseS = true}, TSuchErgebnis::Gefunden, 0, 2},
    {u"ab abc", 6, 0, u"ab", {.DownS = false, .WholeWordS = true}, TSuchErgebnis::Gefunden, 0, 2},
    {u"abc ab", 0, 0, u"ab", {.WholeWordS = true}, TSuchErgebnis::Gefunden, 4, 2},
    // Escapes reach the search: tab, character code, a literal caret.
    {u"a\tb ^65 A", 0, 0, u"a^tb", Down, TSuchErgebnis::Gefunden, 0, 3},
    {u"a\tb ^65 A", 0, 0, u"^^65", Down, TSuchErgebnis::Gefunden, 4, 3},
    {u"a\tb ^65 A", 0, 0, u"^65", {.MatchCaseS = true}, TSuchErgebnis::Gefunden, 8, 1},
    // A selection beyond the text (the editor's final mark) is held to its end.
    {u"ab", 7, 0, u"b", Up, TSuchErgebnis::Gefunden, 1, 1},
    // Match case and whole word in both directions.
    {u"Haus haus", 0, 0, u"haus", {.MatchCaseS = true}, TSuchErgebnis::Gefunden, 5, 4},
    {u"Haus haus", 9, 0, u"Haus", {.DownS = false, .MatchCaseS = true}, TSuchErgebnis::Gefunden, 0, 4},
    {u"Haus haus", 0, 0, u"HAUS", Down, TSuchErgebnis::Gefunden, 0, 4},
    {u"Hausboot Haus", 0, 0, u"haus", {.WholeWordS = true}, TSuchErgebnis::Gefunden, 9, 4},
    {u"Haus Hausboot", 13, 0, u"haus", {.DownS = false, .WholeWordS = true}, TSuchErgebnis::Gefunden, 0, 4},
    {u"abc", 3, 0, u"z", Up, TSuchErgebnis::NichtGefunden, 3, 0},
};

}  // namespace korvalin::testing
