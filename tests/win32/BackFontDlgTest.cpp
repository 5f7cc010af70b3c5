#include "app/Haupt.h"
#include "appearance/LxBackFontDlg.h"
#include "input/NummerDlgC.h"
#include "settings/SettingsIni.h"
#include "util/LxUtils.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <vector>

using namespace korvalin;
using korvalin::testing::PumpMessages;

namespace {

using TFakeTolk = korvalin::testing::TRecordingTolk;

struct TOwner : korvalin::testing::TDialogOwner {
    TOwner() : TDialogOwner(20, 20, 1200, 950) {}
};

TFontValue Font(std::u16string_view spec) {
    TFontValue font;
    AssignFontSpec(&font, spec);
    return font;
}

// An installed face other than "Default", so that the dialog can mark it.
std::u16string SomeInstalledFace() {
    const std::vector<std::u16string>& names = InstalledFonts().Names();
    for (const std::u16string& name : names)
        if (name != u"Default") return name;
    return u"Default";
}

// Chooses a row as a user does: the list's selection, then the notification.
void ChooseCombo(TBackFontDlg& dialog, const TDialogControl& combo, int row) {
    combo.Send(CB_SETCURSEL, WPARAM(row));
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo.Handle()));
}

void SetChecked(TBackFontDlg& dialog, const TDialogControl& box, bool checked) {
    box.Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box.Handle()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(box.Handle()));
}

void SelectRow(const TDialogControl& list, int row) {
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    list.Send(LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&state));
}

int PointSize(HWND control) {
    LOGFONTW logFont{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(logFont), &logFont);
    return logFont.lfHeight;
}

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The colours an input control of the form is painted with.
TInputColors PaintColors(HWND form, UINT message, HWND control) {
    const HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(form, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    const TInputColors colors{GetBkColor(dc), GetTextColor(dc)};
    DeleteDC(dc);
    return colors;
}

COLORREF EditorBackground(TRichEdit& edit) {
    // EM_SETBKGNDCOLOR answers with the colour it replaces; put it back.
    const COLORREF old = COLORREF(edit.Send(EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)));
    edit.Send(EM_SETBKGNDCOLOR, 0, LPARAM(old));
    return old;
}

}  // namespace

