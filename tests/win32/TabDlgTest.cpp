#include "app/Haupt.h"
#include "settings/SettingsIni.h"
#include "tables/SystemCodecs.h"
#include "tables/TabDlgC.h"
#include "util/LxUtils.h"
#include "util/Win32Text.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace korvalin;
using korvalin::testing::PumpMessages;
using korvalin::testing::TProgramFolder;

namespace {

// Runs a script once the table dialog is on the screen, from inside its
// modal loop; the script ends the dialog itself with a posted key.
std::function<void(HWND dialog)> gScript;

void CALLBACK ScriptTimer(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND dialog = FindWindowW(L"TDialogForm", L"Datenbank für Modus 5 wählen");
    if (!dialog || !IsWindowVisible(dialog) || !gScript) return;
    KillTimer(nullptr, id);
    std::exchange(gScript, nullptr)(dialog);
}

void WhenOpen(std::function<void(HWND dialog)> script) {
    gScript = std::move(script);
    SetTimer(nullptr, 0, 20, ScriptTimer);
}

// The rows as "title=shortcut" joined by "|", the selected one marked "*".
std::u16string ListRows(HWND list) {
    std::u16string rows;
    for (int row = 0; row < int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); ++row) {
        if (row) rows += u"|";
        if (SendMessageW(list, LVM_GETITEMSTATE, WPARAM(row), LVIS_SELECTED)) rows += u"*";
        for (int column = 0; column < 2; ++column) {
            wchar_t text[128] = {};
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 127;
            SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
            rows.append(column ? u"=" : u"").append(U16(text));
        }
    }
    return rows;
}

// Ctrl and Shift as the thread's key state reports them, while it exists.
class THeldKeys {
public:
    THeldKeys(bool ctrlS, bool shiftS) {
        BYTE state[256] = {};
        state[VK_CONTROL] = ctrlS ? 0x80 : 0;
        state[VK_SHIFT] = shiftS ? 0x80 : 0;
        SetKeyboardState(state);
    }
    ~THeldKeys() {
        BYTE state[256] = {};
        SetKeyboardState(state);
    }
};

void SendKey(HWND control, WPARAM key, bool ctrlS) {
    THeldKeys held(ctrlS, false);
    SendMessageW(control, WM_KEYDOWN, key, 1);
}

// Enter or Escape through the dialog's own key handling.
void PostKey(HWND control, WPARAM key) { PostMessageW(control, WM_KEYDOWN, key, 1); }

std::u16string MenuLayout(HMENU menu) {
    std::u16string layout;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, UINT(i), text, 255, MF_BYPOSITION);
        layout.append(i ? u"|" : u"").append(U16(text));
    }
    return layout;
}

// The main window over three tables, the first of them current.
class TabDlgFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        FFolder.Write("Tabellen\\Andere.tab", "Andere\r\n1=120\r\n");
        FFolder.Write("Tabellen\\Brl2UniBrl.tab", "Acht\r\n78=10432\r\n");
        FFolder.Write("Tabellen\\Standard.tab", "Standard\r\n1=97\r\n");
        FForm = std::make_unique<TForm1>(FFolder.Folder());
        FForm->OnMessageDlg = [](const std::u16string&, UINT) { return IDOK; };
        FForm->Show(SW_SHOWNOACTIVATE);
        PumpMessages(100);
        FForm->SetNewTabelle(0);
        ASSERT_EQ(FForm->Tabellen().GetFilesString(), kOrderBefore);
    }
    // Ctrl+D, Ctrl+Down twice on the selected (current) row, then Key; gives
    // the rows shown before and after the moves.
    std::vector<std::u16string> MoveCurrentToThirdAndPress(WPARAM key) {
        std::vector<std::u16string> seen;
        WhenOpen([&](HWND dialog) {
            const HWND list = FindWindowExW(dialog, nullptr, WC_LISTVIEWW, nullptr);
            seen = {ListRows(list), GetFocus() == list ? u"focused" : u"not focused"};
            SendKey(list, VK_DOWN, true);
            SendKey(list, VK_DOWN, true);
            seen.push_back(ListRows(list));
            PostKey(list, key);
        });
        SendMessageW(FForm->Handle(), WM_COMMAND, MAKEWPARAM(FForm->MenuId("MenuEinstDatenbank"), 1), 0);
        EXPECT_TRUE(IsWindowEnabled(FForm->Handle()));
        EXPECT_EQ(seen, (std::vector<std::u16string>{u"*Andere=Umsch+Strg+1|Acht=Umsch+Strg+2|Standard=Umsch+Strg+3",
                                                     u"focused",
                                                     u"Acht=Umsch+Strg+1|Standard=Umsch+Strg+2|*Andere=Umsch+Strg+3"}));
        return seen;
    }
    std::u16string Saved(const char16_t* key) { return TIniProfile(IniFilename()).ReadString(u"Tabellen", key, u""); }
    bool ShiftCtrl(char digit) {
        THeldKeys held(true, true);
        MSG message{FForm->Handle(), WM_KEYDOWN, WPARAM(digit), 1, 0, {}};
        return FForm->IsShortCut(message);
    }
    static bool Current(std::u16string_view name) { return Einstellungen.Tab1Filename.ends_with(name); }

    static constexpr std::u16string_view kOrderBefore = u"Andere.tab|Brl2UniBrl.tab|Standard.tab";
    TProgramFolder FFolder;
    std::unique_ptr<TForm1> FForm;
};

}  // namespace

