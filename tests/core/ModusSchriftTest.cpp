#include "appearance/ModusSchrift.h"
#include "settings/DatenC.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

using namespace korvalin;

namespace {

TFonts DefaultFonts() {
    TEinstellungen settings;
    StandardEinstellungenSetzen(settings, u"C:\\K\\");
    return settings.Fonts;
}

std::string Narrow(std::u16string_view s) { return U16ToUtf8(s); }

bool Overlap(const TDlgRect& a, const TDlgRect& b) {
    return a.Left < b.Right() && b.Left < a.Right() && a.Top < b.Bottom() && b.Top < a.Bottom();
}

bool Inside(const TDlgRect& r, int width, int height) {
    return r.Left >= 0 && r.Top >= 0 && r.Right() <= width && r.Bottom() <= height;
}

// Measurements like those of Arial 12 on a 96 dpi screen, in a wide owner.
TSchriftDlgMasse TypicalMasse() {
    TSchriftDlgMasse m;
    m.OwnerWidth = 1000, m.FrameWidth = 8;
    m.ButtonWidth = 110, m.ButtonHeight = 31;
    m.GroesseLabelWidth = 105, m.GroesseWidth = 40, m.GroesseHeight = 27;
    m.UpDownWidth = 17;
    m.CheckBox1Width = 70, m.CheckBox2Width = 90, m.CheckBoxHeight = 27;
    m.TestLabelHeight = 19, m.TestHeightMax = 130;
    return m;
}

}  // namespace

TEST(ModusSchrift, ConfirmedFontTakesSizeColourAndOnlyTheStylesTheModeAllows) {
    const struct {
        int mode;
        bool styleS;
    } rows[] = {{0, true}, {1, false}, {2, true}, {3, false}, {4, false}, {5, true}};
    TFontValue start = SpecToFont(u"Face|18|2|0011|clBlack");
    for (const auto& row : rows) {
        EXPECT_EQ(SchriftstilErlaubt(row.mode), row.styleS) << row.mode;
        const TFontValue font = ModusSchriftErgebnis(start, row.mode, 30, true, true, 0x0000FF);
        EXPECT_EQ(FontToSpec(font), row.styleS ? u"Face|30|2|1111|clRed" : u"Face|30|2|0011|clRed") << row.mode;
        const TFontValue plain = ModusSchriftErgebnis(SpecToFont(u"Face|18|0|1100|clBlack"), row.mode, 9, false,
                                                      false, clBlack);
        EXPECT_EQ(FontToSpec(plain), u"Face|9|0|0000|clBlack") << row.mode;
    }
}

TEST(ModusSchrift, SizeFieldAcceptsOnlyWholeNumbersFrom8To72) {
    const struct {
        std::u16string_view text;
        std::optional<int> size;
    } rows[] = {{u"7", std::nullopt}, {u"8", 8},   {u"72", 72},          {u"73", std::nullopt},
                {u"", std::nullopt},  {u" 12 ", 12}, {u"1a", std::nullopt}, {u"-8", std::nullopt},
                {u"0", std::nullopt}, {u"25", 25}};
    for (const auto& row : rows) EXPECT_EQ(ParseSchriftGroesse(row.text), row.size) << Narrow(row.text);
}

TEST(ModusSchrift, ColourRowsAreTheSixteenStandardColoursAndUnknownColoursGiveRowZero) {
    const std::u16string_view names[] = {u"Schwarz", u"Braun",  u"Grün",   u"Olivgrün", u"Dunkelblau", u"Purpur",
                                         u"Grünblau", u"Grau",  u"Silber", u"Rot",      u"Limone",     u"Gelb",
                                         u"Blau",    u"Fuchsie", u"Aquamarin", u"Weiß"};
    for (size_t row = 0; row < SchriftFarben.size(); ++row) {
        EXPECT_EQ(SchriftFarben[row].Name, names[row]) << row;
        EXPECT_EQ(SchriftFarben[row].Ident, ColorIdents[row].Name) << row;
        EXPECT_EQ(SchriftFarbzeile(StringToColor(SchriftFarben[row].Ident)), int(row)) << row;
    }
    const struct {
        TColor color;
        int row;
    } rows[] = {{0xFF0000, 12}, {0x800000, 4}, {0xFFFFFF, 15}, {clWindowText, 0}, {0x00123456, 0}, {clNone, 0}};
    for (const auto& row : rows) EXPECT_EQ(SchriftFarbzeile(row.color), row.row) << std::hex << row.color;
}

