// The document window: the rich edit, the menus, the status bar, the
// keyboard hook that turns the dot keys into chords, and the translation of
// chords into text.
#pragma once

#include "app/ChordTrace.h"
#include "app/DokumentArt.h"
#include "app/HauptSuchen.h"
#include "app/ResConst.h"
#include "appearance/FontFiles.h"
#include "appearance/LxHintergrund.h"
#include "input/Chords.h"
#include "input/SoundOutput.h"
#include "input/hooks.h"
#include "settings/DatenC.h"
#include "settings/LxRegistry.h"
#include "speech/TolkSRD.h"
#include "tables/TextFile.h"
#include "tables/WorkingTables.h"
#include "update/LxUpdater.h"
#include "util/Menus.h"
#include "util/ShortCut.h"
#include "util/Wnd.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

// WM_APP + 101: a finished chord; wParam the dot mask, lParam 1 when it
// belongs to a character combination.
constexpr UINT WM_BRAILLEKEYS = WM_APP + 101;
// WM_APP + 102: the update checker's worker has finished a check.
constexpr UINT WM_UPDATECHECKED = WM_APP + 102;

// Set for good once the main window starts closing.
extern bool ProgramClosing;

class TForm1 : public TWnd {
public:
    // One row of the menu table: a menu of the bar (or the popup menu), an
    // item, or an item of a submenu; the rows of a menu follow it.
    struct TMenuEntry {
        int Level = 0;  // 0 a menu, 1 its item, 2 an item of a submenu
        const char* Name = "";
        std::u16string_view Caption;  // "-" for a separator
        TShortCut ShortCut;
        void (TForm1::*OnClick)(const TMenuEntry*) = nullptr;  // nullptr: the command does nothing
        void (TForm1::*OnPopup)() = nullptr;                   // a menu's opening
        int GroupIndex = 0;                                     // radio group, 0 for none
        int Tag = 0;
        const char* Twin = nullptr;  // popup item: the main-menu item whose enabled state it takes
        bool Popup = false;          // the context menu instead of a menu of the bar
    };
    static std::span<const TMenuEntry> MenuEntries();

    // ExeFolder: the folder holding "Tabellen\", ending in a backslash.
    explicit TForm1(std::u16string exeFolder);
    ~TForm1() override;

    void Show(int showCommand);
    // Runs the menu shortcut of a key message; true when it was one.
    bool IsShortCut(MSG& message) const;
    // Hands a message to the open find dialog; true when it took it.
    bool IsFindDialogMessage(MSG& message);

    TModus Modus() const { return FModus; }
    void SetModus(TModus value);
    bool LautgruppeS() const { return FLautgruppeS; }
    void SetLautgruppeS(bool value);
    bool GetEinhandS() const;
    void SetEinhandS(bool value);
    const std::u16string& Filename() const { return FFilename; }
    void SetFilename(const std::u16string& value);
    bool SpeichernUnterS = true;

    // Opens a document: with a Sender through the open dialog, without one
    // the first command-line parameter.
    void MenuDateiOeffnenClick(const TMenuEntry* Sender);
    bool Speichern();
    bool SpeichernUnter();
    // 0 when the document is unchanged, otherwise the answer: IDYES,
    // IDNO or IDCANCEL.
    int SpeichernTest();
    std::vector<std::u16string> FParameters;
    bool SchonGesuchtS = false;
    // The find dialog's text and options (HauptSuchen.cpp).
    TFindDialog FindDialog1;
    bool FindDialogOpenS() const { return FFindDialogOpen; }

    // Makes the listed table at index the current one and reloads it.
    void SetNewTabelle(int index);
    // The table list in its current order.
    const TTabellen& Tabellen() const { return FTabellen; }
    void ClearKeys() { FChords.ClearKeys(); }
    void UpdateHookS();
    // AnewS installs the hook again even where it is believed in place.
    void SetHookS(bool value, bool anewS = false);
    void SuspendHook();
    void ResumeHook();
    bool HookS() const { return FHookS; }
    const TLowLevelKeyboardHook* KeyboardHook() const { return KeyHook.get(); }
    // The update checker; its finished check is read on this thread (HauptUpdate.cpp).
    TUpdater* Updater() { return FUpdater.get(); }

    // The screen reader output the dialogs are given.
    TScreenReaderOutput* Tolk() { return &FTolk; }

