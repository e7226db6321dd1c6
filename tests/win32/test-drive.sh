#!/usr/bin/env bash
# test-drive.sh map|unmap PREFIX TREE DRIVE_TOOL
# ctest fixtures of the platform tests. "map" makes drive T: of the tree's
# private Wine prefix stand for the build tree TREE (label KVTEST) with an
# empty scratch folder T:\win32-scratch; the tests then run as T:\bin\...,
# a real Windows path (a program started outside every drive sees its own
# path as "unix\..." under Wine 8). "unmap" removes the drive again, so other
# tests of the prefix do not see it. Nothing outside the build tree changes.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"
action="$1" prefix="$2" tree="$3" tool="$4"
kv_wine_prefix "$prefix"
case "$action" in
map)
    rm -rf "$tree/win32-scratch"
    mkdir -p "$tree/win32-scratch"
    printf 'KVTEST\n' >"$tree/.windows-label"
    kv_wine "$tool" t "$tree" fixed
    echo "T: -> $tree"
    ;;
unmap)
    kv_wine "$tool" t
    rm -rf "$tree/win32-scratch" "$tree/.windows-label"
    ;;
*)
    echo "test-drive.sh: unknown action $action" >&2
    exit 2
    ;;
esac
