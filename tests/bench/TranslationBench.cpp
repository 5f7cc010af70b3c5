// One chord looked up in a table of 10,000 lines: the cost must not grow
// with the table.
#include "input/Translation.h"
#include "util/StringList.h"
#include "util/TextUtils.h"

#include <benchmark/benchmark.h>

using namespace korvalin;

namespace {

constexpr int kLines = 10000;

// Combination names of up to three cells ("1|2", "1|3", ...), each with a
// value of two code points, behind a title line.
TStringList LargeTable() {
    std::vector<std::u16string> lines{u"Gross"};
    for (int i = 0; int(lines.size()) <= kLines; ++i) {
        std::u16string name;
        for (int n = i + 1; n > 0; n /= 255) name += ExpandKeysInString(n % 255 + 1, !name.empty());
        lines.push_back(name + u"=" + IntToStr(0x4E00 + i) + u"|776");
    }
    return TStringList(std::move(lines));
}

std::u16string NameOf(std::u16string_view line) { return std::u16string(line.substr(0, line.find(u'='))); }

void BM_GetBrl2CharFoundNearTheEnd(benchmark::State& state) {
    const TStringList table = LargeTable();
    const std::u16string key = NameOf(table[table.Count() - 10]);
    if (!GetBrl2Char(&table, key)) state.SkipWithError("key not found");
    for (auto _ : state) benchmark::DoNotOptimize(GetBrl2Char(&table, key));
}
BENCHMARK(BM_GetBrl2CharFoundNearTheEnd);

void BM_GetBrl2CharMissing(benchmark::State& state) {
    const TStringList table = LargeTable();
    const std::u16string key = u"12345678|12345678|12345678";
    if (GetBrl2Char(&table, key)) state.SkipWithError("key unexpectedly found");
    for (auto _ : state) benchmark::DoNotOptimize(GetBrl2Char(&table, key));
}
BENCHMARK(BM_GetBrl2CharMissing);

}  // namespace
