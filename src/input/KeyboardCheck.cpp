#include "input/KeyboardCheck.h"

#include "input/Translation.h"
#include "util/TextUtils.h"

#include <bit>

namespace korvalin {

namespace {

constexpr int kSixDots = 0x3F, kEightDots = 0xFF;

int DotCount(int mask) { return std::popcount(unsigned(mask)); }

}  // namespace

TKeyCheckStep TKeyboardCheck::KeyEvent(const TKeyEvent& event, bool down) {
    const int dot = KeyToDot(&event);
    if (dot == 0) return TKeyCheckStep::NotADotKey;
    if (down == ((FDown & dot) != 0)) return TKeyCheckStep::Unchanged;
    if (!down) {
        FDown &= ~dot;
        return FDown == 0 ? TKeyCheckStep::AttemptEnded : TKeyCheckStep::Changed;
    }
    if (FDown == 0) FAttemptMost = 0;
    FDown |= dot;
    const int held = DotCount(FDown);
    if (held > FAttemptMost) FAttemptMost = held;
    if (held > FMostHeld) FMostHeld = held;
    FSixDotsS = FSixDotsS || (FDown & kSixDots) == kSixDots;
    FEightDotsS = FEightDotsS || FDown == kEightDots;
    return TKeyCheckStep::Changed;
}

std::u16string TKeyboardCheck::DownText() const {
    if (FDown == 0) return std::u16string(texts::KeyCheckNoneDown);
    std::u16string dots;
    for (const char16_t digit : ExpandKeysInString(FDown, false)) {
        if (!dots.empty()) dots += u' ';
        dots += digit;
    }
    return Format(texts::KeyCheckDown, {dots});
}

std::u16string TKeyboardCheck::MostHeldText() const { return Format(texts::KeyCheckMostHeld, {FMostHeld}); }

std::u16string TKeyboardCheck::Verdict() const {
    if (FEightDotsS) return std::u16string(texts::KeyCheckEightDots);
    if (FMostHeld == 0) return std::u16string(texts::KeyCheckNothingYet);
    return std::u16string(FSixDotsS ? texts::KeyCheckSixDotsOnly : texts::KeyCheckNoFullChord)
        .append(texts::KeyCheckOneHand);
}

std::u16string TKeyboardCheck::AttemptText() const { return Format(texts::KeyCheckAttempt, {FAttemptMost, Verdict()}); }

}  // namespace korvalin
