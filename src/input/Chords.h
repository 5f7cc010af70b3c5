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
    std::uint32_t Time = 0;  // the system's event time; key messages carry the same
    bool AltDown = false, ShiftDown = false, CtrlDown = false;
};

// The dot mask bit of a key event (by scan code: F D S J K L A Ö are dots 1
// to 8), or 0 for other, extended, injected or modified keys.
int KeyToDot(const TKeyEvent* event);

// The bit of a key that belongs to the system or a screen reader (Windows
// keys, Insert also on the number pad, Caps Lock, Applications), or 0.
int SystemKeyBit(const TKeyEvent& event);

// What the hook did with a dot key's event, as the editor asks afterwards.
enum class TKeySeen {
    Missed,          // the hook never saw it: removed or timed out
    Typed,           // passed to be typed (injected, modified, hook not acting)
    Swallowed,       // part of a chord, yet it reached the editor
    ForSomeoneElse,  // passed because a system or screen reader key was held
};

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
    bool ForSomeoneElse = false;  // a dot key passed for the system or the screen reader
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
    // A newly installed hook knows of no key being held.
    void HookInstalled() noexcept;
    // What the hook did with this dot key event (matched by scan code,
    // direction and time) when its message reaches the editor.
    TKeySeen Seen(const TKeyEvent& event, bool up) const noexcept;

    int Keys() const { return FKeys; }
    int TempKeys() const { return FTempKeys; }

private:
    struct TSeenEvent {
        std::uint32_t ScanCode = 0, Time = 0;
        bool Up = false;
        TKeySeen What = TKeySeen::Missed;
    };
    THookDecision Decide(bool down, bool up, const TKeyEvent* event, const THookGate& gate) noexcept;
    void Remember(const TKeyEvent* event, bool up, const THookDecision& decision) noexcept;

    int FKeys = 0;          // every dot key pressed since the chord began
    int FTempKeys = 0;      // the dot keys down now
    int FSystemKeys = 0;    // the system and screen reader keys held
    int FPassedDots = 0;    // dot keys passed down for someone else, not yet up
    TSeenEvent FSeen[16];   // the hook's latest dot key events, a ring
    unsigned FSeenNext = 0;
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
