#!/usr/bin/env bash
# Runs one end-to-end case of kvvuduv-cli.exe under Wine:
#   run-case.sh CASE_FILE CLI_EXE PREFIX WORK_DIR
#
# A case file (cases/NAME.sh) is a small bash script that sets:
#   make_device()        builds the device in "$device" with the helpers below
#                        (a fresh folder for every language; mapped as E:)
#   languages            "pt en" (default) or one of them
#   action               the action of the default command line (check-device)
#   drive                the drive of the default command line (E; empty: none)
#   args=(...)           the command line; default: --lang LANG
#                        --save C:\kv-e2e\NAME.LANG.txt ACTION E
#   expect_exit          the exit status
#   expect_boxes_pt=(...), expect_boxes_en=(...)
#                        the transcript's "== " lines, in order
#   expect_report        yes (default): the saved report must equal
#                        expected/NAME.LANG.txt (UTF-8, LF; the runner turns it
#                        into Windows-1252 with CR LF), apart from the date and
#                        time of its start line; no: no report is compared
#   expect_stderr        a text standard error must contain (default: empty
#                        standard error)
#   before_run()         optional, runs once the device is mapped as E:, just
#                        before the program (e.g. to start processes)
#   check_after()        optional, more checks after the run (return non-zero
#                        on failure); "$device" and "$lang" are set
#   case_cleanup()       optional, runs once when the case ends, whatever its
#                        outcome (e.g. to remove what it planted in the prefix)
#   program              optional: the Windows path of the program to run
#                        instead of CLI_EXE (e.g. 'E:\kvvuduv-cli.exe', a copy
#                        the case put on the device); it runs from C:\
#   A case that cannot be set up on this machine exits 77 (a skipped test).
# Helpers: file PATH [SIZE] [ATTRIBUTES], folder PATH [ATTRIBUTES] (paths
# relative to the device, attributes as Windows writes them, e.g. 0x2 hidden,
# 0x6 hidden+system), run_value NAME (a value in HKCU's Run key, removed when
# the case ends), hklm_run_value NAME VIEW (a value in HKLM's Run key of
# one registry view only, 32 or 64, removed when the case ends),
# hklm_run_value_present NAME VIEW, attributes_of PATH.
# Processes: sleeper PATH [ATTRIBUTES] (a copy of kv_sleeper.exe, a program
# that only sleeps, on the device), start_program 'X:\PATH\NAME.exe' (starts it
# detached and waits until it is listed), process_running NAME,
# process_ended NAME (waits a little for an ending process to leave the
# list). What a case started and left running is stopped after each language.
set -euo pipefail
case_file="$1"
cli="$2"
prefix="$3"
work="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
name="$(basename "$case_file" .sh)"
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"
kv_wine_exports "$prefix"
# Wine reads Linux file names in the locale's character set: UTF-8, whatever
# the caller's locale. Byte-wise tools get LC_ALL=C one by one.
export LC_ALL=C.UTF-8

failures=0
fail() {
    echo "FAIL [$name${lang:+ $lang}]: $*" >&2
    failures=$((failures + 1))
}

file() {
    local path="$device/$1" size="${2:-}" attributes="${3:-}"
    mkdir -p "$(dirname "$path")"
    if [ -n "$size" ]; then head -c "$size" /dev/zero >"$path"; else echo "$1" >"$path"; fi
    if [ -n "$attributes" ]; then setfattr -n user.DOSATTRIB -v "\"$attributes\"" "$path"; fi
}
folder() {
    mkdir -p "$device/$1"
    if [ -n "${2:-}" ]; then setfattr -n user.DOSATTRIB -v "\"$2\"" "$device/$1"; fi
}
attributes_of() { getfattr --only-values -n user.DOSATTRIB "$device/$1" 2>/dev/null || echo none; }
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
run_values=()
run_value() {
    kv_wine reg add "$run_key" /v "$1" /t REG_SZ /d "wscript.exe E:\\$1.vbs" /f >/dev/null 2>&1
    run_values+=("$1")
}
hklm_run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
hklm_run_values=()
hklm_run_value() {
    kv_wine reg add "$hklm_run_key" /v "$1" /t REG_SZ /d "wscript.exe E:\\$1.vbs" /f "/reg:$2" >/dev/null 2>&1
    hklm_run_values+=("$1 $2")
}
hklm_run_value_present() { kv_wine reg query "$hklm_run_key" /v "$1" "/reg:$2" >/dev/null 2>&1; }
remove_run_values() {
    local value
    for value in "${run_values[@]}"; do kv_wine reg delete "$run_key" /v "$value" /f >/dev/null 2>&1 || true; done
    for value in "${hklm_run_values[@]}"; do
        kv_wine reg delete "$hklm_run_key" /v "${value% *}" /f "/reg:${value##* }" >/dev/null 2>&1 || true
    done
}

