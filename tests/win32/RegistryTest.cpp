#include "settings/LxRegistry.h"
#include "util/Win32Text.h"
#include "util/Wnd.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace korvalin;
using korvalin::testing::PumpMessages;

namespace {

// A hidden top-level window that records the hand-over messages it gets.
class TRecorder : public TWnd {
public:
    explicit TRecorder(const std::u16string& caption) {
        TCreateArgs args;
        args.Text = caption;
        args.Style = WS_OVERLAPPED;
        CreateWnd(L"TRegistryTestRecorder", args);
    }
    std::vector<std::u16string> Received;  // "copydata:<text>", "close" or "front"
    std::vector<DWORD> CopyDataSizes;

    // Pumps until Count messages arrived or the time is up.
    void WaitFor(size_t count, int milliseconds) {
        const DWORD end = GetTickCount() + DWORD(milliseconds);
        while (Received.size() < count && GetTickCount() < end) PumpMessages(5);
    }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            Received.push_back(std::u16string(u"copydata:").append(Utf16FromBytes(data->lpData, data->cbData)));
            CopyDataSizes.push_back(data->cbData);
            return 0;
        }
        case WM_PROGRAMCLOSE: Received.push_back(u"close"); return 0;
        case WM_PROGRAMSETFOCUS: Received.push_back(u"front"); return 0;
        }
        return TWnd::WndProc(message, wParam, lParam);
    }
};

// An application name of its own, whose key is removed afterwards.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyW(HKEY_CURRENT_USER, WStr(FAppName)); }
    void TearDown() override { RegDeleteKeyW(HKEY_CURRENT_USER, WStr(FAppName)); }

    bool KeyExists() const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, WStr(FAppName), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    void SetRawValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, WStr(FAppName), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    // Waits until the watcher has taken the request out of the registry.
    bool WaitUntilTaken(int milliseconds) const {
        const DWORD end = GetTickCount() + DWORD(milliseconds);
        while (KeyExists())
            if (GetTickCount() > end) return false;
            else Sleep(5);
        return true;
    }

    const std::u16string FAppName = u"KorvalinRegistryTest";
};

}  // namespace

TEST_F(RegistryTest, RequestComesBackOnceAndTakesItsKeyAlong) {
    TRegistrySettings request;
    request.SetData(u"C:\\Texte\\a.rtf|b.rtf", u"1", u"ja");
    ASSERT_TRUE(WriteRegistrySettings(std::u16string(u"\\").append(FAppName), request));  // a leading backslash is dropped
    EXPECT_TRUE(KeyExists());

    TRegistrySettings read = TRegistrySettings::rsClose();
    EXPECT_TRUE(ReadRegistrySettings(FAppName, read));
    EXPECT_EQ(read, request);
    EXPECT_FALSE(KeyExists());

    EXPECT_FALSE(ReadRegistrySettings(FAppName, read));
    EXPECT_TRUE(read.Empty());
}

TEST_F(RegistryTest, EmptyRequestWritesNothingAndAForeignValueKeepsTheKey) {
    EXPECT_TRUE(WriteRegistrySettings(FAppName, TRegistrySettings{}));
    EXPECT_FALSE(KeyExists());

    ASSERT_TRUE(WriteRegistrySettings(FAppName, TRegistrySettings::rsClose()));
    const wchar_t other[] = L"fremd";
    SetRawValue(L"Other", REG_SZ, other, sizeof(other));
    TRegistrySettings read;
    EXPECT_TRUE(ReadRegistrySettings(FAppName, read));
    EXPECT_EQ(read, TRegistrySettings::rsClose());
    EXPECT_TRUE(KeyExists());
    EXPECT_FALSE(ReadRegistrySettings(FAppName, read));  // the key is there, the request is not
}

TEST_F(RegistryTest, StoredStringWithoutNulEndsAtItsSizeAndOtherTypesCountAsEmpty) {
    const wchar_t text[] = L"a.rtfXYZ";
    SetRawValue(L"ProgramParameters", REG_SZ, text, 5 * sizeof(wchar_t));  // "a.rtf" without its NUL
    const DWORD number = 1;
    SetRawValue(L"ProgramClose", REG_DWORD, &number, sizeof(number));
    TRegistrySettings read;
    EXPECT_TRUE(ReadRegistrySettings(FAppName, read));
    EXPECT_EQ(read, (TRegistrySettings{u"a.rtf", u"", u""}));
    EXPECT_FALSE(KeyExists());
}

