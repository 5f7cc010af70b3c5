#include "app/Haupt.h"
#include "app/HauptSuchen.h"
#include "app/Suchen.h"
#include "util/LxRtfRef.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include "../core/SearchRows.h"
#include "TestSupport.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace korvalin;
using korvalin::testing::PumpMessages;

// The same rows on the real control and on the plain-text buffer the
// window searches with: both must agree.
TEST(RichEditSearch, ControlAndTextBufferFindForwardAndBackwardInEditorPositions) {
    TRtfRef buffer;
    TRichEditSuchPuffer richPuffer(buffer.Rich());
    TTextSuchPuffer textPuffer;
    TSuchPuffer* const puffers[] = {&richPuffer, &textPuffer};
    for (const auto& row : korvalin::testing::kSearchRows)
        for (TSuchPuffer* puffer : puffers) {
            const TSuchTreffer treffer = Suchen(*puffer, row.text, row.selStart, row.selLength, row.findText, row.optionen);
            const std::string where = std::string(puffer == &richPuffer ? "rich edit: " : "text: ") + U16ToUtf8(row.text) +
                                      " sel " + std::to_string(row.selStart) + " find " + U16ToUtf8(row.findText) +
                                      (row.optionen.DownS ? " down" : " up");
            EXPECT_EQ(int(treffer.Ergebnis), int(row.ergebnis)) << where;
            if (treffer.Ergebnis != TSuchErgebnis::Gefunden) continue;
            EXPECT_EQ(treffer.SelStart, row.expectedStart) << where;
            EXPECT_EQ(treffer.SelLength, row.expectedLength) << where;
        }
}

namespace {

class FindFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        FPath = std::filesystem::temp_directory_path() / ("korvalin-find-" + std::to_string(GetTickCount()));
        std::filesystem::create_directories(FPath / "Tabellen");
        std::ofstream(FPath / "Tabellen" / "Standard.tab", std::ios::binary) << "Standard\r\n1=97\r\n";
        std::ofstream(FPath / "Tabellen" / "Brl2UniBrl.tab", std::ios::binary) << "Acht\r\n78=10432\r\n";
        FForm = std::make_unique<TForm1>(FPath.u16string() + u"\\");
        FForm->OnMessageDlg = [this](const std::u16string& text, UINT) {
            FMessages.push_back(text);
            return IDOK;
        };
        FForm->Show(SW_SHOWNOACTIVATE);
        PumpMessages(100);
        FMessages.clear();
    }
    void TearDown() override {
        FForm.reset();
        std::error_code error;
        std::filesystem::remove_all(FPath, error);
    }
    void Command(std::string_view item, bool byShortCut = false) {
        SendMessageW(FForm->Handle(), WM_COMMAND, MAKEWPARAM(FForm->MenuId(item), byShortCut ? 1 : 0), 0);
    }
    // Types the text into the open dialog, sets its direction and presses its Find button.
    void FindInDialog(const wchar_t* text, bool downS) {
        const HWND dialog = FForm->FindDialog1.Handle();
        ASSERT_TRUE(dialog);
        SetDlgItemTextW(dialog, edt1, text);
        CheckRadioButton(dialog, rad1, rad2, downS ? rad2 : rad1);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
        PumpMessages(50);
    }

    std::filesystem::path FPath;
    std::unique_ptr<TForm1> FForm;
    std::vector<std::u16string> FMessages;
};

}  // namespace

TEST_F(FindFormTest, DialogSearchesUpClosesAndF3RepeatsUntilNothingFurther) {
    FForm->RichEdit1.SetText(u"ab\r\nab");
    FForm->RichEdit1.SetSel(5, 0);
    Command("MenuBearbeitenSuchen", true);
    ASSERT_TRUE(FForm->FindDialogOpenS());
    EXPECT_TRUE(IsWindowVisible(FForm->FindDialog1.Handle()));
    EXPECT_TRUE(FForm->FindDialog1.Options().DownS) << "down is set initially";

    FindInDialog(L"ab", false);
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 3);
    EXPECT_EQ(FForm->RichEdit1.SelLength(), 2);
    // The search closes the dialog; its text and direction stay for F3.
    EXPECT_FALSE(FForm->FindDialogOpenS());
    EXPECT_EQ(FForm->FindDialog1.Handle(), nullptr);
    EXPECT_TRUE(FForm->SchonGesuchtS);
    EXPECT_EQ(FForm->FindDialog1.Suchtext(), u"ab");
    EXPECT_FALSE(FForm->FindDialog1.Options().DownS);

    Command("MenuBearbeitenWeitersuchen", true);
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 0);
    EXPECT_EQ(FForm->RichEdit1.SelLength(), 2);
    EXPECT_TRUE(FMessages.empty());
    Command("MenuBearbeitenWeitersuchen", true);
    ASSERT_EQ(FMessages.size(), 1u);
    EXPECT_EQ(FMessages[0], u"Keinen weiteren Suchstring gefunden!");
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 0);
    EXPECT_EQ(FForm->RichEdit1.SelLength(), 2);
}

TEST_F(FindFormTest, NotFoundMessagesTellWholeDocumentFromTheRest) {
    FForm->RichEdit1.SetText(u"abc");
    FForm->FindDialog1.SetSuchtext(u"z");
    const struct {
        int selStart;
        bool downS;
        std::u16string_view message;
    } rows[] = {
        {0, true, u"Der Suchstring wurde nicht gefunden!"},
        {1, true, u"Keinen weiteren Suchstring gefunden!"},
        {3, false, u"Der Suchstring wurde nicht gefunden!"},
        {2, false, u"Keinen weiteren Suchstring gefunden!"},
    };
    for (const auto& row : rows) {
        FMessages.clear();
        FForm->RichEdit1.SetSel(row.selStart, 0);
        FForm->FindDialog1.SetOptions({.DownS = row.downS});
        Command("MenuBearbeitenWeitersuchen");
        ASSERT_EQ(FMessages.size(), 1u) << row.selStart;
        EXPECT_EQ(FMessages[0], row.message) << row.selStart;
        EXPECT_EQ(FForm->RichEdit1.SelStart(), row.selStart);
    }
}

TEST_F(FindFormTest, SecondOpeningKeepsTheDialogAndCancelClosesIt) {
    FForm->RichEdit1.SetText(u"abc");
    Command("MenuBearbeitenSuchen", true);
    ASSERT_TRUE(FForm->FindDialogOpenS());
    const HWND dialog = FForm->FindDialog1.Handle();
    Command("MenuBearbeitenSuchen", true);  // again: the same dialog, no second suspension
    EXPECT_EQ(FForm->FindDialog1.Handle(), dialog);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDCANCEL)));
    PumpMessages(50);
    EXPECT_FALSE(FForm->FindDialogOpenS());
    EXPECT_EQ(FForm->FindDialog1.Handle(), nullptr);
    EXPECT_FALSE(IsWindow(dialog));
    // A dialog opened again is a fresh window that shows the remembered text.
    FForm->FindDialog1.SetSuchtext(u"bc");
    Command("MenuBearbeitenSuchen", true);
    ASSERT_TRUE(FForm->FindDialogOpenS());
    wchar_t text[16] = {};
    GetDlgItemTextW(FForm->FindDialog1.Handle(), edt1, text, 16);
    EXPECT_EQ(U16(text), u"bc");
    FindInDialog(L"bc", true);
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 1);
    EXPECT_EQ(FForm->RichEdit1.SelLength(), 2);
    EXPECT_FALSE(FForm->FindDialogOpenS());
}
