#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, with apt-get, only
# when something is missing. Never installs wine32: this kind of machine cannot
# run 32-bit Linux programs, and with wine32 present Wine stops working.
set -euo pipefail

packages=(
    cmake make g++                                       # native engine and unit tests
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix  # the Windows builds
    googletest                                           # GoogleTest sources for every tree
    wine wine64                                          # running the Windows programs
    xvfb imagemagick                                     # the window's test and screenshots
    attr                                                 # hidden/system attributes of Wine files
    procps util-linux                                    # pgrep, setsid, flock
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
