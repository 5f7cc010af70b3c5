#include "app/Suchen.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

using namespace korvalin;

TEST(SearchEscapes, ExpandInOrderWithLongestNumberFirst) {
    const struct {
        std::u16string_view written, searched;
    } rows[] = {
        {u"abc", u"abc"},
        {u"^a", u"\r"},
        {u"x^A^ay", u"x\r\ry"},
        {u"x^ty", u"x\ty"},
        {u"^T^b^B", u"\t\f\f"},
        {u"^65", u"A"},
        {u"^^65", u"^65"},
        {u"^^", u"^"},
        {u"^^a", u"^a"},
        {u"^^^a", u"^\r"},
        {u"^013", u"^013"},
        {u"^0", u"^0"},
        {u"^256", u"\x19" u"6"},
        {u"^255", u"\xFF"},
        {u"^945", u"\x05"},
        {u"^1^2", u"\x01\x02"},
        {u"a^", u"a^"},
        {u"^", u"^"},
        {u"^x", u"^x"},
    };
    for (const auto& row : rows) EXPECT_EQ(ExpandSearchEscapes(row.written), row.searched) << U16ToUtf8(row.written);
}

TEST(SearchEscapes, CrLfPairsCountAsOnePosition) {
    EXPECT_EQ(CrLfToCr(u"ab\r\nab\r\n"), u"ab\rab\r");
    EXPECT_EQ(CrLfToCr(u"a\r\r\nb\n"), u"a\r\rb\n");
    EXPECT_EQ(CrLfToCr(u""), u"");
}

TEST(TextSearchBuffer, MatchCaseAndWholeWordFollowTheRichEdit) {
    const struct {
        std::u16string_view text, pattern;
        std::int64_t from;
        bool matchCaseS, wholeWordS;
        std::int64_t expected;
    } rows[] = {
        {u"Haus haus", u"haus", 0, false, false, 0},
        {u"Haus haus", u"haus", 0, true, false, 5},
        {u"Haus haus", u"haus", 1, false, false, 5},
        {u"Haus haus", u"haus", 6, false, false, -1},
        {u"Hausboot Haus", u"haus", 0, false, true, 9},
        {u"Gasthaus, haus.", u"haus", 0, false, true, 10},
        {u"a_haus haus_", u"haus", 0, false, true, -1},
        {u"ÄRGER ärger", u"ärger", 0, true, false, 6},
        {u"ÄRGER ärger", u"ärger", 0, false, false, 0},
        {u"Grüße", u"ü", 0, false, true, -1},
        {u"ab", u"abc", 0, false, false, -1},
        {u"ab", u"", 0, false, false, -1},
    };
    for (const auto& row : rows) {
        TTextSuchPuffer puffer;
        puffer.SetText(std::u16string(row.text));
        EXPECT_EQ(puffer.Find(row.pattern, row.from, row.matchCaseS, row.wholeWordS), row.expected)
            << U16ToUtf8(row.text) << " / " << U16ToUtf8(row.pattern) << " from " << row.from;
    }
}

namespace {

struct TSearchRow {
    std::u16string_view text;  // as the editor reads it out, CR LF
    std::int64_t selStart, selLength;
    std::u16string_view findText;
    TSuchOptionen optionen;
    TSuchErgebnis ergebnis;
    std::int64_t expectedStart, expectedLength;
};

const TSuchOptionen Down{}, Up{.DownS = false};

}  // namespace

TEST(Search, SelectsTheNearestMatchInEditorPositions) {
    const TSearchRow rows[] = {
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
    };
    for (const auto& row : rows) {
        TTextSuchPuffer puffer;
        const TSuchTreffer treffer = Suchen(puffer, row.text, row.selStart, row.selLength, row.findText, row.optionen);
        const std::string where = U16ToUtf8(row.text) + " sel " + std::to_string(row.selStart) + "+" +
                                  std::to_string(row.selLength) + " find " + U16ToUtf8(row.findText);
        EXPECT_EQ(int(treffer.Ergebnis), int(row.ergebnis)) << where;
        if (row.ergebnis == TSuchErgebnis::Leer) continue;
        EXPECT_EQ(treffer.SelStart, row.expectedStart) << where;
        EXPECT_EQ(treffer.SelLength, row.expectedLength) << where;
    }
}
