#include "app/Haupt.h"
#include "input/hooks.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace korvalin;
using korvalin::testing::PumpMessages;

namespace {

struct TSeenKey {
    WPARAM Message;
    DWORD VirtualKey;
    DWORD Flags;
};

void SendKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = WORD(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

// Lets the system call the hooks of this thread.
void Record(std::vector<TSeenKey>& seen, TCustomHook& hook, const THookMsg& message) {
    const KBDLLHOOKSTRUCT* info = static_cast<TLowLevelKeyboardHook&>(hook).HookStruct();
    seen.push_back({message.WParam, info ? info->vkCode : 0, info ? info->flags : 0});
}

}  // namespace

TEST(Hooks, InstalledHookSeesKeyEventsWithTheirDataAndRemovingItStopsThem) {
    TLowLevelKeyboardHook hook;
    std::vector<TSeenKey> seen;
    hook.SetOnPreExecute([&](TCustomHook& h, THookMsg& message) { Record(seen, h, message); });
    EXPECT_FALSE(hook.Active());
    hook.SetActive(true);
    ASSERT_TRUE(hook.Active());

    SendKey(VK_F13, false);
    SendKey(VK_F13, true);
    PumpMessages(100);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Message, WPARAM(WM_KEYDOWN));
    EXPECT_EQ(seen[1].Message, WPARAM(WM_KEYUP));
    EXPECT_EQ(seen[0].VirtualKey, DWORD(VK_F13));
    EXPECT_TRUE(seen[0].Flags & LLKHF_INJECTED);

    hook.SetActive(false);
    EXPECT_FALSE(hook.Active());
    SendKey(VK_F13, false);
    SendKey(VK_F13, true);
    PumpMessages(100);
    EXPECT_EQ(seen.size(), 2u);
}

TEST(Hooks, EachHookObjectReceivesTheEventsThroughItsOwnProcedure) {
    TLowLevelKeyboardHook first, second;
    std::vector<TSeenKey> seenFirst, seenSecond;
    first.SetOnPreExecute([&](TCustomHook& h, THookMsg& message) { Record(seenFirst, h, message); });
    second.SetOnPreExecute([&](TCustomHook& h, THookMsg& message) { Record(seenSecond, h, message); });
    first.SetActive(true);
    second.SetActive(true);
    SendKey(VK_F14, false);
    SendKey(VK_F14, true);
    PumpMessages(100);
    EXPECT_EQ(seenFirst.size(), 2u);
    EXPECT_EQ(seenSecond.size(), 2u);
}

TEST(Hooks, SwallowedEventSkipsTheAfterHandlerAndAFailingHandlerPassesTheEvent) {
    TLowLevelKeyboardHook hook;
    int after = 0;
    bool throwNext = false;
    hook.SetOnPreExecute([&](TCustomHook&, THookMsg& message) {
        if (throwNext) throw std::runtime_error("handler failed");
        message.Result = message.WParam == WM_KEYDOWN ? 1 : 0;
    });
    hook.SetOnPostExecute([&](TCustomHook& h, THookMsg&) {
        EXPECT_NE(static_cast<TLowLevelKeyboardHook&>(h).HookStruct(), nullptr);
        ++after;
    });
    hook.SetActive(true);
    SendKey(VK_F15, false);
    SendKey(VK_F15, true);
    PumpMessages(100);
    EXPECT_EQ(after, 1);  // only the key-up was passed on

    throwNext = true;
    SendKey(VK_F15, false);
    PumpMessages(100);
    EXPECT_EQ(after, 1);
    EXPECT_TRUE(hook.Active());
    SendKey(VK_F15, true);
    PumpMessages(100);
}

TEST(Hooks, HookStructIsOnlyValidDuringAHandlerCall) {
    TLowLevelKeyboardHook hook;
    const KBDLLHOOKSTRUCT* during = nullptr;
    hook.SetOnPreExecute([&](TCustomHook& h, THookMsg&) { during = static_cast<TLowLevelKeyboardHook&>(h).HookStruct(); });
    hook.SetActive(true);
    SendKey(VK_F16, false);
    SendKey(VK_F16, true);
    PumpMessages(100);
    EXPECT_NE(during, nullptr);
    EXPECT_EQ(hook.HookStruct(), nullptr);
}

// The system may remove a hook that timed out without a word; the keys then
// reach the editor as key presses.
TEST(Hooks, ADotKeyTheRemovedHookMissedGoesIntoTheChordAndTheHookIsInstalledAgain) {
    korvalin::testing::TProgramFolder folder;
    folder.Write("Tabellen\\Standard.tab", "Standard\r\n1=97\r\n");
    TForm1 form(folder.Folder());
    form.OnMessageDlg = [](const std::u16string&, UINT) { return IDOK; };
    form.Show(SW_SHOW);
    SetForegroundWindow(form.Handle());
    PumpMessages(100);
    form.RichEdit1.SetFocus();
    ASSERT_TRUE(form.HookS());
    const HHOOK removed = form.KeyboardHook()->Handle();
    ASSERT_TRUE(UnhookWindowsHookEx(removed));

    SendKey('F', false);
    SendKey('F', true);
    PumpMessages(200, true);
    EXPECT_EQ(form.RichEdit1.Text(), u"a");  // the chord of dot 1, not the letter
    EXPECT_TRUE(form.HookS());
    EXPECT_NE(form.KeyboardHook()->Handle(), removed);
    SendKey('F', false);  // injected: the new hook lets it be typed
    SendKey('F', true);
    PumpMessages(200, true);
    EXPECT_EQ(form.RichEdit1.Text(), u"af");
}
