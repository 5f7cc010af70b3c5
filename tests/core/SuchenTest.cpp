#include "app/Suchen.h"
#include "SearchRows.h"
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

TEST(Search, SelectsTheNearestMatchInEditorPositions) {
    for (const auto& row : korvalin::testing::kSearchRows) {
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
