#include "input/Translation.h"

#include "util/TextUtils.h"

#include <gtest/gtest.h>

using namespace korvalin;

TEST(DotPatterns, MasksBecomeAscendingDigitsAndDots7And8CanBeRemoved) {
    EXPECT_EQ(ExpandKeysInString(0x1B, false), u"1245");
    EXPECT_EQ(ExpandKeysInString(0xFF, false), u"12345678");
    EXPECT_EQ(ExpandKeysInString(0x09, true), u"|14");
    EXPECT_EQ(ExpandKeysInString(0, true), u"");
    EXPECT_EQ(RemoveDots78(u"1278"), u"12");
    EXPECT_EQ(RemoveDots78(u"78"), u"");
}

TEST(TableValues, TheIntegerParseAcceptsDecimalAndTheThreeHexadecimalForms) {
    struct Row {
        std::u16string_view text;
        bool ok;
        std::int32_t value;
    } rows[] = {
        {u"65", true, 65},         {u"  65", true, 65},      {u"+65", true, 65},
        {u"-5", true, -5},         {u"$41", true, 0x41},     {u"x41", true, 0x41},
        {u"X41", true, 0x41},      {u"0x41", true, 0x41},    {u"0X1f600", true, 0x1F600},
        {u"-$10", true, -16},      {u"$FFFFFFFF", true, -1}, {u"2147483647", true, 2147483647},
        {u"-2147483648", true, INT32_MIN},
        {u"2147483648", false, 0}, {u"$100000000", false, 0}, {u"", false, 0},
        {u"-", false, 0},          {u"$", false, 0},          {u"0x", false, 0},
        {u"65 ", false, 0},        {u"6 5", false, 0},        {u"1e3", false, 0},
        {u"\uFF16\uFF15", false, 0}, {u"0b1", false, 0},
    };
    for (const Row& row : rows) {
        std::int32_t value = 0;
        EXPECT_EQ(TryStrToInt(row.text, value), row.ok) << U16ToUtf8(row.text);
        if (row.ok) {
            EXPECT_EQ(value, row.value) << U16ToUtf8(row.text);
        }
    }
}

TEST(TableValues, ValuesAreListsOfValidCodePointsOrTheLookupFails) {
    struct Row {
        std::u16string_view value;
        std::optional<std::u16string> text;
    } rows[] = {
        {u"65", u"A"},
        {u"65|66", u"AB"},
        {u"65||66", u"AB"},
        {u"|65|", u"A"},
        {u" 65 ", u"A"},
        {u" 65 | 66 ", u"AB"},
        {u"65| |66", std::nullopt},  // a number of blanks only is no number
        {u"\t65\x01", u"A"},
        {u"228|776", u"\u00E4\u0308"},
        {u"128512", u"\U0001F600"},
        {u"$41|x42|0x43", u"ABC"},
        {u"65|x", std::nullopt},
        {u"0", std::nullopt},
        {u"-1", std::nullopt},
        {u"55296", std::nullopt},
        {u"57343", std::nullopt},
        {u"1114111", u"\U0010FFFF"},
        {u"1114112", std::nullopt},
        {u"$110000", std::nullopt},
        {u"", std::nullopt},
        {u"|||", std::nullopt},
        {u"65|0", std::nullopt},
        {u"99999999999", std::nullopt},
    };
    for (const Row& row : rows) {
        const TStringList table({u"1=" + std::u16string(row.value)});
        EXPECT_EQ(GetBrl2Char(&table, u"1"), row.text) << U16ToUtf8(row.value);
    }
}

TEST(TableValues, LookupUsesTheFirstExactNameAndFailsWithoutTableOrKey) {
    const TStringList table({u"12=65", u"12=66", u"1245 =67", u"AbC=68", u"ohne"});
    EXPECT_EQ(GetBrl2Char(&table, u"12"), u"A");
    EXPECT_EQ(GetBrl2Char(&table, u"1245"), std::nullopt);
    EXPECT_EQ(GetBrl2Char(&table, u"abc"), u"D");
    EXPECT_EQ(GetBrl2Char(&table, u"ohne"), std::nullopt);
    EXPECT_EQ(GetBrl2Char(&table, u""), std::nullopt);
    EXPECT_EQ(GetBrl2Char(nullptr, u"12"), std::nullopt);
}

namespace {

struct TModeTables {
    TStringList Standard{{u"1=97", u"12=98", u"4567=95", u"0=32"}};
    TStringList Tab1{{u"1=49", u"125|14=200", u"0=160"}};
    TStringList Tab2{{u"1=10241", u"78=10432", u"127=10307", u"0=10240"}};
};

}  // namespace

