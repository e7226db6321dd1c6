#!/usr/bin/env bash
# Builds every preset and runs every test: the native engine tests (also
# under AddressSanitizer and UndefinedBehaviorSanitizer, linux-asan), the
# Windows tests under Wine (win64), and the import checks of both Windows
# builds (32-bit programs cannot run on these machines).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

start=$(date +%s)
for preset in linux linux-asan win64 win32; do
    echo "=== $preset: configure and build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

# The win64 tests run in a private Wine prefix kept in the build tree; make
# it (about 15 s the first time) and start its services before ctest does.
(source scripts/wine-env.sh && kv_wine_prefix "$PWD/build/win64/wineprefix")

status=0
for preset in linux linux-asan win64 win32; do
    echo "=== $preset: tests"
    ctest --preset "$preset" || status=1
done

# Stop the Wine services the tests started (the prefix stays for the next run).
if [ -d build/win64/wineprefix ]; then
    WINEPREFIX="$PWD/build/win64/wineprefix" wineserver -k 2>/dev/null || true
fi

echo "=== all presets done in $(( $(date +%s) - start )) s; executables in build/win64/ and build/win32/"
exit "$status"