TEST_F(TabDlgFormTest, CancelAfterMovingTheCurrentTableRestoresOrderTableAndMenu) {
    const HMENU menu = FForm->MenuHandle("MenuTabellen");
    const std::u16string menuBefore = MenuLayout(menu);
    ASSERT_EQ(menuBefore, u"&1: Andere\tUmsch+Strg+1|&2: Acht\tUmsch+Strg+2|&3: Standard\tUmsch+Strg+3");
    MoveCurrentToThirdAndPress(VK_ESCAPE);
    EXPECT_EQ(FForm->Tabellen().GetFilesString(), kOrderBefore);
    EXPECT_EQ(FForm->Tabellen().AktTabFilenameIndex(), 0);
    EXPECT_TRUE(Current(u"\\Andere.tab"));
    EXPECT_EQ(MenuLayout(menu), menuBefore);
    EXPECT_EQ(Saved(u"TabFiles"), kOrderBefore);
    EXPECT_TRUE(ShiftCtrl('3'));  // the shortcuts still follow the old order
    EXPECT_TRUE(Current(u"\\Standard.tab"));
}

TEST_F(TabDlgFormTest, OkKeepsTheNewOrderSwitchesToTheSelectedTableAndRenumbersTheShortcuts) {
    MoveCurrentToThirdAndPress(VK_RETURN);
    EXPECT_EQ(FForm->Tabellen().GetFilesString(), u"Brl2UniBrl.tab|Standard.tab|Andere.tab");
    EXPECT_EQ(FForm->Tabellen().AktTabFilenameIndex(), 2);
    EXPECT_EQ(MenuLayout(FForm->MenuHandle("MenuTabellen")),
              u"&1: Acht\tUmsch+Strg+1|&2: Standard\tUmsch+Strg+2|&3: Andere\tUmsch+Strg+3");
    EXPECT_EQ(Saved(u"TabFiles"), u"Brl2UniBrl.tab|Standard.tab|Andere.tab");
    EXPECT_EQ(Saved(u"Tab1Filename"), u"Andere.tab");

    FForm->SetModus(TModus::M5);  // the chords go through the current table
    EXPECT_TRUE(ShiftCtrl('2'));
    EXPECT_TRUE(Current(u"\\Standard.tab"));
    FForm->ProcessKeys(0x01, false);
    EXPECT_TRUE(ShiftCtrl('3'));
    FForm->ProcessKeys(0x01, false);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"ax");
}

