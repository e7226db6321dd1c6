#!/usr/bin/env bash
# The maintenance tools of kvvuduv-cli.exe under Wine, in the end-to-end
# prefix, all in one run to keep Wine starts few:
#   tools-e2e.sh CLI_EXE PREFIX WORK_DIR
# Needs KV_E2E_SLEEPER (a program that only sleeps) and KV_E2E_HOLDER (holds
# files open without delete sharing) in the environment.
set -euo pipefail
cli="$1"
prefix="$2"
work="$3/tools"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"
kv_wine_prefix "$prefix"
rm -rf "$work"
mkdir -p "$work"

failures=0
fail() {
    echo "FAIL [tools]: $*" >&2
    failures=$((failures + 1))
}
# run NAME ARGS...: the console program's transcript in $work/NAME.out
# (carriage returns dropped), its exit status in $status.
run() {
    local name="$1"
    shift
    status=0
    kv_wine "$cli" "$@" >"$work/$name.raw" 2>"$work/$name.err" || status=$?
    tr -d '\r' <"$work/$name.raw" >"$work/$name.out"
    [ ! -s "$work/$name.err" ] || fail "$name: standard error: $(cat "$work/$name.err")"
}
expect_status() { [ "$status" -eq "$1" ] || fail "$2: exit status $status, expected $1"; }
expect_output() {  # expect_output NAME EXPECTED_TEXT
    diff -u <(printf '%s\n' "$2") "$work/$1.out" >&2 || fail "$1: transcript differs"
}
# A Windows path of the prefix's C: drive as a Linux path.
unix_path() {
    local path="${1#C:\\}"
    printf '%s/drive_c/%s' "$prefix" "${path//\\//}"
}

# Programs this script started, ended by their ids at the end.
started=()
start_detached() {
    (cd "$prefix/drive_c" && exec setsid /usr/lib/wine/wine64 "$@" </dev/null >/dev/null 2>&1) &
    started+=("$!")
}
cleanup() {
    local pid
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
wait_for() {  # bounded: 100 looks about 0.1 s apart
    local tries=0
    until "$@"; do
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || return 1
        sleep 0.1
    done
}

# ---- Processes: two copies of one dummy program, listed by their full paths ----
dummies="$prefix/drive_c/kv-tools"
rm -rf "$dummies"
mkdir -p "$dummies/one" "$dummies/two"
cp "$KV_E2E_SLEEPER" "$dummies/one/kvtooldummy.exe"
cp "$KV_E2E_SLEEPER" "$dummies/two/kvtooldummy.exe"
start_detached 'C:\kv-tools\one\kvtooldummy.exe'
start_detached 'C:\kv-tools\two\kvtooldummy.exe'
both_listed() {
    run list list-processes
    grep -qxF 'C:\kv-tools\one\kvtooldummy.exe' "$work/list.out" &&
        grep -qxF 'C:\kv-tools\two\kvtooldummy.exe' "$work/list.out"
}
wait_for both_listed || fail "the dummies' full paths are not listed: $(cat "$work/list.out")"
expect_status 0 list-processes
tr 'A-Z' 'a-z' <"$work/list.out" | LC_ALL=C sort -c || fail "list-processes is not sorted without regard to case"

run end end-process kvtooldummy.exe
expect_status 0 end-process
expect_output end '== information | Aviso | Processo finalizado com sucesso!'
run list-after list-processes
if grep -qi 'kvtooldummy' "$work/list-after.out"; then fail "a dummy still runs after end-process"; fi
run end-again --lang en end-process kvtooldummy.exe
expect_status 1 "end-process of a name no longer running"
expect_output end-again '== warning | Heads up | The process can not be completed!'

# ---- Temporary folders: sizes past 2 GiB (sparse files), then the cleanup ----
run folders --lang en temp-folders
user_temp=$(sed -n 1p "$work/folders.out")
system_temp=$(sed -n 3p "$work/folders.out")
[ "$system_temp" = 'C:\windows\temp\' ] || fail "system temporary folder: '$system_temp'"
case "$user_temp" in
C:\\users\\*\\Temp\\) ;;
*) fail "user temporary folder: '$user_temp'" ;;
esac
user_dir=$(unix_path "$user_temp")
system_dir=$(unix_path "$system_temp")
find "$user_dir" "$system_dir" -mindepth 1 -delete 2>/dev/null || true
mkdir -p "$user_dir/Deep/er" "$system_dir"
truncate -s 3G "$user_dir/big.iso"
truncate -s 512M "$user_dir/Deep/er/half.bin"
head -c 1024 /dev/zero >"$system_dir/one-k.tmp"
run folders --lang en temp-folders
expect_output folders "$user_temp
Occupied space: 3.50 GB
$system_temp
Occupied space: 1.00 KB"