TEST(ModusSchrift, TestLineIsBrailleWithTheModeDigitInModeTwoAndATextLineOtherwise) {
    EXPECT_EQ(TestzeileText(2), u"\u285E\u2811\u280E\u281E\u2835\u2811\u280A\u2807\u2811 \u284D\u2815\u2819\u2825"
                                u"\u280E \u2823\u2812 \u2808\u283F\u28FF\u2808");
    EXPECT_EQ(TestzeileText(2).size(), 23u);
    EXPECT_EQ(TestzeileText(3), u"Testzeile Modus 3: \"%\u28FF\"");
    EXPECT_EQ(TestzeileText(0), u"Testzeile Modus 0: \"%\u28FF\"");
}

TEST(ModusSchrift, DialogStartsFromEntryZeroTheDefaultsAndTheDotEightFontInModeOne) {
    const TFonts defaults = DefaultFonts();
    TFonts fonts = defaults;
    fonts[1][0].Settings = u"8ptBraille0|30|0|1110|clRed";  // bold and italic cannot stay in mode 1
    fonts[0][0].Settings = u"Charis SIL|20|0|1100|clNavy";

    const auto mode1 = ModusSchriftLesen(fonts, defaults, 1);
    ASSERT_TRUE(mode1);
    EXPECT_EQ(FontToSpec(mode1->Schrift), u"8ptBraille0|30|0|0010|clRed");
    EXPECT_EQ(mode1->TestSpec, u"8ptBraille8|25|0|0000|clBlack");
    EXPECT_FALSE(mode1->TestUnicodeBrailleS);
    EXPECT_TRUE(mode1->StandardS);
    EXPECT_EQ(FontToSpec(mode1->Standard), u"8ptBraille0|25|0|0000|clBlack");

    const auto mode0 = ModusSchriftLesen(fonts, defaults, 0);
    ASSERT_TRUE(mode0);
    EXPECT_EQ(FontToSpec(mode0->Schrift), u"Charis SIL|20|0|1100|clNavy");
    EXPECT_EQ(FontToSpec(mode0->Standard), u"Charis SIL|16|0|0000|clBlack");

    EXPECT_TRUE(ModusSchriftLesen(fonts, defaults, 2)->TestUnicodeBrailleS);

    // a mode-1 list of two entries shows the test line in its first face
    fonts[1].resize(2);
    EXPECT_EQ(ModusSchriftLesen(fonts, defaults, 1)->TestSpec, u"8ptBraille0|30|0|1110|clRed");
    // without a default list the standard font is the fallback font
    const auto withoutDefaults = ModusSchriftLesen(fonts, TFonts{}, 3);
    ASSERT_TRUE(withoutDefaults);
    EXPECT_FALSE(withoutDefaults->StandardS);
    EXPECT_EQ(FontToSpec(withoutDefaults->Standard), u"Arial|12|1|0000|clWindowText");
    // an empty list or a mode outside 0 to 5: nothing to edit
    fonts[4].clear();
    EXPECT_FALSE(ModusSchriftLesen(fonts, defaults, 4));
    EXPECT_FALSE(ModusSchriftLesen(fonts, defaults, 6));
    EXPECT_FALSE(ModusSchriftLesen(fonts, defaults, -1));
}

TEST(ModusSchrift, WritingGivesEveryEntryTheNewTailAndKeepsFacesFilesUnderlineAndStrikeOut) {
    TFonts fonts = DefaultFonts();
    for (TFontEntry& entry : fonts[1]) entry.Settings.replace(entry.Settings.find(u"0000"), 4, u"0011");
    const std::vector<TFontEntry> before = fonts[1];
    const auto start = ModusSchriftLesen(fonts, DefaultFonts(), 1);
    ASSERT_TRUE(start);
    ModusSchriftSchreiben(fonts[1], ModusSchriftErgebnis(start->Schrift, 1, 40, true, false, 0x008000));
    const std::u16string_view faces[] = {u"8ptBraille0", u"8ptBraille7", u"8ptBraille8", u"8ptBraille78"};
    ASSERT_EQ(fonts[1].size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(fonts[1][i].Filename, before[i].Filename);
        EXPECT_EQ(fonts[1][i].Settings, std::u16string(faces[i]).append(u"|40|0|0011|clGreen"));
    }
    const TModeFontStrings stored = ModeFontsToStrings(fonts, 1);
    EXPECT_EQ(stored.Spec, u"8ptBraille0|8ptBraille7|8ptBraille8|8ptBraille78|40|0|0011|clGreen");
    EXPECT_EQ(stored.Files, u"BRL0.ttf|BRL7.ttf|BRL8.ttf|BRL78.ttf");
    // a colour outside the identifiers is written as a number
    ModusSchriftSchreiben(fonts[0], ModusSchriftErgebnis(SpecToFont(fonts[0][0].Settings), 0, 8, false, true,
                                                         0x00123456));
    EXPECT_EQ(fonts[0][0].Settings, u"Charis SIL|8|0|0100|$00123456");
}

