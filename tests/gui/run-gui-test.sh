#!/usr/bin/env bash
# The window's test: kvvuduv.exe on a virtual display (Xvfb) under Wine, in the
# build tree's private prefix, driven step by step by gui_driver.exe, with a
# screenshot of each tab in both languages, one of the report at the end of
# the device check and one during the check of a large device.
#   run-gui-test.sh KVVUDUV_EXE DRIVER_EXE WINEPREFIX OUTPUT_DIR DRIVE_TOOL_EXE
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"
exe="$1" driver="$2" prefix="$3" out="$4" drive_tool="$5"
started=$(date +%s)

mkdir -p "$out/screenshots"
rm -f "$out/screenshots/"*.png "$out/display"

# A display of our own; Xvfb writes its number once it is ready.
# Wide enough for the instructions window beside the centred main window.
Xvfb -displayfd 3 -screen 0 2200x900x24 -nolisten tcp 3>"$out/display" 2>"$out/xvfb.log" &
xvfb=$!
for _ in $(seq 1 200); do
    [ -s "$out/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start"; cat "$out/xvfb.log"; exit 1; }
    sleep 0.05
done
export DISPLAY=":$(tr -d '\n' <"$out/display")"

# Wine's services start again on this display: a desktop that earlier tests
# started without one (or on another display) would refuse the windows, or
# keep the other display's size.
kv_wine_exports "$prefix"
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
kv_wine_prefix "$prefix"
finish() {
    kv_wine "$driver" close </dev/null >/dev/null 2>&1 || true
    kv_wine "$drive_tool" k </dev/null >/dev/null 2>&1 || true
    kv_wine "$drive_tool" l </dev/null >/dev/null 2>&1 || true
    kill "$xvfb" 2>/dev/null || true
}
trap finish EXIT

# Text files open in Notepad, as on Windows (a fresh Wine prefix lacks the
# ".txt" association): the tools open their logs and reports that way.
kv_wine reg add 'HKCR\.txt' /ve /t REG_SZ /d txtfile /f </dev/null >/dev/null 2>&1

# The program runs from a folder of its own on C:, where its leftover file goes.
program_dir="$WINEPREFIX/drive_c/kvgui"
rm -rf "$program_dir"
mkdir -p "$program_dir"
cp "$exe" "$program_dir/kvvuduv.exe"
# Stand-ins for virus processes that start-up must end.
cp "$driver" "$program_dir/wscript.exe"
cp "$driver" "$program_dir/XCV.exe"
program='C:\kvgui\kvvuduv.exe'

# A small device: a folder, a file and an autorun.inf, mapped as K:.
device="$out/device"
rm -rf "$device"
mkdir -p "$device/Fotos"
printf 'notas\r\n' >"$device/notas.txt"
printf '[autorun]\r\n' >"$device/autorun.inf"
# Defined through Wine's mount manager, so the drive lists see it at once (a
# bare dosdevices link is listed only after Wine's services restart).
kv_wine "$drive_tool" k "$device" fixed </dev/null >/dev/null

# A large device for the checks that run while the window is watched: 100,000
# empty files in 10,000 folders, made once (a second or two) and kept.
big="$out/bigdevice"
if [ "$(cat "$out/bigdevice.shape" 2>/dev/null)" != "100x100x10" ]; then
    rm -rf "$big"
    for top in $(seq -w 0 99); do
        mkdir -p "$big/Pasta$top"/Sub{00..99}
        touch "$big/Pasta$top"/Sub{00..99}/arquivo{0..9}.txt
    done
    echo 100x100x10 >"$out/bigdevice.shape"
fi
kv_wine "$drive_tool" l "$big" fixed </dev/null >/dev/null

# The driver's output goes through a file: the program it starts inherits its
# output, and a pipe would stay open as long as the program runs.
driver_out="$out/driver.out"
drive() {
    local status=0
    kv_wine "$driver" "$@" </dev/null >"$driver_out" 2>&1 || status=$?
    tr -d '\r' <"$driver_out"
    return "$status"
}
step() {
    echo "== $*"
    drive "$@"
}
shot() {  # shot TAB NAME
    local place
    place=$(drive tab "$1")
    import -window root -crop "$place" +repage "$out/screenshots/$2.png"
}