TEST_F(TabDlgFormTest, ACloseRequestOrTheEndOfTheSessionCancelsTheDialogBeforeTheSettingsAreWritten) {
    const struct {
        const char* what;
        std::vector<std::pair<UINT, WPARAM>> messages;
        bool restoredAtOnceS;
    } rows[] = {
        {"close request", {{WM_USER + 100, 0}}, false},
        {"end of the session", {{WM_QUERYENDSESSION, 0}, {WM_ENDSESSION, TRUE}}, true},
    };
    for (const auto& row : rows) {
        if (!FForm->Handle()) {
            FForm.reset();
            SetUp();
        }
        std::filesystem::remove(std::filesystem::path(IniFilename()));
        const HWND window = FForm->Handle();
        std::u16string orderAfterMessages;
        WhenOpen([&](HWND dialog) {
            const HWND list = FindWindowExW(dialog, nullptr, WC_LISTVIEWW, nullptr);
            SendKey(list, VK_DOWN, true);
            for (const auto& [message, wParam] : row.messages) SendMessageW(window, message, wParam, 0);
            orderAfterMessages = FForm->Tabellen().GetFilesString();
            PostKey(list, VK_ESCAPE);  // ends the dialog where nothing else did
        });
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(FForm->MenuId("MenuEinstDatenbank"), 1), 0);
        PumpMessages(100);  // a close waiting for the dialog's loop
        EXPECT_EQ(orderAfterMessages == kOrderBefore, row.restoredAtOnceS) << row.what;
        EXPECT_FALSE(IsWindow(window)) << row.what;
        EXPECT_EQ(Saved(u"TabFiles"), kOrderBefore) << row.what;
    }
}

// ---- the dialog on its own ----

namespace {

using TFakeTolk = korvalin::testing::TRecordingTolk;

struct TOwner : korvalin::testing::TDialogOwner {
    TOwner() : TDialogOwner(100, 80, 700, 500, true) {}
};

// The tables a.tab, b.tab, ... titled "Tabelle a", ..., with b.tab current.
class TabDlgTest : public ::testing::Test {
protected:
    void Fill(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string name(1, char('a' + i));
            FFolder.Write(("Tabellen\\" + name + ".tab").c_str(), ("Tabelle " + name + "\r\n1=97\r\n").c_str());
        }
        FTabellen.Load(SystemTextCodecs());
        FTabellen.SetAktTabFilename(u"b.tab");
    }
    static void Select(const TTabDlg& dialog, int row) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        dialog.LvTabellen.Send(LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        if (row >= 0) dialog.LvTabellen.Send(LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&state));
    }
    static int MarkedRow(const TTabDlg& dialog) {
        for (int row = 0; row < dialog.RowCount(); ++row)
            if (dialog.LvTabellen.Send(LVM_GETITEMSTATE, WPARAM(row), LVIS_DROPHILITED)) return row;
        return -1;
    }
    // Drag and drop as the list and the mouse report them: the begin of a
    // drag from row From, a move to To and the release there (To in the
    // dialog's client coordinates). Gives the row marked while over To.
    static int Drag(const TTabDlg& dialog, int from, POINT to) {
        Select(dialog, from);
        NMLISTVIEW begin{};
        begin.hdr = {dialog.LvTabellen.Handle(), UINT_PTR(GetDlgCtrlID(dialog.LvTabellen.Handle())), LVN_BEGINDRAG};
        begin.iItem = from;
        SendMessageW(dialog.Handle(), WM_NOTIFY, begin.hdr.idFrom, reinterpret_cast<LPARAM>(&begin));
        SendMessageW(dialog.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        const int marked = MarkedRow(dialog);
        SendMessageW(dialog.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        return marked;
    }
    std::u16string Order() const { return FTabellen.GetFilesString(); }

    TProgramFolder FFolder;
    TTabellen FTabellen{FFolder.Folder()};
    TOwner FOwner;
};

}  // namespace

