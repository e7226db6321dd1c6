#!/usr/bin/env bash
# Device-check benchmark (prints figures; not a test).
#
#   scripts/bench-device-check.sh [BUILD_DIR] [RUNS]
#
# Makes a device of 100,000 files in 10,000 folders (once, kept under
# BUILD_DIR/bench/device), maps it as drive K: in the build tree's Wine prefix,
# and times, alternately and RUNS times each (default 5, after one warm-up
# run each), a bare recursive FindFirstFileW walk (kv-walker.exe) and
# "kvvuduv-cli.exe check-device K", both with their standard output in a file.
# Prints every run and the medians. BUILD_DIR defaults to build/win64 and must
# hold bin/kvvuduv-cli.exe and bin/kv-walker.exe.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(readlink -f "${1:-$repo/build/win64}")"
runs="${2:-5}"
cli="$build/bin/kvvuduv-cli.exe"
walker="$build/bin/kv-walker.exe"

# shellcheck source=wine-env.sh
source "$repo/scripts/wine-env.sh"
# shellcheck source=bench-common.sh
source "$repo/scripts/bench-common.sh"
kv_bench_require "$build" "$cli" "$walker"

bench="$build/bench"
device="$bench/device"
kv_bench_make_device "$bench"

kv_wine_prefix "$build/wineprefix"
kv_wine_map_drive k "$device"
trap 'kv_wine_unmap_drive k' EXIT

echo "warm-up..."
kv_bench_run_timed "$bench/walker.out" "$walker" 'K:\' >/dev/null
kv_bench_run_timed "$bench/check.out" "$cli" check-device K >/dev/null

walks=()
checks=()
for i in $(seq 1 "$runs"); do
    w=$(kv_bench_run_timed "$bench/walker.out" "$walker" 'K:\')
    c=$(kv_bench_run_timed "$bench/check.out" "$cli" check-device K)
    walks+=("$w")
    checks+=("$c")
    printf 'run %d: walk %.2f s, check %.2f s\n' "$i" "$w" "$c"
done

listed=$(grep -c '^\[KV\] - K:\\' "$bench/check.out" || true)
echo "walker: $(tail -n 1 "$bench/walker.out" | tr -d '\r'); check listed $listed entries"
walk_median=$(printf '%s\n' "${walks[@]}" | kv_bench_median)
check_median=$(printf '%s\n' "${checks[@]}" | kv_bench_median)
ratio=$(awk -v c="$check_median" -v w="$walk_median" 'BEGIN { printf "%.2f", c / w }')
printf 'median of %d runs: walk %.2f s, check %.2f s, ratio %s (goal: at most 1.50)\n' \
    "$runs" "$walk_median" "$check_median" "$ratio"
