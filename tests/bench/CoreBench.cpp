// The two paths that run for every key stroke: one key event through the
// chord state machine (inside the system's hook time limit) and one chord
// looked up in a large table.
#include "input/Chords.h"
#include "input/Translation.h"
#include "util/StringList.h"
#include "util/TextUtils.h"

#include <benchmark/benchmark.h>

using namespace korvalin;

namespace {

// 10,000 distinct combination names of up to four cells, then the 6-dot cells.
TStringList LargeTable() {
    std::vector<std::u16string> lines{u"Gross"};
    for (int i = 0; lines.size() < 10000; ++i) {
        std::u16string name;
        for (int n = i + 1; n > 0; n /= 63) {
            if (!name.empty()) name += u'|';
            name += ExpandKeysInString(n % 63 + 1, false);
        }
        lines.push_back(name + u"=" + IntToStr(0x4E00 + i % 20000) + u"|65");
    }
    return TStringList(std::move(lines));
}

void BM_ChordLookupIn10000Lines(benchmark::State& state) {
    const TStringList table = LargeTable();
    const std::u16string_view line = table[table.Count() - 1];
    const std::u16string key(line.substr(0, line.find(u'=')));
    for (auto _ : state) benchmark::DoNotOptimize(GetBrl2Char(&table, key));
}
BENCHMARK(BM_ChordLookupIn10000Lines);

void BM_MissingChordIn10000Lines(benchmark::State& state) {
    const TStringList table = LargeTable();
    for (auto _ : state) benchmark::DoNotOptimize(GetBrl2Char(&table, u"12345678|12345678"));
}
BENCHMARK(BM_MissingChordIn10000Lines);

void BM_KeyEvent(benchmark::State& state) {
    TChordCapture capture;
    const THookGate gate{false, true, TModus::M1, false, true, false};
    TKeyEvent f;
    f.ScanCode = 0x21;
    for (auto _ : state) {
        benchmark::DoNotOptimize(capture.KeyHookPreExecute(0, kWmKeyDown, &f, gate));
        benchmark::DoNotOptimize(capture.KeyHookPreExecute(0, kWmKeyUp, &f, gate));
    }
    state.SetItemsProcessed(state.iterations() * 2);  // per event: time / 2
}
BENCHMARK(BM_KeyEvent);

}  // namespace