step start "$program" K
shot 0 pt-1-virus-removal
shot 1 pt-2-tools
shot 2 pt-3-options
step tab 0 >/dev/null
# The tools tab with two copies of a dummy program running, and the options tab.
cp "$driver" "$program_dir/kvguidummy.exe"
step tools 'C:\kvgui\kvguidummy.exe'
# The tab shown again with figures in both folders: 2.5 GB (a sparse file)
# in the user's, 1.5 MB in the system's.
step tab 0 >/dev/null
user_temp="$WINEPREFIX/drive_c/users/$(id -un)/Temp"
mkdir -p "$user_temp/kv-shot" "$WINEPREFIX/drive_c/windows/temp"
truncate -s 2560M "$user_temp/kv-shot/setup-cache.bin"
head -c 1572864 /dev/zero >"$WINEPREFIX/drive_c/windows/temp/kv-shot.tmp"
shot 1 pt-2-tools-in-use
rm -rf "$user_temp/kv-shot" "$WINEPREFIX/drive_c/windows/temp/kv-shot.tmp"
step options-tab "$program"
step tab 0 >/dev/null
step device-check K
# The report at the end of the check: its newest lines in view.
shot 0 pt-4-device-check
step computer-check pt
step save K 'C:\kvgui\relatorio.txt'
# A long check: the window answers throughout; a screenshot while it runs,
# once the progress line counts the listed entries.
kv_wine "$driver" busy L </dev/null >"$out/busy.out" 2>&1 &
busy=$!
step listing-progress
shot 0 pt-5-during-long-check
status=0
wait "$busy" || status=$?
echo "== busy L"
tr -d '\r' <"$out/busy.out"
[ "$status" -eq 0 ] || exit 1
step stop L button
step english
shot 0 en-1-virus-removal
shot 1 en-2-tools
shot 2 en-3-options
step tab 0 >/dev/null
step computer-check en
step stop L escape
step portuguese
step options K
step instructions
step keyboard
# Disinfect Device from its button: autorun.inf goes, and the report's two
# automatic copies (without the final completion line) are written.
copies="$WINEPREFIX/drive_c/users/*/AppData"
forget_copies() { rm -f $copies/Roaming/zirozov/kv-pen-*.txt $copies/Local/zirozov/kv-pen-*.txt; }
expect_copies_with_verdict() {
    local verdict copy
    verdict=$(printf '[KV] - Nenhum V\355rus Encontrado no Drive K:\\!')
    for copy in $copies/Roaming/zirozov/kv-pen-*.txt $copies/Local/zirozov/kv-pen-*.txt; do
        [ -f "$copy" ] && [ "$(tail -n 1 "$copy" | tr -d '\r')" = "$verdict" ] ||
            { echo "FAIL: automatic copy missing or not ending with the verdict: $copy"; exit 1; }
    done
}
forget_copies
step disinfect K
[ ! -e "$device/autorun.inf" ] || { echo "FAIL: autorun.inf is still on the device"; exit 1; }
expect_copies_with_verdict
# Disinfect Computer from its button: its closing box, the restart question
# answered No, the save question.
step disinfect-computer
printf 'x' >"$program_dir/iphist.dat"
step end-session 'C:\kvgui\iphist.dat' L
step restart "$program"
# Users carry the program on the very stick they clean: started from its copy
# there, beside a copy of the console program, it checks and disinfects that
# stick to the end, writes its copies, and keeps both programs.
cp "$exe" "$device/kvvuduv.exe"
cp "$(dirname "$exe")/kvvuduv-cli.exe" "$device/kvvuduv-cli.exe"
printf '[autorun]\r\n' >"$device/autorun.inf"
forget_copies
step own-copy 'K:\kvvuduv.exe' K
[ ! -e "$device/autorun.inf" ] || { echo "FAIL: autorun.inf is still on the device"; exit 1; }
expect_copies_with_verdict

echo "GUI test passed in $(($(date +%s) - started)) s; screenshots in $out/screenshots"
