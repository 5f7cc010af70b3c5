#include "appearance/FontSpec.h"
#include "util/Errors.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace korvalin;

namespace {

TFontValue MakeFont(std::u16string name, int size, std::uint8_t charset, std::u16string_view style, TColor color) {
    TFontValue font;
    font.Name = std::move(name);
    font.Size = size;
    font.Charset = charset;
    font.Bold = style[0] == u'B';
    font.Italic = style[1] == u'I';
    font.Underline = style[2] == u'U';
    font.StrikeOut = style[3] == u'S';
    font.Color = color;
    return font;
}

std::string Narrow(std::u16string_view s) { return U16ToUtf8(s); }

}  // namespace

TEST(FontSpec, FontsAreWrittenAndReadBackUnchanged) {
    const struct {
        TFontValue font;
        std::u16string_view spec;
    } rows[] = {
        {MakeFont(u"Arial", 12, 0, u"B-U-", clBlack), u"Arial|12|0|1010|clBlack"},
        {MakeFont(u"Arial", 12, 0, u"----", 0x00123456), u"Arial|12|0|0000|$00123456"},
        {MakeFont(u"Charis SIL", 16, 0, u"----", clBlack), u"Charis SIL|16|0|0000|clBlack"},
        {MakeFont(u"8ptBraille7", 25, 2, u"-I-S", clWindowText), u"8ptBraille7|25|2|0101|clWindowText"},
        {MakeFont(u"", -11, 255, u"BIUS", clNone), u"|-11|255|1111|clNone"},
        {MakeFont(u"Segoe UI", 9, 1, u"----", 0xFF000099), u"Segoe UI|9|1|0000|$FF000099"},
        {MakeFont(u"X", 0, 0, u"----", 0xFFFFFFFF), u"X|0|0|0000|$FFFFFFFF"},
        {MakeFont(u"Y", 8, 0, u"----", clDefault), u"Y|8|0|0000|clDefault"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FontToSpec(row.font), row.spec);
        EXPECT_EQ(SpecToFont(row.spec), row.font) << Narrow(row.spec);
    }
}

TEST(FontSpec, ReadingAcceptsAnyCaseOfNamesDecimalAndDollarHexAndAnyNonOneStyleCharacter) {
    const struct {
        std::u16string_view spec;
        TFontValue font;
    } rows[] = {
        {u"Arial|12|0|1010|clblack", MakeFont(u"Arial", 12, 0, u"B-U-", clBlack)},
        {u"Arial|12|0|0000|CLNAVY", MakeFont(u"Arial", 12, 0, u"----", clNavy)},
        {u"Arial|12|0|0000|$800000", MakeFont(u"Arial", 12, 0, u"----", clNavy)},
        {u"Arial|12|0|0000|8388608", MakeFont(u"Arial", 12, 0, u"----", clNavy)},
        {u"Arial|12|0|0000|$ff000008", MakeFont(u"Arial", 12, 0, u"----", clWindowText)},
        {u"Arial|12|0|x1y2|clRed", MakeFont(u"Arial", 12, 0, u"-I--", 0x0000FF)},
        {u"Arial|12|256|0000|clRed", MakeFont(u"Arial", 12, 0, u"----", 0x0000FF)},  // low byte
        {u"Arial|12|511|0000|clRed", MakeFont(u"Arial", 12, 255, u"----", 0x0000FF)},
        {u"|14|0|0000|clRed", MakeFont(u"", 14, 0, u"----", 0x0000FF)},
        {u"A b|+7| 3|0000|-1", MakeFont(u"A b", 7, 3, u"----", 0xFFFFFFFF)},
    };
    for (const auto& row : rows) EXPECT_EQ(SpecToFont(row.spec), row.font) << Narrow(row.spec);
}

TEST(FontSpec, ColoursAreWrittenWithTheFirstNameOfTheirValue) {
    const struct {
        TColor color;
        std::u16string_view text;
    } rows[] = {
        {0x000000, u"clBlack"},        {0xFFFFFF, u"clWhite"},          {0xC0C0C0, u"clSilver"},
        {0xFF000008, u"clWindowText"}, {0xFF000000, u"clScrollBar"},    {0x1FFFFFFF, u"clNone"},
        {0x20000000, u"clDefault"},    {0xA4A0A0, u"clMedGray"},        {0x00000001, u"$00000001"},
        {0xFF00001F, u"$FF00001F"},    {0xABCDEF, u"$00ABCDEF"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ColorToString(row.color), row.text);
        EXPECT_EQ(StringToColor(row.text), row.color) << Narrow(row.text);
    }
}

