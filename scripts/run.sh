#!/usr/bin/env bash
# The main job on Linux: builds the Windows programs, makes a sample infected
# stick, maps it under Wine as drive E: (a removable drive) and checks it with
# the console program. With a display (DISPLAY set) or --window, it then opens
# the window on the same machine so the buttons can be tried on E:.
#   bash scripts/run.sh [--window] [--disinfect] [--lang en]
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

window=0
disinfect=0
lang=pt
while [ $# -gt 0 ]; do
    case "$1" in
    --window) window=1 ;;
    --disinfect) disinfect=1 ;;
    --lang) lang="$2"; shift ;;
    *) echo "usage: bash scripts/run.sh [--window] [--disinfect] [--lang pt|en]" >&2; exit 2 ;;
    esac
    shift
done
if [ -n "${DISPLAY:-}" ]; then window=1; fi

bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64
bin="$root/build/win64/bin"

# A private Wine machine for the demonstration, with the sample stick as E:.
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
demo="$root/build/demo"
device="$demo/device-e"
kv_wine_prefix "$demo/wineprefix"
bash scripts/make-sample-device.sh "$device"
kv_wine_map_drive e "$device" floppy
wineserver -k 2>/dev/null || true   # the drive type is read when the server starts
kv_wine_prefix "$demo/wineprefix"

echo
echo "=== Sample stick (build/demo/device-e) as Wine's E:"
(cd "$device" && find . -mindepth 1 | sort | while read -r entry; do
    printf '  %-40s %s\n' "${entry#./}" "$(getfattr --only-values -n user.DOSATTRIB "$entry" 2>/dev/null || true)"
done)

run_cli() {
    echo
    echo "=== kvvuduv-cli --lang $lang $* E  (transcript)"
    local status=0
    kv_wine "$bin/kvvuduv-cli.exe" --lang "$lang" --save "$(kv_wine winepath -w "$demo/report-$1.txt" 2>/dev/null)" "$1" E || status=$?
    echo "=== exit status $status; report saved to build/demo/report-$1.txt"
}

if [ -f "$bin/kvvuduv-cli.exe" ]; then
    run_cli check-device
    if [ "$disinfect" = 1 ]; then run_cli disinfect-device; fi
fi

if [ "$window" = 1 ] && [ -f "$bin/kvvuduv.exe" ]; then
    if [ -z "${DISPLAY:-}" ]; then
        echo "No display: start one (e.g. Xvfb) and set DISPLAY to see the window." >&2
        exit 0
    fi
    echo
    echo "=== Opening the window (close it to end)"
    kv_wine "$bin/kvvuduv.exe"
fi
wineserver -k 2>/dev/null || true
