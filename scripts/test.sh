#!/usr/bin/env bash
# Builds the program and runs every test: once in a normal build, once under AddressSanitizer
# and UndefinedBehaviorSanitizer; between the two it runs each fuzzer for a bounded time
# (FUZZ_SECONDS, 30 by default).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

launcher=()
if command -v ccache > /dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

run_suite() {
    local dir="$1"; shift
    cmake -S . -B "$dir" -G Ninja -DZELT_BUILD_TESTS=ON "${launcher[@]}" "$@" > /dev/null
    cmake --build "$dir" -j"$(nproc)"
    ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
}

step_start=$SECONDS
step_done() { echo "== $1 took $((SECONDS - step_start)) s"; step_start=$SECONDS; }

echo "== Tests =="
run_suite build-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo
step_done "Tests"
echo "== Fuzzers =="
fuzz/run.sh
step_done "Fuzzers"
echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DZELT_SANITIZE=ON
step_done "Tests under the sanitizers"