# The programs a case started: their Linux process ids (Wine runs each
# Windows process in the process that started it) and Windows names.
started_pids=()
started_names=()
sleeper() {
    local path="$device/$1"
    mkdir -p "$(dirname "$path")"
    cp "$KV_E2E_SLEEPER" "$path"
    if [ -n "${2:-}" ]; then setfattr -n user.DOSATTRIB -v "\"$2\"" "$path"; fi
}
# The process list as the program under test sees it, one name a line.
process_names() { kv_wine "$KV_E2E_PROCESSES" | tr -d '\r'; }
# (grep reads the whole list: with -q it could stop the lister early.)
process_running() { process_names | grep -ixF -- "$1" >/dev/null; }
# Bounded waits on a condition: 100 looks about 0.1 s apart.
wait_for() {
    local tries=0
    until "$@"; do
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || return 1
        sleep 0.1
    done
}
process_gone() { ! process_running "$1"; }
process_ended() {
    wait_for process_gone "$1" || {
        echo "$1 is still running" >&2
        return 1
    }
}
start_program() {
    local name="${1##*\\}"
    # Detached from the test's pipes (ctest would wait on them), in a folder
    # of its own rather than on the device.
    (cd "$prefix/drive_c" && exec setsid /usr/lib/wine/wine64 "$1" </dev/null >/dev/null 2>&1) &
    started_pids+=("$!")
    started_names+=("$name")
    wait_for process_running "$name" || {
        echo "$1 did not start" >&2
        return 1
    }
}
# Ends, by their ids, the programs this case started that still run (the
# id is checked to still be that program's), and waits until they are off
# the list, so the next language starts clean.
stop_started_programs() {
    local i pid name
    for i in "${!started_pids[@]}"; do
        pid="${started_pids[$i]}"
        name="${started_names[$i]}"
        if grep -qiF -- "$name" "/proc/$pid/cmdline" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
        wait "$pid" 2>/dev/null || true
        process_ended "$name" || true
    done
    started_pids=()
    started_names=()
}
cleanup() {
    stop_started_programs
    remove_run_values
    case_cleanup
}
trap cleanup EXIT

# Case defaults, then the case itself.
languages="pt en"
action=check-device
drive=E
expect_report=yes
expect_stderr=""
expect_boxes_pt=()
expect_boxes_en=()
make_device() { :; }
before_run() { :; }
check_after() { :; }
case_cleanup() { :; }
unset args program
# shellcheck disable=SC1090
source "$case_file"

kv_wine_prefix "$prefix"
mkdir -p "$prefix/drive_c/kv-e2e"

# The saved report with the start line's date and time replaced, so it can
# be compared with the expected file byte for byte.
normalise_report() {
    LC_ALL=C sed -E '2s/^(\[KV\] - (In.cio da Verifica..o|Top of Verification)) - .* - .*\r$/\1 - <date> - <time>\r/' "$1"
}
expected_report_bytes() { iconv -f UTF-8 -t CP1252 "$1" | LC_ALL=C sed 's/$/\r/'; }

for lang in $languages; do
    device="$work/$name/$lang/device"
    rm -rf "$work/$name/$lang"
    mkdir -p "$device"
    make_device
    ln -sfn "$(readlink -f "$device")" "$prefix/dosdevices/e:"

    saved="$prefix/drive_c/kv-e2e/$name.$lang.txt"
    rm -f "$saved"
    if [ -z "${args+set}" ]; then
        command_line=(--lang "$lang" --save "C:\\kv-e2e\\$name.$lang.txt" "$action" ${drive:+"$drive"})
    else
        command_line=("${args[@]}")
    fi
    out="$work/$name/$lang/stdout"
    err="$work/$name/$lang/stderr"
    status=0
    before_run || fail "before_run failed"
    if [ -z "${program:-}" ]; then
        kv_wine "$cli" "${command_line[@]}" >"$out" 2>"$err" || status=$?
    else
        (cd "$prefix/drive_c" && kv_wine "$program" "${command_line[@]}") >"$out" 2>"$err" || status=$?
    fi
    echo "[$name $lang] ${program:-kvvuduv-cli} ${command_line[*]} -> exit $status"

    [ "$status" -eq "$expect_exit" ] || fail "exit status $status, expected $expect_exit"

    if [ -z "$expect_stderr" ]; then
        [ ! -s "$err" ] || fail "unexpected standard error: $(cat "$err")"
    elif ! grep -qF -- "$expect_stderr" "$err"; then
        fail "standard error lacks '$expect_stderr': $(cat "$err")"
    fi

    boxes_var="expect_boxes_${lang}[@]"
    expected_boxes=("${!boxes_var}")
    if [ "${#expected_boxes[@]}" -eq 0 ]; then
        grep -q '^== ' "$out" && fail "unexpected box lines: $(grep '^== ' "$out")"
    elif ! diff -u <(printf '%s\n' "${expected_boxes[@]}") <(grep '^== ' "$out" || true); then
        fail "box lines differ"
    fi

    if [ "$expect_report" = yes ]; then
        if [ ! -f "$saved" ]; then
            fail "no report saved at $saved"
        else
            expected="$here/expected/$name.$lang.txt"
            if ! cmp -s <(normalise_report "$saved") <(expected_report_bytes "$expected"); then
                fail "saved report differs from $expected:"
                diff -u <(expected_report_bytes "$expected" | iconv -f CP1252 -t UTF-8) \
                    <(normalise_report "$saved" | iconv -f CP1252 -t UTF-8) | sed 's/\r$//' >&2 || true
            fi
            # The transcript's report lines are the same report, in UTF-8.
            if ! cmp -s <(grep -v '^== ' "$out") <(iconv -f CP1252 -t UTF-8 "$saved" | sed 's/\r$//'); then
                fail "transcript and saved report differ"
            fi
        fi
    elif [ -f "$saved" ]; then
        fail "a report was saved although none was expected"
    fi

    check_after || fail "check_after failed"
    stop_started_programs
done

rm -f "$prefix/dosdevices/e:"
if [ "$failures" -ne 0 ]; then
    echo "$name: $failures failure(s)" >&2
    exit 1
fi
echo "$name: passed"