TEST(FontSpec, ColourTableHas52DistinctNamesInItsOrder) {
    EXPECT_EQ(ColorIdents[0].Name, u"clBlack");
    EXPECT_EQ(ColorIdents[15].Name, u"clWhite");
    EXPECT_EQ(ColorIdents[16].Name, u"clMoneyGreen");
    EXPECT_EQ(ColorIdents[25].Name, u"clBtnHighlight");
    EXPECT_EQ(ColorIdents[26].Name, u"clBtnShadow");
    EXPECT_EQ(ColorIdents[27].Name, u"clBtnText");
    EXPECT_EQ(ColorIdents[51].Name, u"clWindowText");
    std::set<std::u16string> names;
    for (const TColorIdent& ident : ColorIdents) {
        EXPECT_FALSE(ident.Name.empty());
        EXPECT_TRUE(names.insert(LowerCase(ident.Name)).second) << Narrow(ident.Name);
        // every name reads back as its own value
        EXPECT_EQ(StringToColor(ident.Name), ident.Value) << Narrow(ident.Name);
    }
}

TEST(FontSpec, MalformedFontStringsRaiseTheirError) {
    const struct {
        std::u16string_view spec;
        bool fontError;  // else the integer or colour conversion's own error
    } rows[] = {
        {u"", true},
        {u"Arial", true},
        {u"Arial|12", true},
        {u"Arial|12|0", true},
        {u"Arial|12|0|0000", true},
        {u"Arial|12|0|000|clBlack", true},
        {u"Arial|12|0|00000|clBlack", true},
        {u"Arial|12|0||clBlack", true},
        {u"Arial|zwölf|0|0000|clBlack", false},
        {u"Arial||0|0000|clBlack", false},
        {u"Arial|12|a|0000|clBlack", false},
        {u"Arial|12|0|0000|", false},
        {u"Arial|12|0|0000|clSchwarz", false},
        {u"Arial|12|0|0000|clBlack|", false},
        {u"Arial|12|0|0000|$1FFFFFFFF", false},
    };
    for (const auto& row : rows) {
        try {
            SpecToFont(row.spec);
            ADD_FAILURE() << "no error for " << Narrow(row.spec);
        } catch (const EKorvalin& error) {
            EXPECT_EQ(error.Message() == FontSpecError, row.fontError) << Narrow(row.spec);
            EXPECT_FALSE(error.Message().empty());
        }
    }
}

TEST(FontSpec, UnreadableFontStringsFallBackToArialTwelveKeepingTheCharset) {
    for (const std::u16string_view spec :
         {u"Arial|12|0|101|clBlack", u"Arial|gross|0|0000|clBlack", u"Arial|12|0|0000|lila", u"", u"Courier"}) {
        TFontValue font = MakeFont(u"Courier", 30, 2, u"BIUS", clNavy);
        AssignFontSpec(&font, spec);
        EXPECT_EQ(font, MakeFont(u"Arial", 12, 2, u"----", 0xFF000008)) << Narrow(spec);
    }
    TFontValue font;
    AssignFontSpec(&font, u"Courier New|10|1|0100|clRed");
    EXPECT_EQ(font, MakeFont(u"Courier New", 10, 1, u"-I--", 0x0000FF));
    AssignFontSpec(nullptr, u"Arial|12|0|0000|clBlack");  // an absent font: nothing happens
}

TEST(FontSpec, UnicodeBrailleTextIsANonEmptyRunOfBraillePatterns) {
    const struct {
        std::u16string_view text;
        bool braille;
    } rows[] = {
        {u"", false},          {u"\u2800", true},       {u"\u28FF\u2801\u2800", true},
        {u"\u2801a", false},   {u"a\u2801", false},     {u"\u27FF", false},
        {u"\u2900", false},    {u"\u2801 ", false},
    };
    for (const auto& row : rows) EXPECT_EQ(IsUnicodeBrailleText(row.text), row.braille) << Narrow(row.text);
}

namespace {

// A glyph test over a fixed set of faces that records every face it is asked.
struct TFakeGlyphTest {
    std::set<std::u16string> BrailleFaces;
    std::vector<std::u16string> Asked;
    TUnicodeBrailleFontChooser::THasBraillePatterns Function() {
        return [this](const std::u16string& face) {
            Asked.push_back(face);
            return BrailleFaces.count(face) > 0;
        };
    }
};

TFonts FontsWithMode(int mode, std::vector<std::u16string> specs) {
    TFonts fonts;
    for (auto& spec : specs) fonts[size_t(mode)].push_back({u"C:\\K\\Fonts\\x.ttf", std::move(spec)});
    return fonts;
}

}  // namespace