TEST_F(RegistryTest, WatcherHandsOverOneCommandPerRequestAndDropsALeftOverOne) {
    TRecorder main(u"Registry watcher test");
    ASSERT_TRUE(WriteRegistrySettings(FAppName, TRegistrySettings::rsSetFocus()));  // from an earlier run
    TWatchRegistrySettings watcher(main.Handle(), FAppName);
    EXPECT_TRUE(WaitUntilTaken(1000));
    PumpMessages(250);
    EXPECT_TRUE(main.Received.empty());

    struct Row {
        TRegistrySettings Request;
        std::u16string Received;
    };
    const Row rows[] = {
        {{u" a.rtf|b.rtf ", u"1", u"1"}, u"copydata:a.rtf|b.rtf"},  // coming to the front and closing are lost
        {{u"", u"1", u"1"}, u"front"},
        {{u"", u"", u"1"}, u"close"},
    };
    for (const Row& row : rows) {
        main.Received.clear();
        const DWORD written = GetTickCount();
        ASSERT_TRUE(WriteRegistrySettings(FAppName, row.Request));
        main.WaitFor(1, 1500);
        const DWORD took = GetTickCount() - written;
        PumpMessages(300);  // long enough for two more polling cycles
        EXPECT_EQ(main.Received, std::vector<std::u16string>{row.Received});
        EXPECT_LT(took, 500u) << "one polling cycle is 100 ms";
        EXPECT_FALSE(KeyExists());
    }
}

TEST_F(RegistryTest, NothingArrivesAfterTheWatcherIsGoneNorForAClosedWindow) {
    TRecorder main(u"Registry watcher test");
    {
        TWatchRegistrySettings watcher(main.Handle(), FAppName);
        watcher.QueueRegistryCommand(main.Handle(), TRegistrySettings::rsClose());
        watcher.QueueRegistryCommand(main.Handle(), TRegistrySettings::rsParameters(u"a.rtf"));
        ASSERT_TRUE(WriteRegistrySettings(FAppName, TRegistrySettings::rsSetFocus()));
        ASSERT_TRUE(WaitUntilTaken(1000));
        Sleep(50);  // the request is in the queue now
    }
    PumpMessages(300);
    EXPECT_TRUE(main.Received.empty());

    TWatchRegistrySettings watcher(main.Handle(), FAppName);
    HWND closed = nullptr;
    {
        TRecorder gone(u"Closed window");
        closed = gone.Handle();
    }
    watcher.QueueRegistryCommand(closed, TRegistrySettings::rsClose());
    watcher.QueueRegistryCommand(main.Handle(), TRegistrySettings::rsParameters(u"b.rtf"));
    main.WaitFor(1, 1000);
    PumpMessages(50);
    EXPECT_EQ(main.Received, std::vector<std::u16string>{u"copydata:b.rtf"});
}

TEST(HandOver, ParametersAreSentTrimmedWithTheirNulAndBlankOnesNotAtAll) {
    TRecorder main(u"Hand-over test");
    SendParameters(main.Handle(), u"  a.rtf|b.rtf \t");
    SendParameters(main.Handle(), u"   ");
    SendParameters(main.Handle(), u"");
    EXPECT_EQ(main.Received, std::vector<std::u16string>{u"copydata:a.rtf|b.rtf"});
    EXPECT_EQ(main.CopyDataSizes, std::vector<DWORD>{(11 + 1) * 2});
}

TEST(HandOver, RunningWindowIsFoundByTheEndOfItsCaption) {
    const std::u16string title = std::u16string(u"Korvalin Suchtest ").append(U16(std::to_wstring(GetTickCount()).c_str()));
    const std::u16string caption = std::u16string(u"Brief.rtf - ").append(title);
    const TRecorder main(caption);
    EXPECT_EQ(FindWindowByCaptionEnd(title), main.Handle());
    EXPECT_EQ(FindWindowByCaptionEnd(caption), main.Handle());
    EXPECT_EQ(FindWindowByCaptionEnd(std::u16string(title).append(u"1")), nullptr);
    EXPECT_EQ(FindWindowByCaptionEnd(std::u16string(u"X").append(caption)), nullptr);
}

TEST(HandOver, MinimisedWindowIsRestoredAndBroughtToTheFront) {
    TRecorder first(u"Erstes Fenster"), second(u"Zweites Fenster");
    ShowWindow(first.Handle(), SW_SHOW);
    ShowWindow(second.Handle(), SW_SHOWMINNOACTIVE);
    SetForegroundWindow(first.Handle());
    PumpMessages(100);
    EXPECT_TRUE(BringWindowToForeground(second.Handle()));
    EXPECT_FALSE(IsIconic(second.Handle()));
    EXPECT_EQ(GetForegroundWindow(), second.Handle());
    EXPECT_TRUE(BringWindowToForeground(second.Handle()));  // already in front
    EXPECT_FALSE(BringWindowToForeground(nullptr));
}