TEST_F(TabDlgTest, TextsColoursLayoutAndTabOrder) {
    Fill(3);
    TFakeTolk tolk;
    TTabDlg dialog(FOwner.Handle(), FTabellen, &tolk);
    dialog.SetInputColors({RGB(255, 255, 0), RGB(0, 0, 128)});
    WhenOpen([&](HWND) {
        EXPECT_EQ(WindowCaption(dialog.Handle()), u"Datenbank für Modus 5 wählen");
        EXPECT_EQ(dialog.LbTabellen.Text() + dialog.Btn1Ok.Text() + dialog.Btn2Abbrechen.Text(),
                  u"&Tabellen:O&K&Abbrechen");
        wchar_t captions[2][32] = {};
        for (int column = 0; column < 2; ++column) {
            LVCOLUMNW info{};
            info.mask = LVCF_TEXT;
            info.pszText = captions[column];
            info.cchTextMax = 31;
            dialog.LvTabellen.Send(LVM_GETCOLUMNW, WPARAM(column), reinterpret_cast<LPARAM>(&info));
        }
        EXPECT_EQ(U16(captions[0]).append(u"|").append(U16(captions[1])), u"Tabelle|Kurztaste");
        EXPECT_EQ(ListRows(dialog.LvTabellen.Handle()),
                  u"Tabelle a=Umsch+Strg+1|*Tabelle b=Umsch+Strg+2|Tabelle c=Umsch+Strg+3");
        EXPECT_TRUE(dialog.Btn1Ok.Enabled());
        EXPECT_EQ(dialog.LvTabellen.Send(LVM_GETBKCOLOR), LRESULT(RGB(255, 255, 0)));
        EXPECT_EQ(dialog.LvTabellen.Send(LVM_GETTEXTCOLOR), LRESULT(RGB(0, 0, 128)));
        EXPECT_EQ(tolk.Texts, std::vector<std::u16string>{u"Tabellen, verschieben mit Strg+Pfeil oben oder unten"});

        RECT own{}, outer{}, client{}, inside{};
        GetWindowRect(dialog.Handle(), &own);
        GetWindowRect(FOwner.Handle(), &outer);
        GetClientRect(dialog.Handle(), &client);
        GetClientRect(dialog.LvTabellen.Handle(), &inside);
        EXPECT_EQ(own.right - own.left, 630);  // 90% of 700
        EXPECT_EQ(own.bottom - own.top, 400);  // 80% of 500
        EXPECT_LE(std::abs((own.left + own.right) - (outer.left + outer.right)), 1);
        EXPECT_LE(std::abs((own.top + own.bottom) - (outer.top + outer.bottom)), 1);
        const RECT label = dialog.LbTabellen.Bounds(), list = dialog.LvTabellen.Bounds();
        const RECT ok = dialog.Btn1Ok.Bounds(), cancel = dialog.Btn2Abbrechen.Bounds();
        EXPECT_LT(label.bottom, list.top);
        EXPECT_EQ(list.right, client.right - 10);
        EXPECT_EQ(ok.top, list.bottom + 10);
        EXPECT_EQ(cancel.top, ok.top);
        EXPECT_LT(ok.right, cancel.left);
        EXPECT_EQ(ok.bottom, client.bottom - 10);
        const LRESULT first = dialog.LvTabellen.Send(LVM_GETCOLUMNWIDTH, 0);
        EXPECT_EQ(first + dialog.LvTabellen.Send(LVM_GETCOLUMNWIDTH, 1), inside.right);  // no horizontal scrolling
        EXPECT_LE(std::abs(4 * first - 3 * inside.right), 2);

        EXPECT_EQ(GetNextDlgTabItem(dialog.Handle(), dialog.LvTabellen.Handle(), FALSE), dialog.Btn1Ok.Handle());
        EXPECT_EQ(GetNextDlgTabItem(dialog.Handle(), dialog.Btn1Ok.Handle(), FALSE), dialog.Btn2Abbrechen.Handle());
        PostKey(dialog.LvTabellen.Handle(), VK_ESCAPE);
    });
    EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
}

