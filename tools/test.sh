#!/usr/bin/env bash
# Builds and runs every test: the portable core natively with AddressSanitizer
# and UndefinedBehaviorSanitizer, the fuzzers for a bounded time, the Windows
# tests under Wine, the end-to-end tests under Wine in a virtual display and
# the setup program and portable archive made from the install tree.
# Ends with one line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
results="$build/results"
fuzz_seconds=${KORVALIN_FUZZ_SECONDS:-30}

bash "$root/tools/install-deps.sh" || exit 1
rm -rf "$results"
mkdir -p "$results"
failed_stage=0
stage() { echo "== $*"; }
must() { "$@" || { echo "FAILED: $*"; failed_stage=1; }; }

stage "core (native, sanitizers)"
must cmake -S "$root" -B "$build/native" -G Ninja -DKORVALIN_SANITIZE=ON >/dev/null
must cmake --build "$build/native" -j2
"$build/native/tests/core/core_tests" --gtest_brief=1 --gtest_output="xml:$results/core.xml"

stage "shipped fonts against the standard table"
python3 "$root/tests/fonts/fonts_test.py" --data "$root/data" --junit "$results/fonts.xml" | tail -3

stage "fuzzing (${fuzz_seconds} s each)"
must env CC=clang CXX=clang++ cmake -S "$root" -B "$build/fuzz" -G Ninja -DKORVALIN_FUZZ=ON -DKORVALIN_SANITIZE=ON >/dev/null
must cmake --build "$build/fuzz" -j2
for fuzzer in "$build"/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    corpus="$build/fuzz/corpus-$name"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    cp -r "$root/tests/fuzz/corpus/$name/." "$corpus/" 2>/dev/null || true
    if "$fuzzer" -max_total_time="$fuzz_seconds" -print_final_stats=0 "$corpus" >"$results/$name.log" 2>&1; then
        python3 "$root/tools/results.py" record "$results/$name.result" "$name" pass
    else
        tail -30 "$results/$name.log"
        python3 "$root/tools/results.py" record "$results/$name.result" "$name" fail
    fi
done

stage "benchmarks (build only)"
must cmake -S "$root" -B "$build/bench" -G Ninja -DKORVALIN_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
must cmake --build "$build/bench" -j2

stage "windows build"
must bash "$root/tools/build-windows.sh"

source "$root/tools/wine-env.sh"
source "$root/tools/xvfb.sh"
xvfb_start
wine_prepare

# The PDF printer, for the printing tests of both stages.
source "$root/tools/printer.sh"
printer_start || echo "no PDF printer: the printing tests will fail"

stage "win32 tests (Wine)"
tests_build="$build/$KORVALIN_TEST_BUILD"
echo "Windows tests run the $WINEARCH build ($tests_build)"
# Loopback servers for the update check: one serving a temporary folder over
# HTTP, one that accepts connections and never answers, and a port without a
# listener. Their ports reach the tests through the environment.
http_root=$(mktemp -d)
python3 "$root/tools/loopback-servers.py" "$http_root" >"$http_root.ports" &
http_pid=$!
for _ in $(seq 50); do [ -s "$http_root.ports" ] && break; sleep 0.1; done
read -r http_port silent_port dead_port <"$http_root.ports"
(cd "$results" && KORVALIN_TEST_HTTP_PORT=$http_port KORVALIN_TEST_HTTP_ROOT=$http_root \
    KORVALIN_TEST_SILENT_PORT=$silent_port KORVALIN_TEST_DEAD_PORT=$dead_port \
    timeout 900 "$KORVALIN_WINE" "$tests_build/tests/win32/win32_tests.exe" --gtest_brief=1 \
    --gtest_output="xml:win32.xml")
kill "$http_pid" 2>/dev/null
wait "$http_pid" 2>/dev/null
rm -rf "$http_root" "$http_root.ports"

stage "table check tool (Wine)"
python3 "$root/tests/tabpruef/tabpruef_test.py" --exe "$tests_build/Korvalin/TabPruef.exe" --junit "$results/tabpruef.xml" ||
    [ -s "$results/tabpruef.xml" ] || python3 "$root/tools/results.py" record "$results/tabpruef.result" tabpruef fail

stage "end-to-end tests (Wine, Xvfb)"
timeout 1800 python3 "$root/tests/e2e/e2e.py" --tree "$tests_build/Korvalin" \
    --probe "$tests_build/tests/e2e/probe.exe" --junit "$results/e2e.xml" \
    --keep-screenshots "$results/screenshots"

stage "setup program and portable archive (Wine, Xvfb)"
# What users download, made from the 32-bit install tree: installed,
# started, updated and removed again; the archive unpacked and started.
dist="$build/dist"
if ! bash "$root/tools/build-installer.sh" "$build/windows/Korvalin" "$dist"; then
    echo "FAILED: tools/build-installer.sh"
    failed_stage=1
elif [ "$KORVALIN_TEST_BUILD" != windows ]; then
    echo "the setup program is a 32-bit program: its tests need 32-bit Wine"
else
    timeout 600 python3 "$root/tests/e2e/e2e_dist.py" --setup "$dist/Korvalin-1.2.1.0-Setup.exe" \
        --portable "$dist/Korvalin-1.2.1.0-portable.zip" --tree "$build/windows/Korvalin" \
        --probe "$build/windows/tests/e2e/probe.exe" --junit "$results/dist.xml"
    [ -f "$results/dist.xml" ] || python3 "$root/tools/results.py" record "$results/dist.result" dist fail
fi

wineserver -k 2>/dev/null || true
python3 "$root/tools/results.py" summary "$results" "$failed_stage"
