#include "input/hooks.h"

#include "app/ResConst.h"
#include "util/Errors.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <array>
#include <utility>

namespace korvalin {

namespace {

// The system calls a hook procedure without an object; each slot is a static
// entry point bound to the hook object that occupies it.
constexpr int kHookSlots = 8;
std::array<TCustomHook*, kHookSlots> gHookSlots{};

template <int Slot>
LRESULT CALLBACK SlotHookProc(int code, WPARAM wParam, LPARAM lParam) {
    THookMsg message{code, wParam, lParam, 0};
    if (TCustomHook* hook = gHookSlots[Slot]) return hook->HandleHookMsg(message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

template <int... Slots>
constexpr std::array<HOOKPROC, kHookSlots> MakeSlotProcs(std::integer_sequence<int, Slots...>) {
    return {&SlotHookProc<Slots>...};
}
constexpr auto kSlotProcs = MakeSlotProcs(std::make_integer_sequence<int, kHookSlots>());

}  // namespace

TCustomHook::TCustomHook() : FThreadID(GetCurrentThreadId()) {
    for (int slot = 0; slot < kHookSlots; ++slot) {
        if (!gHookSlots[slot]) {
            gHookSlots[slot] = this;
            FSlot = slot;
            FHookProc = kSlotProcs[slot];
            return;
        }
    }
    throw EKorvalin(std::u16string(texts::HookSlotsExhausted));
}

TCustomHook::~TCustomHook() {
    if (FHook) UnhookWindowsHookEx(FHook);
    gHookSlots[FSlot] = nullptr;
}

void TCustomHook::SetActive(bool value) {
    if (value == FActive) return;
    if (!value) {
        if (FHook) UnhookWindowsHookEx(FHook);
        FHook = nullptr;
        FActive = false;
        return;
    }
    SetLastError(0);
    const HHOOK handle = AllocateHook();
    if (!handle) {
        const DWORD code = GetLastError();
        FHook = nullptr;
        FActive = false;
        const std::u16string_view name = ClassName();
        if (code == 0) throw EKorvalin(std::u16string(name) + std::u16string(texts::HookCreationFailed));
        throw EKorvalin(Format(texts::HookCreationFailedOs, {name, std::int64_t(code), SysErrorMessage(code)}));
    }
    FHook = handle;
    FActive = true;
}

void TCustomHook::SetThreadID(DWORD value) {
    const bool wasActive = FActive;
    SetActive(false);
    FThreadID = value;
    SetActive(wasActive);
}

LRESULT TCustomHook::CallNext(const THookMsg& Hookmsg) const {
    return CallNextHookEx(FHook, Hookmsg.Code, Hookmsg.WParam, Hookmsg.LParam);
}

LRESULT TCustomHook::HandleHookMsg(THookMsg& Hookmsg) noexcept {
    if (Hookmsg.Code < 0) {
        Hookmsg.Result = CallNext(Hookmsg);
    } else {
        bool handled = false;
        bool failed = false;
        try {
            PreExecute(Hookmsg, handled);
        } catch (...) {
            failed = true;
        }
        if (failed || !handled) Hookmsg.Result = CallNext(Hookmsg);
        if (!failed && !handled) {
            try {
                PostExecute(Hookmsg);
            } catch (...) {
            }
        }
    }
    try {
        HookDone();
    } catch (...) {
    }
    return Hookmsg.Result;
}

void TCustomHook::PreExecute(THookMsg& Hookmsg, bool& Handled) {
    if (FOnPreExecute) FOnPreExecute(*this, Hookmsg);
    Handled = Hookmsg.Result != 0;
}

void TCustomHook::PostExecute(THookMsg& Hookmsg) {
    if (FOnPostExecute) FOnPostExecute(*this, Hookmsg);
}

void TLowLevelKeyboardHook::PreExecute(THookMsg& Hookmsg, bool& Handled) {
    FHookStruct = reinterpret_cast<const KBDLLHOOKSTRUCT*>(Hookmsg.LParam);
    THook::PreExecute(Hookmsg, Handled);
}

void TLowLevelKeyboardHook::PostExecute(THookMsg& Hookmsg) {
    THook::PostExecute(Hookmsg);
    FHookStruct = nullptr;
}

HHOOK TLowLevelKeyboardHook::AllocateHook() {
    return SetWindowsHookExW(WH_KEYBOARD_LL, FHookProc, GetModuleHandleW(nullptr), 0);
}

}  // namespace korvalin
