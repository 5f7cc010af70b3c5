// JAWS, driven through its COM automation object.
#pragma once

#include "speech/ScreenReaderDriver.h"

#include <oaidl.h>

namespace korvalin {

// The automation object's dual interface IJawsApi; its methods are called
// by name through the dispatch part.
using IJawsApi = IDispatch;

class TScreenReaderDriverJAWS : public TScreenReaderDriver {
public:
    TScreenReaderDriverJAWS(std::u16string AScreenReaderName, bool ASpeech, bool ABraille);
    ~TScreenReaderDriverJAWS() override;

    bool Speak(const std::u16string& S, bool Interrupt) override;
    bool Braille(const std::u16string& S) override;
    bool IsSpeaking() override { return false; }
    bool Silence() override;
    bool IsActive() override;
    bool Output(const std::u16string& S, bool Interrupt) override { return SpeakAndBraille(S, Interrupt); }

    IJawsApi* Controller = nullptr;

private:
    void Connect();
    void Disconnect();
    // Calls a method of Controller by name; args in the method's order.
    bool Call(const wchar_t* method, VARIANT* args, UINT count, bool hasResult);

    bool FComHeldS = false;  // a COM initialisation of this driver's own
};

}  // namespace korvalin
