#!/usr/bin/env bash
# Device-disinfection benchmark (prints figures; not a test).
#
#   scripts/bench-device-disinfection.sh [BUILD_DIR] [RUNS] [SHAPE]
#
# Makes a stick of 5,000 hidden folders and 5,000 shortcuts at its root (once,
# kept under BUILD_DIR/bench/stick-SHAPE; the hidden bit is Wine's
# user.DOSATTRIB attribute), and times, alternately and RUNS times each
# (default 5, after one warm-up run each), on a fresh copy of the stick mapped
# as drive K: in the build tree's Wine prefix: a bare program that makes the
# same changes (kv-bare-disinfect.exe: clears the attributes of every root
# entry and deletes every shortcut) and "kvvuduv-cli.exe disinfect-device K",
# both with their standard output in a file. Prints every run, the medians and
# their ratio. BUILD_DIR defaults to build/win64 and must hold
# bin/kvvuduv-cli.exe and bin/kv-bare-disinfect.exe.
#
# SHAPE "tiny" (the default): each shortcut is a one-byte file that no reader
# can follow. SHAPE "worm": each shortcut is a real shell link as a shortcut
# worm writes it, "cmd.exe /c start x.exe & start explorer PastaNNNN", beside
# the worm's hidden x.exe; the disinfection then also follows every link and
# removes x.exe, which the bare program does not.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(readlink -f "${1:-$repo/build/win64}")"
runs="${2:-5}"
shape_name="${3:-tiny}"
cli="$build/bin/kvvuduv-cli.exe"
bare="$build/bin/kv-bare-disinfect.exe"

# shellcheck source=wine-env.sh
source "$repo/scripts/wine-env.sh"
# shellcheck source=bench-common.sh
source "$repo/scripts/bench-common.sh"
kv_bench_require "$build" "$cli" "$bare"

bench="$build/bench"
stick="$bench/stick-$shape_name"
work="$bench/stick-run"
case "$shape_name" in
tiny) shape="5000 hidden folders and 5000 one-byte shortcuts at the root" ;;
worm) shape="5000 hidden folders, 5000 worm shortcuts starting a hidden x.exe" ;;
*) echo "unknown shape $shape_name (tiny or worm)" >&2; exit 2 ;;
esac
if [ "$(cat "$stick.shape" 2>/dev/null)" != "$shape" ]; then
    echo "making the stick ($shape)..."
    rm -rf "$stick"
    mkdir -p "$stick"
    (
        cd "$stick"
        for i in $(seq -w 0 4999); do mkdir "Pasta$i"; done
        if [ "$shape_name" = tiny ]; then
            for i in $(seq -w 0 4999); do printf 'L' >"Atalho$i.lnk"; done
        else
            # One link written with the format's bytes, then one copy per
            # folder with the folder's number in its command line.
            device="$stick"
            # shellcheck source=../tests/e2e/shortcut-files.sh
            source "$repo/tests/e2e/shortcut-files.sh"
            shortcut template.lnk 'C:\Windows\System32\cmd.exe' '/c start x.exe & start explorer Pasta0000'
            perl -e 'binmode STDIN; local $/; my $t = <STDIN>;
                for my $i (0 .. 4999) {
                    my $n = sprintf("%04d", $i); (my $u = $n) =~ s/(.)/$1\0/g;
                    (my $c = $t) =~ s/0\x000\x000\x000\x00/$u/;
                    open(my $o, ">", "Pasta$n.lnk") or die; binmode $o; print $o $c; close $o;
                }' <template.lnk
            rm template.lnk
            head -c 300000 /dev/zero >x.exe
            setfattr -n user.DOSATTRIB -v '"0x6"' x.exe
        fi
        for i in $(seq -w 0 4999); do setfattr -n user.DOSATTRIB -v '"0x2"' "Pasta$i"; done
    )
    echo "$shape" >"$stick.shape"
fi

# kv_bench_fresh_stick: a fresh copy of the stick (attributes kept) as drive K:.
kv_bench_fresh_stick() {
    rm -rf "$work"
    cp -a "$stick" "$work"
}

kv_wine_prefix "$build/wineprefix"
kv_wine_map_drive k "$work"
trap 'kv_wine_unmap_drive k; rm -rf "$work"' EXIT

echo "warm-up..."
kv_bench_fresh_stick
kv_bench_run_timed "$bench/bare.out" "$bare" 'K:\' >/dev/null
kv_bench_fresh_stick
kv_bench_run_timed "$bench/disinfect.out" "$cli" disinfect-device K >/dev/null

bares=()
disinfections=()
for i in $(seq 1 "$runs"); do
    kv_bench_fresh_stick
    b=$(kv_bench_run_timed "$bench/bare.out" "$bare" 'K:\')
    kv_bench_fresh_stick
    d=$(kv_bench_run_timed "$bench/disinfect.out" "$cli" disinfect-device K)
    left=$(find "$work" -mindepth 1 -maxdepth 1 -name '*.lnk' | wc -l)
    hidden=$(getfattr -d -m '^user\.DOSATTRIB$' "$work"/* 2>/dev/null | grep -c '^user.DOSATTRIB="0x[^0]' || true)
    bares+=("$b")
    disinfections+=("$d")
    printf 'run %d: bare %.2f s, disinfection %.2f s (left after it: %d shortcuts, %d hidden entries)\n' \
        "$i" "$b" "$d" "$left" "$hidden"
done

deleted=$(grep -c 'Deletado com Sucesso!\|Successfully Deleted!' "$bench/disinfect.out" || true)
echo "bare: $(tail -n 1 "$bench/bare.out" | tr -d '\r'); disinfection reported $deleted files deleted"
bare_median=$(printf '%s\n' "${bares[@]}" | kv_bench_median)
disinfection_median=$(printf '%s\n' "${disinfections[@]}" | kv_bench_median)
ratio=$(awk -v d="$disinfection_median" -v b="$bare_median" 'BEGIN { printf "%.2f", d / b }')
printf 'median of %d runs: bare %.2f s, disinfection %.2f s, ratio %s (goal: at most 1.50)\n' \
    "$runs" "$bare_median" "$disinfection_median" "$ratio"