TEST(UnicodeBrailleFont, ChoosesTheWantedFaceAFallbackOrTheWantedFaceAnyway) {
    const struct {
        std::set<std::u16string> brailleFaces;
        std::u16string_view spec;
        std::u16string_view expected;
        size_t asked;
    } rows[] = {
        {{u"8ptBraille0", u"Segoe UI Symbol"}, u"8ptBraille0|25|0|0000|clBlack", u"8ptBraille0|25|0|0000|clBlack", 1},
        {{u"DejaVu Sans", u"Symbola"}, u"Charis SIL|18|0|0000|clBlack", u"DejaVu Sans|18|0|0000|clBlack", 3},
        {{u"Symbola"}, u"Arial|20|0|1000|clRed", u"Symbola|20|0|1000|clRed", 6},
        {{}, u"Arial|20|0|1000|clRed", u"Arial|20|0|1000|clRed", 6},
        {{}, u"Nur ein Name", u"Nur ein Name|18|0|0000|clBlack", 6},
        {{}, u"|||", u"Arial|||", 6},
        {{u"Segoe UI Symbol"}, u"", u"Segoe UI Symbol|18|0|0000|clBlack", 2},
    };
    for (const auto& row : rows) {
        TFakeGlyphTest test{row.brailleFaces, {}};
        TUnicodeBrailleFontChooser chooser(test.Function());
        const TFonts fonts = FontsWithMode(3, {std::u16string(row.spec)});
        EXPECT_EQ(chooser.GetUnicodeBrailleFontSpec(fonts, 3, 0), row.expected) << Narrow(row.spec);
        EXPECT_EQ(test.Asked.size(), row.asked) << Narrow(row.spec);
    }
}

TEST(UnicodeBrailleFont, TheGlyphTestRunsAgainOnlyForADifferentFaceAndAFailedSearchIsKept) {
    TFakeGlyphTest test{{u"DejaVu Sans"}, {}};
    TUnicodeBrailleFontChooser chooser(test.Function());
    TFonts fonts = FontsWithMode(1, {u"8ptBraille0|25|0|0000|clBlack", u"8ptbraille0|25|0|0000|clBlack",
                                     u"Leer|25|0|0000|clBlack", u"LEER|30|0|0000|clBlack"});
    EXPECT_EQ(chooser.GetUnicodeBrailleFontSpec(fonts, 1, 0), u"DejaVu Sans|25|0|0000|clBlack");
    EXPECT_EQ(test.Asked, (std::vector<std::u16string>{u"8ptBraille0", u"Segoe UI Symbol", u"DejaVu Sans"}));
    test.Asked.clear();
    // the same face again, also in another letter case: no test
    EXPECT_EQ(chooser.GetUnicodeBrailleFontSpec(fonts, 1, 0), u"DejaVu Sans|25|0|0000|clBlack");
    EXPECT_EQ(chooser.GetUnicodeBrailleFontSpec(fonts, 1, 1), u"DejaVu Sans|25|0|0000|clBlack");
    EXPECT_TRUE(test.Asked.empty());
    EXPECT_EQ(chooser.UnicodeBraillePreferredFontName(), u"8ptBraille0");
    // a different face: tested anew; with no braille face anywhere the search fails
    test.BrailleFaces.clear();
    EXPECT_EQ(chooser.GetUnicodeBrailleFontSpec(fonts, 1, 2), u"Leer|25|0|0000|clBlack");
    EXPECT_EQ(test.Asked.size(), 6u);
    test.Asked.clear();
    // the failed search is kept as well
    EXPECT_EQ(chooser.GetUnicodeBrailleFontSpec(fonts, 1, 3), u"Leer|30|0|0000|clBlack");
    EXPECT_TRUE(test.Asked.empty());
    EXPECT_EQ(chooser.UnicodeBrailleFontName(), u"Leer");
}

TEST(UnicodeBrailleFont, IndexPastTheListFallsBackToTheFirstEntryAndAnEmptyListToCharisSil) {
    TFakeGlyphTest test{{u"A", u"B", u"Charis SIL"}, {}};
    TUnicodeBrailleFontChooser chooser(test.Function());
    const TFonts fonts = FontsWithMode(2, {u"A|10|0|0000|clRed"});
    EXPECT_EQ(chooser.GetUnicodeBrailleFontSpec(fonts, 2, 3), u"A|10|0|0000|clRed");
    EXPECT_EQ(chooser.GetUnicodeBrailleFontSpec(fonts, 4, 0), u"Charis SIL|18|0|0000|clBlack");
    EXPECT_EQ(chooser.GetUnicodeBrailleFontSpec(fonts, 9, 0), u"Charis SIL|18|0|0000|clBlack");
    EXPECT_EQ(ModeFontIndex(3, 1), 0);
    EXPECT_EQ(ModeFontIndex(3, 4), 3);
    EXPECT_EQ(ModeFontIndex(2, 0), 2);
}

TEST(UnicodeBrailleFont, WithoutAGlyphTestTheWantedFaceIsUsed) {
    TUnicodeBrailleFontChooser chooser(nullptr);
    const TFonts fonts = FontsWithMode(0, {u"8ptBraille0|25|0|0000|clBlack"});
    EXPECT_EQ(chooser.GetUnicodeBrailleFontSpec(fonts, 0, 0), u"8ptBraille0|25|0|0000|clBlack");
}
