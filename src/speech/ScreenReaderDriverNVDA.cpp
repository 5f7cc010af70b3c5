#include "speech/ScreenReaderDriverNVDA.h"

#include "util/LxUtils.h"
#include "util/Win32Text.h"

namespace korvalin {

namespace {

template <class TCall>
TCall EntryPoint(HMODULE module, const char* name) {
    return reinterpret_cast<TCall>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

TScreenReaderDriverNVDA::TScreenReaderDriverNVDA(std::u16string AScreenReaderName, bool ASpeech, bool ABraille)
    : TScreenReaderDriver(std::move(AScreenReaderName), ASpeech, ABraille) {
    Controller = LoadProgramLibrary(u"nvdaControllerClient32.dll");
    if (!Controller) return;
    nvdaController_speakText = EntryPoint<TTextCall>(Controller, "nvdaController_speakText");
    nvdaController_brailleMessage = EntryPoint<TTextCall>(Controller, "nvdaController_brailleMessage");
    nvdaController_cancelSpeech = EntryPoint<TPlainCall>(Controller, "nvdaController_cancelSpeech");
    nvdaController_testIfRunning = EntryPoint<TPlainCall>(Controller, "nvdaController_testIfRunning");
}

TScreenReaderDriverNVDA::~TScreenReaderDriverNVDA() {
    if (Controller) FreeLibrary(Controller);
}

bool TScreenReaderDriverNVDA::IsActive() {
    return nvdaController_testIfRunning && FindWindowW(L"wxWindowClassNR", L"NVDA") &&
           nvdaController_testIfRunning() == 0;
}

bool TScreenReaderDriverNVDA::Speak(const std::u16string& S, bool Interrupt) {
    if (Interrupt && !Silence()) return false;
    if (S.empty() || !nvdaController_speakText) return false;
    return nvdaController_speakText(WStr(S)) == 0;
}

bool TScreenReaderDriverNVDA::Braille(const std::u16string& S) {
    return nvdaController_brailleMessage && nvdaController_brailleMessage(WStr(S)) == 0;
}

bool TScreenReaderDriverNVDA::Silence() { return nvdaController_cancelSpeech && nvdaController_cancelSpeech() == 0; }

}  // namespace korvalin
