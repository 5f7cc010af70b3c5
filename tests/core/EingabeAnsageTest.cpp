#include "speech/EingabeAnsage.h"

#include "util/TextUtils.h"

#include <gtest/gtest.h>

using namespace korvalin;

namespace {

using enum TEingabeAnsagen;

}  // namespace

TEST(EingabeAnsage, ChordSaysItsDotsInBrailleModesAndItsTextAndTheEndedWordInModeFive) {
    struct TRow {
        TEingabeAnsagen Setting;
        TModus Modus;
        bool LautS;
        std::u16string_view Punkte, Text, Before, Expected;
    } rows[] = {
        {Zeichen, TModus::M1, false, u"1257", u"x", u"Hx", u"Punkte 1 2 5 7"},
        {Zeichen, TModus::M2, false, u"1", u"\u2801", u"\u2801", u"Punkt 1"},
        {Zeichen, TModus::M3, false, u"0", u" ", u"Haus ", u"leer"},  // no word in modes 1 to 4
        {ZeichenUndWoerter, TModus::M4, false, u"0", u" ", u"Haus ", u"leer"},
        {Woerter, TModus::M1, false, u"125", u"x", u"x", u""},
        {Aus, TModus::M1, false, u"125", u"x", u"x", u""},
        {Aus, TModus::M5, false, u"0", u" ", u"Haus ", u""},
        {Zeichen, TModus::M5, false, u"1", u"a", u"Ha", u"a"},
        {Zeichen, TModus::M5, false, u"0", u" ", u"Haus ", u"Leerzeichen"},
        {Woerter, TModus::M5, false, u"0", u" ", u"Haus ", u"Haus"},
        {Woerter, TModus::M5, false, u"1", u"a", u"Ha", u""},
        {ZeichenUndWoerter, TModus::M5, false, u"0", u" ", u"Das Haus ", u"Leerzeichen, Haus"},
        {ZeichenUndWoerter, TModus::M5, false, u"256", u".", u"Haus.", u"., Haus"},
        {Woerter, TModus::M5, false, u"0", u" ", u"Haus. ", u""},  // the blank after a full stop ends no word
        {Zeichen, TModus::M5, false, u"12", u"\u2800\u2803", u"", u"leer, Punkte 1 2"},
        {Zeichen, TModus::M5, false, u"1", u"a\u2801b", u"", u"a, Punkt 1, b"},
        {Zeichen, TModus::M5, false, u"1", u"\r\n", u"", u"Zeilenumbruch"},
        {Zeichen, TModus::M5, false, u"1", u"a b", u"", u"a b"},
        {Zeichen, TModus::M2, true, u"125|14", u"sch", u"sch", u"sch"},  // a combination in any mode: its text
        {Woerter, TModus::M0, true, u"3456|1", u"1,", u"Seite 1,", u"1"},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(ChordAnsage(row.Setting, row.Modus, row.LautS, row.Punkte, row.Text, row.Before), row.Expected)
            << int(row.Setting) << " " << int(row.Modus) << " " << U16ToUtf8(row.Punkte) << " " << U16ToUtf8(row.Text);
    }
}

TEST(EingabeAnsage, TheWordEndsAtBlanksLineBreaksAndPunctuationButNotInsideAWord) {
    const std::pair<std::u16string_view, std::u16string_view> rows[] = {
        {u"Haus\r", u"Haus"},           {u"zum Haus,", u"Haus"},   {u"\u201EHaus\u201C", u"Haus"},
        {u"geht's ", u"geht's"},        {u"E-Mail!", u"E-Mail"},   {u"Haus", u""},
        {u"", u""},                     {u" ", u""},               {u"(\u2801\u2803) ", u""},
        {u"(\u2801\u2803)", u"\u2801\u2803"},
    };
    for (const auto& [before, word] : rows) EXPECT_EQ(BeendetesWort(before), word) << U16ToUtf8(before);
    // a key typed into the editor: only the word, and only in mode 5
    EXPECT_EQ(TasteAnsage(Woerter, TModus::M5, u"Haus\r"), u"Haus");
    EXPECT_EQ(TasteAnsage(Zeichen, TModus::M5, u"Haus "), u"");
    EXPECT_EQ(TasteAnsage(ZeichenUndWoerter, TModus::M2, u"Haus "), u"");
}

TEST(EingabeAnsage, ModesSwitchesTablesAndRefusalsAreSaidInWordsUnlessTheSettingIsOff) {
    for (const TEingabeAnsagen setting : {Aus, Zeichen, Woerter, ZeichenUndWoerter}) {
        const bool on = setting != Aus;
        EXPECT_EQ(ModusAnsage(setting, TModus::M5), on ? u"Modus 5: 8-Punkt-Braille zu Unicode-Zeichen" : u"");
        EXPECT_EQ(LautgruppeAnsage(setting, true), on ? u"Zeichenkombination ein" : u"");
        EXPECT_EQ(EinhandAnsage(setting, false), on ? u"Einhandeingabe aus" : u"");
        EXPECT_EQ(TabellenAnsage(setting, 2, u"Deutsch"), on ? u"Tabelle 2: Deutsch" : u"");
        EXPECT_EQ(ZeilenbreiteAnsage(setting, 40), on ? u"Zeile voll, höchstens 40 Zeichen" : u"");
        EXPECT_EQ(LautgruppeZelleAnsage(setting, u"|14"), setting == Zeichen || setting == ZeichenUndWoerter
                                                               ? u"Punkte 1 4"
                                                               : u"");
    }
}
