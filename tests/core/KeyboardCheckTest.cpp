#include "input/KeyboardCheck.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace korvalin;

namespace {

// One key event per letter, capital for down, small for up: f d s j k l a o
// are the dot keys F D S J K L A Ö, g is G, e is F with the extended flag;
// "!" is a loss of the keyboard. Gives a letter per step: C changed,
// U unchanged, E attempt ended, N no dot key.
std::string Feed(TKeyboardCheck& check, std::string_view events) {
    std::string steps;
    for (const char c : events) {
        if (c == '!') {
            check.ReleaseAll();
            continue;
        }
        static constexpr std::string_view kKeys = "fdsjklaoge";
        static constexpr std::uint32_t kScanCodes[] = {0x21, 0x20, 0x1F, 0x24, 0x25, 0x26, 0x1E, 0x27, 0x22, 0x21};
        const char key = char(std::tolower(c));
        TKeyEvent event;
        event.ScanCode = kScanCodes[kKeys.find(key)];
        event.Flags = key == 'e' ? kLlkhfExtended : 0;
        steps += "NUCE"[int(check.KeyEvent(event, c != key))];
    }
    return steps;
}

}  // namespace

TEST(KeyboardCheck, CountsTheDotKeysHeldAtOnceAndJudgesByTheKeysOfAWholeChord) {
    const std::u16string oneHand = u" Die Einhandeingabe (F2) geht mit jeder Tastatur.";
    const std::u16string none = u"Diese Tastatur kann bisher weder 6-Punkt- noch 8-Punkt-Zeichen schreiben." + oneHand;
    const std::u16string six = u"Diese Tastatur kann 6-Punkt-Zeichen schreiben, 8-Punkt-Zeichen bisher nicht." + oneHand;
    const std::u16string eight = u"Diese Tastatur kann 6-Punkt- und 8-Punkt-Zeichen schreiben.";
    const struct {
        std::string_view events, steps;
        std::u16string down;
        int mostHeld;
        std::u16string verdict;
        std::u16string attempt;
    } rows[] = {
        {"", "", u"Gedrückt: keine", 0, u"Noch keine Punkttaste gedrückt.", u"0 zugleich. Noch keine Punkttaste gedrückt."},
        // auto-repeat and a key-up without its key-down change nothing
        {"FFFfd", "CUUEU", u"Gedrückt: keine", 1, none, u"1 zugleich. " + none},
        {"FDSJKL", "CCCCCC", u"Gedrückt: Punkte 1 2 3 4 5 6", 6, six, u"6 zugleich. " + six},
        {"FDSJKLAOfdsjklao", "CCCCCCCCCCCCCCCE", u"Gedrückt: keine", 8, eight, u"8 zugleich. " + eight},
        // six keys, but dot 7 in place of dot 6: no whole 6-dot chord
        {"FDSJKAfdsjka", "CCCCCCCCCCCE", u"Gedrückt: keine", 6, none, u"6 zugleich. " + none},
        // a later, smaller attempt keeps what the first one showed
        {"FDSJKLfdsjklFAf", "CCCCCCCCCCCECCC", u"Gedrückt: Punkte 7", 6, six, u"2 zugleich. " + six},
        // other keys, extended keys with a dot key's scan code, a lost keyboard
        {"GgEeJK!Jj", "NNNNCCCE", u"Gedrückt: keine", 2, none, u"1 zugleich. " + none},
    };
    for (const auto& row : rows) {
        TKeyboardCheck check;
        EXPECT_EQ(Feed(check, row.events), row.steps) << row.events;
        EXPECT_EQ(check.DownText(), row.down) << row.events;
        EXPECT_EQ(check.MostHeldText(), u"Höchstens zugleich: " + IntToStr(row.mostHeld) + u" von 8") << row.events;
        EXPECT_EQ(check.Verdict(), row.verdict) << row.events;
        EXPECT_EQ(check.AttemptText(), row.attempt) << row.events;
    }
}
