#include "speech/ScreenReaderDriver.h"
#include "speech/TolkSRD.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace korvalin;

namespace {

// Records what reaches it; each answer can be set.
class TFakeDriver : public TScreenReaderDriver {
public:
    TFakeDriver(std::u16string name, std::vector<std::u16string>& log) : TScreenReaderDriver(name, true, false), FLog(log) {}
    ~TFakeDriver() override { FLog.push_back(Name() + u" freed"); }
    bool Speak(const std::u16string& S, bool) override {
        FLog.push_back(Name() + u" speak " + S);
        return SpeakS;
    }
    bool Braille(const std::u16string& S) override {
        FLog.push_back(Name() + u" braille " + S);
        return BrailleS;
    }
    bool IsSpeaking() override { return false; }
    bool Silence() override { return true; }
    bool IsActive() override {
        ++ActiveAsked;
        if (ThrowS) throw std::runtime_error("gone");
        if (ActiveAnswers.empty()) return ActiveS;
        const bool answer = ActiveAnswers.front();
        ActiveAnswers.erase(ActiveAnswers.begin());
        return answer;
    }
    bool Output(const std::u16string& S, bool Interrupt) override { return SpeakAndBraille(S, Interrupt); }

    bool ActiveS = false, SpeakS = true, BrailleS = true, ThrowS = false;
    std::vector<bool> ActiveAnswers;  // taken first, one per question
    int ActiveAsked = 0;

private:
    std::vector<std::u16string>& FLog;
};

class TFakePlatform : public TTolkPlatform {
public:
    TComInit InitializeCom() override {
        if (NextInit != TComInit::Failed) ++ComCount;
        return NextInit;
    }
    void UninitializeCom() override { --ComCount; }
    std::unique_ptr<TScreenReaderDriver> CreateJAWS() override {
        auto driver = std::make_unique<TFakeDriver>(u"JAWS", Log);
        JAWS = driver.get();
        return driver;
    }
    std::unique_ptr<TScreenReaderDriver> CreateNVDA() override {
        auto driver = std::make_unique<TFakeDriver>(u"NVDA", Log);
        NVDA = driver.get();
        return driver;
    }

