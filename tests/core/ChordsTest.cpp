#include "input/Chords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace korvalin;

namespace {

constexpr std::uint32_t F = 0x21, J = 0x24, K = 0x25, A = 0x1E, OE = 0x27, G = 0x22, H = 0x23;
constexpr std::uint32_t kBackspace = 0x0E;

// Feeds key events ("+F" down, "-F" up) and collects what the hook posts.
struct TKeyboard {
    TChordCapture Capture;
    THookGate Gate{false, true, TModus::M1, false, true, false};
    std::vector<int> Posted;
    int Passed = 0;
    std::uint32_t Time = 1000;  // each event one tick after the last

    void Event(std::uint32_t message, std::uint32_t scanCode, TKeyEvent event = {}) {
        event.ScanCode = scanCode;
        event.Time = ++Time;
        const THookDecision decision = Capture.KeyHookPreExecute(0, message, &event, Gate);
        if (decision.PostKeys) Posted.push_back(decision.PostKeys);
        if (!decision.Swallow) ++Passed;
    }
    // What the hook did with the event at Time, as the editor asks.
    TKeySeen Seen(std::uint32_t scanCode, std::uint32_t time, bool up) const {
        TKeyEvent event;
        event.ScanCode = scanCode;
        event.Time = time;
        return Capture.Seen(event, up);
    }
    void Down(std::uint32_t scanCode, TKeyEvent event = {}) { Event(kWmKeyDown, scanCode, event); }
    void Up(std::uint32_t scanCode, TKeyEvent event = {}) { Event(kWmKeyUp, scanCode, event); }
};

}  // namespace

TEST(DotKeys, EightScanCodesAreDotsUnlessModifiedExtendedOrInjected) {
    const std::pair<std::uint32_t, int> dots[] = {{0x21, 0x01}, {0x20, 0x02}, {0x1F, 0x04}, {0x24, 0x08},
                                                  {0x25, 0x10}, {0x26, 0x20}, {0x1E, 0x40}, {0x27, 0x80},
                                                  {G, 0},       {H, 0},       {0x39, 0},    {0x1C, 0}};
    for (const auto& [scanCode, dot] : dots) {
        TKeyEvent event;
        event.ScanCode = scanCode;
        EXPECT_EQ(KeyToDot(&event), dot) << scanCode;
    }
    TKeyEvent f;
    f.ScanCode = F;
    for (auto modify : {+[](TKeyEvent& e) { e.AltDown = true; }, +[](TKeyEvent& e) { e.CtrlDown = true; },
                        +[](TKeyEvent& e) { e.ShiftDown = true; }, +[](TKeyEvent& e) { e.Flags = kLlkhfInjected; },
                        +[](TKeyEvent& e) { e.Flags = kLlkhfExtended; }}) {
        TKeyEvent modified = f;
        modify(modified);
        EXPECT_EQ(KeyToDot(&modified), 0);
    }
    EXPECT_EQ(KeyToDot(nullptr), 0);
}

TEST(Chords, ChordCompletesWhenTheLastDotKeyIsReleasedInAnyOrder) {
    TKeyboard keys;
    keys.Down(F), keys.Down(J), keys.Up(F), keys.Up(J);
    keys.Down(F), keys.Down(J), keys.Up(J), keys.Up(F);
    EXPECT_EQ(keys.Posted, (std::vector<int>{0x09, 0x09}));
    EXPECT_EQ(keys.Passed, 0);
}

TEST(Chords, KeysPressedOneAfterTheOtherGiveSeparateChordsUnlessTheyOverlap) {
    TKeyboard keys;
    keys.Down(F), keys.Up(F), keys.Down(J), keys.Up(J);
    EXPECT_EQ(keys.Posted, (std::vector<int>{0x01, 0x08}));
    keys.Posted.clear();
    keys.Down(F), keys.Down(J), keys.Up(F), keys.Down(K), keys.Up(J), keys.Up(K);  // rolling chord
    EXPECT_EQ(keys.Posted, (std::vector<int>{0x19}));
    keys.Posted.clear();
    keys.Down(F), keys.Down(F), keys.Down(F), keys.Up(F);  // auto-repeat
    EXPECT_EQ(keys.Posted, (std::vector<int>{0x01}));
}

TEST(Chords, AnotherKeyAbandonsTheChordAndPassesWhileOneHandEntryKeepsCollecting) {
    for (const std::uint32_t other : {G, H, kBackspace}) {
        TKeyboard keys;
        keys.Down(F), keys.Down(other), keys.Up(other), keys.Up(F);
        EXPECT_TRUE(keys.Posted.empty()) << other;
        EXPECT_EQ(keys.Passed, 2) << other;
    }
    TKeyboard oneHand;
    oneHand.Gate.EinhandS = true;
    oneHand.Down(F), oneHand.Up(F), oneHand.Down(G), oneHand.Up(G), oneHand.Down(J), oneHand.Up(J);
    EXPECT_TRUE(oneHand.Posted.empty());
    EXPECT_EQ(oneHand.Capture.CompleteByShift(true, TModus::M1, false), 0x09);
    EXPECT_EQ(oneHand.Capture.CompleteByShift(true, TModus::M1, false), 0);  // nothing pending
    oneHand.Down(F);
    EXPECT_EQ(oneHand.Capture.CompleteByShift(false, TModus::M1, false), 0);
    EXPECT_EQ(oneHand.Capture.CompleteByShift(true, TModus::M0, false), 0);
    EXPECT_EQ(oneHand.Capture.CompleteByShift(true, TModus::M0, true), 0x01);
}

