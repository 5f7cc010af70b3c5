// A small family of Windows hook classes. Each hook object has its own
// hook procedure (one of a fixed set of static entry points), so that the
// system's call reaches exactly the object that installed it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string_view>

namespace korvalin {

struct THookMsg {
    std::int32_t Code;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

class TCustomHook;
using THookNotify = std::function<void(TCustomHook& Hook, THookMsg& Hookmsg)>;

class TCustomHook {
public:
    TCustomHook();
    TCustomHook(const TCustomHook&) = delete;
    TCustomHook& operator=(const TCustomHook&) = delete;
    virtual ~TCustomHook();

    bool Active() const { return FActive; }
    HHOOK Handle() const { return FHook; }
    // Installs or removes the hook; throws EKorvalin when installing fails.
    void SetActive(bool value);
    DWORD ThreadID() const { return FThreadID; }
    void SetThreadID(DWORD value);

    void SetOnPreExecute(THookNotify handler) { FOnPreExecute = std::move(handler); }
    void SetOnPostExecute(THookNotify handler) { FOnPostExecute = std::move(handler); }

    // Runs one event through the handlers; never throws.
    LRESULT HandleHookMsg(THookMsg& Hookmsg) noexcept;

protected:
    virtual std::u16string_view ClassName() const { return u"TCustomHook"; }
    virtual void PreExecute(THookMsg& Hookmsg, bool& Handled);
    virtual void PostExecute(THookMsg& Hookmsg);
    virtual void HookDone() {}
    virtual HHOOK AllocateHook() = 0;

    HOOKPROC FHookProc = nullptr;

private:
    LRESULT CallNext(const THookMsg& Hookmsg) const;

    HHOOK FHook = nullptr;
    THookNotify FOnPreExecute;
    THookNotify FOnPostExecute;
    bool FActive = false;
    bool FLoadedActive = false;
    DWORD FThreadID = 0;
    int FSlot = -1;
};

class THook : public TCustomHook {};

class TLowLevelKeyboardHook : public THook {
public:
    // The event being handled; valid only during a handler call.
    const KBDLLHOOKSTRUCT* HookStruct() const { return FHookStruct; }

protected:
    std::u16string_view ClassName() const override { return u"TLowLevelKeyboardHook"; }
    void PreExecute(THookMsg& Hookmsg, bool& Handled) override;
    void PostExecute(THookMsg& Hookmsg) override;
    void HookDone() override { FHookStruct = nullptr; }
    HHOOK AllocateHook() override;

private:
    const KBDLLHOOKSTRUCT* FHookStruct = nullptr;
};

}  // namespace korvalin