TEST(BackFontDlg, StartingValuesMarkTheCurrentFaceAndColoursWithAStar) {
    const std::u16string face = SomeInstalledFace();
    TBackFontDlg dialog(nullptr, 0xFFFFFF, Font(face + u"|14|0|1000|clBlack"), nullptr);
    const int row = dialog.SelectedFaceRow();
    ASSERT_GE(row, 0);
    EXPECT_EQ(dialog.FaceRowCaption(row), u"*" + face);
    EXPECT_EQ(dialog.Faces()[size_t(row)], face);
    EXPECT_EQ(dialog.CoBoColors.Text(), u"*Schwarz");
    EXPECT_EQ(dialog.CoBoBackColors.Text(), u"*Weiß (Hintergrund)");
    EXPECT_EQ(dialog.LeSize.Text(), u"14");
    EXPECT_EQ(dialog.CbBold.Send(BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(dialog.CoBoBackColors.Send(CB_GETCOUNT), 17);

    // neither the face nor the colours among the choices: first rows, no star
    TBackFontDlg other(nullptr, 0x123456, Font(u"No Such Face|40|0|0000|clWindowText"), nullptr);
    EXPECT_EQ(other.SelectedFaceRow(), 0);
    EXPECT_EQ(other.FaceRowCaption(0).find(u'*'), std::u16string::npos);
    EXPECT_EQ(other.CoBoColors.Text(), u"Schwarz");
    EXPECT_EQ(other.CoBoBackColors.Text(), u"Schwarz (Hintergrund)");
    EXPECT_EQ(other.LeSize.Text(), u"35");  // within the range
    // the first row only stands in for the missing face, until a row is chosen
    TFontValue result;
    other.GetNewFont(result);
    EXPECT_EQ(FontToSpec(result), u"No Such Face|35|0|0000|clBlack");
    SelectRow(other.LvFonts, 1);
    SelectRow(other.LvFonts, 0);
    other.GetNewFont(result);
    EXPECT_EQ(result.Name, other.Faces()[0]);
}

TEST(BackFontDlg, TextsRecordWithOnlyACaptionShowsTheGermanDefaultsElsewhere) {
    TBackFontDlgTexts texts;
    texts.WindowCaption = u"Fonts";
    TBackFontDlg dialog(nullptr, 0xFFFFFF, Font(u"Arial|12|0|0000|clBlack"), texts, nullptr);
    EXPECT_EQ(WindowCaption(dialog.Handle()), u"Fonts");
    EXPECT_EQ(dialog.LbSize.Text(), u"Schrift&größe (5-35):");
    EXPECT_EQ(dialog.Btn2Cancel.Text(), u"&Abbrechen");
    EXPECT_EQ(dialog.CoBoBackColors.Text(), u"*Weiß (Hintergrund)");
}

TEST(BackFontDlg, LayoutKeepsEveryControlInsideAndApartAtSmallAndLargeFonts) {
    TOwner owner;
    for (const int size : {5, 12, 28, 35}) {
        TBackFontDlg dialog(owner.Handle(), 0xFFFFFF, Font(Format(u"Arial|%d|0|1000|clBlack", {size})), nullptr);
        RECT client{};
        GetClientRect(dialog.Handle(), &client);
        const TDialogControl* controls[] = {&dialog.LvFonts,    &dialog.LbSize,         &dialog.LeSize,
                                            &dialog.UpDown1,    &dialog.CbBold,         &dialog.CoBoColors,
                                            &dialog.CoBoBackColors, &dialog.EditTest,   &dialog.Btn1OK,
                                            &dialog.Btn2Cancel};
        for (size_t i = 0; i < std::size(controls); ++i) {
            const RECT a = controls[i]->Bounds();
            EXPECT_GE(a.left, 0) << size << " " << i;
            EXPECT_GE(a.top, 0) << size << " " << i;
            EXPECT_LE(a.right, client.right) << size << " " << i;
            EXPECT_LE(a.bottom, client.bottom) << size << " " << i;
            for (size_t j = i + 1; j < std::size(controls); ++j) {
                // a combo box's window reaches down over its open list
                if (controls[i] == &dialog.CoBoColors || controls[j] == &dialog.CoBoColors) continue;
                EXPECT_FALSE(Overlap(a, controls[j]->Bounds())) << size << ": " << i << " and " << j;
            }
        }
        // the closed colour lists stay apart and above the preview
        const RECT colors = dialog.CoBoColors.Bounds(), back = dialog.CoBoBackColors.Bounds();
        EXPECT_LT(colors.top, back.top);
        EXPECT_LE(back.top + (colors.bottom - colors.top) - 5 * int(dialog.CoBoColors.Send(CB_GETITEMHEIGHT, 0)),
                  dialog.EditTest.Bounds().top);
        // the longest background name fits into its list
        const HFONT font = reinterpret_cast<HFONT>(dialog.CoBoBackColors.Send(WM_GETFONT));
        EXPECT_LT(FontTextWidth(font, u"*Marineblau (Hintergrund)"), back.right - back.left - 16) << size;
        // the whole dialog on the screen
        RECT window{};
        GetWindowRect(dialog.Handle(), &window);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(dialog.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
        EXPECT_GE(window.left, monitor.rcWork.left) << size;
        EXPECT_GE(window.top, monitor.rcWork.top) << size;
        EXPECT_LE(window.right, monitor.rcWork.right) << size;
        EXPECT_LE(window.bottom, monitor.rcWork.bottom) << size;
        // the buttons share one row, OK on the left
        EXPECT_EQ(dialog.Btn1OK.Bounds().top, dialog.Btn2Cancel.Bounds().top);
        EXPECT_LT(dialog.Btn1OK.Bounds().right, dialog.Btn2Cancel.Bounds().left);
        // the largest preview fits between the lists and the buttons
        dialog.LeSize.SetText(u"35");
        SetChecked(dialog, dialog.CbBold, true);
        EXPECT_LE(dialog.EditTest.Bounds().bottom, dialog.Btn1OK.Bounds().top) << size;
    }
}

TEST(BackFontDlg, SizeFieldEnablesOkOnlyFrom5To35AndLeavingItRepairsTheNumber) {
    TBackFontDlg dialog(nullptr, 0xFFFFFF, Font(u"Arial|12|0|0000|clBlack"), nullptr);
    EXPECT_EQ(dialog.LeSize.Send(EM_GETLIMITTEXT), 2);
    const struct {
        const char16_t* text;
        bool enabled;
        const char16_t* afterLeaving;
    } rows[] = {{u"35", true, u"35"}, {u"5", true, u"5"}, {u"4", false, u"5"},
                {u"36", false, u"35"}, {u"", false, u"5"}, {u"20", true, u"20"}};
    for (const auto& row : rows) {
        dialog.LeSize.SetText(row.text);
        EXPECT_EQ(dialog.Btn1OK.Enabled(), row.enabled) << U16ToUtf8(row.text);
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(dialog.LeSize.Handle()), EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(dialog.LeSize.Handle()));
        EXPECT_EQ(dialog.LeSize.Text(), row.afterLeaving) << U16ToUtf8(row.text);
        EXPECT_TRUE(dialog.Btn1OK.Enabled()) << U16ToUtf8(row.text);
    }
    ASSERT_TRUE(korvalin::testing::SetClipboardText(L"9"));
    dialog.LeSize.Send(EM_SETSEL, 0, -1);
    dialog.LeSize.Send(WM_PASTE);
    EXPECT_EQ(dialog.LeSize.Text(), u"20");
}

TEST(BackFontDlg, ChoicesReachThePreviewAndTheResult) {
    TBackFontDlg dialog(nullptr, 0xFFFFFF, Font(u"Arial|0012|0|0010|clBlack"), nullptr);
    const int start = PointSize(dialog.EditTest.Handle());
    ASSERT_GT(dialog.Faces().size(), 2u);
    SelectRow(dialog.LvFonts, 2);
    dialog.LeSize.SetText(u"30");
    SetChecked(dialog, dialog.CbBold, true);
    ChooseCombo(dialog, dialog.CoBoColors, 12);      // Rot
    ChooseCombo(dialog, dialog.CoBoBackColors, 15);  // Silber
    EXPECT_LT(PointSize(dialog.EditTest.Handle()), start);  // larger: more negative
    const TInputColors preview = PaintColors(dialog.Handle(), WM_CTLCOLORSTATIC, dialog.EditTest.Handle());
    EXPECT_EQ(preview.Background, RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(preview.Text, RGB(0xFF, 0, 0));
    TFontValue result = Font(u"Other|8|0|0000|clBlack");
    dialog.GetNewFont(result);
    EXPECT_EQ(result.Size, 30);
    EXPECT_TRUE(result.Bold);
    EXPECT_FALSE(result.Underline);  // the dialog gives bold only
    EXPECT_EQ(result.Color, 0x0000FFu);
    EXPECT_EQ(result.Name, dialog.Faces()[2]);
    EXPECT_EQ(dialog.NewBackColor(), 0xC0C0C0u);
    // the input controls keep the starting colours until the dialog is confirmed
    EXPECT_EQ(PaintColors(dialog.Handle(), WM_CTLCOLOREDIT, dialog.LeSize.Handle()),
              (TInputColors{RGB(255, 255, 255), RGB(0, 0, 0)}));
}

TEST(BackFontDlg, EnteringAFieldTellsTheScreenReaderWhatItHolds) {
    TFakeTolk tolk;
    const std::u16string face = SomeInstalledFace();
    TBackFontDlg dialog(nullptr, 0xC0C0C0, Font(face + u"|12|0|0000|clBlack"), &tolk);
    ShowWindow(dialog.Handle(), SW_SHOWNOACTIVATE);
    dialog.LvFonts.SetFocus();
    dialog.LeSize.SetFocus();
    dialog.CoBoColors.SetFocus();
    dialog.CoBoBackColors.SetFocus();
    dialog.CbBold.SetFocus();  // says nothing
    EXPECT_EQ(tolk.Texts, (std::vector<std::u16string>{u"Schriftart: *" + face, u"Schriftgröße (5 bis 35): 12",
                                                       u"Schriftfarbe: *Schwarz",
                                                       u"Hintergrundfarbe: *Silber (Hintergrund)"}));
    EXPECT_FALSE(tolk.InterruptS);
}

TEST(BackFontDlg, PreviewMenuOffersCopyOnlyForASelection) {
    TBackFontDlg dialog(nullptr, 0xFFFFFF, Font(u"Arial|12|0|0000|clBlack"), nullptr);
    dialog.EditTest.Send(EM_SETSEL, 0, 0);
    EXPECT_TRUE(dialog.PreviewSelectAllEnabled());
    EXPECT_FALSE(dialog.PreviewCopyEnabled());
    dialog.EditTest.Send(WM_CHAR, 0x01, 1);  // Ctrl+A
    EXPECT_TRUE(dialog.PreviewCopyEnabled());
    EXPECT_EQ(dialog.EditTest.Text(), u"Das ist eine Vorschau, wie der Text aussehen wird.");  // read-only
}

// ---- the command in the main window ----

namespace {

std::function<void(TBackFontDlg& dialog)> gDialogAction;

TBackFontDlg* OpenBackFontDlg() {
    const HWND window = FindWindowW(L"TDialogForm", L"Schrifteinstellungen");
    if (!window || !IsWindowVisible(window)) return nullptr;
    return dynamic_cast<TBackFontDlg*>(reinterpret_cast<TWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
}

void CALLBACK FindDialogTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    TBackFontDlg* dialog = OpenBackFontDlg();
    if (!dialog || !gDialogAction) return;
    KillTimer(nullptr, timer);
    const auto action = std::move(gDialogAction);
    gDialogAction = nullptr;
    action(*dialog);
}

void Confirm(TBackFontDlg& dialog) { SendMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0); }

class BackFontFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        FFolder.Write("Tabellen\\Standard.tab", "Standard\r\n1=97\r\n");
        FFolder.Write("Tabellen\\Brl2UniBrl.tab", "Acht\r\n78=10432\r\n");
        FForm = std::make_unique<TForm1>(FFolder.Folder());
        FForm->OnMessageDlg = [this](const std::u16string& text, UINT flags) {
            FQuestions.push_back(text);
            FQuestionFlags = flags;
            return FAnswer;
        };
        FForm->Show(SW_SHOWNOACTIVATE);
        PumpMessages(100);
        FQuestions.clear();  // this folder ships no fonts
    }
    void TearDown() override { gDialogAction = nullptr; }
    // Opens the dialog through its menu item; Action runs on it once it shows.
    void Choose(std::function<void(TBackFontDlg& dialog)> action) {
        gDialogAction = std::move(action);
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, FindDialogTimer);
        SendMessageW(FForm->Handle(), WM_COMMAND, MAKEWPARAM(FForm->MenuId("MenuAnsSchriftart"), 0), 0);
        KillTimer(nullptr, timer);
        ASSERT_EQ(gDialogAction, nullptr) << "the dialog did not open";
    }
    static std::u16string IniValue(const wchar_t* key) {
        wchar_t value[512] = {};
        GetPrivateProfileStringW(L"Einstellungen", key, L"-", value, 511, WStr(IniFilename()));
        return U16(value);
    }

    korvalin::testing::TProgramFolder FFolder;
    std::unique_ptr<TForm1> FForm;
    std::vector<std::u16string> FQuestions;
    UINT FQuestionFlags = 0;
    int FAnswer = IDYES;
};

}  // namespace

