#include "app/Haupt.h"
#include "settings/SettingsIni.h"
#include "tables/SystemCodecs.h"
#include "util/LxUtils.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string_view>

using namespace korvalin;
using korvalin::testing::PumpMessages;
using korvalin::testing::SetClipboardText;
using korvalin::testing::TProgramFolder;

namespace {


class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        FFolder.Write("Tabellen\\Standard.tab",
                      "Standard\r\n1=97\r\n12=65|66\r\n124=128512\r\n14=120|13|10|121\r\n4567=95\r\n125|14=120\r\n");
        FFolder.Write("Tabellen\\Brl2UniBrl.tab", "Acht\r\n78=10432\r\n");
        FForm = std::make_unique<TForm1>(FFolder.Folder());
        // this folder ships no fonts: their messages are collected, not shown
        FForm->OnMessageDlg = [this](const std::u16string& text, UINT) {
            FMessages.push_back(text);
            return IDOK;
        };
        FForm->Show(SW_SHOWNOACTIVATE);
        PumpMessages(100);  // the start timer loads the tables
    }

    TProgramFolder FFolder;
    std::unique_ptr<TForm1> FForm;
    std::vector<std::u16string> FMessages;
};

// The form with tables of its own beside the two standard ones.
class TablesFormTest : public FormTest {
protected:
    void AddTable(const std::string& name, const std::string& text) {
        FFolder.Write(("Tabellen\\" + name).c_str(), text.c_str());
    }
    void SetUp() override {
        AddTable("Andere.tab", "Andere\r\n1=120\r\n");
        FormTest::SetUp();
    }
};

// Whether the form takes a key pressed with Shift and Ctrl held as one of
// its shortcuts.
bool ShiftCtrlShortCut(TForm1& form, WPARAM key) {
    BYTE state[256] = {};
    state[VK_SHIFT] = state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    MSG message{form.Handle(), WM_KEYDOWN, key, 1, 0, {}};
    const bool taken = form.IsShortCut(message);
    state[VK_SHIFT] = state[VK_CONTROL] = 0;
    SetKeyboardState(state);
    return taken;
}


}  // namespace

TEST_F(FormTest, NewWindowIsAnEmptyDocumentInModeOne) {
    EXPECT_EQ(WindowCaption(FForm->Handle()), u"Dokument - Korvalin V1.21");
    EXPECT_EQ(FForm->Modus(), TModus::M1);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"");
}

TEST_F(FormTest, ChordTextIsInsertedAtTheCaretWithTheCaretBehindIt) {
    FForm->ProcessKeys(0x01, false);  // dot 1
    FForm->ProcessKeys(0x03, false);  // dots 1 2: two characters at once
    EXPECT_EQ(FForm->RichEdit1.Text(), u"aAB");
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 3);
    FForm->RichEdit1.SetSel(1, 0);
    FForm->ProcessKeys(0x0B, false);  // dots 1 2 4: a character beyond U+FFFF
    EXPECT_EQ(FForm->RichEdit1.Text(), u"a\U0001F600AB");
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 3);
    EXPECT_EQ(FForm->RichEdit1.SelLength(), 0);
}

TEST_F(FormTest, ALineBreakInTheTextGetsTheFontAndTheCaretAsTheControlCountsIt) {
    const auto faceAt = [this](int position) {
        FForm->RichEdit1.SetSel(position, 1);
        return std::wstring(FForm->RichEdit1.SelAttributes().szFaceName);
    };
    FForm->RichEdit1.SetText(u"z");
    const std::wstring plain = faceAt(0);
    FForm->RichEdit1.SetSel(0, 0);
    FForm->ProcessKeys(0x09, false);  // dots 1 4: "x", CR LF, "y"
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 3);  // the control keeps the break as one character
    EXPECT_NE(faceAt(2), plain);
    EXPECT_EQ(faceAt(3), plain);  // "z" after the insertion keeps its font
}