TEST(Chords, ModifiedDotKeysPassAndAKeyUpWithoutItsKeyDownIsSwallowedSilently) {
    TKeyboard keys;
    TKeyEvent ctrl;
    ctrl.CtrlDown = true;
    keys.Down(F, ctrl), keys.Up(F, ctrl);
    EXPECT_EQ(keys.Passed, 2);
    keys.Up(J);
    EXPECT_EQ(keys.Passed, 2);
    EXPECT_TRUE(keys.Posted.empty());
    keys.Event(kWmSysKeyDown, A), keys.Event(kWmSysKeyDown, OE), keys.Event(kWmSysKeyUp, A), keys.Event(kWmSysKeyUp, OE);
    EXPECT_EQ(keys.Posted, (std::vector<int>{0xC0}));
}

TEST(Chords, TheGateLetsEverythingPassWhenTheHookMustNotAct) {
    struct Row {
        const char* what;
        void (*change)(THookGate&);
        std::int32_t code;
    } rows[] = {
        {"negative code", [](THookGate&) {}, -1},
        {"closing", [](THookGate& g) { g.ProgramClosing = true; }, 0},
        {"hook off", [](THookGate& g) { g.HookS = false; }, 0},
        {"plain keyboard mode", [](THookGate& g) { g.Modus = TModus::M0; }, 0},
        {"editor not focused", [](THookGate& g) { g.EditorFocused = false; }, 0},
    };
    for (const Row& row : rows) {
        TChordCapture capture;
        THookGate gate{false, true, TModus::M1, false, true, false};
        row.change(gate);
        TKeyEvent f;
        f.ScanCode = F;
        const THookDecision down = capture.KeyHookPreExecute(row.code, kWmKeyDown, &f, gate);
        const THookDecision up = capture.KeyHookPreExecute(row.code, kWmKeyUp, &f, gate);
        EXPECT_FALSE(down.Swallow || up.Swallow || up.PostKeys) << row.what;
    }
    TKeyboard combination;
    combination.Gate.Modus = TModus::M0;
    combination.Gate.LautgruppeS = true;
    TKeyEvent f;
    f.ScanCode = F;
    combination.Capture.KeyHookPreExecute(0, kWmKeyDown, &f, combination.Gate);
    const THookDecision up = combination.Capture.KeyHookPreExecute(0, kWmKeyUp, &f, combination.Gate);
    EXPECT_EQ(up.PostKeys, 0x01);
    EXPECT_TRUE(up.PostLautgruppeS);
}

TEST(HookDecision, InstalledOnlyWhenActiveUnblockedAndInABrailleModeOrCombination) {
    const THookInputs on{true, true, false, true, 0, false, 0, TModus::M1, false};
    EXPECT_TRUE(UpdateHookSDecision(on));
    struct Row {
        const char* what;
        void (*change)(THookInputs&);
        bool installed;
    } rows[] = {
        {"hook unavailable", [](THookInputs& i) { i.HookAvailable = false; }, false},
        {"no hook object", [](THookInputs& i) { i.KeyHookExists = false; }, false},
        {"closing", [](THookInputs& i) { i.ProgramClosing = true; }, false},
        {"inactive", [](THookInputs& i) { i.ApplicationActive = false; }, false},
        {"modal window", [](THookInputs& i) { i.ModalLevel = 1; }, false},
        {"menu open", [](THookInputs& i) { i.MenuActive = true; }, false},
        {"suspended", [](THookInputs& i) { i.HookSuspendCount = 2; }, false},
        {"mode 0", [](THookInputs& i) { i.Modus = TModus::M0; }, false},
        {"mode 0 with combination", [](THookInputs& i) { i.Modus = TModus::M0, i.LautgruppeS = true; }, true},
        {"mode 5", [](THookInputs& i) { i.Modus = TModus::M5; }, true},
    };
    for (const Row& row : rows) {
        THookInputs inputs = on;
        row.change(inputs);
        EXPECT_EQ(UpdateHookSDecision(inputs), row.installed) << row.what;
    }
}

TEST(PostedChords, AChordIsDroppedUnlessTheEditorCanTakeItNow) {
    const TBrailleKeysGate open{false, true, 0, false, true};
    EXPECT_TRUE(AcceptBrailleKeys(open));
    for (auto change : {+[](TBrailleKeysGate& g) { g.ProgramClosing = true; },
                        +[](TBrailleKeysGate& g) { g.ApplicationActive = false; },
                        +[](TBrailleKeysGate& g) { g.ModalLevel = 1; }, +[](TBrailleKeysGate& g) { g.MenuActive = true; },
                        +[](TBrailleKeysGate& g) { g.EditorActive = false; }}) {
        TBrailleKeysGate gate = open;
        change(gate);
        EXPECT_FALSE(AcceptBrailleKeys(gate));
    }
}

