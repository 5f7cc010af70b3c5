#include "util/Errors.h"
#include "util/Wnd.h"

#include <gtest/gtest.h>

using namespace korvalin;

namespace {

class TFailingWnd : public TWnd {
public:
    void Create() { CreateWnd(L"TFailingWnd", TCreateArgs{}); }
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
