#include "appearance/LxBackFontColors.h"
#include "appearance/LxHintergrund.h"
#include "settings/SettingsFile.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

using namespace korvalin;

TEST(Colors, ListKeepsItsOrderAndAnIndexOutsideGivesBlack) {
    const TColors colors;
    ASSERT_EQ(colors.Count(), 17);
    const struct {
        int index;
        const char16_t* name;
        TColor color;
    } rows[] = {{0, u"Schwarz", 0x000000}, {1, u"Weiß", 0xFFFFFF},   {5, u"Himmelblau", 0xF0CAA6},
                {12, u"Rot", 0x0000FF},    {13, u"Violett", 0x800080}, {15, u"Silber", 0xC0C0C0},
                {16, u"Braun", 0x000080},  {-1, u"Schwarz", 0x000000}, {17, u"Schwarz", 0x000000}};
    for (const auto& row : rows) {
        EXPECT_EQ(colors.Get(row.index).Name, row.name) << row.index;
        EXPECT_EQ(colors[row.index].Color, row.color) << row.index;
    }
    for (int i = 0; i < colors.Count(); ++i) EXPECT_EQ(colors.Get(i).Index, i);
}

TEST(Colors, FindingByColourAndByName) {
    const TColors colors;
    TColorName found;
    EXPECT_TRUE(colors.FindColor(0xC0C0C0, found));
    EXPECT_EQ(found.Name, u"Silber");
    EXPECT_FALSE(colors.FindColor(0x123456, found));
    EXPECT_FALSE(colors.FindColor(clWindowText, found));  // a system colour is none of the list
    EXPECT_TRUE(colors.FindName(u"mINZgrün", found));
    EXPECT_EQ(found.Index, 8);
    EXPECT_TRUE(colors.FindName(u"WEIß", found));
    EXPECT_EQ(found.Index, 1);
    found = {};
    EXPECT_FALSE(colors.FindName(u"  ", found));
    EXPECT_FALSE(colors.FindName(u"", found));
    EXPECT_FALSE(colors.FindName(u"Silber (Hintergrund)", found));
    EXPECT_EQ(found, TColorName{});
}

TEST(Colors, StringListsReplaceTheirContentAndBackgroundNamesCarryTheSuffix) {
    TBackFontDlgColorNames names = DefaultBackFontDlgTexts().ColorNames;
    names[15] = u"Argent";
    const TColors colors(names, u" [bg]");
    std::vector<std::u16string> list{u"old", u"rows"};
    colors.FillStringList(list, true);
    ASSERT_EQ(list.size(), 17u);
    EXPECT_EQ(list[0], u"Schwarz [bg]");
    EXPECT_EQ(list[15], u"Argent [bg]");
    colors.FillStringList(list, false);
    ASSERT_EQ(list.size(), 17u);
    EXPECT_EQ(list[15], u"Argent");
    EXPECT_EQ(colors.Get(15).Color, 0xC0C0C0u);
}

TEST(BackFontTexts, EveryEmptyFieldFallsBackToItsGermanDefault) {
    TBackFontDlgTexts texts;
    texts.WindowCaption = u"Fonts";
    texts.ColorNames[2] = u"Yellow";
    const TBackFontDlgTexts merged = MergeBackFontDlgTexts(texts);
    TBackFontDlgTexts expected = DefaultBackFontDlgTexts();
    expected.WindowCaption = u"Fonts";
    expected.ColorNames[2] = u"Yellow";
    EXPECT_EQ(merged, expected);
    EXPECT_EQ(MergeBackFontDlgTexts({}), DefaultBackFontDlgTexts());

    const TBackFontDlgTexts& defaults = DefaultBackFontDlgTexts();
    EXPECT_EQ(Format(defaults.FontSizeCaption, {5, 35}), u"Schrift&größe (5-35):");
    EXPECT_EQ(Format(defaults.TolkFontSize, {5, 35, u"12"}), u"Schriftgröße (5 bis 35): 12");
    EXPECT_EQ(defaults.BackgroundSuffix, u" (Hintergrund)");
    EXPECT_EQ(defaults.ColorNames[13], u"Violett");
}

TEST(Hintergrund, FirstNumberOfAColourAndItsStoredValueAfterTheRepair) {
    const struct {
        TColor color;
        int number;
        int afterRepair;
    } rows[] = {{0xC0C0C0, 13, 17}, {0x800080, 15, 15}, {0x808080, 11, 11}, {0x000000, 0, 0},
                {0xFFFFFF, 1, 1},   {0x000080, 18, 18}, {0x123456, 1, 1}};
    for (const auto& row : rows) {
        EXPECT_EQ(HintergrundNrForColor(row.color), row.number) << std::hex << row.color;
        EXPECT_EQ(RepairedSchrifthintergrund(HintergrundNrForColor(row.color)), row.afterRepair);
    }
    // Every colour the dialog offers has a number, which keeps its colour through the repair.
    const TColors colors;
    for (int i = 0; i < colors.Count(); ++i) {
        const TColor color = colors.Get(i).Color;
        const int stored = RepairedSchrifthintergrund(HintergrundNrForColor(color));
        EXPECT_EQ(HintergrundEntries[size_t(stored)].Color, color) << U16ToUtf8(colors.Get(i).Name);
    }
}

TEST(Hintergrund, HolderClampsToBlackAndGivesTheColourOfItsNumber) {
    THintergrundForm form;
    EXPECT_EQ(form.HintergrundNr(), 1);
    EXPECT_EQ(form.HintergrundFarbe(), 0xFFFFFFu);
    const struct {
        int set, nr;
        TColor color;
        const char16_t* name;
    } rows[] = {{17, 17, 0xC0C0C0, u"Silber"},  {12, 12, 0x808080, u"Dunkelgrau"}, {18, 18, 0x000080, u"Braun"},
                {19, 0, 0x000000, u"Schwarz"}, {-1, 0, 0x000000, u"Schwarz"},     {15, 15, 0x800080, u"Purpur"}};
    for (const auto& row : rows) {
        form.SetHintergrundNr(row.set);
        EXPECT_EQ(form.HintergrundNr(), row.nr) << row.set;
        EXPECT_EQ(form.HintergrundFarbe(), row.color) << row.set;
        EXPECT_EQ(form.HintergrundName(), row.name) << row.set;
    }
}

TEST(BackFontDlgRules, BoldFollowsTheBoxAndTheOtherStylesOfTheOldFontSurvive) {
    TFontValue old;
    AssignFontSpec(&old, u"Arial|12|0|0110|clBlack");  // italic and underlined
    const TFontValue chosen = BackFontDlgFont(old, u"Tahoma", 28, true, 0x0000FF);
    EXPECT_EQ(FontToSpec(chosen), u"Tahoma|28|0|1000|clRed");
    EXPECT_EQ(FontToSpec(InterfaceFont(old, chosen)), u"Tahoma|28|0|1110|clRed");
    const TFontValue plain = BackFontDlgFont(old, std::nullopt, 9, false, 0x000000);
    EXPECT_EQ(FontToSpec(InterfaceFont(old, plain)), u"Arial|9|0|0110|clBlack");
    TFontValue boldOld;
    AssignFontSpec(&boldOld, u"Arial|12|0|1001|clBlack");  // bold, struck out
    EXPECT_EQ(FontToSpec(InterfaceFont(boldOld, BackFontDlgFont(boldOld, std::nullopt, 12, false, 0))),
              u"Arial|12|0|0001|clBlack");
}