TEST(PostedChords, CombinationCellsAreJoinedByBarsAndOtherChordsTranslated) {
    struct Row {
        int keys;
        bool lautgruppeS;
        std::u16string_view lautgruppeStr;
        TChordUse use;
        std::u16string_view pattern;
    } rows[] = {
        {0x13, false, u"", TChordUse::Translate, u"125"},
        {0x13, false, u"14", TChordUse::Translate, u"125"},
        {0x09, true, u"", TChordUse::AppendLautgruppe, u"14"},
        {0x09, true, u"125", TChordUse::AppendLautgruppe, u"|14"},
        {0xC0, true, u"1", TChordUse::AppendLautgruppe, u"|78"},
        {0, true, u"125", TChordUse::Nothing, u""},
        {0x100, false, u"", TChordUse::Nothing, u""},  // no dot bit in a stray message
    };
    for (const Row& row : rows) {
        const TProcessKeysAction action = ProcessKeysDecision(row.keys, row.lautgruppeS, row.lautgruppeStr);
        EXPECT_EQ(action.Use, row.use) << row.keys;
        EXPECT_TRUE(action.Pattern == row.pattern) << row.keys;
    }
}

TEST(SystemKeys, WhileOneIsHeldDotKeysPassForSomeoneElseAndTheHalfBuiltChordIsDropped) {
    constexpr std::uint32_t D = 0x20;
    const std::pair<std::uint32_t, std::uint32_t> systemKeys[] = {
        {0x52, kLlkhfExtended}, {0x52, 0}, {0x3A, 0}, {0x5B, kLlkhfExtended}, {0x5C, kLlkhfExtended},
        {0x5D, kLlkhfExtended}};
    for (const auto& [scanCode, flags] : systemKeys) {
        for (const bool einhandS : {false, true}) {
            TKeyboard keys;
            keys.Gate.EinhandS = einhandS;
            TKeyEvent system;
            system.Flags = flags;
            keys.Down(F), keys.Down(scanCode, system), keys.Down(D), keys.Up(D);
            const std::uint32_t dUp = keys.Time;
            keys.Up(scanCode, system), keys.Up(F);
            EXPECT_EQ(keys.Passed, 4) << scanCode;
            EXPECT_EQ(keys.Seen(D, dUp, true), TKeySeen::ForSomeoneElse) << scanCode;
            EXPECT_EQ(keys.Capture.CompleteByShift(einhandS, TModus::M1, false), 0) << scanCode;
            keys.Down(J), keys.Up(J);
            if (einhandS) EXPECT_EQ(keys.Capture.CompleteByShift(true, TModus::M1, false), 0x08) << scanCode;
            else EXPECT_EQ(keys.Posted, std::vector<int>{0x08}) << scanCode;
        }
    }
    TKeyboard keys;
    TKeyEvent insert;
    insert.Flags = kLlkhfExtended;
    keys.Down(0x52, insert), keys.Down(F), keys.Up(0x52, insert), keys.Down(F), keys.Up(F);  // F stays theirs
    keys.Down(0x52, insert), keys.Capture.HookInstalled(), keys.Down(J), keys.Up(J);        // a new hook knows no held key
    EXPECT_EQ(keys.Passed, 6);
    EXPECT_EQ(keys.Posted, std::vector<int>{0x08});
    keys.Posted.clear();
    TKeyEvent extendedCaps;  // no key of anyone else: the chord stays
    extendedCaps.Flags = kLlkhfExtended;
    keys.Down(F), keys.Down(0x5B), keys.Down(0x3A, extendedCaps), keys.Up(F);
    EXPECT_TRUE(keys.Posted.empty());  // other keys abandon it as before
}

TEST(SystemKeys, TheEditorLearnsWhatTheHookDidWithEachDotKeyEvent) {
    TKeyboard keys;
    TKeyEvent injected;
    injected.Flags = kLlkhfInjected;
    keys.Down(F);
    const std::uint32_t swallowed = keys.Time;
    keys.Up(F), keys.Down(J, injected);
    const std::uint32_t typed = keys.Time;
    EXPECT_EQ(keys.Seen(F, swallowed, false), TKeySeen::Swallowed);
    EXPECT_EQ(keys.Seen(F, swallowed, true), TKeySeen::Missed);  // the direction counts
    EXPECT_EQ(keys.Seen(J, typed, false), TKeySeen::Typed);
    EXPECT_EQ(keys.Seen(J, typed + 100, false), TKeySeen::Missed);
    for (int i = 0; i < 40; ++i) keys.Down(K), keys.Up(K);
    EXPECT_EQ(keys.Seen(F, swallowed, false), TKeySeen::Missed);  // long gone from the record
}
