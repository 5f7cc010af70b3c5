#include "util/DialogForm.h"
#include "util/Errors.h"
#include "util/LxRtfRef.h"
#include "util/Wnd.h"

#include <gtest/gtest.h>

using namespace korvalin;

namespace {

class TFailingWnd : public TWnd {
public:
    void Create() { CreateWnd(L"TFailingWnd", TCreateArgs{}); }
    TCreateArgs ChildArgs() const {
        TCreateArgs args;
        args.Parent = Handle();
        args.Style = WS_CHILD | WS_VISIBLE;
        args.X = args.Y = 0;
        args.Width = args.Height = 50;
        return args;
    }
    std::u16string Reported;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) throw EKorvalin(u"Fehler im Befehl");
        if (message == WM_APP + 1) throw std::runtime_error("foreign");
        return TWnd::WndProc(message, wParam, lParam);
    }
    void HandleException(const std::exception& error) override {
        const auto* own = dynamic_cast<const EKorvalin*>(&error);
        Reported = own ? own->Message() : u"foreign";
    }
};

}  // namespace

TEST(Wnd, ErrorsInAMessageHandlerAreReportedAndNeverLeaveTheWindowProcedure) {
    TFailingWnd window;
    window.Create();
    EXPECT_EQ(SendMessageW(window.Handle(), WM_APP, 0, 0), 0);
    EXPECT_EQ(window.Reported, u"Fehler im Befehl");
    EXPECT_EQ(SendMessageW(window.Handle(), WM_APP + 1, 0, 0), 0);
    EXPECT_EQ(window.Reported, u"foreign");
    // the window goes on working
    EXPECT_TRUE(SetWindowTextW(window.Handle(), L"weiter"));
    wchar_t text[16] = {};
    GetWindowTextW(window.Handle(), text, 16);
    EXPECT_STREQ(text, L"weiter");
}

TEST(Wnd, ErrorsInAControlsKeyAndPasteHandlersAreReportedByItsWindowAndGoNoFurther) {
    TFailingWnd window;
    window.Create();
    TRichEdit edit;
    edit.Create(window.ChildArgs());
    edit.OnKeyDown = [](WORD&) { throw EKorvalin(u"OnKeyDown"); };
    edit.OnKeyPress = [](wchar_t&) { throw EKorvalin(u"OnKeyPress"); };
    edit.OnPaste = []() -> bool { throw std::runtime_error("foreign"); };
    TDialogEdit dialogEdit;
    dialogEdit.Create(window.ChildArgs());
    dialogEdit.OnPaste = [] { throw EKorvalin(u"Einfügen"); };
    const struct {
        HWND Control;
        UINT Message;
        WPARAM WParam;
        const char16_t* Reported;
    } rows[] = {
        {edit.Handle(), WM_KEYDOWN, 'A', u"OnKeyDown"},
        {edit.Handle(), WM_CHAR, 'a', u"OnKeyPress"},
        {edit.Handle(), WM_PASTE, 0, u"foreign"},
        {dialogEdit.Handle(), WM_PASTE, 0, u"Einfügen"},
        {dialogEdit.Handle(), WM_CHAR, 0x16, u"Einfügen"},  // Ctrl+V
    };
    for (const auto& row : rows) {
        window.Reported.clear();
        EXPECT_EQ(SendMessageW(row.Control, row.Message, row.WParam, 0), 0) << "row " << &row - rows;
        EXPECT_EQ(window.Reported, row.Reported);
    }
    // the key never reached the control
    EXPECT_EQ(edit.Text(), u"");
}

namespace {

// Refuses the creation of every rich edit while installed.
LRESULT CALLBACK RefuseRichEdits(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs;
        if (!IS_INTRESOURCE(create->lpszClass) && lstrcmpiW(create->lpszClass, MSFTEDIT_CLASS) == 0) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int MessageOnlyStatics() {
    int count = 0;
    for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, L"STATIC", nullptr));) ++count;
    return count;
}

}  // namespace

TEST(RtfRef, TheHiddenWindowGoesWhenItsControlCannotBeCreated) {
    { TRtfRef warmUp; }  // the rich edit's library is loaded
    const int before = MessageOnlyStatics();
    const HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseRichEdits, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    EXPECT_THROW(TRtfRef(), EKorvalin);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(MessageOnlyStatics(), before);
    {
        TRtfRef working;
        EXPECT_EQ(MessageOnlyStatics(), before + 1);
    }
    EXPECT_EQ(MessageOnlyStatics(), before);
}
