// One key event through the chord state machine, which runs inside the
// system's time limit for a low-level hook.
#include "input/Chords.h"

#include <benchmark/benchmark.h>

using namespace korvalin;

namespace {

void BM_KeyHookPreExecutePerEvent(benchmark::State& state) {
    TChordCapture capture;
    const THookGate gate{false, true, TModus::M1, false, true, false};
    TKeyEvent f;
    f.ScanCode = 0x21;
    for (auto _ : state) {
        benchmark::DoNotOptimize(capture.KeyHookPreExecute(0, kWmKeyDown, &f, gate));
        benchmark::DoNotOptimize(capture.KeyHookPreExecute(0, kWmKeyUp, &f, gate));
    }
    // Two events per iteration: report the time of one.
    state.counters["per_event"] =
        benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_KeyHookPreExecutePerEvent);

}  // namespace