TEST_F(FormTest, ChordReplacesTheSelectionAndAMissingChordChangesNothing) {
    FForm->RichEdit1.SetText(u"xyz");
    FForm->RichEdit1.SetSel(1, 1);
    FForm->ProcessKeys(0x01, false);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"xaz");
    FForm->ProcessKeys(0x04, false);  // dot 3 is not in the table
    EXPECT_EQ(FForm->RichEdit1.Text(), u"xaz");
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 2);
}

TEST_F(FormTest, EightDotChordsAndCellFourFiveSixUseTheirTables) {
    FForm->ProcessKeys(0xC0, false);  // dots 7 8
    FForm->ProcessKeys(0x38, false);  // dots 4 5 6, looked up as 4567
    EXPECT_EQ(FForm->RichEdit1.Text(), u"\u28C0_");
}

TEST_F(FormTest, CombinationIsCollectedThenLookedUpAsOneKeyWhenSwitchedOff) {
    FForm->SetLautgruppeS(true);
    FForm->ProcessKeys(0x13, true);  // dots 1 2 5
    FForm->ProcessKeys(0x09, true);  // dots 1 4
    EXPECT_EQ(FForm->RichEdit1.Text(), u"");
    EXPECT_EQ(FForm->StatusBar1.PanelText(2), u"Zko: Ein");
    FForm->SetLautgruppeS(false);  // looks up 125|14
    EXPECT_EQ(FForm->RichEdit1.Text(), u"x");
    FForm->SetLautgruppeS(true);
    FForm->ProcessKeys(0x01, true);
    FForm->SetLautgruppeS(false);  // "1" alone is looked up too
    FForm->SetLautgruppeS(true);
    FForm->ProcessKeys(0x04, true);
    FForm->SetLautgruppeS(false);  // "3" is missing: nothing
    EXPECT_EQ(FForm->RichEdit1.Text(), u"xa");
    EXPECT_EQ(FForm->StatusBar1.PanelText(2), u"Zko: Aus");
}

// ---- menus ----

namespace {

// A menu's items as "text" or "-" joined by "|"; a submenu's text is
// followed by its items in brackets.
std::u16string MenuLayout(HMENU menu) {
    std::u16string layout;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (i) layout += u"|";
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 255;
        GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) layout += u"-";
        else layout += U16(text);
        if (info.hSubMenu) layout.append(u"[").append(MenuLayout(info.hSubMenu)).append(u"]");
    }
    return layout;
}

void Command(TForm1& form, std::string_view item, bool byShortCut = false) {
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(form.MenuId(item), byShortCut ? 1 : 0), 0);
}

void OpenMenu(TForm1& form, std::string_view menu) {
    SendMessageW(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(form.MenuHandle(menu)), 0);
}

}  // namespace

