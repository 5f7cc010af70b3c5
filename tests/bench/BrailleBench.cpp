// A German document of one million characters, most of it in one long
// paragraph, exported as BRF through the shipped tables and opened again:
// the cost must grow with the text, not with its square.
#include "settings/DatenC.h"
#include "tables/BrailleFiles.h"
#include "util/TextUtils.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

using namespace korvalin;

namespace {

// A shipped table's entry lines.
TStringList ShippedTable(const char* name) {
    std::ifstream file(std::string(KORVALIN_DATA_DIR "/Tabellen/") + name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    std::vector<std::u16string> lines = SplitLines(Utf8ToU16(bytes.str()));
    if (!lines.empty()) lines.erase(lines.begin());
    return TStringList(std::move(lines));
}

struct TGerman {
    TStringList Standard = ShippedTable("Standard.tab");
    TStringList German = ShippedTable("Deutsch.tab");
    TCellTables Tables = [this] {
        TEinstellungen settings;
        StandardEinstellungenSetzen(settings, u"");
        return TCellTables(Standard, German, settings.Fonts);
    }();
    std::vector<TTextRun> Runs = [] {
        std::u16string text;
        for (int i = 0; text.size() < 1000000; ++i)
            text += i % 1000 == 999 ? u"\r" : u"Der Schulbus fährt heute sehr früh ab, auch bei Schnee und Eis. ";
        return std::vector<TTextRun>{{text, u"Charis SIL"}};
    }();
};

void BM_ExportBrfOfAMillionCharacters(benchmark::State& state) {
    const TGerman german;
    for (auto _ : state) benchmark::DoNotOptimize(ExportBrf(german.Runs, german.Tables, {}));
}
BENCHMARK(BM_ExportBrfOfAMillionCharacters)->Unit(benchmark::kMillisecond);

void BM_ImportBrfOfTheExport(benchmark::State& state) {
    const TGerman german;
    const std::string bytes = ExportBrf(german.Runs, german.Tables, {});
    for (auto _ : state) benchmark::DoNotOptimize(ImportBrf(bytes, german.Tables.Ascii()));
}
BENCHMARK(BM_ImportBrfOfTheExport)->Unit(benchmark::kMillisecond);

}  // namespace
