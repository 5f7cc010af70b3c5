#include "input/SoundCues.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

using namespace korvalin;
using namespace std::chrono_literals;

namespace {

// Records what it is asked to play; a sound played to its end lasts until
// the test ends it or Stop is called.
class TFakeOutput : public TSoundOutput {
public:
    void Play(const std::u16string& fileName, bool toEndS) override {
        std::unique_lock lock(FMutex);
        Played.push_back(fileName);
        FChanged.notify_all();
        if (toEndS) FChanged.wait(lock, [&] { return std::exchange(FEnd, false); });
    }
    void Stop() override { EndSound(); }
    void EndSound() {
        std::lock_guard lock(FMutex);
        FEnd = true;
        FChanged.notify_all();
    }
    // What was played once Count cues have begun, or when Wait is over.
    std::vector<std::u16string> PlayedWhen(size_t count, std::chrono::milliseconds wait = 1s) {
        std::unique_lock lock(FMutex);
        FChanged.wait_for(lock, wait, [&] { return Played.size() >= count; });
        return Played;
    }

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    std::vector<std::u16string> Played;
    bool FEnd = false;
};

using TNames = std::vector<std::u16string>;

}  // namespace

TEST(SoundCues, AWaitingCueHoldsTheQueueWithoutHoldingTheCallerAndStopDropsTheRest) {
    TFakeOutput output;
    {
        TCueQueue cues(output);
        cues.Play(u"falsch", true);  // returns although the sound lasts until it is ended
        cues.Play(u"tippen", false);
        cues.Play(u"modus", false);
        EXPECT_EQ(output.PlayedWhen(1), TNames{u"falsch"});
        EXPECT_EQ(output.PlayedWhen(2, 50ms), TNames{u"falsch"});  // the others wait for its end
        output.EndSound();
        EXPECT_EQ(output.PlayedWhen(3), (TNames{u"falsch", u"tippen", u"modus"}));

        cues.Play(u"falsch", true);
        cues.Play(u"danach", false);
        EXPECT_EQ(output.PlayedWhen(4).size(), 4u);
        cues.Stop();  // ends the waiting cue and drops the one behind it
        EXPECT_EQ(output.PlayedWhen(5, 50ms).size(), 4u);
        cues.Play(u"falsch", true);
        EXPECT_EQ(output.PlayedWhen(5).size(), 5u);
    }  // ending the queue stops the cue that waits, or this would hang
    EXPECT_EQ(output.PlayedWhen(6, 0ms).back(), u"falsch");
}
