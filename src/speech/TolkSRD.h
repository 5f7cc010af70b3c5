// The screen reader facade: finds the running screen reader (JAWS before
// NVDA) on every call and forwards the output to its driver.
#pragma once

#include "speech/ScreenReaderDriver.h"
#include "speech/ScreenReaderOutput.h"

#include <memory>
#include <string>

namespace korvalin {

// What the facade needs from the system: COM for the thread and the two
// drivers.
class TTolkPlatform {
public:
    enum class TComInit { Initialised, AlreadyInitialised, Failed };
    virtual ~TTolkPlatform() = default;
    // Initialises COM for the thread.
    virtual TComInit InitializeCom() = 0;
    virtual void UninitializeCom() = 0;
    virtual std::unique_ptr<TScreenReaderDriver> CreateJAWS() = 0;
    virtual std::unique_ptr<TScreenReaderDriver> CreateNVDA() = 0;
};

class TTolkSRD : public TScreenReaderOutput {
public:
    // With the Windows drivers.
    TTolkSRD();
    explicit TTolkSRD(TTolkPlatform& platform) : FPlatform(platform) {}
    ~TTolkSRD() override;
    TTolkSRD(const TTolkSRD&) = delete;
    TTolkSRD& operator=(const TTolkSRD&) = delete;

    void Load();
    void Unload();
    bool IsLoaded() const { return FIsLoaded; }

    // "JAWS", "NVDA" or empty when none runs.
    std::u16string DetectScreenReader();
    bool HasSpeech();
    bool HasBraille();
    bool Output(const std::u16string& S, bool Interrupt) override;
    bool Speak(const std::u16string& S, bool Interrupt);
    bool Braille(const std::u16string& S);
    bool IsSpeaking();
    bool Silence();
    bool Stop() { return Silence(); }

private:
    TTolkPlatform& FPlatform;
    bool FIsLoaded = false;
    bool FComHeldS = false;  // Load keeps one COM initialisation of its own
    std::unique_ptr<TScreenReaderDriver> FJAWS, FNVDA;
    TScreenReaderDriver* CurrentSRD = nullptr;
};

}  // namespace korvalin
