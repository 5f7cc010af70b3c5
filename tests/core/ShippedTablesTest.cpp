#include "input/Translation.h"
#include "settings/DatenC.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace korvalin;

namespace {

// The shipped tables, read by the program's own table reader.
TTabellen ShippedTables() {
    TTabellen tabellen(Utf8ToU16(KORVALIN_DATA_DIR "/"));
    tabellen.Load(korvalin::testing::Latin1Codecs());
    return tabellen;
}

}  // namespace

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
    EXPECT_EQ(standard->Count(), 64u);
    const TStringList empty;
    for (int mask = 1; mask < 64; ++mask) {
        // Looked up exactly as a chord in mode 3 is.
        const TTranslation cell = TranslatePunkte(TModus::M3, ExpandKeysInString(mask, false), false, *standard, empty, empty);
        EXPECT_EQ(cell.Result, TTranslationResult::Text) << mask;
    }
    EXPECT_EQ(GetBrl2Char(standard, u"0"), u" ");
    EXPECT_EQ(GetBrl2Char(standard, u"1"), u"a");
    EXPECT_EQ(unicode->Count(), 256u);
    for (int mask = 0; mask < 256; ++mask) {
        const std::u16string name = mask ? ExpandKeysInString(mask, false) : u"0";
        EXPECT_EQ(GetBrl2Char(unicode, name), std::u16string(1, char16_t(0x2800 + mask))) << mask;
    }
}
