// Times one search down and one search up in a large document in the main
// window, as "&Weitersuchen" runs them: the whole text copied into the
// hidden buffer (and reversed for up), then the rich edit's find.
//
//   find_bench.exe [megabytes...]
//
// Without arguments: 1 and 20. A megabyte is a million characters of
// German text in lines. Each search has to cross the whole document: the
// one match sits at the far end.
#include "app/Haupt.h"
#include "util/TextUtils.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace korvalin;

namespace {

constexpr char16_t kTextLine[] = u"Grüße aus Köln: der Brief über die Straße, Zeile für Zeile geschrieben.\r\n";

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

std::u16string LargeText(size_t characters) {
    std::u16string text;
    text.reserve(characters + 100);
    while (text.size() < characters) text.append(kTextLine);
    return text;
}

// Runs one search from the selection start; prints its time and where it ended.
void Measure(TForm1& form, const char* direction, bool downS, int selStart, size_t characters) {
    form.FindDialog1.SetOptions({.DownS = downS});
    form.RichEdit1.SetSel(selStart, 0);
    const auto start = std::chrono::steady_clock::now();
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(form.MenuId("MenuBearbeitenWeitersuchen"), 0), 0);
    const double milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%5.1f M characters  %-4s  %7.0f ms  selection %d+%d\n", double(characters) / 1e6, direction,
                milliseconds, form.RichEdit1.SelStart(), form.RichEdit1.SelLength());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<size_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(size_t(std::wcstoul(argv[i], nullptr, 10)));
    if (sizes.empty()) sizes = {1, 20};
    const auto folder = std::filesystem::temp_directory_path() / "korvalin-find-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Tabellen");
    for (const size_t megabytes : sizes) {
        auto form = std::make_unique<TForm1>(folder.u16string() + u"\\");
        form->FParameters.clear();
        form->OnMessageDlg = [](const std::u16string&, UINT) { return IDOK; };  // no tables, no fonts here
        form->Show(SW_SHOWNOACTIVATE);
        Sleep(100);
        Pump();
        form->OnMessageDlg = [](const std::u16string& text, UINT) {
            std::printf("message: %s\n", U16ToUtf8(text).c_str());
            return IDOK;
        };
        // The one match: at the end for the search down, at the start for the search up.
        std::u16string text(u"Zielwort ");
        text.append(LargeText(megabytes * 1000 * 1000)).append(u"Zielwort");
        form->RichEdit1.SetText(text);
        const int length = int(form->RichEdit1.Text().size());
        form->FindDialog1.SetSuchtext(u"Zielwort");
        Measure(*form, "down", true, 1, text.size());
        Measure(*form, "up", false, length - 1, text.size());
    }
    std::filesystem::remove_all(folder);
    return 0;
}
