#include "app/Haupt.h"
#include "appearance/SchriftDlgC.h"
#include "settings/SettingsIni.h"
#include "util/LxUtils.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <vector>

using namespace korvalin;
using korvalin::testing::PumpMessages;
using korvalin::testing::SetClipboardText;
using korvalin::testing::TProgramFolder;

namespace {

using TFakeTolk = korvalin::testing::TRecordingTolk;

struct TOwner : korvalin::testing::TDialogOwner {
    TOwner() : TDialogOwner(40, 30, 1000, 700) {}
};

bool Checked(const TDialogControl& box) { return box.Send(BM_GETCHECK) == BST_CHECKED; }

LOGFONTW FontOf(HWND control) {
    LOGFONTW logFont{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(logFont), &logFont);
    return logFont;
}

void SelectRow(const TDialogControl& list, int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    list.Send(LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&state));
}

}  // namespace

TEST(SchriftDlg, BrailleCellModesUntickAndDisableBoldAndItalic) {
    TSchriftDlg dialog(nullptr, nullptr);
    for (const int mode : {1, 3, 4, 0, 2, 5}) {
        const bool styleS = SchriftstilErlaubt(mode);
        dialog.SetModus(0);
        dialog.SetFettS(true);
        dialog.SetKursivS(true);
        dialog.SetModus(mode);
        EXPECT_EQ(WindowCaption(dialog.Handle()), Format(u"Schriftart für Modus %d einstellen", {std::int64_t(mode)}));
        EXPECT_EQ(dialog.CheckBox1.Enabled() && dialog.CheckBox2.Enabled(), styleS) << mode;
        EXPECT_EQ(Checked(dialog.CheckBox1) || Checked(dialog.CheckBox2), styleS) << mode;
        EXPECT_EQ(FontOf(dialog.Edit1.Handle()).lfItalic != 0, styleS) << mode;  // the test line follows
        EXPECT_EQ(dialog.Edit1.Text(), TestzeileText(mode));
    }
}

TEST(SchriftDlg, OkIsEnabledOnlyFrom8To72AndAValidSizeResizesTheTestLine) {
    TSchriftDlg dialog(nullptr, nullptr);
    EXPECT_EQ(dialog.Le1Size.Send(EM_GETLIMITTEXT), 2);
    dialog.SetGroesse(20);
    const LONG height20 = FontOf(dialog.Edit1.Handle()).lfHeight;
    const struct {
        std::u16string text;
        bool enabled;
        int shownSize;  // of the test line afterwards
    } rows[] = {{u"7", false, 20}, {u"73", false, 20}, {u"", false, 20}, {u"8", true, 8},
                {u"72", true, 72}, {u"x", false, 72}, {u"30", true, 30}};
    for (const auto& row : rows) {
        dialog.Le1Size.SetText(row.text);
        EXPECT_EQ(dialog.Btn2Weiter.Enabled(), row.enabled) << U16ToUtf8(row.text);
        EXPECT_EQ(dialog.TestFont().Size, row.shownSize) << U16ToUtf8(row.text);
    }
    EXPECT_LT(FontOf(dialog.Edit1.Handle()).lfHeight, height20);  // 30 points: a taller (more negative) height
    RECT test = dialog.Edit1.Bounds(), buttons = dialog.Btn1Standard.Bounds();
    EXPECT_LE(test.bottom, buttons.top);
    dialog.Le1Size.SetText(u"72");
    test = dialog.Edit1.Bounds();
    EXPECT_LE(test.bottom, buttons.top);
    EXPECT_GE(test.top, dialog.CheckBox1.Bounds().bottom);
}

