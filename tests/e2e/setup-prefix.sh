#!/usr/bin/env bash
# Prepares the end-to-end tests' private Wine prefix (separate from the tree's
# main prefix, since the CD-ROM drive needs a server restart):
#   setup-prefix.sh PREFIX WORK_DIR
# D: is a CD-ROM drive holding a hidden setup.exe (the refusal cases check
# that it stays hidden). The prefix is made once and then reused.
set -euo pipefail
prefix="$1"
work="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"

kv_wine_prefix "$prefix"
mkdir -p "$work/cdrom"
if [ ! -f "$work/cdrom/setup.exe" ]; then
    head -c 1000 /dev/zero >"$work/cdrom/setup.exe"
fi
setfattr -n user.DOSATTRIB -v '"0x2"' "$work/cdrom/setup.exe"
if [ ! -f "$prefix/.kv-e2e-cdrom" ]; then
    kv_wine_map_drive d "$work/cdrom" cdrom
    # Wine reads the drive types when its server starts.
    wineserver -k || true
    wineserver -w || true
    kv_wine_prefix "$prefix"
    touch "$prefix/.kv-e2e-cdrom"
else
    ln -sfn "$(readlink -f "$work/cdrom")" "$prefix/dosdevices/d:"
fi
echo "e2e prefix ready: $prefix"
