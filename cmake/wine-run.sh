#!/usr/bin/env bash
# ctest's emulator for the Windows trees: wine-run.sh PREFIX PROGRAM ARGS...
set -e
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../scripts/wine-env.sh
source "$here/../scripts/wine-env.sh"
prefix="$1"
shift
kv_wine_prefix "$prefix"
exec /usr/lib/wine/wine64 "$@"
