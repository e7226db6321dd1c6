#!/usr/bin/env bash
# check-imports.sh OBJDUMP ARCH FILE...
#
# Fails when a Windows program or DLL of this tree
#   - imports from a DLL that is not part of Windows (windows-dlls.txt),
#   - (i686) imports a function Windows XP SP3 lacks (post-xp-functions.txt),
#   - declares in its PE header a Windows newer than XP (5.1 for i686; 5.2,
#     XP x64 and Server 2003, for x86_64).
# Prints one line per file that passes and one per fault.
set -u

objdump="$1"
arch="$2"
shift 2
lists="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

read_list() { sed -e 's/#.*//' -e 's/[[:space:]]*$//' -e '/^$/d' "$1"; }
allowed_dlls="$(read_list "$lists/windows-dlls.txt" | tr '[:upper:]' '[:lower:]')"
post_xp_functions="$(read_list "$lists/post-xp-functions.txt")"

case "$arch" in
i686 | i386 | x86) newest_version=501 check_post_xp=1 ;;
x86_64 | amd64 | AMD64) newest_version=502 check_post_xp=0 ;;
*)
    echo "check-imports.sh: unknown architecture '$arch'" >&2
    exit 2
    ;;
esac

faults=0
fault() {
    echo "FAIL $1"
    faults=$((faults + 1))
}

# "DLL function" pairs from objdump's import tables.
list_imports() {
    awk -F'\t' '
        /^\tDLL Name: / { dll = substr($2, 11); print dll " -"; next }
        /^$/ { dll = "" }
        dll != "" && $2 ~ /^[0-9a-f]+$/ { n = split($3, words, " "); print dll " " words[n] }
    '
}

header_field() { printf '%s\n' "$1" | awk -v field="$2" '$1 == field { print $2; exit }'; }

for file in "$@"; do
    name="$(basename "$file")"
    if [ ! -f "$file" ]; then
        fault "$name: not built"
        continue
    fi
    if ! dump="$("$objdump" -p "$file" 2>&1)"; then
        fault "$name: objdump cannot read it: $dump"
        continue
    fi
    imports="$(printf '%s\n' "$dump" | list_imports)"
    if [ -z "$imports" ]; then
        fault "$name: no import table found (unexpected objdump output?)"
        continue
    fi
    before=$faults

    for dll in $(printf '%s\n' "$imports" | awk '{ print $1 }' | sort -u); do
        if ! grep -qxF "$(printf '%s' "$dll" | tr '[:upper:]' '[:lower:]')" <<<"$allowed_dlls"; then
            fault "$name: imports from $dll, which is not a Windows DLL"
        fi
    done

    if [ "$check_post_xp" = 1 ]; then
        while read -r dll function; do
            if grep -qxF "$function" <<<"$post_xp_functions"; then
                fault "$name: post-XP import: $function ($dll)"
            fi
        done <<<"$(printf '%s\n' "$imports" | grep -v ' -$')"
    fi

    for kind in OSystem Subsystem; do
        major="$(header_field "$dump" "Major${kind}Version")"
        minor="$(header_field "$dump" "Minor${kind}Version")"
        if [ -z "$major" ] || [ -z "$minor" ]; then
            fault "$name: no ${kind} version in the PE header"
        elif [ $((major * 100 + minor)) -gt "$newest_version" ]; then
            fault "$name: ${kind} version $major.$minor is newer than Windows XP allows"
        fi
    done

    if [ "$faults" = "$before" ]; then
        dlls="$(printf '%s\n' "$imports" | awk '{ print $1 }' | sort -u | tr '\n' ' ')"
        functions="$(printf '%s\n' "$imports" | grep -vc ' -$')"
        echo "ok   $name: $functions functions from ${dlls% }"
    fi
done

if [ "$faults" -gt 0 ]; then
    echo "$faults import fault(s)"
    exit 1
fi
