#include "appearance/ModeFonts.h"
#include "settings/DatenC.h"

#include <gtest/gtest.h>

using namespace korvalin;

TEST(Settings, DefaultsBuildEveryPathFromTheProgramFolder) {
    TEinstellungen settings;
    StandardEinstellungenSetzen(settings, u"C:\\Korvalin\\");
    EXPECT_EQ(settings.Schrifthintergrund, 1);
    EXPECT_EQ(settings.Schriftart, u"Arial|12|0|0000|clBlack");
    EXPECT_TRUE(settings.SoundS);
    EXPECT_FALSE(settings.EinhandS);
    EXPECT_EQ(settings.SoundLautgruppeFilename, u"C:\\Korvalin\\Sounds\\zeichenkombination.wav");
    EXPECT_EQ(settings.Tab1Filename, u"C:\\Korvalin\\Tabellen\\Standard.tab");
    EXPECT_EQ(settings.Tab2Filename, u"C:\\Korvalin\\Tabellen\\Brl2UniBrl.tab");
    for (int mode = 0; mode < 6; ++mode) EXPECT_EQ(settings.Fonts[size_t(mode)].size(), mode == 1 ? 4u : 1u) << mode;
    EXPECT_EQ(settings.Fonts[1][1], (TFontEntry{u"C:\\Korvalin\\Fonts\\BRL7.ttf", u"8ptBraille7|25|0|0000|clBlack"}));
    EXPECT_EQ(settings.Fonts[3][0].Settings, u"blistabraille6+|18|0|0000|clBlack");
}

TEST(Settings, DefaultsTwiceGiveEqualRecordsAndCopiesAreIndependent) {
    TEinstellungen first, second;
    StandardEinstellungenSetzen(first, u"C:\\K\\");
    second.Fonts[1].resize(9);
    second.MaxZeilenbreite = 40;
    StandardEinstellungenSetzen(second, u"C:\\K\\");
    StandardEinstellungenSetzen(second, u"C:\\K\\");
    EXPECT_EQ(first, second);
    TEinstellungen copy = first;
    copy.Fonts[1][0].Settings = u"Arial|8|0|0000|clRed";
    EXPECT_EQ(first.Fonts[1][0].Settings, u"8ptBraille0|25|0|0000|clBlack");
}

TEST(ModeFonts, StoredPairsExpandAndCollapseAgain) {
    TFonts fonts;
    SetModeFonts(fonts, 2, u"C:\\K\\", u"a.ttf||b.ttf", u"Eins|Zwei|14|0|1000|clRed");
    ASSERT_EQ(fonts[2].size(), 2u);
    EXPECT_EQ(fonts[2][1], (TFontEntry{u"C:\\K\\Fonts\\b.ttf", u"Zwei|14|0|1000|clRed"}));
    const TModeFontStrings stored = ModeFontsToStrings(fonts, 2);
    EXPECT_EQ(stored.Files, u"a.ttf|b.ttf");
    EXPECT_EQ(stored.Spec, u"Eins|Zwei|14|0|1000|clRed");

    SetModeFonts(fonts, 0, u"C:\\K\\", u"a.ttf|b.ttf", u"Nur");  // no tail, one name short
    EXPECT_EQ(fonts[0][0].Settings, u"Nur|12|0|0000|clWindowText");
    EXPECT_EQ(fonts[0][1].Settings, u"Arial|12|0|0000|clWindowText");
    SetModeFonts(fonts, 0, u"C:\\K\\", u"", u"Egal|12");
    EXPECT_TRUE(fonts[0].empty());
    EXPECT_EQ(ModeFontsToStrings(fonts, 0).Files, u"");
    EXPECT_EQ(ModeFontsToStrings(fonts, 0).Spec, u"");
    EXPECT_EQ(Tokens(u"|a||b|"), (std::vector<std::u16string_view>{u"a", u"b"}));
}
