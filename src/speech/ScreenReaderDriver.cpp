#include "speech/ScreenReaderDriver.h"

#include "util/TextUtils.h"

namespace korvalin {

bool TScreenReaderDriver::SpeakAndBraille(const std::u16string& S, bool Interrupt) {
    const bool spokenS = Speak(S, Interrupt);
    const bool brailledS = Braille(S);
    return spokenS || brailledS;
}

std::u16string JawsBrailleScript(std::u16string_view S) {
    std::u16string text(S);
    for (char16_t& c : text)
        if (c == u'"') c = u'\'';
    return Format(u"BrailleString(\"%s\")", {std::u16string_view(text)});
}

bool JawsCallSucceeded(std::int32_t status, bool hasResult, std::int16_t result) {
    if (status < 0) return false;
    return !hasResult || result == kComTrue;
}

}  // namespace korvalin
