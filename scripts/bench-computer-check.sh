#!/usr/bin/env bash
# Computer-check benchmark (prints figures; not a test).
#
#   scripts/bench-computer-check.sh [BUILD_DIR] [RUNS]
#
# Makes a Wine prefix of its own (once, kept as BUILD_DIR/bench/computer-prefix)
# whose user profile and roaming application data hold 10,000 entries each
# (5,000 folders holding one file and 5,000 files), and times, alternately
# and RUNS times each (default 5, after one warm-up run each), the computer
# check's folder searches alone, each folder and mask searched once
# (kv-computer-listings.exe), and "kvvuduv-cli.exe check-computer", both with
# their standard output in a file. Prints every run and the medians.
# BUILD_DIR defaults to build/win64 and must hold bin/kvvuduv-cli.exe and
# bin/kv-computer-listings.exe.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(readlink -f "${1:-$repo/build/win64}")"
runs="${2:-5}"
cli="$build/bin/kvvuduv-cli.exe"
listings="$build/bin/kv-computer-listings.exe"

# shellcheck source=wine-env.sh
source "$repo/scripts/wine-env.sh"
# shellcheck source=bench-common.sh
source "$repo/scripts/bench-common.sh"
kv_bench_require "$build" "$cli" "$listings"

bench="$build/bench"
prefix="$bench/computer-prefix"
mkdir -p "$bench"
kv_wine_prefix "$prefix"
# Its services are not needed once the figures are taken.
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true' EXIT

# fill FOLDER: 5,000 folders holding one file and 5,000 files.
fill() {
    local folder="$1" i
    mkdir -p "$folder"
    (
        cd "$folder"
        for i in $(seq -w 0 4999); do echo "pasta$i"; done | xargs mkdir -p
        for i in $(seq -w 0 4999); do echo "pasta$i/nota.txt"; done | xargs touch
        for i in $(seq -w 0 4999); do echo "arquivo$i.txt"; done | xargs touch
    )
}
profile="$prefix/drive_c/users/$(id -un)"
shape="10,000 entries in the profile and in the roaming application data each"
if [ "$(cat "$prefix.shape" 2>/dev/null)" != "$shape" ]; then
    echo "filling the prefix ($shape)..."
    fill "$profile"
    fill "$profile/AppData/Roaming"
    echo "$shape" >"$prefix.shape"
fi
echo "profile: $(find "$profile" -mindepth 1 -maxdepth 1 | wc -l) entries," \
    "roaming application data: $(find "$profile/AppData/Roaming" -mindepth 1 -maxdepth 1 | wc -l) entries"

echo "warm-up..."
kv_bench_run_timed "$bench/listings.out" "$listings" >/dev/null
kv_bench_run_timed "$bench/computer-check.out" "$cli" check-computer >/dev/null

bare=()
checks=()
for i in $(seq 1 "$runs"); do
    b=$(kv_bench_run_timed "$bench/listings.out" "$listings")
    c=$(kv_bench_run_timed "$bench/computer-check.out" "$cli" check-computer)
    bare+=("$b")
    checks+=("$c")
    printf 'run %d: searches %.2f s, check %.2f s\n' "$i" "$b" "$c"
done

entry_lines=$(grep -c '^\[KV\] - Procurando: Vírus Tipo [12] não encontrado!' "$bench/computer-check.out" || true)
echo "searches: $(tail -n 1 "$bench/listings.out" | tr -d '\r'); check wrote $entry_lines entry lines" \
    "and $(wc -l <"$bench/computer-check.out") lines in all"
bare_median=$(printf '%s\n' "${bare[@]}" | kv_bench_median)
check_median=$(printf '%s\n' "${checks[@]}" | kv_bench_median)
ratio=$(awk -v c="$check_median" -v b="$bare_median" 'BEGIN { printf "%.2f", c / b }')
printf 'median of %d runs: searches %.2f s, check %.2f s, ratio %s (goal: at most 1.30)\n' \
    "$runs" "$bare_median" "$check_median" "$ratio"
