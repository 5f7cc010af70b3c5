// Dot keys that reach the editor as key messages although the hook is on.
#include "app/Haupt.h"

namespace korvalin {

THookGate TForm1::HookGate() const {
    return {ProgramClosing, FHookS, FModus, FLautgruppeS, RichEdit1Active(), Einstellungen.EinhandS};
}

// The hook records what it did with each dot key: one it let through to be
// typed is typed; one it took for a chord, or let through for the system or
// the screen reader, types nothing in a braille mode. One it never saw (the
// system removed it, or it timed out) goes into the chord as a hook event
// would, and the hook is installed again.
bool TForm1::RichEdit1KeyMessage(UINT message, LPARAM keyData) {
    if (!FHookS) return false;
    TKeyEvent event;
    event.ScanCode = std::uint32_t(keyData >> 16) & 0xFF;
    event.Flags = (keyData & (1 << 24)) ? kLlkhfExtended : 0;
    event.Time = std::uint32_t(GetMessageTime());
    event.AltDown = GetKeyState(VK_MENU) < 0;
    event.ShiftDown = GetKeyState(VK_SHIFT) < 0;
    event.CtrlDown = GetKeyState(VK_CONTROL) < 0;
    if (KeyToDot(&event) == 0) return false;
    switch (FChords.Seen(event, message == WM_KEYUP)) {
    case TKeySeen::Typed: return false;
    case TKeySeen::Swallowed: return true;
    case TKeySeen::ForSomeoneElse: return FModus != TModus::M0;
    case TKeySeen::Missed: break;
    }
    const THookDecision decision = FChords.KeyHookPreExecute(0, message, &event, HookGate());
    if (decision.PostKeys) PostKeys(decision.PostKeys, decision.PostLautgruppeS);
    SetHookS(true, true);
    return decision.Swallow;
}

}  // namespace korvalin