    // The background number of the input controls; setting it stores it in
    // the settings and repaints (HauptSchriftart.cpp).
    int GetHintergrundNr() const { return FHintergrundForm.HintergrundNr(); }
    void SetHintergrundNr(int Value);
    TColor HintergrundFarbe() const { return FHintergrundForm.HintergrundFarbe(); }

    // Translates a dot pattern (or a combination of them, LautS) and inserts
    // the text at the caret, replacing the selection. Vorsatz is said in
    // front of what the chord says, or alone when it inserts nothing.
    void CharToRichEdit(const std::u16string& Punkte, bool LautS, const std::u16string& Vorsatz = {});
    // The line width limit, 0 for none (HauptZeilenbreite.cpp).
    int GetMaxZeilenbreite() const;
    void SetMaxZeilenbreite(int Value);
    void UpdateMaxZeilenbreite();
    // Whether replacing the selection by InsertText keeps the lines it
    // touches within the limit.
    bool IsMaxZeilenbreiteOk(const std::u16string& InsertText) const;
    void ProcessKeys(int keys, bool lautgruppeS);
    // Plays a cue file on the cues' own thread and returns at once; a
    // waiting cue (WarteS) plays to its end before the next one starts.
    // Silent when sounds are off, the name is empty or the file is missing.
    void PlaySound(const std::u16string& SoundFilename, bool WarteS);

    // Menu items by component name, as the menus show them now.
    UINT MenuId(std::string_view name) const;
    HMENU MenuHandle(std::string_view name) const;
    bool MenuItemEnabled(std::string_view name) const;
    bool MenuItemChecked(std::string_view name) const;

    TRichEdit RichEdit1;
    TStatusBar StatusBar1;
    // Where set, message boxes go here instead of to the screen (tests);
    // returns the answer.
    std::function<int(const std::u16string& text, UINT flags)> OnMessageDlg;

    // Reads (LadenS) or writes the settings file.
    void RegistryLadenSpeichern(bool LadenS);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void HandleException(const std::exception& error) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    // Loads the working tables; SenderS false (a table switch) leaves the
    // 8-dot table and the fonts alone.
    void Timer0StartTimer(bool SenderS);
    void StartupFinished();
    // The rest of start-up once no update check and no dialog runs any more.
    void StartupContinue();
    // The hand-over from a second start and the command-line file (HauptInstance.cpp).
    static constexpr UINT_PTR kTimerLoadThisFile = 11, kTimerSendTo = 12;
    LRESULT WMCopyData(const COPYDATASTRUCT* data);
    void WMProgramClose();
    // The end from outside (HauptSession.cpp): WM_CLOSE, and the end of the session.
    void CloseRequest();
    LRESULT WMQueryEndSession();
    void WMEndSession(bool endingS);
    void WMProgramSetFocus();
    void TimerSendToTimer();
    void TimerLoadThisFileTimer();
    void OpenFirstParameter();
    void CaptionZuweisen();
    void FensterEinrichten();
    void SchalterEinrichten();
    // Status panel 0 (row and column) and 5 (chord, combination or a hint).
    void UpdateZeileSpalte();
    void UpdateStatustext();
    void Timer1UpdateZeileSpalteTimer();
    void SchriftartZuweisen();
    // The background colour onto the editor and the dialogs to come.
    void HintergrundZuweisen();
    void MenuAnsSchriftartClick(const TMenuEntry*);
    void ApplyStartupSize();
    void GetMinMaxInfo(MINMAXINFO& info) const;

    // The menus from MenuEntries, the accelerators from their shortcuts.
    void CreateMenus();
    void MenuCommand(UINT id, bool byShortCut);
    void InitMenuPopup(HMENU menu);
    void ShowPopupMenu1(LPARAM screenPoint);
    const TMenuEntry* MenuEntry(UINT id) const;
    HMENU MenuRoot(size_t index) const;
    void SetMenuItemEnabledS(std::string_view name, bool enabled);
    void SetMenuItemCheckedS(std::string_view name, bool checked);
    void CheckRadioItem(int groupIndex, int tag);

