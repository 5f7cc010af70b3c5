// The keyboard check: which of the eight dot keys are down, known by the
// chord capture's scan codes, the most held at once, and whether the
// keyboard has reported every key of a 6-dot and of an 8-dot chord at once.
#pragma once

#include "input/Chords.h"

#include <string>

namespace korvalin {

enum class TKeyCheckStep {
    NotADotKey,    // the event is no dot key's: the caller handles it
    Unchanged,     // a dot key's event that changes nothing (auto-repeat, a stray key-up)
    Changed,       // a dot key went down or up
    AttemptEnded,  // the last held dot key went up
};

class TKeyboardCheck {
public:
    // One key event (Down: pressed, else released). A key-down of a dot key
    // already down, as auto-repeat sends it, changes nothing.
    TKeyCheckStep KeyEvent(const TKeyEvent& event, bool down);
    // Nothing counts as held any more (the check lost the keyboard).
    void ReleaseAll() { FDown = FAttemptMost = 0; }

    int Down() const { return FDown; }  // the dot mask held now
    int MostHeld() const { return FMostHeld; }

    std::u16string DownText() const;      // "Gedrückt: Punkte 1 2 4"
    std::u16string MostHeldText() const;  // "Höchstens zugleich: 5 von 8"
    // Whether this keyboard can write 6-dot and 8-dot chords, and if not,
    // that one-hand entry works on any keyboard.
    std::u16string Verdict() const;
    // For the screen reader when an attempt ends: how many were held at once
    // and the verdict.
    std::u16string AttemptText() const;

private:
    int FDown = 0;
    int FMostHeld = 0;
    int FAttemptMost = 0;  // of the attempt that ended last or runs now
    bool FSixDotsS = false, FEightDotsS = false;
};

}  // namespace korvalin
