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