    void FillMenuTabellen();
    void MenuTabellenClick();
    void MenuTabellenSubClick(int Tag);
    void MenuDateiClick();
    void MenuBearbeitenClick();
    void MenuEinstellungenClick();
    void MenuDateiBeendenClick(const TMenuEntry*);
    void MenuDateiSpeichernClick(const TMenuEntry*);
    void MenuDateiSpeichernUnterClick(const TMenuEntry*);
    void MenuDateiCloseClick(const TMenuEntry*);
    void MenuDateiDruckenClick(const TMenuEntry*);
    void OpenSaveDialogShow();
    bool FormCloseQuery();
    // Acts on the save question: false when the operation is to stop.
    bool SpeichernTestOk();
    void LoadDocument(const std::u16string& name);
    // Writes the document in the kind given; shows the message and gives
    // false on failure.
    bool WriteDocument(const std::u16string& name, TDocumentKind kind);
    // Braille files and the embosser (HauptBraille.cpp). The document's
    // content replaced by a file's, read by the kind of its name; throws.
    void LoadDocumentFile(const std::u16string& name);
    // The document converted and written as a braille file; false, with
    // the message shown, when it cannot be converted or written.
    bool WriteBrailleDocument(const std::u16string& name, TDocumentKind kind);
    std::optional<std::string> BrailleBytes(TDocumentKind kind);
    bool WriteBrailleBytes(const std::u16string& name, const std::string& bytes);
    void MenuDateiBrfExportClick(const TMenuEntry*);
    void MenuDateiPefExportClick(const TMenuEntry*);
    void ExportBraille(TDocumentKind kind);
    void MenuDateiPraegenClick(const TMenuEntry*);
    void MenuEinstBrailleSeiteClick(const TMenuEntry*);
    void MenuBearbeitenZeichenformatClick(const TMenuEntry*);
    void MenuBearbeitenRueckgaengigClick(const TMenuEntry*);
    void MenuBearbeitenWiederholenClick(const TMenuEntry*);
    void MenuBearbeitenAllesMarkierenClick(const TMenuEntry*);
    void MenuBearbeitenKopierenClick(const TMenuEntry*);
    void MenuBearbeitenAusschneidenClick(const TMenuEntry*);
    void MenuBearbeitenEinfuegenClick(const TMenuEntry*);
    void MenuBearbeitenLoeschenClick(const TMenuEntry*);
    // Find (HauptSuchen.cpp).
    void MenuBearbeitenSuchenClick(const TMenuEntry*);
    void MenuBearbeitenWeitersuchenClick(const TMenuEntry*);
    void FindDialog1Find();
    void FindDialog1Close();
    void FindDialog1Report(const FINDREPLACEW& report);
    void MenuModusM0_5Click(const TMenuEntry* Sender);
    void MenuModusLautgruppeClick(const TMenuEntry*);
    void MenuEinstEinhandClick(const TMenuEntry*);
    void MenuEinstSoundSClick(const TMenuEntry*);
    void MenuEinstStandardClick(const TMenuEntry*);
    void MenuEinstMaxZeilenbreiteClick(const TMenuEntry*);
    // Size, style and colour of one mode's fonts through the font dialog;
    // the mode is the item's Tag (HauptSchrift.cpp).
    void MenuEinstModusM0_5Click(const TMenuEntry* Sender);
    // The table dialog: reorders the table list and switches the table (HauptTabDlg.cpp).
    void MenuEinstDatenbankClick(const TMenuEntry*);
    // The update checker and its menu items (HauptUpdate.cpp).
    void CreateUpdater();
    void MenuEinstUpdateCheckModeClick(const TMenuEntry* Sender);
    void UpdateCheckModeMenu();
    // The question at the end of start-up when a newer version exists; true
    // when the program is closing for the update.
    bool StartupUpdatePrompt();
    // Writes the updater's hand-over file; false, with the message shown,
    // when it cannot be written.
    bool WriteUpdaterHandOver();
    // Starts the updater; false, with the system's error code in Error if
    // given, when it does not start.
    bool LaunchUpdater(DWORD* error = nullptr);
    void MenuHilfeUpdateClick(const TMenuEntry*);
    // The help menu (HauptHilfe.cpp).
    void MenuHilfeClick();
    void MenuHilfeHilfeClick(const TMenuEntry*);
    void MenuHilfeKurztastenClick(const TMenuEntry*);
    void MenuHilfeTastaturtestClick(const TMenuEntry*);  // the keyboard check
    void MenuHilfeHistoryClick(const TMenuEntry*);
    void MenuHilfeMailClick(const TMenuEntry*);
    void MenuHilfeHomepageClick(const TMenuEntry*);
    void MenuHilfeSpendenClick(const TMenuEntry*);
    void MenuHilfeInfoClick(const TMenuEntry*);
    // The screen reader and what is typed (HauptAnsage.cpp).
    static constexpr int kEingabeAnsagenGroup = 3;
    void MenuEinstEingabeAnsagenClick(const TMenuEntry* Sender);
    void UpdateEingabeAnsagenMenu();
    // Hands Text to the screen reader, cutting off its speech; nothing for
    // an empty text.
    void Ansage(const std::u16string& text);
    // Up to 100 characters in front of the caret.
    std::u16string TextVorCaret() const;
    // Repairs what a load read and applies it to the window.
    void EinstellungenPruefen();