# A helper holds two files open without delete sharing: one at the top, one
# inside a plain subfolder; a hidden subfolder stays as the cleaner leaves it.
mkdir -p "$user_dir/Busy" "$user_dir/Hidden"
echo free >"$user_dir/Busy/free.txt"
echo inside >"$user_dir/Hidden/inside.txt"
setfattr -n user.DOSATTRIB -v '"0x12"' "$user_dir/Hidden"
ready="$prefix/drive_c/kv-tools/holder.ready"
rm -f "$ready"
cp "$KV_E2E_HOLDER" "$dummies/kvholder.exe"
start_detached 'C:\kv-tools\kvholder.exe' 'C:\kv-tools\holder.ready' "${user_temp}held.tmp" "${user_temp}Busy\\held.log"
wait_for test -f "$ready" || fail "the holder did not open its files"
logs_before=$( (ls "$prefix"/drive_c/users/*/AppData/*/zirozov/kv-temp*.txt 2>/dev/null || true) | wc -l)
run clean clean-temp
expect_status 0 clean-temp
expect_output clean "Obs.: Aquivos ou pastas não deletados podem estar em uso...
Iniciando Limpeza...
Pasta $user_temp encontrada.
Arquivo ${user_temp}big.iso deletado.
Pasta ${user_temp}Busy não pode ser deletada.
Pasta ${user_temp}Deep deletada.
Arquivo ${user_temp}held.tmp não pode ser deletado.
Arquivo ${user_temp}Hidden não pode ser deletado.
Pasta $system_temp encontrada.
Arquivo ${system_temp}one-k.tmp deletado.
Processo concluído com sucesso!
== information | Aviso | Processo concluído com sucesso!"
[ -f "$user_dir/held.tmp" ] && [ -f "$user_dir/Busy/held.log" ] && [ ! -e "$user_dir/Busy/free.txt" ] &&
    [ -f "$user_dir/Hidden/inside.txt" ] || fail "the temporary folder after the cleanup: $(cd "$user_dir" && find .)"
logs=("$prefix"/drive_c/users/*/AppData/Roaming/zirozov/kv-temp*.txt)
newest=$(ls -t "${logs[@]}" | head -n 1)
local_copy="${newest/\/Roaming\//\/Local\/}"
cmp -s "$newest" "$local_copy" || fail "the two logs differ or one is missing: $newest"
grep -v '^== ' "$work/clean.out" | iconv -f UTF-8 -t CP1252 | sed 's/$/\r/' | cmp -s - "$newest" ||
    fail "the log is not the transcript's lines in Windows-1252 with CR LF"
[ "$(ls "$prefix"/drive_c/users/*/AppData/*/zirozov/kv-temp*.txt | wc -l)" -ge $((logs_before + 1)) ] ||
    fail "no new log files"

# ---- Icon repair on the prefix's HKCU ----
exts='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts'
kv_wine reg delete "${exts}oldkv" /f >/dev/null 2>&1 || true
kv_wine reg add "$exts\\.kvtest\\OpenWithList" /v a /t REG_SZ /d kvdummy.exe /f >/dev/null 2>&1
run repair repair-icons
expect_status 0 repair-icons
expect_output repair '== information | Aviso | Para concluir procedimento é necessário reiniciar o computador!'
kv_wine reg query "${exts}oldkv\\.kvtest\\OpenWithList" /v a 2>/dev/null | tr -d '\r' | grep -q 'kvdummy.exe' ||
    fail "FileExtsoldkv does not hold the moved value"
if kv_wine reg query "$exts" >/dev/null 2>&1; then fail "FileExts is still there"; fi
run repair-again --lang en repair-icons
expect_status 1 "repair-icons with nothing to repair"
expect_output repair-again '== information | Warning | Unable to repair!'
kv_wine reg delete "${exts}oldkv" /f >/dev/null 2>&1 || true

# ---- System report ----
run report system-report
expect_status 0 system-report
grep -q '^>>> Relatório do Sistema Criado em .* às .*$' <(sed -n 1p "$work/report.out") ||
    fail "report line 1: $(sed -n 1p "$work/report.out")"
grep -qE '^>>> Sistema Operacional: .+ - Versão: .+ - Build: .+ - 64 Bits$' <(sed -n 3p "$work/report.out") ||
    fail "report line 3: $(sed -n 3p "$work/report.out")"
grep -qE '^>>> Processador: .* - Id: .+$' <(sed -n 5p "$work/report.out") ||
    fail "report line 5: $(sed -n 5p "$work/report.out")"
[ "$(sed -n 7p "$work/report.out")" = '>>> Lista de Processos em Execução:' ] || fail "report line 7"
grep -qi 'kvholder.exe$' "$work/report.out" || fail "the report's process list lacks the running holder"
reports=("$prefix"/drive_c/users/*/AppData/Roaming/zirozov/kv-relatorio-*.txt)
newest=$(ls -t "${reports[@]}" | head -n 1)
cmp -s "$newest" "${newest/\/Roaming\//\/Local\/}" || fail "the two reports differ or one is missing"
iconv -f UTF-8 -t CP1252 "$work/report.out" | sed 's/$/\r/' | cmp -s - "$newest" ||
    fail "the report file is not the printed lines"

if [ "$failures" -ne 0 ]; then
    echo "tools: $failures failure(s)" >&2
    exit 1
fi
echo "tools: passed"