    TComInit NextInit = TComInit::Initialised;
    int ComCount = 0;  // initialisations not yet balanced
    TFakeDriver* JAWS = nullptr;
    TFakeDriver* NVDA = nullptr;
    std::vector<std::u16string> Log;
};

TEST(ScreenReader, JawsBrailleScriptQuotesTheTextWithDoubleQuotesMadeSingle) {
    const struct {
        std::u16string text, script;
    } rows[] = {
        {u"Farbe", u"BrailleString(\"Farbe\")"},
        {u"Schrift \"Arial\"", u"BrailleString(\"Schrift 'Arial'\")"},
        {u"\"\"", u"BrailleString(\"''\")"},
        {u"Größe (8 bis 72) 'x'", u"BrailleString(\"Größe (8 bis 72) 'x'\")"},
        {u"%s %d", u"BrailleString(\"%s %d\")"},
    };
    for (const auto& row : rows) EXPECT_EQ(JawsBrailleScript(row.text), row.script);
}

TEST(ScreenReader, JawsCallSucceedsOnlyWithNonNegativeStatusAndTrueResult) {
    EXPECT_TRUE(JawsCallSucceeded(0, true, kComTrue));
    EXPECT_TRUE(JawsCallSucceeded(1, true, kComTrue));
    EXPECT_FALSE(JawsCallSucceeded(0, true, 0));
    EXPECT_FALSE(JawsCallSucceeded(0, true, 1));  // only -1 is true
    EXPECT_FALSE(JawsCallSucceeded(-2147467259, true, kComTrue));
    EXPECT_TRUE(JawsCallSucceeded(0, false, 0));
    EXPECT_FALSE(JawsCallSucceeded(-1, false, 0));
}

TEST(ScreenReader, OutputGoesToJawsWhenBothRunAndToNvdaWhenOnlyItRuns) {
    TFakePlatform platform;
    TTolkSRD tolk(platform);
    tolk.Load();
    platform.JAWS->ActiveS = platform.NVDA->ActiveS = true;
    EXPECT_EQ(tolk.DetectScreenReader(), u"JAWS");
    EXPECT_TRUE(tolk.Output(u"Farbe", false));
    EXPECT_EQ(platform.Log, (std::vector<std::u16string>{u"JAWS speak Farbe", u"JAWS braille Farbe"}));
    EXPECT_TRUE(tolk.HasSpeech());
    EXPECT_FALSE(tolk.HasBraille());

    platform.Log.clear();
    platform.JAWS->ActiveS = false;
    EXPECT_TRUE(tolk.Braille(u"x"));
    EXPECT_EQ(platform.Log, (std::vector<std::u16string>{u"NVDA braille x"}));
}

TEST(ScreenReader, OutputIsTrueWhenEitherHalfSucceededAndAlwaysTriesBoth) {
    TFakePlatform platform;
    TTolkSRD tolk(platform);
    tolk.Load();
    platform.NVDA->ActiveS = true;
    platform.NVDA->SpeakS = false;
    EXPECT_TRUE(tolk.Output(u"a", true));
    platform.NVDA->BrailleS = false;
    EXPECT_FALSE(tolk.Output(u"b", true));
    EXPECT_EQ(platform.Log.size(), 4u);
}

TEST(ScreenReader, NothingIsCalledWithoutScreenReaderOrText) {
    TFakePlatform platform;
    TTolkSRD tolk(platform);
    EXPECT_FALSE(tolk.Output(u"vor Load", false));
    EXPECT_EQ(tolk.DetectScreenReader(), u"");
    tolk.Load();
    EXPECT_FALSE(tolk.Output(u"Farbe", false));
    EXPECT_FALSE(tolk.Speak(u"Farbe", false));
    EXPECT_FALSE(tolk.Silence());
    EXPECT_FALSE(tolk.HasSpeech());

    platform.JAWS->ActiveS = true;
    platform.JAWS->ActiveAsked = 0;
    EXPECT_FALSE(tolk.Output(u"", false));
    EXPECT_FALSE(tolk.Speak(u"", true));
    EXPECT_FALSE(tolk.Braille(u""));
    EXPECT_EQ(platform.JAWS->ActiveAsked, 0);  // an empty text looks for nobody
    EXPECT_TRUE(platform.Log.empty());
}

TEST(ScreenReader, DetectionDropsAReaderThatStopsBetweenTheTwoQuestionsOrThrows) {
    TFakePlatform platform;
    TTolkSRD tolk(platform);
    tolk.Load();
    platform.JAWS->ActiveAnswers = {true, false};
    EXPECT_FALSE(tolk.Output(u"a", false));
    platform.NVDA->ActiveS = true;
    platform.NVDA->ThrowS = true;
    EXPECT_EQ(tolk.DetectScreenReader(), u"");
    EXPECT_FALSE(tolk.Output(u"b", false));
    EXPECT_TRUE(platform.Log.empty());
}

TEST(ScreenReader, LoadKeepsAtMostOneComInitialisationAndUnloadBalancesIt) {
    using TComInit = TTolkPlatform::TComInit;
    const struct {
        TComInit first, second;
        int heldWhileLoaded;
    } rows[] = {
        {TComInit::Initialised, TComInit::AlreadyInitialised, 1},
        {TComInit::AlreadyInitialised, TComInit::AlreadyInitialised, 0},
        {TComInit::Failed, TComInit::Failed, 0},
        {TComInit::Failed, TComInit::Initialised, 1},
        {TComInit::Initialised, TComInit::Initialised, 1},
    };
    for (const auto& row : rows) {
        TFakePlatform platform;
        {
            TTolkSRD tolk(platform);
            platform.NextInit = row.first;
            tolk.Load();
            platform.NextInit = row.second;
            tolk.Load();  // a second Load adds no drivers
            EXPECT_EQ(platform.ComCount, row.heldWhileLoaded);
            EXPECT_TRUE(tolk.IsLoaded());
            tolk.Unload();
            EXPECT_FALSE(tolk.IsLoaded());
            tolk.Unload();
            EXPECT_EQ(platform.ComCount, 0);
        }
        EXPECT_EQ(platform.ComCount, 0);
        EXPECT_EQ(platform.Log, (std::vector<std::u16string>{u"JAWS freed", u"NVDA freed"}));
    }
}

}  // namespace