TEST_F(BackFontFormTest, BackgroundStoresTheFirstNumberOfItsColourAndPaintsEveryInputControl) {
    const struct {
        int row;
        int number;
        COLORREF color;
    } rows[] = {{15, 13, RGB(0xC0, 0xC0, 0xC0)}, {13, 15, RGB(0x80, 0, 0x80)}, {1, 1, RGB(0xFF, 0xFF, 0xFF)}};
    for (const auto& row : rows) {
        Choose([&](TBackFontDlg& dialog) {
            ChooseCombo(dialog, dialog.CoBoBackColors, row.row);
            Confirm(dialog);
        });
        EXPECT_EQ(FForm->GetHintergrundNr(), row.number);
        EXPECT_EQ(Einstellungen.Schrifthintergrund, row.number);
        EXPECT_EQ(IniValue(L"Schrifthintergrund"), IntToStr(row.number));
        EXPECT_EQ(EditorBackground(FForm->RichEdit1), row.color);
        // a dialog opened afterwards paints its edits with it
        TNummerDlg later(FForm->Handle(), nullptr);
        EXPECT_EQ(PaintColors(later.Handle(), WM_CTLCOLOREDIT, later.LeNummer.Handle()).Background, row.color);
    }
    EXPECT_TRUE(FQuestions.empty());
}

