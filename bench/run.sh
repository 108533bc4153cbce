#!/usr/bin/env bash
# One command for the benchmark: installs what it needs, builds the benchmark tools in Release
# into build-bench, generates the data under /tmp and prints the table.
#   bench/run.sh                      all sizes (10^4, 10^5, 10^6 members)
#   ZELT_BENCH_SIZES=10000 bench/run.sh --only sale   a quick look at one workload
# Further arguments go to zelt_bench (--runs N, --sqlite-runs N, --only NAME, --no-sqlite).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
root=${ZELT_BENCH_ROOT:-/tmp/zelt-bench}
sizes=${ZELT_BENCH_SIZES:-10000,100000,1000000}
build="$repo/build-bench"

bash "$repo/scripts/setup.sh" sqlite3
cmake -S "$repo" -B "$build" -G Ninja -DZELT_BUILD_BENCH=ON -DZELT_BUILD_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target zelt_generate zelt_bench zelt_bench_gui
echo "Built in ${SECONDS} s."

echo "Generating the data under $root ..."
rm -rf "$root"
mkdir -p "$root"
for size in ${sizes//,/ }; do
    side=()
    # The member export is measured with the additional info files up to 10^5 members.
    if [ "$size" -le 100000 ]; then side=(--side-files); fi
    "$build/bench/zelt_generate" --dir "$root/n$size" --members "$size" "${side[@]}" --check
    "$build/bench/zelt_generate" --dir "$root/n$size-same" --members "$size" --same-name \
        --sales 0 --payments 0 --communications 0 --check
done

echo "Built and generated in ${SECONDS} s."

"$build/bench/zelt_bench" --root "$root" --sizes "$sizes" "$@"
echo "Done in ${SECONDS} s."
