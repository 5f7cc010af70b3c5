#include "speech/ScreenReaderDriverJAWS.h"

#include "util/Win32Text.h"

#include <objbase.h>
#include <oleauto.h>

#include <algorithm>

namespace korvalin {

namespace {

const CLSID kJawsClassId = {0xCCE5B1E5, 0xB2ED, 0x45D5, {0xB0, 0x9F, 0x8E, 0xC5, 0x4B, 0x75, 0xAB, 0xF4}};
const IID kJawsApiId = {0x123DEDB4, 0x2CF6, 0x429C, {0xA2, 0xAB, 0xCC, 0x80, 0x9E, 0x55, 0x16, 0xCE}};

// A COM string argument that frees itself.
class TBStrArg {
public:
    explicit TBStrArg(const std::u16string& s)
        : FValue(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.data()), static_cast<UINT>(s.size()))) {}
    ~TBStrArg() { SysFreeString(FValue); }
    TBStrArg(const TBStrArg&) = delete;
    TBStrArg& operator=(const TBStrArg&) = delete;
    BSTR Get() const { return FValue; }

private:
    BSTR FValue;
};

}  // namespace

TScreenReaderDriverJAWS::TScreenReaderDriverJAWS(std::u16string AScreenReaderName, bool ASpeech, bool ABraille)
    : TScreenReaderDriver(std::move(AScreenReaderName), ASpeech, ABraille) {
    Connect();
}

TScreenReaderDriverJAWS::~TScreenReaderDriverJAWS() { Disconnect(); }

void TScreenReaderDriverJAWS::Connect() {
    // Only a successful initialisation is balanced later: one refused for a
    // different threading model must not take away another's.
    if (!FComHeldS) FComHeldS = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!Controller) {
        void* api = nullptr;
        if (FAILED(CoCreateInstance(kJawsClassId, nullptr, CLSCTX_INPROC_SERVER, kJawsApiId, &api))) api = nullptr;
        Controller = static_cast<IJawsApi*>(api);
    }
}

void TScreenReaderDriverJAWS::Disconnect() {
    if (Controller) {
        Controller->Release();
        Controller = nullptr;
    }
    if (FComHeldS) {
        FComHeldS = false;
        CoUninitialize();
    }
}

bool TScreenReaderDriverJAWS::IsActive() {
    if (!FindWindowW(L"JFWUI2", nullptr)) {
        Disconnect();
        return false;
    }
    if (!Controller) Connect();
    return Controller != nullptr;
}

bool TScreenReaderDriverJAWS::Call(const wchar_t* method, VARIANT* args, UINT count, bool hasResult) {
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(method);
    if (FAILED(Controller->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) return false;
    std::reverse(args, args + count);  // Invoke takes the last argument first
    DISPPARAMS params{args, nullptr, count, 0};
    VARIANT result;
    VariantInit(&result);
    const HRESULT status =
        Controller->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
    VARIANT asBool;
    VariantInit(&asBool);
    SHORT value = 0;
    if (SUCCEEDED(status) && hasResult && SUCCEEDED(VariantChangeType(&asBool, &result, 0, VT_BOOL)))
        value = V_BOOL(&asBool);
    VariantClear(&asBool);
    VariantClear(&result);
    return JawsCallSucceeded(status, hasResult, value);
}

bool TScreenReaderDriverJAWS::Speak(const std::u16string& S, bool Interrupt) {
    if (S.empty() || !Controller) return false;
    TBStrArg text(S);
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    V_VT(&args[0]) = VT_BSTR;
    V_BSTR(&args[0]) = text.Get();
    V_VT(&args[1]) = VT_BOOL;
    V_BOOL(&args[1]) = Interrupt ? VARIANT_TRUE : VARIANT_FALSE;
    return Call(L"SayString", args, 2, true);
}

bool TScreenReaderDriverJAWS::Braille(const std::u16string& S) {
    if (S.empty() || !Controller) return false;
    TBStrArg script(JawsBrailleScript(S));
    VARIANT arg;
    VariantInit(&arg);
    V_VT(&arg) = VT_BSTR;
    V_BSTR(&arg) = script.Get();
    return Call(L"RunFunction", &arg, 1, true);
}

bool TScreenReaderDriverJAWS::Silence() { return Controller && Call(L"StopSpeech", nullptr, 0, false); }

}  // namespace korvalin
