#include "speech/TolkSRD.h"

namespace korvalin {

TTolkSRD::~TTolkSRD() { Unload(); }

void TTolkSRD::Load() {
    const auto result = FPlatform.InitializeCom();
    if (result == TTolkPlatform::TComInit::AlreadyInitialised ||
        (result == TTolkPlatform::TComInit::Initialised && FComHeldS))
        FPlatform.UninitializeCom();
    else if (result == TTolkPlatform::TComInit::Initialised)
        FComHeldS = true;
    if (FIsLoaded) return;
    FJAWS = FPlatform.CreateJAWS();
    FNVDA = FPlatform.CreateNVDA();
    CurrentSRD = nullptr;
    FIsLoaded = true;
}

void TTolkSRD::Unload() {
    if (!FIsLoaded) return;
    CurrentSRD = nullptr;
    std::unique_ptr<TScreenReaderDriver> driver = std::move(FJAWS);
    driver.reset();
    driver = std::move(FNVDA);
    driver.reset();
    FIsLoaded = false;
    if (FComHeldS) {
        FComHeldS = false;
        FPlatform.UninitializeCom();
    }
}

std::u16string TTolkSRD::DetectScreenReader() {
    if (!FIsLoaded) return {};
    try {
        if (FJAWS && FJAWS->IsActive())
            CurrentSRD = FJAWS.get();
        else if (FNVDA && FNVDA->IsActive())
            CurrentSRD = FNVDA.get();
        else
            CurrentSRD = nullptr;
        if (CurrentSRD && CurrentSRD->IsActive()) return CurrentSRD->Name();
    } catch (...) {
    }
    CurrentSRD = nullptr;
    return {};
}

bool TTolkSRD::HasSpeech() { return !DetectScreenReader().empty() && CurrentSRD->HasSpeech(); }

bool TTolkSRD::HasBraille() { return !DetectScreenReader().empty() && CurrentSRD->HasBraille(); }

bool TTolkSRD::Output(const std::u16string& S, bool Interrupt) {
    if (S.empty() || DetectScreenReader().empty()) return false;
    return CurrentSRD->Output(S, Interrupt);
}

bool TTolkSRD::Speak(const std::u16string& S, bool Interrupt) {
    if (S.empty() || DetectScreenReader().empty()) return false;
    return CurrentSRD->Speak(S, Interrupt);
}

bool TTolkSRD::Braille(const std::u16string& S) {
    if (S.empty() || DetectScreenReader().empty()) return false;
    return CurrentSRD->Braille(S);
}

bool TTolkSRD::IsSpeaking() { return !DetectScreenReader().empty() && CurrentSRD->IsSpeaking(); }

bool TTolkSRD::Silence() { return !DetectScreenReader().empty() && CurrentSRD->Silence(); }

}  // namespace korvalin
