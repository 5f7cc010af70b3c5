#include "app/Haupt.h"
#include "input/NummerDlgC.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <vector>

using namespace korvalin;
using korvalin::testing::PumpMessages;
using korvalin::testing::SetClipboardText;
using korvalin::testing::TProgramFolder;

namespace {


class WidthFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        FFolder.Write("Tabellen\\Standard.tab", "Standard\r\n1=97\r\n12=65|66\r\n14=120|121|122\r\n");
        FFolder.Write("Tabellen\\Brl2UniBrl.tab", "Acht\r\n78=10432\r\n");
        FForm = std::make_unique<TForm1>(FFolder.Folder());
        FForm->OnMessageDlg = [](const std::u16string&, UINT) { return IDOK; };
        FForm->Show(SW_SHOWNOACTIVATE);
        PumpMessages(100);
        FForm->SetModus(TModus::M3);
    }
    // The text with the caret at Caret and the limit set.
    void Prepare(const std::u16string& text, int caret, int limit) {
        FForm->SetMaxZeilenbreite(limit);
        FForm->RichEdit1.SetText(text);
        FForm->RichEdit1.SetSel(caret, 0);
    }
    void Paste() {
        SendMessageW(FForm->Handle(), WM_COMMAND, MAKEWPARAM(FForm->MenuId("MenuBearbeitenEinfuegen"), 0), 0);
    }
    int EditorLineCount() { return int(FForm->RichEdit1.Send(EM_GETLINECOUNT)); }

    TProgramFolder FFolder;
    std::unique_ptr<TForm1> FForm;
};

}  // namespace

TEST_F(WidthFormTest, ChordsAndTypedCharactersStopAtTheLimit) {
    Prepare(u"abc", 3, 5);
    FForm->ProcessKeys(0x09, false);  // dots 1 4: three characters, refused
    EXPECT_EQ(FForm->RichEdit1.Text(), u"abc");
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 3);
    FForm->ProcessKeys(0x03, false);  // dots 1 2: two characters fill the line
    EXPECT_EQ(FForm->RichEdit1.Text(), u"abcAB");
    SendMessageW(FForm->RichEdit1.Handle(), WM_CHAR, 'q', 1);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"abcAB");
    FForm->RichEdit1.SetSel(1, 2);  // "bc" replaced by one typed character
    SendMessageW(FForm->RichEdit1.Handle(), WM_CHAR, 'q', 1);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"aqAB");
}

TEST_F(WidthFormTest, RealEditorLinesAreParagraphs) {
    Prepare(u"abcdef\r", 7, 5);  // caret on the empty line below a too long one
    EXPECT_TRUE(FForm->IsMaxZeilenbreiteOk(u"12345"));
    EXPECT_FALSE(FForm->IsMaxZeilenbreiteOk(u"123456"));
    FForm->RichEdit1.SetSel(3, 0);  // after "abc" of "abcdef"
    EXPECT_TRUE(FForm->IsMaxZeilenbreiteOk(u"12\r\n34"));
    EXPECT_FALSE(FForm->IsMaxZeilenbreiteOk(u"123\r\n"));
    EXPECT_FALSE(FForm->IsMaxZeilenbreiteOk(u"1\r\n345"));
    FForm->RichEdit1.SetSel(1, 3);  // "bcd" selected
    EXPECT_TRUE(FForm->IsMaxZeilenbreiteOk(u"xy"));
    EXPECT_FALSE(FForm->IsMaxZeilenbreiteOk(u"xyz"));
}

namespace {

// A key pressed on the editor with the modifiers held, as the thread's key
// state shows them to the control.
void PressOnEditor(HWND edit, WORD key, std::initializer_list<int> modifiers) {
    BYTE state[256]{};
    for (int modifier : modifiers) state[modifier] = 0x80;
    SetKeyboardState(state);
    SendMessageW(edit, WM_KEYDOWN, key, 1);
    BYTE released[256]{};
    SetKeyboardState(released);
}

}  // namespace