TEST_F(FormTest, MenusShowEveryCaptionShortcutSeparatorAndSubmenu) {
    EXPECT_EQ(MenuLayout(GetMenu(FForm->Handle())),
              u"&Datei[Ö&ffnen...\tStrg+O|&Speichern\tStrg+S|Speichern &unter...\tStrg+U|"
              u"&Als Braille-ASCII (BRF) exportieren...|Als P&EF exportieren...|-|&Drucken...\tStrg+P|&Prägen...|"
              u"S&chließen\tStrg+F4|-|&Beenden\tAlt+F4]|"
              u"&Bearbeiten[&Rückgängig\tStrg+Z|Wieder&holen\tStrg+Y|-|&Zeichenformat...\tStrg+T|-|&Suchen...\tStrg+F|&Weitersuchen\tF3|-|"
              u"Alles &markieren\tStrg+A|&Kopieren\tStrg+C|&Ausschneiden\tStrg+X|&Einfügen\tStrg+V|&Löschen]|"
              u"&Modus[&0: QWERTZ-Tastatur\tStrg+0|&1: 8-Punkt-Braille mit Füllzeichen (Brl8+)\tStrg+1|"
              u"&2: 8-Punkt-Braille ohne Füllzeichen (Brl8-)\tStrg+2|&3: 6-Punkt-Braille mit Füllzeichen (Brl6+)\tStrg+3|"
              u"&4: 6-Punkt-Braille ohne Füllzeichen (Brl6-)\tStrg+4|"
              u"&5: 8-Punkt-Braille zu Unicode-Zeichen (Brl8ToUnicode)\tStrg+5|-|"
              u"&Zeichenkombination eingeben ein/aus\tF9]|"
              u"&Tabellen[&1: Acht\tUmsch+Strg+1|&2: Standard\tUmsch+Strg+2]|&Ansicht[&Schrifteinstellungen...]|"
              u"&Einstellungen[Modus-&Schrift[Modus &0: QWERTZ-Tastatur...|"
              u"Modus &1: 8-Punkt-Braille mit Füllzeichen (Brl8+)...|Modus &2: 8-Punkt-Braille ohne Füllzeichen (Brl8-)...|"
              u"Modus &3: 6-Punkt-Braille mit Füllzeichen (Brl6+)...|Modus &4: 6-Punkt-Braille ohne Füllzeichen (Brl6-)...|"
              u"Modus &5: 8-Punkt-Braille zu Unicode-Zeichen (Brl8ToUnicode)...]|Maximale &Zeilenbreite...|Braille-Seiten&format...|"
              u"&Datenbank für Modus 5...\tStrg+D|&Einhandeingabe ein/aus\tF2|"
              u"Eingabe &ansagen[&Aus|&Zeichen|&Wörter|Zeichen &und Wörter]|S&ounds wiedergeben|"
              u"&Updateprüfung[Bei &jedem Programmstart|Einmal &täglich|Einmal &wöchentlich|&Keine automatische Prüfung]|"
              u"-|Standardeinstellungen &wiederherstellen]|"
              u"&Hilfe[&Hilfe...\tF1|&Kurztasten...|&Tastaturtest...|&Änderungen...|&Mail an den Programmierer...|Home&page...|"
              u"&Spenden...|&Aktualisierung...|&Info]");
    EXPECT_EQ(MenuLayout(FForm->MenuHandle("PopupMenu1")),
              u"&Rückgängig\tStrg+Z|Wieder&holen\tStrg+Y|-|&Zeichenformat...|Alles &markieren\tStrg+A|&Kopieren\tStrg+C|&Ausschneiden\tStrg+X|&Einfügen\tStrg+V|"
              u"&Löschen");
}

TEST_F(FormTest, EditMenuFollowsTextSelectionAndClipboardAndThePopupFollowsIt) {
    const char* selectionItems[] = {"MenuBearbeitenZeichenformat", "MenuBearbeitenKopieren",
                                    "MenuBearbeitenAusschneiden", "MenuBearbeitenLoeschen"};
    ASSERT_TRUE(SetClipboardText(nullptr));
    OpenMenu(*FForm, "MenuBearbeiten");
    for (const char* item : selectionItems) EXPECT_FALSE(FForm->MenuItemEnabled(item)) << item;
    EXPECT_FALSE(FForm->MenuItemEnabled("MenuBearbeitenAllesMarkieren"));
    EXPECT_FALSE(FForm->MenuItemEnabled("MenuBearbeitenSuchen"));
    EXPECT_FALSE(FForm->MenuItemEnabled("MenuBearbeitenEinfuegen"));

    FForm->RichEdit1.SetText(u"abc");
    FForm->RichEdit1.SetSel(1, 0);
    ASSERT_TRUE(SetClipboardText(L"xy"));
    OpenMenu(*FForm, "MenuBearbeiten");
    for (const char* item : selectionItems) EXPECT_FALSE(FForm->MenuItemEnabled(item)) << item;
    EXPECT_TRUE(FForm->MenuItemEnabled("MenuBearbeitenAllesMarkieren"));
    EXPECT_TRUE(FForm->MenuItemEnabled("MenuBearbeitenSuchen"));
    EXPECT_TRUE(FForm->MenuItemEnabled("MenuBearbeitenEinfuegen"));
    EXPECT_FALSE(FForm->MenuItemEnabled("MenuBearbeitenWeitersuchen"));

    FForm->RichEdit1.SetSel(0, 2);
    OpenMenu(*FForm, "PopupMenu1");
    for (const char* item : selectionItems) EXPECT_TRUE(FForm->MenuItemEnabled(item)) << item;
    EXPECT_TRUE(FForm->MenuItemEnabled("Pu1Kopieren"));
    EXPECT_TRUE(FForm->MenuItemEnabled("Pu1Loeschen"));
    FForm->RichEdit1.SetSel(0, 0);
    OpenMenu(*FForm, "PopupMenu1");
    EXPECT_FALSE(FForm->MenuItemEnabled("Pu1Kopieren"));
    EXPECT_TRUE(FForm->MenuItemEnabled("Pu1Einfuegen"));
}

