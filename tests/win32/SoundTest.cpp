#include "app/Haupt.h"
#include "util/LxUtils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

using namespace korvalin;

namespace {

double SecondsOf(auto&& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

// The cue files of the install tree, laid out beside the test program's build.
TEST(SoundCues, MissingEmptyOrSwitchedOffCuesReturnAtOnce) {
    TForm1 form(ExeFolder() + u"..\\..\\Korvalin\\");
    const std::u16string falsch = Einstellungen.SoundFalschFilename;
    ASSERT_TRUE(FileExists(falsch));
    EXPECT_LT(SecondsOf([&] { form.PlaySound(falsch, false); }), 0.20);
    EXPECT_LT(SecondsOf([&] { form.PlaySound(falsch + u".fehlt", true); }), 0.10);
    EXPECT_LT(SecondsOf([&] { form.PlaySound(u"", true); }), 0.10);
    Einstellungen.SoundS = false;
    EXPECT_LT(SecondsOf([&] { form.PlaySound(falsch, true); }), 0.10);
    Einstellungen.SoundS = true;
}

namespace {

// The system's player, with when each cue began and ended.
struct TTimedOutput : TSoundOutput {
    struct TCall {
        std::u16string Name;
        double Begin, End;
    };
    void Play(const std::u16string& fileName, bool toEndS) override {
        const double begin = Seconds();
        Real.Play(fileName, toEndS);
        std::lock_guard lock(Mutex);
        Calls.push_back({fileName, begin, Seconds()});
    }
    void Stop() override { Real.Stop(); }
    static double Seconds() {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
    TPlaySoundOutput Real;
    std::mutex Mutex;
    std::vector<TCall> Calls;
};

}  // namespace

TEST(SoundCues, TheWindowAnswersAtOnceWhileAWaitingCuePlaysAndTheNextCueFollowsItsEnd) {
    TForm1 form(ExeFolder() + u"..\\..\\Korvalin\\");
    const std::u16string falsch = Einstellungen.SoundFalschFilename, tippen = Einstellungen.SoundTippenFilename;
    // The longest wait for an answer in a round, the best of five rounds
    // with a cue and without: a loaded machine delays a round now and then
    // (the status bar's timer too); a window waiting for the cue is late in
    // every round by the cue's length.
    const auto longestWait = [&](bool cueS) {
        std::atomic<bool> asking = true, done = false;
        double longest = 0;
        std::thread asker([&] {
            while (asking) {
                DWORD_PTR result = 0;
                longest = std::max(longest, SecondsOf([&] {
                    SendMessageTimeoutW(form.Handle(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
                }));
                Sleep(2);
            }
            done = true;
        });
        Sleep(20);
        if (cueS) form.PlaySound(falsch, true);
        korvalin::testing::PumpMessages(300);
        asking = false;
        while (!done) korvalin::testing::PumpMessages(5);  // answers the last question too
        asker.join();
        return longest;
    };
    double withCue = 1e9, withoutCue = 1e9;
    for (int round = 0; round < 5; ++round) {
        withCue = std::min(withCue, longestWait(true));
        withoutCue = std::min(withoutCue, longestWait(false));
    }
    EXPECT_LT(withCue, withoutCue + 0.020);

    TTimedOutput output;
    {
        TCueQueue cues(output);
        cues.Play(falsch, true);
        cues.Play(tippen, false);
        Sleep(800);
    }
    ASSERT_EQ(output.Calls.size(), 2u);
    EXPECT_EQ(output.Calls[0].Name, falsch);
    // It waited: Wine's player returns once the 0.35 s are in the device, after about 0.1 s.
    EXPECT_GT(output.Calls[0].End - output.Calls[0].Begin, 0.05);
    EXPECT_GE(output.Calls[1].Begin, output.Calls[0].End);
}