TEST_F(WidthFormTest, EveryPasteRouteChecksTheWholeClipboardText) {
    const HWND edit = FForm->RichEdit1.Handle();
    const std::pair<const char*, std::function<void()>> routes[] = {
        {"menu command", [&] { Paste(); }},
        {"WM_PASTE", [&] { SendMessageW(edit, WM_PASTE, 0, 0); }},
        {"Shift+Insert", [&] { PressOnEditor(edit, VK_INSERT, {VK_SHIFT}); }},
        {"Ctrl+V", [&] { PressOnEditor(edit, 'V', {VK_CONTROL}); }},
        {"Ctrl+Shift+V", [&] { PressOnEditor(edit, 'V', {VK_CONTROL, VK_SHIFT}); }},
    };
    for (const auto& [name, paste] : routes) {
        SCOPED_TRACE(name);
        Prepare(u"abc", 3, 5);
        ASSERT_TRUE(SetClipboardText(L"123"));
        paste();
        EXPECT_EQ(FForm->RichEdit1.Text(), u"abc");
        ASSERT_TRUE(SetClipboardText(L"12\r\n345678"));  // the second line is too long
        paste();
        EXPECT_EQ(FForm->RichEdit1.Text(), u"abc");
        ASSERT_TRUE(SetClipboardText(L"12"));
        paste();
        EXPECT_EQ(FForm->RichEdit1.Text(), u"abc12");
    }
}

TEST_F(WidthFormTest, InsertAndVAloneDoNotPaste) {
    Prepare(u"abc", 3, 0);
    ASSERT_TRUE(SetClipboardText(L"12"));
    PressOnEditor(FForm->RichEdit1.Handle(), VK_INSERT, {});
    PressOnEditor(FForm->RichEdit1.Handle(), 'V', {VK_SHIFT});
    EXPECT_EQ(FForm->RichEdit1.Text(), u"abc");
}

TEST_F(WidthFormTest, LimitSetsPanelWrappingAndIsClamped) {
    EXPECT_EQ(FForm->StatusBar1.PanelText(3), u"Bte: Unb.");
    const std::u16string longLine(400, u'w');
    Prepare(longLine, 0, 0);
    const int wrappedLines = EditorLineCount();
    EXPECT_GT(wrappedLines, 1);
    FForm->SetMaxZeilenbreite(12);
    EXPECT_EQ(FForm->StatusBar1.PanelText(3), u"Bte: 12");
    EXPECT_EQ(EditorLineCount(), 1);
    FForm->SetMaxZeilenbreite(250);
    EXPECT_EQ(FForm->GetMaxZeilenbreite(), 99);
    EXPECT_EQ(FForm->StatusBar1.PanelText(3), u"Bte: 99");
    FForm->SetMaxZeilenbreite(-3);
    EXPECT_EQ(FForm->GetMaxZeilenbreite(), 0);
    EXPECT_EQ(FForm->StatusBar1.PanelText(3), u"Bte: Unb.");
    EXPECT_EQ(EditorLineCount(), wrappedLines);
}

// ---- the number dialog ----

namespace {

using TFakeTolk = korvalin::testing::TRecordingTolk;

struct TOwner : korvalin::testing::TDialogOwner {
    TOwner() : TDialogOwner(100, 80, 600, 400) {}
};

RECT ClientRect(HWND window) {
    RECT bounds{};
    GetClientRect(window, &bounds);
    return bounds;
}

std::u16string ControlText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 255);
    return U16(text);
}

}  // namespace