TEST(SchriftDlg, StandardRestoresTheModesDefaultAndColoursFollowTheFocusedRow) {
    TSchriftDlg dialog(nullptr, nullptr);
    dialog.SetModus(0);
    dialog.StandardFont = SpecToFont(u"Charis SIL|16|0|0000|clBlack");
    ASSERT_EQ(dialog.Farben.size(), 16u);
    EXPECT_EQ(dialog.Farben[9], u"clRed");
    EXPECT_EQ(ListView_GetItemCount(dialog.ListView1.Handle()), 16);

    dialog.SetColor(0x0000FF);  // Rot
    EXPECT_EQ(dialog.FocusedRow(), 9);
    EXPECT_EQ(dialog.Getcolor(), TColor(0x0000FF));
    EXPECT_EQ(dialog.TestFont().Color, TColor(0x0000FF));
    SelectRow(dialog.ListView1, 4);  // Dunkelblau, as a user's choice
    EXPECT_EQ(dialog.Getcolor(), TColor(0x800000));
    EXPECT_EQ(dialog.TestFont().Color, TColor(0x800000));
    dialog.SetColor(0x00123456);  // not in the list: the first row
    EXPECT_EQ(dialog.FocusedRow(), 0);
    EXPECT_EQ(ListView_GetSelectedCount(dialog.ListView1.Handle()), 1u);

    dialog.SetColor(0xFFFFFF);
    dialog.SetGroesse(40);
    dialog.SetFettS(true);
    dialog.SetKursivS(true);
    dialog.Btn1Standard.Send(BM_CLICK);
    EXPECT_EQ(dialog.Le1Size.Text(), u"16");
    EXPECT_FALSE(Checked(dialog.CheckBox1));
    EXPECT_FALSE(Checked(dialog.CheckBox2));
    EXPECT_EQ(dialog.FocusedRow(), 0);
    EXPECT_EQ(dialog.Getcolor(), clBlack);
    EXPECT_EQ(dialog.TestFont().Size, 16);

    // no row focused: the colour of the standard font
    LVITEMW none{};
    none.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    dialog.ListView1.Send(LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&none));
    dialog.StandardFont.Color = 0x008000;
    EXPECT_EQ(dialog.Getcolor(), TColor(0x008000));
}

TEST(SchriftDlg, EnteringTheFieldsSpeaksThemAndPastingASizeOnlyBeeps) {
    TFakeTolk tolk;
    TSchriftDlg dialog(nullptr, &tolk);
    ShowWindow(dialog.Handle(), SW_SHOWNOACTIVATE);
    dialog.SetGroesse(12);
    dialog.Le1Size.SetFocus();
    dialog.ListView1.SetFocus();
    dialog.Edit1.SetFocus();
    dialog.CheckBox1.SetFocus();  // a check box says nothing of its own
    const std::vector<std::u16string> expected = {u"Größe (8 bis 72)", u"Farbe", u"Testzeile:"};
    EXPECT_EQ(tolk.Texts, expected);
    EXPECT_FALSE(tolk.InterruptS);
    ASSERT_TRUE(SetClipboardText(L"40"));
    dialog.Le1Size.Send(EM_SETSEL, 0, -1);
    dialog.Le1Size.Send(WM_PASTE);
    dialog.Le1Size.Send(WM_CHAR, 0x16, 1);  // Ctrl+V
    EXPECT_EQ(dialog.Le1Size.Text(), u"12");
}

TEST(SchriftDlg, TabOrderRunsFromTheSizeToCancelAndTheFormIsCentredOverItsOwner) {
    TOwner owner;
    TSchriftDlg dialog(owner.Handle(), nullptr);
    const TDialogControl* order[] = {&dialog.Le1Size,   &dialog.CheckBox1,    &dialog.CheckBox2,
                                     &dialog.ListView1, &dialog.Edit1,        &dialog.Btn1Standard,
                                     &dialog.Btn2Weiter, &dialog.Btn3Abbrechen};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        EXPECT_EQ(GetNextDlgTabItem(dialog.Handle(), order[i]->Handle(), FALSE), order[i + 1]->Handle()) << i;
    RECT own{}, outer{};
    GetWindowRect(dialog.Handle(), &own);
    GetWindowRect(owner.Handle(), &outer);
    EXPECT_LE(std::abs((own.left + own.right) - (outer.left + outer.right)), 1);
    EXPECT_LE(std::abs((own.top + own.bottom) - (outer.top + outer.bottom)), 1);
}

