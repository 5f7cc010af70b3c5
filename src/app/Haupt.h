// The document window: the rich edit, the keyboard hook that turns the dot
// keys into chords, and the translation of chords into text.
#pragma once

#include "app/ResConst.h"
#include "input/Chords.h"
#include "input/hooks.h"
#include "settings/DatenC.h"
#include "tables/TextFile.h"
#include "tables/WorkingTables.h"
#include "util/Wnd.h"

#include <memory>
#include <string>

namespace korvalin {

// WM_APP + 101: a finished chord; wParam the dot mask, lParam 1 when it
// belongs to a character combination.
constexpr UINT WM_BRAILLEKEYS = WM_APP + 101;

// Set for good once the main window starts closing.
extern bool ProgramClosing;

class TForm1 : public TWnd {
public:
    // ExeFolder: the folder holding "Tabellen\", ending in a backslash.
    explicit TForm1(std::u16string exeFolder);
    ~TForm1() override;

    void Show(int showCommand);

    TModus Modus() const { return FModus; }
    void SetModus(TModus value);
    bool LautgruppeS() const { return FLautgruppeS; }
    void SetLautgruppeS(bool value);

    void ClearKeys() { FChords.ClearKeys(); }
    void UpdateHookS();
    void SetHookS(bool value);
    void SuspendHook();
    void ResumeHook();

    // Translates a dot pattern (or a combination of them, LautS) and inserts
    // the text at the caret, replacing the selection.
    void CharToRichEdit(const std::u16string& Punkte, bool LautS);
    void ProcessKeys(int keys, bool lautgruppeS);
    // Plays a cue file; WarteS waits for its end. Silent when sounds are
    // off, the name is empty or the file is missing.
    void PlaySound(const std::u16string& SoundFilename, bool WarteS);

    TRichEdit RichEdit1;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void Timer0StartTimer();

    void KeyHookPreExecute(TCustomHook& Hook, THookMsg& Hookmsg);
    void PostKeys(int keys, bool lautgruppeS);
    void BrailleKeys(WPARAM keys, LPARAM lautgruppe);
    void RichEdit1KeyPress(wchar_t& Key);
    void RichEdit1KeyDown(WORD& Key);
    void MenuSelect(WPARAM wParam, LPARAM lParam);

    void ApplicationEvents1Activate();
    void ApplicationEvents1Deactivate();
    void ApplicationEvents1ModalBegin();
    void ApplicationEvents1ModalEnd();
    // Shows a message box as a modal window of this one.
    int MessageDlg(const std::u16string& text, UINT flags);

    bool RichEdit1Active() const;
    void SetCaptionFromName(const std::u16string& displayName);

    const std::u16string FExeFolder;
    const TTextCodecs FCodecs;

    TModus FModus = TModus::M0;
    bool FHookS = false;
    bool FHookAvailable = true;
    bool FApplicationActive = false;
    bool FMenuActive = false;
    int FModalLevel = 0;
    int FHookSuspendCount = 0;
    bool FLautgruppeS = false;
    std::u16string LautgruppeStr;

    TChordCapture FChords;
    std::unique_ptr<TLowLevelKeyboardHook> KeyHook;
    TTabellen FTabellen;
    TWorkingTables FTables;
};

}  // namespace korvalin
