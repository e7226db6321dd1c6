#!/usr/bin/env bash
# Window device-check benchmark (prints figures; not a test).
#
#   scripts/bench-window-check.sh [BUILD_DIR] [RUNS]
#
# On the device of bench-device-check.sh (100,000 files in 10,000 folders, made
# once under BUILD_DIR/bench/device), mapped as drive K: in the build tree's
# Wine prefix, times alternately, RUNS times each (default 5, after one
# warm-up run each):
#   - the window: kvvuduv.exe on a display of its own (Xvfb), the device check
#     from its button to its closing box, timed by the GUI driver
#     (kv_gui_driver.exe timed-device-check K, QueryPerformanceCounter; the
#     box and the save question are then answered OK and No);
#   - the console: "kvvuduv-cli.exe check-device K", wall time of the whole
#     process with its standard output in a file, as bench-device-check.sh
#     times it. That includes starting and ending a Wine process, which the
#     window's figure does not; the script times that alone too (--help).
# Prints every run, the medians and their ratio, and the load average before
# and after. BUILD_DIR defaults to build/win64 and must hold bin/kvvuduv.exe,
# bin/kvvuduv-cli.exe, bin/kv_gui_driver.exe and bin/kv_wine_drive.exe. The
# window runs in the prefix of the tree's window test (gui_window), which finds
# windows by their class: do not run that test at the same time.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(readlink -f "${1:-$repo/build/win64}")"
runs="${2:-5}"
app="$build/bin/kvvuduv.exe"
cli="$build/bin/kvvuduv-cli.exe"
driver="$build/bin/kv_gui_driver.exe"
drive_tool="$build/bin/kv_wine_drive.exe"

# shellcheck source=wine-env.sh
source "$repo/scripts/wine-env.sh"
# shellcheck source=bench-common.sh
source "$repo/scripts/bench-common.sh"
kv_bench_require "$build" "$app" "$cli" "$driver" "$drive_tool"

bench="$build/bench"
device="$bench/device"
kv_bench_make_device "$bench"
out="$bench/window"
mkdir -p "$out"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) cores)"

# A display of our own; Xvfb writes its number once it is ready.
rm -f "$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" 2>"$out/xvfb.log" &
xvfb=$!
for _ in $(seq 1 200); do
    [ -s "$out/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; cat "$out/xvfb.log" >&2; exit 1; }
    sleep 0.05
done
[ -s "$out/display" ] || { echo "Xvfb gave no display" >&2; exit 1; }
DISPLAY=":$(tr -d '\n' <"$out/display")"
export DISPLAY

# Wine's services start again on this display (a desktop started by earlier
# tests without one would refuse the window).
kv_wine_exports "$build/wineprefix"
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
kv_wine_prefix "$build/wineprefix"
program=""
finish() {
    if [ -n "$program" ]; then
        kv_wine "$driver" close </dev/null >/dev/null 2>&1 || true
        for _ in $(seq 1 300); do
            kill -0 "$program" 2>/dev/null || break
            sleep 0.1
        done
    fi
    # Only the link goes, as in bench-device-check.sh: the mount manager keeps
    # the letter (listed, without a folder) until the services restart, so a
    # later bare link to K: (the window test's) is listed again.
    kv_wine_unmap_drive k
    kill "$xvfb" 2>/dev/null || true
}
trap finish EXIT

# Defined through Wine's mount manager, not as a bare link: the window lists
# only the drives the mount manager knows, and learns of a bare link only when
# the prefix's services start again.
kv_wine "$drive_tool" k "$device" fixed >/dev/null

# The program runs from a folder of its own on C:, with no options file, so
# it starts as on a first start (the check ends with the save question).
program_dir="$WINEPREFIX/drive_c/kvbench"
rm -rf "$program_dir"
mkdir -p "$program_dir"
cp "$app" "$program_dir/kvvuduv.exe"
rm -f "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/zirozov/parametros.ini
# Its output goes to a file: a pipe would keep the script's caller waiting.
kv_wine 'C:\kvbench\kvvuduv.exe' </dev/null >"$out/program.out" 2>&1 &
program=$!

# window_check: one check from the window's button; prints its seconds.
window_check() {
    kv_wine "$driver" timed-device-check K </dev/null >"$out/driver.out" 2>&1 || {
        echo "the driver failed:" >&2
        tr -d '\r' <"$out/driver.out" >&2
        exit 1
    }
    tr -d '\r' <"$out/driver.out" >"$out/window-check.txt"
    awk '/^window check:/ { printf "%.3f\n", $3 / 1000 }' "$out/window-check.txt"
}

echo "warm-up..."
window_check >/dev/null
kv_bench_run_timed "$bench/check.out" "$cli" check-device K >/dev/null

windows=()
consoles=()
startups=()
for i in $(seq 1 "$runs"); do
    w=$(window_check)
    c=$(kv_bench_run_timed "$bench/check.out" "$cli" check-device K)
    s=$(kv_bench_run_timed "$out/help.out" "$cli" --help)
    windows+=("$w")
    consoles+=("$c")
    startups+=("$s")
    printf 'run %d: window %.2f s, console %.2f s (console start and end alone %.2f s)\n' "$i" "$w" "$c" "$s"
done

listed=$(grep -c '^\[KV\] - K:\\' "$bench/check.out" || true)
echo "console listed $listed entries; last $(cat "$out/window-check.txt")"
window_median=$(printf '%s\n' "${windows[@]}" | kv_bench_median)
console_median=$(printf '%s\n' "${consoles[@]}" | kv_bench_median)
startup_median=$(printf '%s\n' "${startups[@]}" | kv_bench_median)
ratio=$(awk -v w="$window_median" -v c="$console_median" 'BEGIN { printf "%.2f", w / c }')
printf 'median of %d runs: window %.2f s, console %.2f s (start and end alone %.2f s), ratio %s (goal: at most 1.20)\n' \
    "$runs" "$window_median" "$console_median" "$startup_median" "$ratio"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
