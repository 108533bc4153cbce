#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs them all at once for a bounded
# time (FUZZ_SECONDS, 30 by default), each on a copy of its checked-in corpus. Prints the
# executions each fuzzer ran; exits non-zero when any fuzzer finds a crash or a failed check,
# leaving the input in build-fuzz/findings/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-30}"
build=build-fuzz
targets=(number date record side_text compare)

launcher=()
if command -v ccache > /dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DZELT_BUILD_FUZZERS=ON -DZELT_BUILD_TESTS=OFF "${launcher[@]}" > /dev/null
cmake --build "$build" --target zelt_fuzzers -j"$(nproc)"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The fuzzers run side by side, so the step takes about FUZZ_SECONDS whatever the number of
# targets; each gets its share of the machine's cores.
run_fuzzer() {
    local target="$1"
    # The fuzzer adds what it finds to a scratch corpus; the checked-in one stays as it is.
    local work="$build/corpus/$target" findings="$build/findings/$target"
    mkdir -p "$work" "$findings"
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/" \
        "$work" "fuzz/corpus/$target" > "$build/fuzz_$target.log" 2>&1
}

pids=()
for target in "${targets[@]}"; do
    run_fuzzer "$target" &
    pids+=($!)
done

failed=()
for i in "${!targets[@]}"; do
    target="${targets[$i]}"
    status=0
    wait "${pids[$i]}" || status=$?
    log="$build/fuzz_$target.log"
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    if [ "$status" -eq 0 ]; then
        echo "fuzz_$target: ${runs:-?} executions in ${seconds} s, nothing found"
    else
        echo "fuzz_$target: FAILED after ${runs:-?} executions (exit $status); input in $build/findings/$target/"
        grep -E "check failed|ERROR: |runtime error" "$log" | head -n 5 || true
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzers that found faults: ${failed[*]} (logs in $build/fuzz_<target>.log)"
    exit 1
fi
