#include "app/ResConst.h"
#include "util/Errors.h"
#include "util/Printing.h"
#include "util/TextUtils.h"
#include "util/Wnd.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace korvalin;

namespace {

// The control's print routine as on Windows (Wine's formats nothing): a
// page holds PageLength characters, or, stalling, nothing after the first
// page. It records the pages it draws and the releases of its cache.
struct TFakePrintRoutine {
    LONG PageLength = 4;
    bool StallS = false;
    std::vector<LONG> Drawn;
    int Releases = 0;
};

LRESULT CALLBACK FakeFormatRange(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (message != EM_FORMATRANGE) return DefSubclassProc(window, message, wParam, lParam);
    auto& routine = *reinterpret_cast<TFakePrintRoutine*>(data);
    if (!lParam) return ++routine.Releases, 0;
    const CHARRANGE range = reinterpret_cast<const FORMATRANGE*>(lParam)->chrg;
    if (wParam) routine.Drawn.push_back(range.cpMin);
    if (routine.StallS && range.cpMin > 0) return range.cpMin;
    return std::min<LONG>(range.cpMin + routine.PageLength, GetWindowTextLengthW(window));
}

HDC DefaultPrinter() {
    wchar_t name[256] = {};
    DWORD size = 256;
    return GetDefaultPrinterW(name, &size) ? CreateDCW(L"WINSPOOL", name, nullptr, nullptr) : nullptr;
}

}  // namespace

TEST(Printing, PagesFollowTheCopiesAStalledPageIsAnErrorAndTheControlsCacheIsAlwaysReleased) {
    const HDC printer = DefaultPrinter();
    ASSERT_NE(printer, nullptr) << "no printer: tools/printer.sh sets one up";
    const struct {
        bool StallS;
        TPrintCopies Copies;
        std::vector<LONG> Drawn;
    } rows[] = {
        {false, {1, true}, {0, 4, 8}},
        {false, {2, true}, {0, 4, 8, 0, 4, 8}},
        {false, {2, false}, {0, 0, 4, 4, 8, 8}},
        {true, {1, true}, {}},
    };
    for (const auto& row : rows) {
        TRichEdit edit;
        TCreateArgs args;
        args.Style = WS_POPUP | ES_MULTILINE;
        edit.Create(args);
        edit.SetText(u"0123456789");
        TFakePrintRoutine routine;
        routine.StallS = row.StallS;
        SetWindowSubclass(edit.Handle(), FakeFormatRange, 7, reinterpret_cast<DWORD_PTR>(&routine));
        std::u16string error;
        try {
            PrintRichEdit(edit, printer, u"Korvalin-Test", row.Copies);
        } catch (const EKorvalin& e) {
            error = e.Message();
        }
        RemoveWindowSubclass(edit.Handle(), FakeFormatRange, 7);
        EXPECT_EQ(routine.Drawn, row.Drawn) << "copies " << row.Copies.Count;
        EXPECT_EQ(error, row.StallS ? Format(texts::PrintNoProgress, {std::int64_t(1)}) : u"");
        EXPECT_GE(routine.Releases, 1);
    }
    DeleteDC(printer);
}