TEST(ModusSchrift, LayoutFollowsTheFontRowByRowAndThreeEvenButtons) {
    const TSchriftDlgMasse m = TypicalMasse();
    const TSchriftDlgLayout l = SchriftDlgLayout(m);
    EXPECT_EQ(l.ClientWidth, 1000 * 70 / 100 - 8);
    EXPECT_EQ(l.Groesse, (TDlgRect{120, 10, 40, 27}));  // label 105 wide, 5 apart
    EXPECT_EQ(l.CheckBox1, (TDlgRect{187, 10, 70, 27}));  // behind a spinner of 17
    EXPECT_EQ(l.CheckBox2, (TDlgRect{267, 10, 90, 27}));
    EXPECT_EQ(l.ListView, (TDlgRect{367, 10, 692 - 367 - 10, 270}));
    const int gap = (692 - 3 * 110) / 4;
    EXPECT_EQ(l.Standard, (TDlgRect{gap, 290, 110, 31}));
    EXPECT_EQ(l.Ok, (TDlgRect{2 * gap + 110, 290, 110, 31}));
    EXPECT_EQ(l.Abbrechen, (TDlgRect{3 * gap + 220, 290, 110, 31}));
    EXPECT_EQ(l.ClientHeight, 290 + 31 + 10);

    // the test line where the arithmetic puts it, left of the list, its label above it
    const TTestzeileLayout t = TestzeileLayout(l, 19, 46);
    EXPECT_EQ(t.Test, (TDlgRect{10, (270 - 46 - 10 - 27) / 2, 367 - 20, 46}));
    EXPECT_EQ(t.Label, (TDlgRect{10, t.Test.Top - 19, 367 - 20, 19}));
}

TEST(ModusSchrift, LayoutNeverClipsOrOverlapsForSmallLargeAndNarrowCases) {
    TSchriftDlgMasse large = TypicalMasse();  // a 28-point interface font
    large.ButtonWidth = 230, large.ButtonHeight = 55, large.GroesseLabelWidth = 260, large.GroesseWidth = 80;
    large.GroesseHeight = 51, large.CheckBox1Width = 150, large.CheckBox2Width = 210, large.CheckBoxHeight = 51;
    large.TestLabelHeight = 43;
    large.ListViewMinWidth = 260;
    TSchriftDlgMasse narrow = TypicalMasse();  // an owner too small for 70 %
    narrow.OwnerWidth = 300;
    TSchriftDlgMasse tiny = TypicalMasse();  // a 5-point interface font, the test line at 72 points
    tiny.CheckBoxHeight = 15, tiny.GroesseHeight = 15, tiny.TestLabelHeight = 7, tiny.TestHeightMax = 140;

    for (const TSchriftDlgMasse& m : {TypicalMasse(), large, narrow, tiny}) {
        const TSchriftDlgLayout l = SchriftDlgLayout(m);
        const TDlgRect row[] = {l.GroesseLabel, l.Groesse, l.UpDown, l.CheckBox1, l.CheckBox2, l.ListView};
        const TDlgRect buttons[] = {l.Standard, l.Ok, l.Abbrechen};
        EXPECT_GE(l.ListView.Width, std::max(80, m.ListViewMinWidth));
        for (size_t i = 0; i < std::size(row); ++i) {
            EXPECT_TRUE(Inside(row[i], l.ClientWidth, l.ClientHeight)) << i;
            for (size_t j = i + 1; j < std::size(row); ++j) EXPECT_FALSE(Overlap(row[i], row[j])) << i << " " << j;
        }
        for (size_t i = 0; i < std::size(buttons); ++i) {
            EXPECT_TRUE(Inside(buttons[i], l.ClientWidth, l.ClientHeight)) << i;
            EXPECT_GE(buttons[i].Top, l.ListView.Bottom() + 10);
            if (i > 0) {
                EXPECT_GE(buttons[i].Left, buttons[i - 1].Right() + 10);
            }
        }
        for (const int height : {20, 46, 90, m.TestHeightMax}) {
            const TTestzeileLayout t = TestzeileLayout(l, m.TestLabelHeight, height);
            EXPECT_GE(t.Label.Top, l.CheckBox1.Bottom() + 10) << height;
            EXPECT_EQ(t.Label.Bottom(), t.Test.Top);
            EXPECT_LE(t.Test.Bottom(), l.ListView.Bottom()) << height;
            EXPECT_LE(t.Test.Right() + 10, l.ListView.Left);
        }
    }
}
