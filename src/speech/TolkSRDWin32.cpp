// The facade with the Windows drivers.
#include "speech/ScreenReaderDriverJAWS.h"
#include "speech/ScreenReaderDriverNVDA.h"
#include "speech/TolkSRD.h"

#include <objbase.h>

namespace korvalin {

namespace {

class TWin32TolkPlatform : public TTolkPlatform {
public:
    // Apartment-threaded: the facade lives on the GUI thread, whose rich
    // edit needs a single-threaded apartment for the OLE clipboard; a
    // multithreaded one taken first would make cut and paste fail there.
    TComInit InitializeCom() override {
        const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (result == S_OK) return TComInit::Initialised;
        return SUCCEEDED(result) ? TComInit::AlreadyInitialised : TComInit::Failed;
    }
    void UninitializeCom() override { CoUninitialize(); }
    std::unique_ptr<TScreenReaderDriver> CreateJAWS() override {
        return std::make_unique<TScreenReaderDriverJAWS>(u"JAWS", true, true);
    }
    std::unique_ptr<TScreenReaderDriver> CreateNVDA() override {
        return std::make_unique<TScreenReaderDriverNVDA>(u"NVDA", true, true);
    }
};

TWin32TolkPlatform Win32TolkPlatform;

}  // namespace

TTolkSRD::TTolkSRD() : TTolkSRD(Win32TolkPlatform) {}

}  // namespace korvalin