TEST(SchriftDlg, AcceleratorsReachTheFieldsAndEnterCannotConfirmAnInvalidSize) {
    TOwner owner;
    {
        // the accelerators of both check boxes, then of the size label and of OK
        TSchriftDlg dialog(owner.Handle(), nullptr);
        dialog.SetModus(5);
        dialog.SetGroesse(12);
        const HWND field = dialog.Le1Size.Handle();
        for (const WPARAM c : {WPARAM('f'), WPARAM('u'), WPARAM('g')}) PostMessageW(field, WM_SYSCHAR, c, 1 << 29);
        PostMessageW(field, WM_CHAR, WPARAM('9'), 1);
        PostMessageW(field, WM_SYSCHAR, WPARAM('k'), 1 << 29);
        EXPECT_EQ(dialog.ShowModal(), IDOK);
        EXPECT_TRUE(dialog.FettS());
        EXPECT_TRUE(dialog.KursivS());
        EXPECT_EQ(dialog.Groesse(), 9);
    }
    {
        TSchriftDlg dialog(owner.Handle(), nullptr);
        dialog.SetGroesse(12);
        PostMessageW(dialog.Le1Size.Handle(), WM_CHAR, WPARAM('7'), 1);
        PostMessageW(dialog.Le1Size.Handle(), WM_KEYDOWN, VK_RETURN, 1);  // 7: refused
        PostMessageW(dialog.Le1Size.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
    }
}

// ---- the menu items of the main window ----

namespace {

// Acts on the font dialog once it is open: a timer of this thread, which
// the dialog's own message loop serves.
std::function<void(HWND dialog)> gDialogAction;
int gDialogActions = 0;

void CALLBACK FindDialogTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    for (HWND window = FindWindowW(L"TDialogForm", nullptr); window && !dialog;
         window = FindWindowExW(nullptr, window, L"TDialogForm", nullptr)) {
        if (IsWindowVisible(window) && WindowCaption(window).rfind(u"Schriftart für Modus", 0) == 0) dialog = window;
    }
    if (!dialog) return;
    KillTimer(nullptr, timer);
    ++gDialogActions;
    if (gDialogAction) gDialogAction(dialog);
}

// The children of the dialog in creation order.
std::vector<HWND> Children(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND ChildOfClass(HWND dialog, const wchar_t* className, int nth = 0) {
    for (const HWND child : Children(dialog)) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 63);
        if (lstrcmpiW(name, className) == 0 && nth-- == 0) return child;
    }
    return nullptr;
}

HWND ChildWithText(HWND dialog, const wchar_t* text) {
    for (const HWND child : Children(dialog)) {
        wchar_t own[64] = {};
        GetWindowTextW(child, own, 63);
        if (lstrcmpW(own, text) == 0) return child;
    }
    return nullptr;
}

class SchriftFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        FFolder.Write("Tabellen\\Standard.tab", "Standard\r\n1=97\r\n");
        FFolder.Write("Tabellen\\Brl2UniBrl.tab", "Acht\r\n78=10432\r\n");
        FForm = std::make_unique<TForm1>(FFolder.Folder());
        FForm->OnMessageDlg = [](const std::u16string&, UINT) { return IDOK; };  // this folder ships no fonts
        FForm->Show(SW_SHOWNOACTIVATE);
        PumpMessages(100);
        gDialogActions = 0;
    }
    void TearDown() override { gDialogAction = nullptr; }
    // Chooses the menu item; Action runs on the open dialog.
    void Choose(const char* item, std::function<void(HWND dialog)> action) {
        gDialogAction = std::move(action);
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, FindDialogTimer);
        SendMessageW(FForm->Handle(), WM_COMMAND, MAKEWPARAM(FForm->MenuId(item), 0), 0);
        KillTimer(nullptr, timer);
    }
    static std::u16string IniValue(const wchar_t* key) {
        wchar_t value[512] = {};
        GetPrivateProfileStringW(L"Fonts", key, L"", value, 511, WStr(IniFilename()));
        return U16(value);
    }

    TProgramFolder FFolder;
    std::unique_ptr<TForm1> FForm;
};

}  // namespace

