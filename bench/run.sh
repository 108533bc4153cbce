#!/usr/bin/env bash
# One command for the benchmark: installs what it needs, builds the benchmark tools in Release
# into build-bench, generates the data under /tmp and prints the table.
#   bench/run.sh                      all sizes (10^4, 10^5, 10^6 members)
#   ZELT_BENCH_SIZES=10000 bench/run.sh --only sale   a quick look at one workload
#   ZELT_BENCH_SIZES=1000000,10000000 bench/run.sh --no-sqlite   with 10^7 members: generated only
#                                     when named here, about 5 GB under the root, no side files
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

# The data is deterministic, so a folder made by the same generator with the same options is
# used again: deleting a few hundred thousand side files costs minutes on some disks. A folder
# whose stamp differs is written again over the top (every file is replaced).
generator_sum=$(cat "$repo"/bench/{data_generator,word_lists,block_writer}.cpp \
    "$repo"/bench/bench_random.h | sha256sum | cut -c1-16)
generate() {
    local dir=$1
    shift
    local stamp="$generator_sum $*"
    if [ -f "$dir/.generated" ] && [ "$(cat "$dir/.generated")" = "$stamp" ] &&
        "$build/bench/zelt_generate" --dir "$dir" "$@" --check-only 2>/dev/null; then
        return
    fi
    rm -f "$dir/.generated"
    "$build/bench/zelt_generate" --dir "$dir" "$@" --check
    echo "$stamp" >"$dir/.generated"
}

# Bytes the two folders of a size take: 211 per member twice (the same-name folder too), 16 per
# sale (2 per member) and payment (1), 50 per communication (1 in 5), and room to spare.
bytes_for_size() {
    echo $(($1 * (2 * 211 + 3 * 16 + 10) + 100 * 1024 * 1024))
}

# Stops before generating a size that does not fit on the disk (10^7 members need about 5 GB).
check_space() {
    local size=$1 needed available
    if [ -f "$root/n$size/.generated" ] && [ -f "$root/n$size-same/.generated" ]; then return; fi
    needed=$(bytes_for_size "$size")
    available=$(df --output=avail -B1 "$root" | tail -1)
    if [ "$available" -lt "$needed" ]; then
        echo "Not enough room under $root for $size members: $((needed >> 20)) MiB needed," \
            "$((available >> 20)) MiB free." >&2
        exit 1
    fi
}

generate_size() {
    local size=$1
    local side=()
    # The member export is measured with the additional info files up to 10^5 members; larger
    # sizes (10^6, 10^7) have no side files.
    if [ "$size" -le 100000 ]; then side=(--side-files); fi
    check_space "$size"
    generate "$root/n$size" --members "$size" "${side[@]}"
    generate "$root/n$size-same" --members "$size" --same-name --sales 0 --payments 0 \
        --communications 0
}

echo "Generating the data under $root ..."
mkdir -p "$root"
for size in ${sizes//,/ }; do
    generate_size "$size"
done
echo "Built and generated in ${SECONDS} s."

"$build/bench/zelt_bench" --root "$root" --sizes "$sizes" "$@"
echo "Done in ${SECONDS} s."