TEST_F(FormTest, ShortcutsActOnlyWhenTheRulesEnableTheirItem) {
    FForm->RichEdit1.SetText(u"abc");
    FForm->RichEdit1.SetSel(3, 0);
    ASSERT_TRUE(SetClipboardText(L"xy"));
    Command(*FForm, "MenuBearbeitenAusschneiden", true);  // nothing selected: Ctrl+X does nothing
    EXPECT_EQ(FForm->RichEdit1.Text(), u"abc");
    Command(*FForm, "MenuBearbeitenAllesMarkieren", true);
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 0);
    EXPECT_GE(FForm->RichEdit1.SelLength(), 3);  // the final paragraph mark may belong to it
    FForm->RichEdit1.SetSel(0, 1);
    Command(*FForm, "MenuBearbeitenAusschneiden", true);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"bc");
    FForm->RichEdit1.SetSel(2, 0);
    Command(*FForm, "MenuBearbeitenEinfuegen", true);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"bca");
    FForm->RichEdit1.SetSel(0, 1);
    Command(*FForm, "MenuBearbeitenLoeschen");  // deletes without touching the clipboard
    EXPECT_EQ(FForm->RichEdit1.Text(), u"ca");
    Command(*FForm, "MenuBearbeitenEinfuegen");
    EXPECT_EQ(FForm->RichEdit1.Text(), u"aca");

    FForm->RichEdit1.SetModified(false);
    Command(*FForm, "MenuDateiSpeichern", true);  // runs the "Datei" opening handler first
    EXPECT_FALSE(FForm->MenuItemEnabled("MenuDateiClose"));  // never saved or opened
    const std::u16string saved = FFolder.Folder() + u"Brief.rtf";
    FForm->SetFilename(saved);
    FForm->RichEdit1.SetModified(false);
    Command(*FForm, "MenuDateiSpeichern", true);  // Ctrl+S without changes does nothing
    EXPECT_FALSE(FForm->MenuItemEnabled("MenuDateiSpeichern"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(saved)));
    FForm->RichEdit1.SetModified(true);
    Command(*FForm, "MenuDateiSpeichern", true);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(saved)));
    EXPECT_FALSE(FForm->RichEdit1.Modified());
}

TEST_F(FormTest, EachChordIsOneUndoStepWithItsFontAndRedoBringsItBack) {
    const auto canUndoRedo = [this] {
        OpenMenu(*FForm, "PopupMenu1");
        return std::pair(FForm->MenuItemEnabled("Pu1Rueckgaengig"), FForm->MenuItemEnabled("Pu1Wiederholen"));
    };
    EXPECT_EQ(canUndoRedo(), std::pair(false, false));
    for (const int keys : {0x01, 0x03, 0xC0}) FForm->ProcessKeys(keys, false);  // "a", "AB", U+28C0
    ASSERT_EQ(FForm->RichEdit1.Text(), u"aAB⣀");
    EXPECT_EQ(canUndoRedo(), std::pair(true, false));
    for (const std::u16string_view left : {u"aAB", u"a", u""}) {
        Command(*FForm, "MenuBearbeitenRueckgaengig", true);
        EXPECT_EQ(FForm->RichEdit1.Text(), left);
    }
    EXPECT_EQ(canUndoRedo(), std::pair(false, true));
    Command(*FForm, "MenuBearbeitenWiederholen", true);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"a");
    FForm->RichEdit1.SetSel(0, 1);
    EXPECT_EQ(std::u16string(U16(FForm->RichEdit1.SelAttributes().szFaceName)), u"8ptBraille0");

    FForm->ProcessKeys(0x03, false);  // replaces the selected "a": first the chord goes, then the "a" returns
    for (const std::u16string_view left : {u"AB", u"", u"a"}) {
        EXPECT_EQ(FForm->RichEdit1.Text(), left);
        Command(*FForm, "MenuBearbeitenRueckgaengig", true);
    }
}

