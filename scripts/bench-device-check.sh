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
for exe in "$cli" "$walker"; do
    [ -f "$exe" ] || { echo "missing $exe: build the tree first (cmake --build $build)" >&2; exit 2; }
done

# shellcheck source=wine-env.sh
source "$repo/scripts/wine-env.sh"

bench="$build/bench"
device="$bench/device"
shape="100 top folders x 99 subfolders, 10 files each"
if [ "$(cat "$bench/device.shape" 2>/dev/null)" != "$shape" ]; then
    echo "making the device ($shape)..."
    rm -rf "$device"
    for top in $(seq -w 0 99); do
        for sub in "" $(seq -f 'Sub%02g' 0 98); do
            folder="$device/Pasta$top${sub:+/$sub}"
            mkdir -p "$folder"
            for f in 00 01 02 03 04 05 06 07 08 09; do echo x >"$folder/arquivo$f.txt"; done
        done
    done
    echo "$shape" >"$bench/device.shape"
fi
echo "device: $(find "$device" -type f | wc -l) files in $(find "$device" -mindepth 1 -type d | wc -l) folders"

kv_wine_prefix "$build/wineprefix"
kv_wine_map_drive k "$device"
trap 'kv_wine_unmap_drive k' EXIT

# run_timed OUTPUT PROGRAM ARGS...: prints the wall time in seconds.
run_timed() {
    local output="$1"
    shift
    local start end
    start=$(date +%s.%N)
    kv_wine "$@" >"$output" 2>&1 || true
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", b - a }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "warm-up..."
run_timed "$bench/walker.out" "$walker" 'K:\' >/dev/null
run_timed "$bench/check.out" "$cli" check-device K >/dev/null

walks=()
checks=()
for i in $(seq 1 "$runs"); do
    w=$(run_timed "$bench/walker.out" "$walker" 'K:\')
    c=$(run_timed "$bench/check.out" "$cli" check-device K)
    walks+=("$w")
    checks+=("$c")
    printf 'run %d: walk %.2f s, check %.2f s\n' "$i" "$w" "$c"
done

listed=$(grep -c '^\[KV\] - K:\\' "$bench/check.out" || true)
echo "walker: $(tail -n 1 "$bench/walker.out" | tr -d '\r'); check listed $listed entries"
walk_median=$(printf '%s\n' "${walks[@]}" | median)
check_median=$(printf '%s\n' "${checks[@]}" | median)
ratio=$(awk -v c="$check_median" -v w="$walk_median" 'BEGIN { printf "%.2f", c / w }')
printf 'median of %d runs: walk %.2f s, check %.2f s, ratio %s (goal: at most 1.50)\n' \
    "$runs" "$walk_median" "$check_median" "$ratio"
