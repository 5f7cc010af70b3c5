// NVDA, driven through its controller client library.
#pragma once

#include "speech/ScreenReaderDriver.h"

#include <windows.h>

namespace korvalin {

class TScreenReaderDriverNVDA : public TScreenReaderDriver {
public:
    using TTextCall = unsigned long(__stdcall*)(const wchar_t*);
    using TPlainCall = unsigned long(__stdcall*)();

    TScreenReaderDriverNVDA(std::u16string AScreenReaderName, bool ASpeech, bool ABraille);
    ~TScreenReaderDriverNVDA() override;

    bool Speak(const std::u16string& S, bool Interrupt) override;
    bool Braille(const std::u16string& S) override;
    bool IsSpeaking() override { return false; }
    bool Silence() override;
    bool IsActive() override;
    bool Output(const std::u16string& S, bool Interrupt) override { return SpeakAndBraille(S, Interrupt); }

    HMODULE Controller = nullptr;
    TTextCall nvdaController_speakText = nullptr;
    TTextCall nvdaController_brailleMessage = nullptr;
    TPlainCall nvdaController_cancelSpeech = nullptr;
    TPlainCall nvdaController_testIfRunning = nullptr;
};

}  // namespace korvalin