TEST_F(FormTest, ModeItemsSwitchTheModeCheckTheirItemAndWriteTheStatusPanel) {
    EXPECT_EQ(FForm->StatusBar1.PanelCount(), 6);
    EXPECT_EQ(FForm->StatusBar1.PanelText(1), u"Mod: 1 Brl8+");
    EXPECT_TRUE(FForm->MenuItemChecked("MenuModusM1"));
    Command(*FForm, "MenuModusM3", true);
    FForm->StatusBar1.SetPanelText(1, u"unchanged");
    Command(*FForm, "MenuModusM3", true);  // the same mode again changes nothing
    EXPECT_EQ(FForm->StatusBar1.PanelText(1), u"unchanged");
    Command(*FForm, "MenuModusM2", true);
    EXPECT_EQ(FForm->Modus(), TModus::M2);
    EXPECT_EQ(FForm->StatusBar1.PanelText(1), u"Mod: 2 Brl8-");
    for (const char* item : {"MenuModusM0", "MenuModusM1", "MenuModusM2", "MenuModusM3", "MenuModusM4", "MenuModusM5"})
        EXPECT_EQ(FForm->MenuItemChecked(item), std::string_view(item) == "MenuModusM2") << item;
}

TEST_F(FormTest, SwitchItemsToggleAndShowTheirState) {
    Command(*FForm, "MenuModusLautgruppe", true);
    EXPECT_TRUE(FForm->LautgruppeS());
    EXPECT_TRUE(FForm->MenuItemChecked("MenuModusLautgruppe"));
    Command(*FForm, "MenuModusLautgruppe", true);
    EXPECT_FALSE(FForm->LautgruppeS());

    Command(*FForm, "MenuEinstEinhand", true);
    EXPECT_TRUE(FForm->GetEinhandS());
    EXPECT_EQ(FForm->StatusBar1.PanelText(4), u"Eha: Ein");
    EXPECT_TRUE(FForm->MenuItemChecked("MenuEinstEinhand"));
    Command(*FForm, "MenuEinstEinhand", true);
    EXPECT_FALSE(FForm->GetEinhandS());
    EXPECT_EQ(FForm->StatusBar1.PanelText(4), u"Eha: Aus");

    const bool sounds = Einstellungen.SoundS;
    Command(*FForm, "MenuEinstSoundS");
    EXPECT_EQ(Einstellungen.SoundS, !sounds);
    OpenMenu(*FForm, "MenuEinstellungen");
    EXPECT_EQ(FForm->MenuItemChecked("MenuEinstSoundS"), !sounds);
}

TEST_F(TablesFormTest, TableItemsSwitchTheTableOfTheNextChordAndCarryTheRadioMark) {
    HMENU menu = FForm->MenuHandle("MenuTabellen");
    EXPECT_EQ(MenuLayout(menu), u"&1: Andere\tUmsch+Strg+1|&2: Acht\tUmsch+Strg+2|&3: Standard\tUmsch+Strg+3");
    OpenMenu(*FForm, "MenuTabellen");
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION) & MF_CHECKED, UINT(MF_CHECKED));

    Command(*FForm, "MenuModusM5");  // translates through the current table
    FForm->SetLautgruppeS(true);
    FForm->ProcessKeys(0x01, true);
    EXPECT_FALSE(ShiftCtrlShortCut(*FForm, '4'));  // there is no fourth table
    EXPECT_TRUE(FForm->LautgruppeS());
    EXPECT_TRUE(ShiftCtrlShortCut(*FForm, '1'));
    EXPECT_FALSE(FForm->LautgruppeS());  // the combination in progress is dropped
    EXPECT_EQ(FForm->RichEdit1.Text(), u"");
    EXPECT_TRUE(Einstellungen.Tab1Filename.ends_with(u"\\Andere.tab"));
    EXPECT_EQ(TIniProfile(IniFilename()).ReadString(u"Tabellen", u"Tab1Filename", u""), u"Andere.tab");
    FForm->ProcessKeys(0x01, false);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"x");
    OpenMenu(*FForm, "MenuTabellen");
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED, UINT(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION) & MF_CHECKED, 0u);

    SendMessageW(FForm->Handle(), WM_COMMAND, GetMenuItemID(menu, 2), 0);
    FForm->ProcessKeys(0x01, false);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"xa");
}

