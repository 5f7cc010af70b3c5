#include "input/Translation.h"
#include "settings/DatenC.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace korvalin;

using korvalin::testing::ShippedTables;

TEST(ShippedTables, AllThreeAreListedAndEveryEntryIsAUsableCodePointList) {
    const TTabellen tabellen = ShippedTables();
    ASSERT_EQ(tabellen.Count(), 3);
    for (int i = 0; i < tabellen.Count(); ++i) {
        const TStringList& list = tabellen.GetTabs(i)->Liste();
        for (size_t line = 0; line < list.Count(); ++line) {
            const std::u16string_view entry = list[line];
            const std::u16string name(entry.substr(0, entry.find(u'=')));
            EXPECT_EQ(list.IndexOfName(name), int(line)) << "name repeated: " << U16ToUtf8(entry);
            EXPECT_TRUE(GetBrl2Char(&list, name).has_value()) << U16ToUtf8(entry);
        }
    }
}

TEST(ShippedTables, StandardHasEverySixDotCellAndTheEightDotTableEveryPattern) {
    const TTabellen tabellen = ShippedTables();
    const TStringList* standard = tabellen.TabByFilename(u"Standard.tab");
    const TStringList* unicode = tabellen.TabByFilename(u"Brl2UniBrl.tab");
    ASSERT_TRUE(standard && unicode);
    EXPECT_EQ(standard->Count(), 65u);  // cell 4-5-6 under both of its keys
    const TStringList empty;
    for (int mask = 1; mask < 64; ++mask) {
        // Looked up exactly as a chord in mode 3 is, and as one in mode 5 or
        // a combination is with this table chosen.
        const std::u16string pattern = ExpandKeysInString(mask, false);
        const TTranslation six = TranslatePunkte(TModus::M3, pattern, false, *standard, empty, empty);
        const TTranslation chosen = TranslatePunkte(TModus::M5, pattern, false, empty, *standard, empty);
        const TTranslation combined = TranslatePunkte(TModus::M1, pattern, true, empty, *standard, empty);
        EXPECT_EQ(six.Result, TTranslationResult::Text) << mask;
        EXPECT_EQ(chosen.Text, six.Text) << mask;
        EXPECT_EQ(combined.Text, six.Text) << mask;
    }
    EXPECT_EQ(GetBrl2Char(standard, u"0"), u" ");
    EXPECT_EQ(GetBrl2Char(standard, u"1"), u"a");
    EXPECT_EQ(unicode->Count(), 256u);
    for (int mask = 0; mask < 256; ++mask) {
        const std::u16string name = mask ? ExpandKeysInString(mask, false) : u"0";
        EXPECT_EQ(GetBrl2Char(unicode, name), std::u16string(1, char16_t(0x2800 + mask))) << mask;
    }
}

TEST(ShippedTables, GermanCapitalsAndDigitsMatchTheirLetterCells) {
    const TTabellen tabellen = ShippedTables();
    const TStringList* german = tabellen.TabByFilename(u"Deutsch.tab");
    ASSERT_TRUE(german);
    int capitals = 0, digits = 0;
    for (const std::u16string& entry : german->Lines()) {
        const std::u16string_view name = std::u16string_view(entry).substr(0, entry.find(u'='));
        const size_t bar = name.find(u'|');
        if (bar == name.npos) continue;
        const std::u16string_view sign = name.substr(0, bar);
        const auto letter = GetBrl2Char(german, name.substr(bar + 1));
        const auto text = GetBrl2Char(german, name);
        ASSERT_TRUE(letter && letter->size() == 1 && text) << U16ToUtf8(entry);
        const char16_t c = (*letter)[0];
        if (sign == u"46") {
            // Capital sign + a letter cell: that letter in upper case (Latin-1 letters differ by 32).
            EXPECT_TRUE((c >= u'a' && c <= u'z') || c == u'\u00e4' || c == u'\u00f6' || c == u'\u00fc') << U16ToUtf8(entry);
            EXPECT_EQ(*text, std::u16string(1, char16_t(c - 32))) << U16ToUtf8(entry);
            ++capitals;
        } else if (sign == u"3456") {
            // Number sign + one of the letters a to j: the digits 1 to 9 and 0.
            ASSERT_TRUE(c >= u'a' && c <= u'j') << U16ToUtf8(entry);
            EXPECT_EQ(*text, std::u16string(1, u"1234567890"[c - u'a'])) << U16ToUtf8(entry);
            ++digits;
        } else {
            ADD_FAILURE() << "unexpected combination " << U16ToUtf8(entry);
        }
    }
    EXPECT_EQ(capitals, 29);
    EXPECT_EQ(digits, 10);
}
