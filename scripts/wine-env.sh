# Sourced by the scripts that run Windows programs under Wine: a private
# prefix per build tree, made once (about 15 s) and then reused, with the
# Linux root drive Z: removed so nothing that walks all drives walks "/".
# Wine's services are kept running so each start costs a fraction of a second.

kv_wine_exports() {
    export WINEPREFIX="$1"
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # Wine maps Linux file names through the locale: without a UTF-8 one,
    # "Relatório" on a mapped drive would reach Windows programs garbled.
    export LC_ALL=C.UTF-8
}

# kv_wine BINARY ARGS... : runs a program (never the 32-bit loader).
kv_wine() { /usr/lib/wine/wine64 "$@"; }

# kv_wine_prefix PREFIX: makes the prefix when missing and starts its
# services, detached from the caller's pipes (ctest would wait on them).
kv_wine_prefix() {
    local prefix="$1"
    kv_wine_exports "$prefix"
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/.kv-ready" ]; then
            rm -rf "$prefix"
            wineboot -i >/dev/null 2>&1 </dev/null 9>&-
            wineserver -w
            rm -f "$prefix/dosdevices/z:"
            # Windows close at once without a window manager.
            kv_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
            wineserver -w
            touch "$prefix/.kv-ready"
        fi
        kv_wine_keep_home_out "$prefix"
        # One persistent server per prefix, with its services running.
        if ! kv_wine_server_running; then
            setsid /usr/lib/wine/wineserver64 -p </dev/null >/dev/null 2>&1 9>&- &
            setsid /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 9>&- &
            # Wait for it: a program started before the server is up starts
            # a server of its own that inherits the program's pipes.
            local tries=0
            until kv_wine_server_running || [ "$tries" -ge 100 ]; do
                sleep 0.1
                tries=$((tries + 1))
            done
        fi
    ) 9>"$prefix.lock"
}

# Wine makes the profile's Desktop, Documents, Downloads, Music, Pictures and
# Videos links to the Linux user's home. The tests write, clean and delete in
# those folders: each link becomes an empty folder of the prefix, so nothing
# a test does reaches the real user's files.
kv_wine_keep_home_out() {
    local entry
    for entry in "$1"/drive_c/users/*/*; do
        if [ -L "$entry" ]; then
            rm -f "$entry"
            mkdir -p "$entry"
        fi
    done
}

# True when the current prefix's wineserver is listening (Wine keeps its socket
# in /tmp/wine-XXXXXX/server-<device>-<inode>/ of the prefix folder).
kv_wine_server_running() {
    local id
    id=$(stat -c 'server-%D-%i' "$WINEPREFIX" 2>/dev/null) || return 1
    id="server-$(printf %x "0x$(echo "$id" | cut -d- -f2)")-$(printf %x "$(echo "$id" | cut -d- -f3)")"
    compgen -G "${TMPDIR:-/tmp}/wine-*/$id/socket" >/dev/null
}

# kv_wine_map_drive LETTER FOLDER [floppy|cdrom]: maps a folder as a drive.
# A type other than fixed is set in the registry and needs a server restart.
kv_wine_map_drive() {
    local letter="${1,,}" folder="$2" type="${3:-}"
    ln -sfn "$(readlink -f "$folder")" "$WINEPREFIX/dosdevices/$letter:"
    if [ -n "$type" ]; then
        kv_wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d "$type" /f >/dev/null 2>&1
    else
        kv_wine reg delete 'HKLM\Software\Wine\Drives' /v "$letter:" /f >/dev/null 2>&1 || true
    fi
}

kv_wine_unmap_drive() { rm -f "$WINEPREFIX/dosdevices/${1,,}:"; }
