#include "app/Haupt.h"
#include "util/LxUtils.h"

#include <gtest/gtest.h>

#include <chrono>

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
