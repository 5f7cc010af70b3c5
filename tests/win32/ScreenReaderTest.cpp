#include "speech/ScreenReaderDriverJAWS.h"
#include "speech/ScreenReaderDriverNVDA.h"
#include "speech/TolkSRD.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <string>
#include <thread>

using namespace korvalin;
using korvalin::testing::TFakeReaderWindow;

namespace {

// The calls the stand-in controller library recorded.
class ScreenReaderNvdaTest : public ::testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableW(L"KORVALIN_NVDA_CANCEL_FAILS", nullptr); }
    void TearDown() override { SetEnvironmentVariableW(L"KORVALIN_NVDA_CANCEL_FAILS", nullptr); }
    std::string Calls() { return FCalls.Take(); }

    korvalin::testing::TNvdaCalls FCalls;
};

TEST_F(ScreenReaderNvdaTest, LibraryIsFoundByNameWithAllFourEntryPoints) {
    TScreenReaderDriverNVDA driver(u"NVDA", true, true);
    ASSERT_NE(driver.Controller, nullptr);
    EXPECT_NE(driver.nvdaController_speakText, nullptr);
    EXPECT_NE(driver.nvdaController_brailleMessage, nullptr);
    EXPECT_NE(driver.nvdaController_cancelSpeech, nullptr);
    EXPECT_NE(driver.nvdaController_testIfRunning, nullptr);
}

TEST_F(ScreenReaderNvdaTest, OutputReachesSpeechAndBrailleOnlyWhileTheNvdaWindowExists) {
    TTolkSRD tolk;
    tolk.Load();
    EXPECT_EQ(tolk.DetectScreenReader(), u"");
    EXPECT_FALSE(tolk.Output(u"Breite (0 bis 99)", false));
    EXPECT_EQ(Calls(), "");
    {
        TFakeReaderWindow wrongTitle(L"wxWindowClassNR", L"Anderes");
        EXPECT_FALSE(tolk.Output(u"Farbe", false));
        EXPECT_EQ(Calls(), "");
    }
    {
        TFakeReaderWindow window(L"wxWindowClassNR", L"NVDA");
        ASSERT_NE(window.Handle(), nullptr);
        EXPECT_EQ(tolk.DetectScreenReader(), u"NVDA");
        EXPECT_TRUE(tolk.Output(u"Größe (8 bis 72) \"x\"", false));
        EXPECT_EQ(Calls(), "speakText:Größe (8 bis 72) \"x\"\nbrailleMessage:Größe (8 bis 72) \"x\"\n");
        EXPECT_TRUE(tolk.Output(u"Farbe", true));
        EXPECT_EQ(Calls(), "cancelSpeech\nspeakText:Farbe\nbrailleMessage:Farbe\n");
        EXPECT_FALSE(tolk.Output(u"", true));
        EXPECT_EQ(Calls(), "");
    }
    EXPECT_FALSE(tolk.Output(u"Farbe", false));
    EXPECT_EQ(Calls(), "");
    tolk.Unload();
}

TEST_F(ScreenReaderNvdaTest, InterruptedSpeechSaysNothingWhenCancellingFails) {
    TFakeReaderWindow window(L"wxWindowClassNR", L"NVDA");
    TScreenReaderDriverNVDA driver(u"NVDA", true, true);
    SetEnvironmentVariableW(L"KORVALIN_NVDA_CANCEL_FAILS", L"1");
    EXPECT_FALSE(driver.Speak(u"Farbe", true));
    EXPECT_EQ(Calls(), "cancelSpeech\n");
    EXPECT_TRUE(driver.Output(u"Farbe", true));  // the braille half still arrives
    EXPECT_EQ(Calls(), "cancelSpeech\nbrailleMessage:Farbe\n");
    EXPECT_TRUE(driver.Speak(u"Farbe", false));
    EXPECT_EQ(Calls(), "speakText:Farbe\n");
}

// Without a JAWS automation server nothing can be driven, with or without
// its window, and every COM initialisation is balanced again.
TEST(ScreenReaderJaws, AbsentJawsTakesNothingAndLeavesComBalanced) {
    HRESULT afterwards = E_FAIL;
    std::thread worker([&afterwards] {
        {
            TTolkSRD tolk;
            tolk.Load();
            TScreenReaderDriverJAWS driver(u"JAWS", true, true);
            EXPECT_EQ(driver.Controller, nullptr);
            EXPECT_FALSE(driver.IsActive());
            EXPECT_FALSE(driver.Output(u"Farbe", false));
            EXPECT_FALSE(driver.Silence());
            for (int i = 0; i < 3; ++i) {
                TFakeReaderWindow window(L"JFWUI2", L"JAWS");
                EXPECT_FALSE(driver.IsActive());
                EXPECT_FALSE(tolk.Output(u"Farbe", false));
                EXPECT_EQ(tolk.DetectScreenReader(), u"");
            }
            EXPECT_FALSE(driver.IsActive());
            // the facade's own initialisation is still there: no driver took it away
            const HRESULT whileLoaded = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            EXPECT_EQ(whileLoaded, S_FALSE);
            if (SUCCEEDED(whileLoaded)) CoUninitialize();
            tolk.Unload();
        }
        afterwards = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(afterwards)) CoUninitialize();
    });
    worker.join();
    EXPECT_EQ(afterwards, S_OK);  // S_FALSE would mean an initialisation was left over
}

}  // namespace
