#!/usr/bin/env bash
# Runs one end-to-end case of kvvuduv-cli.exe under Wine:
#   run-case.sh CASE_FILE CLI_EXE PREFIX WORK_DIR
#
# A case file (cases/NAME.sh) is a small bash script that sets:
#   make_device()        builds the device in "$device" with the helpers below
#                        (a fresh folder for every language; mapped as E:)
#   languages            "pt en" (default) or one of them
#   action               the action of the default command line (check-device)
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
#   check_after()        optional, more checks after the run (return non-zero
#                        on failure); "$device" and "$lang" are set
# Helpers: file PATH [SIZE] [ATTRIBUTES], folder PATH [ATTRIBUTES] (paths
# relative to the device, attributes as Windows writes them, e.g. 0x2 hidden,
# 0x6 hidden+system), run_value NAME (a value in HKCU's Run key, removed when
# the case ends), attributes_of PATH.
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
remove_run_values() {
    local value
    for value in "${run_values[@]}"; do kv_wine reg delete "$run_key" /v "$value" /f >/dev/null 2>&1 || true; done
}
trap remove_run_values EXIT

# Case defaults, then the case itself.
languages="pt en"
action=check-device
expect_report=yes
expect_stderr=""
expect_boxes_pt=()
expect_boxes_en=()
make_device() { :; }
check_after() { :; }
unset args
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
        command_line=(--lang "$lang" --save "C:\\kv-e2e\\$name.$lang.txt" "$action" E)
    else
        command_line=("${args[@]}")
    fi
    out="$work/$name/$lang/stdout"
    err="$work/$name/$lang/stderr"
    status=0
    kv_wine "$cli" "${command_line[@]}" >"$out" 2>"$err" || status=$?
    echo "[$name $lang] kvvuduv-cli ${command_line[*]} -> exit $status"

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
done

rm -f "$prefix/dosdevices/e:"
if [ "$failures" -ne 0 ]; then
    echo "$name: $failures failure(s)" >&2
    exit 1
fi
echo "$name: passed"
