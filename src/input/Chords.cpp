#include "input/Chords.h"

#include "input/Translation.h"

#include <iterator>

namespace korvalin {

namespace {

int ScanCodeToDot(std::uint32_t scanCode) {
    switch (scanCode) {
    case 0x21: return 0x01;  // F
    case 0x20: return 0x02;  // D
    case 0x1F: return 0x04;  // S
    case 0x24: return 0x08;  // J
    case 0x25: return 0x10;  // K
    case 0x26: return 0x20;  // L
    case 0x1E: return 0x40;  // A
    case 0x27: return 0x80;  // Ö
    default: return 0;
    }
}

}  // namespace

int KeyToDot(const TKeyEvent* event) {
    if (!event || (event->Flags & (kLlkhfExtended | kLlkhfInjected)) || event->AltDown || event->ShiftDown ||
        event->CtrlDown)
        return 0;
    return ScanCodeToDot(event->ScanCode);
}

int SystemKeyBit(const TKeyEvent& event) {
    const bool extended = (event.Flags & kLlkhfExtended) != 0;
    switch (event.ScanCode) {
    case 0x52: return 0x01;                 // Insert, also the number pad's
    case 0x3A: return extended ? 0 : 0x02;  // Caps Lock
    case 0x5B: return extended ? 0x04 : 0;  // left Windows key
    case 0x5C: return extended ? 0x08 : 0;  // right Windows key
    case 0x5D: return extended ? 0x10 : 0;  // Applications key
    default: return 0;
    }
}

THookDecision TChordCapture::KeyHookPreExecute(std::int32_t code, std::uint32_t wParam, const TKeyEvent* event,
                                               const THookGate& gate) noexcept {
    if (code != 0) return {};
    const bool down = wParam == kWmKeyDown || wParam == kWmSysKeyDown;
    const bool up = wParam == kWmKeyUp || wParam == kWmSysKeyUp;
    // Held keys are tracked from every event: another hook may take them
    // before the system's key state sees them.
    if (const int bit = event ? SystemKeyBit(*event) : 0) {
        if (down) {
            FSystemKeys |= bit;
            ClearKeys();
        } else if (up) {
            FSystemKeys &= ~bit;
        }
    }
    const THookDecision decision = Decide(down, up, event, gate);
    Remember(event, up, decision);
    return decision;
}

THookDecision TChordCapture::Decide(bool down, bool up, const TKeyEvent* event, const THookGate& gate) noexcept {
    THookDecision decision;
    if (gate.ProgramClosing || !gate.HookS || (gate.Modus == TModus::M0 && !gate.LautgruppeS) || !gate.EditorFocused)
        return decision;
    const int dot = KeyToDot(event);
    if (dot == 0) {
        if (down && !gate.EinhandS) ClearKeys();  // another key abandons the chord
        return decision;
    }
    // A dot key that went down for someone else stays theirs until it is up.
    if (FSystemKeys != 0 || (FPassedDots & dot)) {
        if (down) FPassedDots |= dot;
        else if (up) FPassedDots &= ~dot;
        decision.ForSomeoneElse = down || up;
        return decision;
    }
    if (down) {
        FKeys |= dot;
        FTempKeys |= dot;
        decision.Swallow = true;
    } else if (up) {
        FTempKeys &= ~dot;
        if (FTempKeys == 0 && !gate.EinhandS) {
            decision.PostKeys = FKeys;
            decision.PostLautgruppeS = gate.LautgruppeS;
            ClearKeys();
        }
        decision.Swallow = true;
    }
    return decision;
}

void TChordCapture::Remember(const TKeyEvent* event, bool up, const THookDecision& decision) noexcept {
    if (!event || (event->Flags & kLlkhfExtended) || ScanCodeToDot(event->ScanCode) == 0) return;
    const TKeySeen what = decision.Swallow          ? TKeySeen::Swallowed
                          : decision.ForSomeoneElse ? TKeySeen::ForSomeoneElse
                                                    : TKeySeen::Typed;
    FSeen[FSeenNext] = {event->ScanCode, event->Time, up, what};
    FSeenNext = (FSeenNext + 1) % std::size(FSeen);
}

TKeySeen TChordCapture::Seen(const TKeyEvent& event, bool up) const noexcept {
    for (const TSeenEvent& seen : FSeen)
        if (seen.What != TKeySeen::Missed && seen.ScanCode == event.ScanCode && seen.Time == event.Time && seen.Up == up)
            return seen.What;
    return TKeySeen::Missed;
}

void TChordCapture::HookInstalled() noexcept { FSystemKeys = FPassedDots = 0; }

int TChordCapture::CompleteByShift(bool einhandS, TModus modus, bool lautgruppeS) noexcept {
    if (!einhandS || FKeys <= 0 || (modus == TModus::M0 && !lautgruppeS)) return 0;
    const int keys = FKeys;
    ClearKeys();
    return keys;
}

bool UpdateHookSDecision(const THookInputs& in) {
    if (!in.HookAvailable || !in.KeyHookExists || in.ProgramClosing || !in.ApplicationActive || in.ModalLevel != 0 ||
        in.MenuActive || in.HookSuspendCount != 0)
        return false;
    return in.Modus != TModus::M0 || in.LautgruppeS;
}

bool AcceptBrailleKeys(const TBrailleKeysGate& gate) {
    return !gate.ProgramClosing && gate.ApplicationActive && gate.ModalLevel == 0 && !gate.MenuActive &&
           gate.EditorActive;
}

TProcessKeysAction ProcessKeysDecision(int keys, bool lautgruppeS, std::u16string_view lautgruppeStr) {
    // Only bits 0 to 7 are dots: a mask without any (a stray message) does nothing.
    if ((keys & 0xFF) == 0) return {};
    if (lautgruppeS) return {TChordUse::AppendLautgruppe, ExpandKeysInString(keys, !lautgruppeStr.empty())};
    return {TChordUse::Translate, ExpandKeysInString(keys, false)};
}

}  // namespace korvalin