TEST(NummerDlg, LayoutKeepsLabelEditSpinThenTheTwoButtonsInsideTheForm) {
    TOwner owner;
    TNummerDlg dialog(owner.Handle(), nullptr);
    EXPECT_EQ(ControlText(dialog.Handle()), u"Maximale Zeilenbreite eingeben");
    EXPECT_EQ(dialog.LbNummer.Text(), u"&Breite (0-99):");
    EXPECT_EQ(dialog.Btn1Weiter.Text(), u"O&K");
    EXPECT_EQ(dialog.Btn2Abbrechen.Text(), u"&Abbrechen");
    const RECT label = dialog.LbNummer.Bounds(), edit = dialog.LeNummer.Bounds(), spin = dialog.UpDown1.Bounds();
    const RECT ok = dialog.Btn1Weiter.Bounds(), cancel = dialog.Btn2Abbrechen.Bounds();
    const RECT client = ClientRect(dialog.Handle());
    EXPECT_EQ(edit.top, 10);
    EXPECT_LE(label.right, edit.left);
    EXPECT_GE(label.left, 0);
    EXPECT_LE(edit.right, spin.left);
    EXPECT_GT(edit.right - edit.left, 0);
    EXPECT_EQ(ok.top, edit.bottom + 10);
    EXPECT_EQ(cancel.top, ok.top);
    EXPECT_EQ(ok.right - ok.left, cancel.right - cancel.left);
    EXPECT_LT(ok.right, cancel.left);
    EXPECT_EQ(client.bottom, ok.bottom + 10);
    EXPECT_GE(client.right, spin.right + 10);
    EXPECT_GE(client.right, cancel.right);
    // centred over the owner
    RECT own{}, outer{};
    GetWindowRect(dialog.Handle(), &own);
    GetWindowRect(owner.Handle(), &outer);
    EXPECT_LE(std::abs((own.left + own.right) - (outer.left + outer.right)), 1);
    EXPECT_LE(std::abs((own.top + own.bottom) - (outer.top + outer.bottom)), 1);
    // Tab order: edit, then OK, then Cancel
    EXPECT_EQ(GetNextDlgTabItem(dialog.Handle(), dialog.LeNummer.Handle(), FALSE), dialog.Btn1Weiter.Handle());
    EXPECT_EQ(GetNextDlgTabItem(dialog.Handle(), dialog.Btn1Weiter.Handle(), FALSE), dialog.Btn2Abbrechen.Handle());
}

TEST(NummerDlg, OnlyTwoDigitsFrom0To99EnableOk) {
    TNummerDlg dialog(nullptr, nullptr);
    EXPECT_EQ(dialog.LeNummer.Send(EM_GETLIMITTEXT), 2);
    EXPECT_TRUE(GetWindowLongPtrW(dialog.LeNummer.Handle(), GWL_STYLE) & ES_NUMBER);
    const struct {
        std::u16string text;
        bool enabled;
    } rows[] = {{u"42", true}, {u"", false}, {u"0", true}, {u"99", true}, {u" ", false}};
    for (const auto& row : rows) {
        dialog.LeNummer.SetText(row.text);
        EXPECT_EQ(dialog.Btn1Weiter.Enabled(), row.enabled) << U16ToUtf8(row.text);
    }
    dialog.SetPosition(150);
    EXPECT_EQ(dialog.Position(), 99);
    EXPECT_EQ(dialog.LeNummer.Text(), u"99");
}

TEST(NummerDlg, FocusSpeaksTheFieldAndPasteChangesNothing) {
    TFakeTolk tolk;
    TNummerDlg dialog(nullptr, &tolk);
    ShowWindow(dialog.Handle(), SW_SHOWNOACTIVATE);
    dialog.SetPosition(7);
    dialog.LeNummer.SetFocus();
    ASSERT_EQ(tolk.Texts.size(), 1u);
    EXPECT_EQ(tolk.Texts[0], u"Breite (0 bis 99)");
    EXPECT_FALSE(tolk.InterruptS);
    ASSERT_TRUE(SetClipboardText(L"12"));
    dialog.LeNummer.Send(EM_SETSEL, 0, -1);
    dialog.LeNummer.Send(WM_PASTE);
    dialog.LeNummer.Send(WM_CHAR, 0x16, 1);  // Ctrl+V
    EXPECT_EQ(dialog.LeNummer.Text(), u"7");
}

TEST(NummerDlg, EnterConfirmsTheTypedNumberAndEscapeCancels) {
    TOwner owner;
    {
        TNummerDlg dialog(owner.Handle(), nullptr);
        dialog.SetPosition(7);
        for (const WPARAM c : {WPARAM('4'), WPARAM('2')}) PostMessageW(dialog.LeNummer.Handle(), WM_CHAR, c, 1);
        PostMessageW(dialog.LeNummer.Handle(), WM_KEYDOWN, VK_RETURN, 1);
        EXPECT_EQ(dialog.ShowModal(), IDOK);
        EXPECT_EQ(dialog.Position(), 42);
        EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    }
    {
        TNummerDlg dialog(owner.Handle(), nullptr);
        dialog.SetPosition(7);
        PostMessageW(dialog.LeNummer.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
    }
    {
        // an empty field cannot be confirmed: Enter does nothing, Escape ends
        TNummerDlg dialog(owner.Handle(), nullptr);
        dialog.LeNummer.SetText(u"");
        PostMessageW(dialog.LeNummer.Handle(), WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(dialog.LeNummer.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
    }
}
