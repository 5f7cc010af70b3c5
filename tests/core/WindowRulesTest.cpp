#include "app/DokumentArt.h"
#include "app/WindowRules.h"
#include "util/ShortCut.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

using namespace korvalin;

TEST(ShortCut, MenusShowGermanModifierNamesInFixedOrder) {
    const struct {
        TShortCut shortCut;
        std::u16string_view text;
    } rows[] = {
        {Ctrl('O'), u"Strg+O"},
        {Ctrl('0'), u"Strg+0"},
        {FKey(9), u"F9"},
        {FKey(4, ssAlt), u"Alt+F4"},
        {FKey(4, ssCtrl), u"Strg+F4"},
        {{'1', std::uint8_t(ssShift | ssCtrl)}, u"Umsch+Strg+1"},
        {{'X', std::uint8_t(ssAlt | ssCtrl | ssShift)}, u"Umsch+Strg+Alt+X"},
        {{0x2E, ssNone}, u"Entf"},
        {{}, u""},
    };
    for (const auto& row : rows) EXPECT_EQ(ShortCutToText(row.shortCut), row.text) << U16ToUtf8(row.text);
}

TEST(StartupSize, FitsTheWorkAreaAndKeepsTheMinimumForLater) {
    const TSizeLimits wanted{.Width = 1200, .Height = 900, .MinWidth = 1000, .MinHeight = 700};
    const struct {
        int workWidth, workHeight;
        TSizeLimits expected;
    } rows[] = {
        {1920, 1080, {.Width = 1200, .Height = 900, .MinWidth = 1000, .MinHeight = 700}},
        {1024, 600, {.Width = 1024, .Height = 600, .MinWidth = 1000, .MinHeight = 600}},
        {1100, 800, {.Width = 1100, .Height = 800, .MinWidth = 1000, .MinHeight = 700}},
        {800, 500, {.Width = 800, .Height = 500, .MinWidth = 800, .MinHeight = 500}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(StartupSize(wanted, row.workWidth, row.workHeight), row.expected) << row.workWidth << "x" << row.workHeight;
}

TEST(StartupSize, MaximaNeverFallBelowTheMinima) {
    const TSizeLimits wanted{.Width = 500, .Height = 300, .MinWidth = 400, .MinHeight = 200, .MaxWidth = 300, .MaxHeight = 250};
    const TSizeLimits fitted = StartupSize(wanted, 1000, 1000);
    EXPECT_EQ(fitted.MaxWidth, 400);
    EXPECT_EQ(fitted.Width, 400);
    EXPECT_EQ(fitted.MaxHeight, 250);
    EXPECT_EQ(fitted.Height, 250);
}

TEST(FensterPosition, CentresInTheWorkAreaOrGoesToItsCornerWhenMaximized) {
    const TWorkArea work{100, 50, 1024, 600};
    EXPECT_EQ(FensterPosition(work, 1024, 600, false), (TWindowPosition{100, 50}));
    EXPECT_EQ(FensterPosition(work, 800, 401, false), (TWindowPosition{212, 149}));
    // larger than the work area: above and left of it, truncated toward zero
    EXPECT_EQ(FensterPosition(work, 1200, 901, false), (TWindowPosition{12, -100}));
    EXPECT_EQ(FensterPosition(work, 1200, 900, true), (TWindowPosition{100, 50}));
}

TEST(Filename, NamesTheDocumentAfterItsFileOrCallsItDokument) {
    const struct {
        std::u16string_view value, current;
        std::u16string_view filename, displayName;
    } rows[] = {
        {u"C:\\Texte\\Brief.rtf", u"", u"C:\\Texte\\Brief.rtf", u"Brief.rtf"},
        {u"Dokument", u"", u"Dokument", u"Dokument"},
        {u"C:\\Texte\\", u"C:\\Alt\\a.rtf", u"C:\\Texte\\", u"Dokument"},
        {u"", u"C:\\Texte\\Brief.rtf", u"C:\\Texte\\", u"Dokument"},
        {u"", u"", u"C:\\Programm\\", u"Dokument"},
        {u"", u"Dokument", u"", u"Dokument"},
    };
    for (const auto& row : rows) {
        const TDocumentName name = FilenameZuweisen(row.value, row.current, u"C:\\Programm\\");
        EXPECT_EQ(name.Filename, row.filename) << U16ToUtf8(row.value) << " after " << U16ToUtf8(row.current);
        EXPECT_EQ(name.DisplayName, row.displayName) << U16ToUtf8(row.value);
    }
    EXPECT_EQ(DocumentCaption(u"Brief.rtf"), u"Brief.rtf - Korvalin V1.21");
}

TEST(StatusTexts, PanelsNameModeAndSwitches) {
    EXPECT_EQ(ModusPanelText(TModus::M0), u"Mod: 0 QWERTZ-Tastatur");
    EXPECT_EQ(ModusPanelText(TModus::M2), u"Mod: 2 Brl8-");
    EXPECT_EQ(ModusPanelText(TModus::M5), u"Mod: 5 Brl8ToUnicode");
    EXPECT_EQ(LautgruppePanelText(true), u"Zko: Ein");
    EXPECT_EQ(EinhandPanelText(false), u"Eha: Aus");
    EXPECT_EQ(StatusPanelMeasureTexts()[1], u"Mod: 5 Brl8ToUnicodeM");
}

TEST(StatusPanelWidths, TheHintsGiveWayFirstThenAllSixShrinkAndStayInsideTheBar) {
    const std::array<int, 6> measured{100, 200, 100, 100, 100, 50};
    using W = std::array<int, 6>;
    const struct {
        int bar;
        W widths;
    } rows[] = {
        {1000, {100, 200, 100, 100, 100, 400}},  // the hints take the rest
        {650, {100, 200, 100, 100, 100, 50}},    // down to their least width
        {325, {50, 100, 50, 50, 50, 25}},        // then all shrink alike
        {0, {}},
        {-20, {}},
    };
    for (const auto& row : rows) EXPECT_EQ(StatusPanelWidths(row.bar, measured), row.widths) << row.bar;
    // Whatever the width, the six panels end exactly at the bar's edge, each
    // keeps a share of its own, and none of panels 0 to 4 grows when the bar
    // narrows.
    W wider = StatusPanelWidths(2000, measured);
    for (int bar = 1999; bar >= 0; --bar) {
        const W widths = StatusPanelWidths(bar, measured);
        int sum = 0;
        for (size_t i = 0; i < widths.size(); ++i) {
            sum += widths[i];
            EXPECT_TRUE(i == 5 || widths[i] <= wider[i]) << bar << " panel " << i;
            EXPECT_TRUE(bar < 60 || widths[i] > 0) << bar << " panel " << i;
        }
        EXPECT_EQ(sum, bar);
        wider = widths;
    }
}

TEST(StatusTexts, RowAndColumnAreDottedInGroupsOfThree) {
    const struct {
        std::int64_t value;
        std::u16string_view text;
    } rows[] = {{0, u"0"}, {999, u"999"}, {1000, u"1.000"}, {1234567, u"1.234.567"}, {-1234, u"-1.234"},
                {-999, u"-999"}, {INT64_MIN, u"-9.223.372.036.854.775.808"}};
    for (const auto& row : rows) EXPECT_EQ(DottedNumber(row.value), row.text) << row.value;
    EXPECT_EQ(ZeileSpalteText(1, 1), u"Ze 1 | Sp 1");
    EXPECT_EQ(ZeileSpalteText(1234, 5), u"Ze 1.234 | Sp 5");
}

TEST(StatusTexts, HintsFollowTheMinuteAndTheDocumentState) {
    const THintShortCuts keys{u"Strg+S", u"Strg+U", u"Strg+O", u"Strg+F4", u"Strg+P", u"F9", u"Strg+0", u"Strg+5"};
    const struct {
        int minute;
        bool modified, speichernUnterS;
        std::u16string_view hint;
    } rows[] = {
        {7, true, false, u"Strg+S=Speichern"},
        {8, true, true, u"Strg+U=Speichern unter"},
        {59, false, true, u"Strg+U=Speichern unter"},
        {0, false, true, u"Strg+O=Öffnen"},
        {21, false, false, u"F9=Zeichenkombination eingeben"},
        {45, false, false, u"F9=Zeichenkombination eingeben"},
        {19, false, false, u"F9=Zeichenkombination eingeben"},
        {36, false, false, u"Strg+F4=Schließen"},
        {13, false, false, u"Strg+P=Drucken"},
        {57, false, false, u"Strg+P=Drucken"},
        {40, false, false, u"Strg+0-Strg+5=Modus wechseln"},
        {58, false, false, u"Strg+0-Strg+5=Modus wechseln"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(StatusHintText(row.minute, row.modified, row.speichernUnterS, keys), row.hint) << row.minute;
}

TEST(DocumentKind, SaveGoesByTheExtensionOfTheChosenNameOrElseByTheFilter) {
    const struct {
        std::u16string_view name;
        int filterIndex;
        TDocumentKind saved;
    } rows[] = {
        {u"C:\\Texte\\Brief.BRF", 1, TDocumentKind::Brf}, {u"Brief.pef", 1, TDocumentKind::Pef},
        {u"Brief.rtf", 3, TDocumentKind::Rtf},            {u"Brief.txt", 2, TDocumentKind::Brf},
        {u"C:\\a.brf\\Brief", 3, TDocumentKind::Pef},   {u"Brief.brf.txt", 0, TDocumentKind::Rtf},
    };
    for (const auto& row : rows) EXPECT_EQ(SaveKindOf(row.name, row.filterIndex), row.saved) << U16ToUtf8(row.name);
    for (const TDocumentKind kind : {TDocumentKind::Rtf, TDocumentKind::Brf, TDocumentKind::Pef})
        EXPECT_EQ(SaveKindOf(u"Brief", SaveFilterIndex(kind)), kind) << int(kind);
}