TEST_F(BackFontFormTest, ItalicOfTheInterfaceFontSurvivesAndBoldFollowsTheBox) {
    Einstellungen.Schriftart = u"Arial|12|0|0110|clBlack";
    for (const bool bold : {true, false}) {
        Choose([&](TBackFontDlg& dialog) {
            SetChecked(dialog, dialog.CbBold, bold);
            dialog.LeSize.SetText(u"16");
            Confirm(dialog);
        });
        const TFontValue font = Font(Einstellungen.Schriftart);
        EXPECT_TRUE(font.Italic) << bold;
        EXPECT_TRUE(font.Underline) << bold;
        EXPECT_EQ(font.Bold, bold);
        EXPECT_EQ(font.Size, 16);
        EXPECT_EQ(IniValue(L"Schriftart"), Einstellungen.Schriftart);
    }
}

TEST_F(BackFontFormTest, EqualColoursAskAndNoKeepsTheDialogOpen) {
    bool stayedOpen = false;
    bool focusOnColors = false;
    FAnswer = IDNO;
    Choose([&](TBackFontDlg& dialog) {
        ChooseCombo(dialog, dialog.CoBoColors, 1);  // white on white
        Confirm(dialog);
        stayedOpen = IsWindowVisible(dialog.Handle()) && dialog.ModalResult() == 0;
        focusOnColors = GetFocus() == dialog.CoBoColors.Handle();
        FAnswer = IDYES;
        Confirm(dialog);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(focusOnColors);
    ASSERT_EQ(FQuestions.size(), 2u);
    EXPECT_EQ(FQuestions[0], u"Schriftfarbe und Hintergrundfarbe sind identisch!\r\nSoll trotzdem fortgesetzt werden?");
    EXPECT_EQ(FQuestionFlags, UINT(MB_ICONQUESTION | MB_YESNO));
    EXPECT_EQ(Font(Einstellungen.Schriftart).Color, 0xFFFFFFu);  // the user kept them
    EXPECT_EQ(FForm->GetHintergrundNr(), 1);
}

TEST_F(BackFontFormTest, CancelChangesNeitherTheSettingsNorTheFileAndResumesTheHook) {
    const std::u16string before = Einstellungen.Schriftart;
    ASSERT_TRUE(FForm->HookS());
    bool hookSuspended = false;
    Choose([&](TBackFontDlg& dialog) {
        hookSuspended = !FForm->HookS();
        ChooseCombo(dialog, dialog.CoBoBackColors, 15);
        dialog.LeSize.SetText(u"30");
        SendMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(hookSuspended);
    EXPECT_TRUE(FForm->HookS());
    EXPECT_EQ(Einstellungen.Schriftart, before);
    EXPECT_EQ(FForm->GetHintergrundNr(), 1);
    EXPECT_EQ(GetFileAttributesW(WStr(IniFilename())), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(EditorBackground(FForm->RichEdit1), RGB(255, 255, 255));
}