    // The dialog bracket: remember the focused control and suspend the hook
    // around Dialog, refocus and resume afterwards, also after an error.
    template <class TDialog>
    void WithDialogBracket(TDialog&& Dialog);
    void SetActiveControl();
    // Runs Dialog as a modal window inside the dialog bracket.
    void ModalDialog(const std::function<void()>& Dialog);

    void KeyHookPreExecute(TCustomHook& Hook, THookMsg& Hookmsg);
    THookGate HookGate() const;
    // A dot key's message in the editor: what the hook made of it, and a
    // key the hook missed goes into the chord (HauptKeys.cpp).
    bool RichEdit1KeyMessage(UINT message, LPARAM keyData);
    void PostKeys(int keys, bool lautgruppeS);
    void BrailleKeys(WPARAM keys, LPARAM lautgruppe);
    void RichEdit1KeyPress(wchar_t& Key);
    void RichEdit1KeyDown(WORD& Key);
    bool RichEdit1Paste();  // the line width check of every paste
    void MenuSelect(WPARAM wParam, LPARAM lParam);
    void PopupMenuEnter();
    void PopupMenuExit();

    void ApplicationEvents1Activate();
    void ApplicationEvents1Deactivate();
    void ApplicationEvents1ModalBegin();
    void ApplicationEvents1ModalEnd();
    // Runs Dialog as a modal window of this one.
    template <class TDialog>
    auto Modal(TDialog&& Dialog);
    // Shows a message box as a modal window of this one.
    int MessageDlg(const std::u16string& text, UINT flags);

    bool RichEdit1Active() const;

    const std::u16string FExeFolder;
    const TTextCodecs FCodecs;

    std::u16string FFilename;
    TDocumentKind FDocumentKind = TDocumentKind::Rtf;  // the kind "&Speichern" writes
    TModus FModus = TModus::M0;
    bool FHookS = false;
    bool FHookAvailable = true;
    bool FApplicationActive = false;
    bool FMenuActive = false;
    int FModalLevel = 0;
    int FHookSuspendCount = 0;
    bool FFindDialogOpen = false;  // the find dialog is open and the hook suspended for it
    bool FLautgruppeS = false;
    std::u16string LautgruppeStr;
    HWND MerkActiveControl = nullptr;
    int FTimer0StartTag = 1;  // 1 until the start-up loading ran
    bool FStartupPendingS = false;  // the end of start-up waits for the check or a dialog
    bool FClosePendingS = false;    // a close waits for the cancelled dialogs' loops to end
    int AktZeile = -1;        // the caret's line, 0-based
    int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;

    std::vector<HMENU> FMenuHandles;  // per menu entry: its menu, if it opens one
    TMenuHandle PopupMenu1;
    std::vector<ACCEL> FMenuAccelerators;  // of the fixed menu items
    TAcceleratorTable FAccelerators;

    TFontHandle FSchrift;  // the user-interface font
    THintergrundForm FHintergrundForm;
    TUnicodeBrailleFontChooser FUnicodeBrailleFont{
        [](const std::u16string& face) { return FontHasBraillePatterns(face); }};

    TChordCapture FChords;
    TChordTrace FChordTrace;
    TPlaySoundOutput FSoundOutput;
    TCueQueue FCues{FSoundOutput};
    std::unique_ptr<TLowLevelKeyboardHook> KeyHook;
    TTolkSRD FTolk;
    std::unique_ptr<TUpdater> FUpdater;
    TTabellen FTabellen;
    TWorkingTables FTables;
};

}  // namespace korvalin
