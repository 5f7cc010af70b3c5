// A driver for one screen reader: speech and braille output of short texts.
#pragma once

#include <cstdint>
#include <string>

namespace korvalin {

class TScreenReaderDriver {
public:
    TScreenReaderDriver(std::u16string AScreenReaderName, bool ASpeech, bool ABraille)
        : FName(std::move(AScreenReaderName)), FHasSpeech(ASpeech), FHasBraille(ABraille) {}
    virtual ~TScreenReaderDriver() = default;
    TScreenReaderDriver(const TScreenReaderDriver&) = delete;
    TScreenReaderDriver& operator=(const TScreenReaderDriver&) = delete;

    const std::u16string& Name() const { return FName; }
    bool HasSpeech() const { return FHasSpeech; }
    bool HasBraille() const { return FHasBraille; }

    // Speaks S, first cutting off current speech when Interrupt.
    virtual bool Speak(const std::u16string& S, bool Interrupt) = 0;
    // Shows S on the braille display.
    virtual bool Braille(const std::u16string& S) = 0;
    virtual bool IsSpeaking() = 0;
    // Stops speech.
    virtual bool Silence() = 0;
    // The screen reader runs and can be driven.
    virtual bool IsActive() = 0;
    // Speaks and brailles S.
    virtual bool Output(const std::u16string& S, bool Interrupt) = 0;

protected:
    // Speak, then Braille, always both: true when either took the text.
    bool SpeakAndBraille(const std::u16string& S, bool Interrupt);

private:
    std::u16string FName;
    bool FHasSpeech = false;
    bool FHasBraille = false;
};

// The JAWS script call that shows S on the braille display: BrailleString
// with the text between double quotation marks, each double quotation mark
// of S turned into a single one.
std::u16string JawsBrailleScript(std::u16string_view S);

// A JAWS automation call succeeded: its status is not negative and, for a
// call with a result, the COM Boolean result is true (-1).
constexpr std::int16_t kComTrue = -1;
bool JawsCallSucceeded(std::int32_t status, bool hasResult, std::int16_t result);

}  // namespace korvalin
