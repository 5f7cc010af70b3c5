// Chord capture: which key events are dot keys, how dots add up to a chord,
// when a chord is complete, and when the keyboard hook must be installed.
#pragma once

#include "app/ResConst.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvalin {

inline constexpr std::uint32_t kWmKeyDown = 0x0100, kWmKeyUp = 0x0101, kWmSysKeyDown = 0x0104, kWmSysKeyUp = 0x0105;
inline constexpr std::uint32_t kLlkhfExtended = 0x01, kLlkhfInjected = 0x10;

// What the hook knows of one key event.
struct TKeyEvent {
    std::uint32_t ScanCode = 0;
    std::uint32_t Flags = 0;
    bool AltDown = false, ShiftDown = false, CtrlDown = false;
};

// The dot mask bit of a key event (by scan code: F D S J K L A Ö are dots 1
// to 8), or 0 for other, extended, injected or modified keys.
int KeyToDot(const TKeyEvent* event);

// The window's state as the hook sees it.
struct THookGate {
    bool ProgramClosing = false;
    bool HookS = false;
    TModus Modus = TModus::M0;
    bool LautgruppeS = false;
    bool EditorFocused = false;  // the main window is active and the editor has the focus
    bool EinhandS = false;
};

struct THookDecision {
    bool Swallow = false;
    int PostKeys = 0;  // a finished chord to post, 0 for none
    bool PostLautgruppeS = false;
};

class TChordCapture {
public:
    // Decides one event of the low-level hook; Code and WParam as the
    // system passed them. Never throws, never allocates.
    THookDecision KeyHookPreExecute(std::int32_t code, std::uint32_t wParam, const TKeyEvent* event,
                                    const THookGate& gate) noexcept;
    // One-hand entry: Shift completes the dots pressed so far. The mask to
    // post, or 0.
    int CompleteByShift(bool einhandS, TModus modus, bool lautgruppeS) noexcept;
    void ClearKeys() noexcept { FKeys = FTempKeys = 0; }

    int Keys() const { return FKeys; }
    int TempKeys() const { return FTempKeys; }

private:
    int FKeys = 0;      // every dot key pressed since the chord began
    int FTempKeys = 0;  // the dot keys down now
};

// The inputs of the hook's on/off decision.
struct THookInputs {
    bool HookAvailable = true;
    bool KeyHookExists = true;
    bool ProgramClosing = false;
    bool ApplicationActive = false;
    int ModalLevel = 0;
    bool MenuActive = false;
    int HookSuspendCount = 0;
    TModus Modus = TModus::M0;
    bool LautgruppeS = false;
};

// True when the hook must be installed.
bool UpdateHookSDecision(const THookInputs& inputs);

// The window's state when a posted chord arrives (WM_BRAILLEKEYS).
struct TBrailleKeysGate {
    bool ProgramClosing = false;
    bool ApplicationActive = false;
    int ModalLevel = 0;
    bool MenuActive = false;
    bool EditorActive = false;  // the editor is the window's active control
};

// True when the posted chord is to be processed; otherwise it is dropped.
bool AcceptBrailleKeys(const TBrailleKeysGate& gate);

// What ProcessKeys does with a chord.
enum class TChordUse {
    Nothing,            // no dot in the mask
    AppendLautgruppe,   // append Pattern to the combination, play the cell cue
    Translate,          // CharToRichEdit(Pattern, false)
};

struct TProcessKeysAction {
    TChordUse Use = TChordUse::Nothing;
    std::u16string Pattern;
};

// A chord of a combination becomes its dot pattern, led by "|" when the
// combination already holds a cell; any other chord is translated.
TProcessKeysAction ProcessKeysDecision(int keys, bool lautgruppeS, std::u16string_view lautgruppeStr);

}  // namespace korvalin
