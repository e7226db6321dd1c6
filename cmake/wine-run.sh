#!/usr/bin/env bash
# ctest's emulator for the Windows trees: wine-run.sh PREFIX PROGRAM ARGS...
#
# The program's output goes through files, not straight to ctest's pipes: a
# Wine service started on the program's behalf inherits its standard handles,
# outlives it, and would keep the pipe open until ctest's timeout.
set -e
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../scripts/wine-env.sh
source "$here/../scripts/wine-env.sh"
prefix="$1"
shift
kv_wine_prefix "$prefix"

out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
status=0
/usr/lib/wine/wine64 "$@" >"$out" 2>"$err" </dev/null || status=$?
# A test program always writes something; one that failed without a word
# never ran (on a loaded machine Wine has been seen to fail while starting a
# program). Such a start is tried once more, and says so.
if [ "$status" -ne 0 ] && [ ! -s "$out" ]; then
    echo "wine-run: $1 ended with status $status before writing anything; starting it again" >&2
    cat "$err" >&2
    sleep 1
    status=0
    /usr/lib/wine/wine64 "$@" >"$out" 2>"$err" </dev/null || status=$?
fi
cat "$out"
cat "$err" >&2
exit "$status"
