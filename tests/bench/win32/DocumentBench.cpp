// Times opening a large RTF document and a large plain-text document in the
// main window, as the open command without a dialog does it.
//
//   document_bench.exe [megabytes] [runs]
//
// Prints one line per file kind: the size, the text length after opening
// and the fastest and the median of the runs in milliseconds.
#include "app/Haupt.h"
#include "util/SafeFile.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace korvalin;

namespace {

// A line of German text and one of braille cells, as a typed document
// holds them.
constexpr char kTextLine[] = "Grüße aus Köln: der Brief über die Straße, Zeile für Zeile geschrieben. ";
constexpr char16_t kFirstCell = u'\u2801';

// An RTF document of about `bytes` bytes in which every braille cell is a
// run in a font of its own, as the editor writes typed cells.
std::string LargeRtf(size_t bytes) {
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Charis SIL;}{\\f1\\fnil 8ptBraille0;}}\r\n";
    for (int line = 0; rtf.size() < bytes; ++line) {
        rtf += "\\f0\\fs32 Gr\\u252?\\u223?e aus K\\u246?ln, Zeile " + std::to_string(line) + ":";
        for (int cell = 0; cell < 24; ++cell)
            rtf += "{\\f1\\fs50 \\u" + std::to_string(int(kFirstCell) + (line + cell) % 63) + "?}";
        rtf += "\\par\r\n";
    }
    return rtf + "}";
}

std::string LargeText(size_t bytes) {
    std::string text = "\xEF\xBB\xBF";
    while (text.size() < bytes) text.append(kTextLine).append("\r\n");
    return text;
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    WriteFileSafely(file.u16string(), [&bytes](HANDLE handle) { WriteAll(handle, bytes.data(), bytes.size()); });
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// A main window on an empty program folder, shown and through its start-up.
std::unique_ptr<TForm1> NewForm(const std::filesystem::path& folder) {
    auto form = std::make_unique<TForm1>(folder.u16string() + u"\\");
    form->FParameters.clear();  // this program's own arguments are no documents
    form->OnMessageDlg = [](const std::u16string&, UINT) { return IDOK; };  // no tables, no fonts here
    form->Show(SW_SHOWNOACTIVATE);
    Sleep(100);  // the start timer loads the tables
    Pump();
    form->OnMessageDlg = [](const std::u16string& text, UINT) {
        std::printf("message: %s\n", U16ToUtf8(text).c_str());
        return IDOK;
    };
    return form;
}

// Each run opens the file in a new window, as after the program's start.
void Measure(const std::filesystem::path& folder, const char* kind, const std::filesystem::path& file, int runs) {
    std::vector<double> milliseconds;
    size_t length = 0;
    for (int run = 0; run < runs; ++run) {
        auto form = NewForm(folder);
        form->FParameters = {file.u16string()};
        const auto start = std::chrono::steady_clock::now();
        form->MenuDateiOeffnenClick(nullptr);
        milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        length = form->RichEdit1.Text().size();
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("%-5s %6.1f MB  %9zu characters  fastest %7.0f ms  median %7.0f ms\n", kind,
                double(std::filesystem::file_size(file)) / 1e6, length, milliseconds.front(),
                milliseconds[milliseconds.size() / 2]);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const size_t megabytes = argc > 1 ? size_t(std::wcstoul(argv[1], nullptr, 10)) : 20;
    const int runs = argc > 2 ? std::max(1, int(std::wcstol(argv[2], nullptr, 10))) : 3;
    const auto folder = std::filesystem::temp_directory_path() / "korvalin-document-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Tabellen");
    WriteFile(folder / "Gross.rtf", LargeRtf(megabytes * 1000 * 1000));
    WriteFile(folder / "Gross.txt", LargeText(megabytes * 1000 * 1000));

    Measure(folder, "RTF", folder / "Gross.rtf", runs);
    Measure(folder, "Text", folder / "Gross.txt", runs);
    std::filesystem::remove_all(folder);
    return 0;
}