// Each value of "Eingabe ansagen" over one run of chords, a typed blank, a
// combination, a table switch, a refused chord and F2, as NVDA receives it.
TEST_F(TablesFormTest, EachInputAnnouncementSettingHandsTheScreenReaderExactlyItsTexts) {
    const std::u16string_view modus5 = u"Modus 5: 8-Punkt-Braille zu Unicode-Zeichen";
    const struct TRow {
        const char* Item;
        std::vector<std::u16string_view> Said;
    } rows[] = {
        {"MenuEinstEingabeAnsagenAus", {}},
        {"MenuEinstEingabeAnsagenZeichen",
         {u"Punkte 1 2", modus5, u"a", u"Zeichenkombination ein", u"Punkte 1 2 5", u"Punkte 1 4",
          u"Zeichenkombination aus, x", u"Tabelle 1: Andere", u"Zeile voll, höchstens 5 Zeichen",
          u"Einhandeingabe ein"}},
        {"MenuEinstEingabeAnsagenWoerter",
         {modus5, u"ABa", u"Zeichenkombination ein", u"Zeichenkombination aus", u"Tabelle 1: Andere",
          u"Zeile voll, höchstens 5 Zeichen", u"Einhandeingabe ein"}},
        {"MenuEinstEingabeAnsagenZeichenUndWoerter",
         {u"Punkte 1 2", modus5, u"a", u"ABa", u"Zeichenkombination ein", u"Punkte 1 2 5", u"Punkte 1 4",
          u"Zeichenkombination aus, x", u"Tabelle 1: Andere", u"Zeile voll, höchstens 5 Zeichen",
          u"Einhandeingabe ein"}},
    };
    korvalin::testing::TNvdaCalls calls;
    korvalin::testing::TFakeReaderWindow nvda(L"wxWindowClassNR", L"NVDA");
    for (const TRow& row : rows) {
        Command(*FForm, row.Item);
        OpenMenu(*FForm, "MenuEinstellungen");
        EXPECT_TRUE(FForm->MenuItemChecked(row.Item));
        FForm->SetModus(TModus::M1);
        FForm->SetNewTabelle(2);  // Standard
        FForm->SetEinhandS(false);
        FForm->SetMaxZeilenbreite(0);
        FForm->RichEdit1.SetText(u"");
        calls.Take();

        FForm->ProcessKeys(0x03, false);  // "AB"
        Command(*FForm, "MenuModusM5", true);
        FForm->ProcessKeys(0x01, false);  // "a"
        SendMessageW(FForm->RichEdit1.Handle(), WM_CHAR, L' ', 0);  // a typed blank ends the word
        Command(*FForm, "MenuModusLautgruppe", true);
        FForm->ProcessKeys(0x13, true);
        FForm->ProcessKeys(0x09, true);
        Command(*FForm, "MenuModusLautgruppe", true);  // inserts the "x" of 125|14
        FForm->SetNewTabelle(0);
        FForm->SetMaxZeilenbreite(5);
        FForm->ProcessKeys(0x01, false);  // "ABa x" is full
        Command(*FForm, "MenuEinstEinhand", true);
        ASSERT_EQ(FForm->RichEdit1.Text(), u"ABa x");

        std::string expected;
        for (const std::u16string_view said : row.Said) {
            const std::string text = U16ToUtf8(said);
            expected += "cancelSpeech\nspeakText:" + text + "\nbrailleMessage:" + text + "\n";
        }
        EXPECT_EQ(calls.Take(), expected) << row.Item;
    }
}

