#!/usr/bin/env bash
# test-drive.sh map|unmap PREFIX TREE DRIVE_TOOL
# ctest fixtures of the platform tests. "map" makes drive T: of the tree's
# private Wine prefix stand for the build tree TREE (label KVTEST) with an
# empty scratch folder T:\win32-scratch; the tests then run as T:\bin\...,
# a real Windows path (a program started outside every drive sees its own
# path as "unix\..." under Wine 8). "unmap" removes the drive again, so other
# tests of the prefix do not see it. Nothing outside the build tree changes.
# Where the machine allows mounting (as root), "map" also mounts a 64 KiB
# file system at T:\win32-small-disk (marked by a file .mounted), where a
# write really runs out of room; "unmap" unmounts it.
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
    small="$tree/win32-small-disk"
    if mountpoint -q "$small" 2>/dev/null; then umount "$small" || true; fi
    mkdir -p "$small"
    if mount -t tmpfs -o size=64k,mode=0777 kv-small-disk "$small" 2>/dev/null; then
        touch "$small/.mounted"
        echo "T:\win32-small-disk -> a 64 KiB file system"
    else
        echo "no small file system (mounting needs root): the full-disk test is skipped"
    fi
    ;;
unmap)
    kv_wine "$tool" t
    if mountpoint -q "$tree/win32-small-disk" 2>/dev/null; then umount "$tree/win32-small-disk" || true; fi
    rmdir "$tree/win32-small-disk" 2>/dev/null || true
    rm -rf "$tree/win32-scratch" "$tree/.windows-label"
    ;;
*)
    echo "test-drive.sh: unknown action $action" >&2
    exit 2
    ;;
esac
