#!/usr/bin/env bash
# expect-rejection.sh CHECKER OBJDUMP ARCH FILE EXPECTED...
# Shows that the import check still bites: it must fail on FILE and name
# every EXPECTED text in its output.
set -u
checker="$1" objdump="$2" arch="$3" file="$4"
shift 4
output="$(bash "$checker" "$objdump" "$arch" "$file" 2>&1)"
status=$?
printf '%s\n' "$output"
if [ "$status" -eq 0 ]; then
    echo "the import check passed a program it must reject"
    exit 1
fi
for expected in "$@"; do
    if ! grep -qF -- "$expected" <<<"$output"; then
        echo "the import check did not name: $expected"
        exit 1
    fi
done
echo "rejected as expected"