TEST_F(TablesFormTest, TheMenuOffersAtMostNineTables) {
    for (char name = 'a'; name <= 'j'; ++name) AddTable(std::string(1, name) + ".tab", "Tabelle\r\n1=97\r\n");
    FForm.reset();
    FormTest::SetUp();
    EXPECT_EQ(GetMenuItemCount(FForm->MenuHandle("MenuTabellen")), 9);
    EXPECT_FALSE(ShiftCtrlShortCut(*FForm, '0'));
}

TEST_F(FormTest, StatusBarFollowsTheCaretTheCombinationAndTheDocumentState) {
    EXPECT_EQ(FForm->StatusBar1.PanelText(0), u"Ze 1 | Sp 1");
    FForm->RichEdit1.SetText(u"ab\r\ncde");
    FForm->RichEdit1.SetSel(6, 0);
    PumpMessages(300);
    EXPECT_EQ(FForm->StatusBar1.PanelText(0), u"Ze 2 | Sp 4");

    FForm->SetLautgruppeS(true);
    FForm->ProcessKeys(0x13, true);  // dots 1 2 5
    FForm->ProcessKeys(0x09, true);  // dots 1 4
    PumpMessages(300);
    EXPECT_EQ(FForm->StatusBar1.PanelText(5), u"125|14");

    FForm->SetFilename(u"");  // drops the combination
    FForm->RichEdit1.SetModified(true);
    PumpMessages(300);
    const std::u16string hint = FForm->StatusBar1.PanelText(5);
    EXPECT_TRUE(hint == u"Strg+S=Speichern" || hint == u"Strg+U=Speichern unter") << U16ToUtf8(hint);
}

TEST_F(FormTest, FilenameNamesTheCaptionAndEndsACombination) {
    FForm->SetLautgruppeS(true);
    FForm->ProcessKeys(0x01, true);
    FForm->SetFilename(u"C:\\Texte\\Brief.rtf");
    EXPECT_EQ(WindowCaption(FForm->Handle()), u"Brief.rtf - Korvalin V1.21");
    EXPECT_FALSE(FForm->LautgruppeS());
    EXPECT_EQ(FForm->RichEdit1.Text(), u"");  // the collected cell is discarded, not inserted
    FForm->SetFilename(u"");
    EXPECT_EQ(FForm->Filename(), u"C:\\Texte\\");
    EXPECT_EQ(WindowCaption(FForm->Handle()), u"Dokument - Korvalin V1.21");
}

TEST_F(FormTest, WindowCannotBeMadeSmallerThanItsMinimum) {
    RECT bounds{};
    GetWindowRect(FForm->Handle(), &bounds);
    EXPECT_LE(bounds.right - bounds.left, 1200);
    SetWindowPos(FForm->Handle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(FForm->Handle(), &bounds);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(FForm->Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(bounds.right - bounds.left, std::min<LONG>(1000, monitor.rcWork.right - monitor.rcWork.left));
    EXPECT_EQ(bounds.bottom - bounds.top, std::min<LONG>(700, monitor.rcWork.bottom - monitor.rcWork.top));
}

TEST(SystemCodecs, AnsiUsesTheSystemCodePageAndRtfTheRichEdit) {
    const TTextCodecs codecs = SystemTextCodecs();
    ASSERT_EQ(GetACP(), 1252u);  // pinned by the test setup
    EXPECT_EQ(codecs.AnsiToText("Gr\xFC\xDF \x80"), u"Gr\u00FC\u00DF \u20AC");
    const auto folder = std::filesystem::temp_directory_path();
    const auto rtf = folder / "korvalin-codec.rtf";
    std::ofstream(rtf, std::ios::binary) << "{\\rtf1\\ansi Hallo \\b Welt\\b0\\par}";
    EXPECT_EQ(LoadTextFile(rtf.u16string(), codecs), u"Hallo Welt");
    std::filesystem::remove(rtf);
}