TEST_F(TabDlgTest, ContextMenuAndCtrlArrowsMoveOneStepOnlyWhereThereIsRoom) {
    Fill(3);
    {
        TTabDlg dialog(FOwner.Handle(), FTabellen, nullptr);
        WhenOpen([&](HWND) {
            const HMENU menu = dialog.PM_LvTabellen.Get();
            const struct {
                int row;
                bool obenS, untenS;
            } rows[] = {{0, false, true}, {1, true, true}, {2, true, false}, {-1, false, false}};
            for (const auto& row : rows) {
                Select(dialog, row.row);
                dialog.PM_LvTabellenPopup();
                EXPECT_EQ(MenuItemEnabled(menu, TTabDlg::kIdOben), row.obenS) << row.row;
                EXPECT_EQ(MenuItemEnabled(menu, TTabDlg::kIdUnten), row.untenS) << row.row;
            }
            EXPECT_EQ(MenuLayout(menu), u"Nach &oben\tStrg+Oben|Nach &unten\tStrg+Unten");
            dialog.PM_LT_ObenUntenClick(1);  // nothing selected
            EXPECT_EQ(Order(), u"a.tab|b.tab|c.tab");
            Select(dialog, 2);
            dialog.PM_LT_ObenUntenClick(1);
            SendKey(dialog.LvTabellen.Handle(), VK_UP, true);
            SendKey(dialog.LvTabellen.Handle(), VK_UP, true);  // already first
            EXPECT_EQ(Order(), u"c.tab|a.tab|b.tab");
            SendKey(dialog.LvTabellen.Handle(), VK_DOWN, false);  // a plain arrow only moves the selection
            EXPECT_EQ(Order(), u"c.tab|a.tab|b.tab");
            EXPECT_EQ(ListRows(dialog.LvTabellen.Handle()),
                      u"Tabelle c=Umsch+Strg+1|*Tabelle a=Umsch+Strg+2|Tabelle b=Umsch+Strg+3");
            PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
        EXPECT_EQ(Order(), u"c.tab|a.tab|b.tab");  // the moves are live while the dialog exists
    }
    EXPECT_EQ(Order(), u"a.tab|b.tab|c.tab");  // closed without OK: the order is back
    EXPECT_EQ(FTabellen.AktTabFilenameIndex(), 1);
}

TEST_F(TabDlgTest, DropMovesTheSelectedRowOntoTheRowUnderThePointOrToTheEnd) {
    Fill(4);
    TTabDlg dialog(FOwner.Handle(), FTabellen, nullptr);
    WhenOpen([&](HWND) {
        const auto rowPoint = [&](int row, int below) {
            RECT bounds{LVIR_BOUNDS, 0, 0, 0};
            dialog.LvTabellen.Send(LVM_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&bounds));
            POINT point{bounds.left + 20, (bounds.top + bounds.bottom) / 2 + below};
            MapWindowPoints(dialog.LvTabellen.Handle(), dialog.Handle(), &point, 1);
            return point;
        };
        const RECT ok = dialog.Btn1Ok.Bounds(), list = dialog.LvTabellen.Bounds();
        const struct {
            int from;
            POINT to;
            std::u16string_view order;
            int marked;  // while over To, and selected after the drop
        } rows[] = {
            {0, rowPoint(2, 0), u"b.tab|c.tab|a.tab|d.tab", 2},
            {3, rowPoint(0, 0), u"d.tab|a.tab|b.tab|c.tab", 0},
            {1, rowPoint(3, 30), u"a.tab|c.tab|d.tab|b.tab", 3},  // below all rows
            {2, rowPoint(2, 0), u"a.tab|b.tab|c.tab|d.tab", 2},   // onto itself
            {-1, rowPoint(2, 0), u"a.tab|b.tab|c.tab|d.tab", -1}, // nothing selected: no drag
            {0, {(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2}, u"a.tab|b.tab|c.tab|d.tab", -1},
            {0, {list.left + 20, list.top + 4}, u"a.tab|b.tab|c.tab|d.tab", -1},  // the column header
        };
        for (const auto& row : rows) {
            FTabellen.SetFilesString(u"a.tab|b.tab|c.tab|d.tab");
            EXPECT_EQ(Drag(dialog, row.from, row.to), row.marked) << row.from << " to " << row.to.y;
            EXPECT_EQ(MarkedRow(dialog), -1);
            EXPECT_EQ(Order(), row.order) << row.from << " to " << row.to.y;
            if (row.order != u"a.tab|b.tab|c.tab|d.tab") {
                EXPECT_EQ(dialog.SelectedRow(), row.marked);
            }
            EXPECT_EQ(BareFilename(FTabellen.AktTabFilename()), u"b.tab");
            EXPECT_NE(GetCapture(), dialog.Handle());
        }
        PostKey(dialog.LvTabellen.Handle(), VK_ESCAPE);
    });
    EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
}

TEST_F(TabDlgTest, WithoutTablesTheListIsEmptyOkDoesNothingAndEscapeCloses) {
    FTabellen.Load(SystemTextCodecs());
    TTabDlg dialog(FOwner.Handle(), FTabellen, nullptr);
    WhenOpen([&](HWND) {
        EXPECT_EQ(dialog.RowCount(), 0);
        EXPECT_FALSE(dialog.Btn1Ok.Enabled());
        SendKey(dialog.LvTabellen.Handle(), VK_DOWN, true);
        PostKey(dialog.LvTabellen.Handle(), VK_RETURN);
        PostKey(dialog.LvTabellen.Handle(), VK_ESCAPE);
    });
    EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
}
