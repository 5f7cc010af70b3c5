#include "input/TastaturtestDlgC.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace korvalin;
using korvalin::testing::TDialogOwner;
using korvalin::testing::TRecordingTolk;

namespace {

// A key message as the keyboard sends it: scan code, the previous state
// bit for auto-repeat and key-up, the transition bit for key-up.
void Key(bool post, HWND field, UINT message, char letter, UINT scanCode, bool repeat = false) {
    const bool up = message == WM_KEYUP;
    const LPARAM lParam = LPARAM(1 | (scanCode << 16) | ((repeat || up) ? 1u << 30 : 0) | (up ? 1u << 31 : 0));
    const WPARAM wParam = message == WM_CHAR ? WPARAM(letter | 0x20) : WPARAM(letter);
    if (post) PostMessageW(field, message, wParam, lParam);
    else SendMessageW(field, message, wParam, lParam);
}

}  // namespace

TEST(TastaturtestDlg, TheFieldShowsTheDotKeysByScanCodeAndTheVerdictIsSpokenWhenTheyAreReleased) {
    const struct {
        char letter;
        UINT scanCode;
    } sixDots[] = {{'F', 0x21}, {'D', 0x20}, {'S', 0x1F}, {'J', 0x24}, {'K', 0x25}, {'L', 0x26}};
    TDialogOwner owner(100, 80, 600, 400);
    TRecordingTolk tolk;
    TTastaturtestDlg dialog(owner.Handle(), &tolk);
    const HWND field = dialog.EdPunkttasten.Handle();
    // Live, straight to the field: F and J down, J repeating, G (no dot key) between.
    Key(false, field, WM_KEYDOWN, 'F', 0x21);
    Key(false, field, WM_KEYDOWN, 'J', 0x24);
    Key(false, field, WM_KEYDOWN, 'J', 0x24, true);
    Key(false, field, WM_KEYDOWN, 'G', 0x22);
    EXPECT_EQ(dialog.EdPunkttasten.Text(), u"Gedrückt: Punkte 1 4");
    EXPECT_EQ(dialog.LbHoechstens.Text(), u"Höchstens zugleich: 2 von 8");
    Key(false, field, WM_KEYUP, 'F', 0x21);
    Key(false, field, WM_KEYUP, 'J', 0x24);
    EXPECT_EQ(dialog.EdPunkttasten.Text(), u"Gedrückt: keine");

    // Through the dialog's own loop: the six dots held with auto-repeat and
    // their letters, released, then Escape.
    for (const auto& dot : sixDots) Key(true, field, WM_KEYDOWN, dot.letter, dot.scanCode);
    for (const auto& dot : sixDots) {
        Key(true, field, WM_KEYDOWN, dot.letter, dot.scanCode, true);
        Key(true, field, WM_CHAR, dot.letter, dot.scanCode, true);
    }
    for (const auto& dot : sixDots) Key(true, field, WM_KEYUP, dot.letter, dot.scanCode);
    PostMessageW(field, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
    const std::u16string verdict =
        u"Diese Tastatur kann 6-Punkt-Zeichen schreiben, 8-Punkt-Zeichen bisher nicht. "
        u"Die Einhandeingabe (F2) geht mit jeder Tastatur.";
    EXPECT_EQ(dialog.LbHoechstens.Text(), u"Höchstens zugleich: 6 von 8");
    EXPECT_EQ(dialog.LbUrteil.Text(), verdict);
    EXPECT_EQ(tolk.Texts, (std::vector<std::u16string>{u"2 zugleich. Diese Tastatur kann bisher weder 6-Punkt- noch "
                                                       u"8-Punkt-Zeichen schreiben. Die Einhandeingabe (F2) geht mit "
                                                       u"jeder Tastatur.",
                                                       u"Punkttasten gleichzeitig gedrückt halten",
                                                       u"6 zugleich. " + verdict}));
    EXPECT_TRUE(tolk.InterruptS);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}