TEST_F(SchriftFormTest, ModeOneOkGivesAllFourEntriesTheNewSizeAndColourAndKeepsTheirFaces) {
    // underline stored by hand survives the dialog, which cannot show it
    for (TFontEntry& entry : Einstellungen.Fonts[1]) entry.Settings.replace(entry.Settings.find(u"|0000|"), 6, u"|0010|");
    const std::vector<TFontEntry> before = Einstellungen.Fonts[1];
    bool boldEnabled = true, italicEnabled = true, boldTicked = true;
    std::u16string testFace, size;
    Choose("MenuEinstModusM1", [&](HWND dialog) {
        const HWND bold = ChildWithText(dialog, L"&Fett"), italic = ChildWithText(dialog, L"K&ursiv");
        boldEnabled = IsWindowEnabled(bold), italicEnabled = IsWindowEnabled(italic);
        boldTicked = SendMessageW(bold, BM_GETCHECK, 0, 0) == BST_CHECKED;
        testFace = U16(FontOf(ChildOfClass(dialog, L"Edit", 1)).lfFaceName);
        const HWND sizeField = ChildOfClass(dialog, L"Edit", 0);
        wchar_t text[8] = {};
        GetWindowTextW(sizeField, text, 7);
        size = U16(text);
        SetWindowTextW(sizeField, L"30");
        LVITEMW state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(ChildOfClass(dialog, WC_LISTVIEWW), LVM_SETITEMSTATE, 9, reinterpret_cast<LPARAM>(&state));
        SendMessageW(ChildWithText(dialog, L"O&K"), BM_CLICK, 0, 0);
    });
    ASSERT_EQ(gDialogActions, 1);
    EXPECT_FALSE(boldEnabled);
    EXPECT_FALSE(italicEnabled);
    EXPECT_FALSE(boldTicked);
    EXPECT_EQ(testFace, u"8ptBraille8");
    EXPECT_EQ(size, u"25");
    const std::u16string_view faces[] = {u"8ptBraille0", u"8ptBraille7", u"8ptBraille8", u"8ptBraille78"};
    ASSERT_EQ(Einstellungen.Fonts[1].size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Einstellungen.Fonts[1][i].Settings, std::u16string(faces[i]).append(u"|30|0|0010|clRed"));
        EXPECT_EQ(Einstellungen.Fonts[1][i].Filename, before[i].Filename);
    }
    EXPECT_EQ(IniValue(L"Font1Settings"), u"8ptBraille0|8ptBraille7|8ptBraille8|8ptBraille78|30|0|0010|clRed");
    EXPECT_EQ(IniValue(L"Font1Filename"), u"BRL0.ttf|BRL7.ttf|BRL8.ttf|BRL78.ttf");
}

TEST_F(SchriftFormTest, CancelChangesNeitherTheFontsNorTheFile) {
    const TFonts before = Einstellungen.Fonts;
    Choose("MenuEinstModusM0", [](HWND dialog) {
        SetWindowTextW(ChildOfClass(dialog, L"Edit", 0), L"40");
        SendMessageW(ChildWithText(dialog, L"&Fett"), BM_CLICK, 0, 0);
        SendMessageW(ChildWithText(dialog, L"&Abbrechen"), BM_CLICK, 0, 0);
    });
    ASSERT_EQ(gDialogActions, 1);
    EXPECT_EQ(Einstellungen.Fonts, before);
    EXPECT_EQ(GetFileAttributesW(WStr(IniFilename())), INVALID_FILE_ATTRIBUTES);
}