TEST(Modes, EachModeConsultsItsTableWithItsKeyFontIndexAndVariant) {
    const TModeTables t;
    using R = TTranslationResult;
    struct Row {
        TModus modus;
        std::u16string_view punkte;
        bool lautS;
        R result;
        std::u16string_view text;
        int fontModeIndex, fontVariant;
    } rows[] = {
        {TModus::M0, u"125", false, R::Text, u"125", 0, 0},
        {TModus::M1, u"1", false, R::Text, u"a", 1, 0},
        {TModus::M1, u"127", false, R::Text, u"b", 1, 1},
        {TModus::M1, u"128", false, R::Text, u"b", 1, 2},
        {TModus::M1, u"1278", false, R::Text, u"b", 1, 3},
        {TModus::M1, u"78", false, R::Text, u"\u28C0", 1, 0},
        {TModus::M1, u"7", false, R::Failed, u"", 1, 0},
        {TModus::M1, u"456", false, R::Text, u"_", 1, 0},
        {TModus::M1, u"4567", false, R::Text, u"_", 1, 1},
        {TModus::M2, u"127", false, R::Text, u"\u2843", 2, 0},
        {TModus::M2, u"12", false, R::Failed, u"", 2, 0},
        {TModus::M3, u"17", false, R::Text, u"a", 3, 0},
        {TModus::M3, u"7", false, R::Text, u" ", 3, 0},
        {TModus::M3, u"78", false, R::Text, u" ", 3, 0},
        {TModus::M3, u"4567", false, R::Text, u"_", 3, 0},
        {TModus::M4, u"456", false, R::Text, u"_", 4, 0},
        {TModus::M4, u"8", false, R::Text, u" ", 4, 0},
        {TModus::M5, u"1", false, R::Text, u"1", 5, 0},
        {TModus::M5, u"12", false, R::Failed, u"", 5, 0},
        {TModus::M3, u"125|14", true, R::Text, u"\u00C8", 5, 0},
        {TModus::M0, u"125|14", true, R::Text, u"\u00C8", 5, 0},
        {TModus::M1, u"125|15", true, R::Failed, u"", 5, 0},
        {TModus::M1, u"", false, R::Nothing, u"", 0, 0},
        {TModus::M0, u"", true, R::Nothing, u"", 0, 0},
    };
    for (const Row& row : rows) {
        const TTranslation got = TranslatePunkte(row.modus, row.punkte, row.lautS, t.Standard, t.Tab1, t.Tab2);
        const std::string what = "mode " + std::to_string(int(row.modus)) + " " + U16ToUtf8(row.punkte);
        EXPECT_EQ(got.Result, row.result) << what;
        EXPECT_EQ(got.Text, row.text) << what;
        if (row.result != R::Nothing) {
            EXPECT_EQ(got.FontModeIndex, row.fontModeIndex) << what;
            EXPECT_EQ(got.FontVariant, row.fontVariant) << what;
        }
    }
}

TEST(TypedCharacters, PrintableCharactersAndTheSpaceCell) {
    EXPECT_TRUE(IsPrintableChar(u'a'));
    EXPECT_TRUE(IsPrintableChar(u' '));
    EXPECT_TRUE(IsPrintableChar(u'\u00E4'));
    EXPECT_TRUE(IsPrintableChar(u'\u00A0'));
    for (char16_t control : {u'\b', u'\t', u'\r', u'\x1B', u'\x7F', u'\x80', u'\x9F'})
        EXPECT_FALSE(IsPrintableChar(control)) << int(control);

    const TModeTables t;
    const TStringList empty;
    EXPECT_TRUE(BlankIsEmptyCell(false, TModus::M5, t.Tab1, empty));
    EXPECT_TRUE(BlankIsEmptyCell(true, TModus::M1, t.Tab1, empty));
    EXPECT_FALSE(BlankIsEmptyCell(true, TModus::M2, empty, t.Tab2));  // a combination never takes Tab2's cell
    EXPECT_TRUE(BlankIsEmptyCell(false, TModus::M2, empty, t.Tab2));
    EXPECT_FALSE(BlankIsEmptyCell(false, TModus::M2, t.Tab1, empty));
    EXPECT_FALSE(BlankIsEmptyCell(false, TModus::M1, t.Tab1, t.Tab2));
    EXPECT_FALSE(BlankIsEmptyCell(false, TModus::M3, t.Tab1, t.Tab2));
}
