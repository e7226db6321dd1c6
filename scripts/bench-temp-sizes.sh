#!/usr/bin/env bash
# Temporary-folder sizes benchmark (prints figures; not a test).
#
#   scripts/bench-temp-sizes.sh [BUILD_DIR] [RUNS]
#
# Puts the benchmark tree of 100,000 files in 10,000 folders (the one the
# device-check benchmark uses, made once under BUILD_DIR/bench/device) in
# place of the user's temporary folder of the build tree's Wine prefix, and
# times, alternately and RUNS times each (default 5, after one warm-up run
# each), a bare recursive FindFirstFileW walk of that folder (kv-walker.exe)
# and "kvvuduv-cli.exe temp-folders", which measures both temporary folders
# as the tools tab does when it is shown. Prints every run and the medians.
# The prefix's own temporary folder is put back at the end. BUILD_DIR
# defaults to build/win64 and must hold bin/kvvuduv-cli.exe and
# bin/kv-walker.exe.
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
kv_bench_make_device "$bench"
kv_wine_prefix "$build/wineprefix"

# The prefix's temporary folder (Windows and Linux paths), from the program itself.
temp_windows=$(kv_wine "$cli" temp-folders | tr -d '\r' | sed -n 1p)
case "$temp_windows" in
C:\\*\\) ;;
*) echo "unexpected temporary folder: '$temp_windows'" >&2; exit 2 ;;
esac
temp_linux="$WINEPREFIX/drive_c/$(printf '%s' "${temp_windows#C:\\}" | tr '\\' /)"
temp_linux="${temp_linux%/}"
saved="$temp_linux.kv-bench-saved"
[ ! -e "$saved" ] || { echo "$saved is left from an earlier run: put it back first" >&2; exit 2; }
mv "$temp_linux" "$saved"
ln -s "$(readlink -f "$bench/device")" "$temp_linux"
restore() { rm -f "$temp_linux" && mv "$saved" "$temp_linux"; }
trap restore EXIT

echo "warm-up..."
kv_bench_run_timed "$bench/walker.out" "$walker" "$temp_windows" >/dev/null
kv_bench_run_timed "$bench/sizes.out" "$cli" temp-folders >/dev/null

walks=()
sizes=()
ratios=()
for i in $(seq 1 "$runs"); do
    w=$(kv_bench_run_timed "$bench/walker.out" "$walker" "$temp_windows")
    s=$(kv_bench_run_timed "$bench/sizes.out" "$cli" temp-folders)
    walks+=("$w")
    sizes+=("$s")
    ratios+=("$(awk -v s="$s" -v w="$w" 'BEGIN { printf "%.3f", s / w }')")
    printf 'run %d: walk %.2f s, sizes %.2f s, ratio %.2f\n' "$i" "$w" "$s" "${ratios[-1]}"
done

echo "walker: $(tail -n 1 "$bench/walker.out" | tr -d '\r')"
echo "temp-folders: $(tr -d '\r' <"$bench/sizes.out" | paste -sd ' ')"
walk_median=$(printf '%s\n' "${walks[@]}" | kv_bench_median)
sizes_median=$(printf '%s\n' "${sizes[@]}" | kv_bench_median)
ratio=$(awk -v s="$sizes_median" -v w="$walk_median" 'BEGIN { printf "%.2f", s / w }')
# On a busy machine the runs' own ratios (each pair run back to back) say
# more than the ratio of the medians.
pair_median=$(printf '%s\n' "${ratios[@]}" | kv_bench_median)
printf 'median of %d runs: walk %.2f s, sizes %.2f s, ratio %s; median of the runs'"'"' ratios %.2f (goal: at most 1.20)\n' \
    "$runs" "$walk_median" "$sizes_median" "$ratio" "$pair_median"
