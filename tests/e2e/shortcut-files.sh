# Shared by the cases with shortcut files (sourced by their case files):
#   shortcut PATH TARGET [ARGUMENTS] [ATTRIBUTES]
# writes a shell link (.lnk) at PATH on the device with the format's bytes:
# the 76-byte header, LinkInfo holding TARGET as its local base path, the
# arguments as Unicode string data, and the terminal block.
# shellcheck shell=bash disable=SC2154  # $device comes from run-case.sh

# value as count little-endian bytes
_lnk_le() {
    local value=$1 count=$2 i
    for ((i = 0; i < count; i++)); do
        # shellcheck disable=SC2059  # the format is the escaped byte
        printf "\\x$(printf %02x $(((value >> (8 * i)) & 255)))"
    done
}

shortcut() {
    local path="$device/$1" target="$2" arguments="${3:-}" attributes="${4:-}"
    local base flags=$((0x2 | 0x80)) header_size=$((0x1C)) volume_size=17
    base=$(printf '%s' "$target" | iconv -f UTF-8 -t CP1252)
    [ -n "$arguments" ] && flags=$((flags | 0x20))
    local base_at=$((header_size + volume_size))
    local suffix_at=$((base_at + $(printf '%s' "$base" | wc -c) + 1))
    local info_size=$((suffix_at + 1))
    mkdir -p "$(dirname "$path")"
    {
        _lnk_le $((0x4C)) 4
        printf '\x01\x14\x02\x00\x00\x00\x00\x00\xc0\x00\x00\x00\x00\x00\x00\x46'
        _lnk_le "$flags" 4
        _lnk_le $((0x20)) 4     # target attributes
        _lnk_le 0 24            # times
        _lnk_le 0 4             # target size
        _lnk_le 0 4             # icon index
        _lnk_le 1 4             # show normal
        _lnk_le 0 12            # hot key and reserved
        # LinkInfo: header, volume ID, local base path, empty suffix.
        _lnk_le "$info_size" 4
        _lnk_le "$header_size" 4
        _lnk_le 1 4             # volume ID and local base path
        _lnk_le "$header_size" 4
        _lnk_le "$base_at" 4
        _lnk_le 0 4             # no network link
        _lnk_le "$suffix_at" 4
        _lnk_le "$volume_size" 4
        _lnk_le 2 4             # removable
        _lnk_le $((0x1234ABCD)) 4
        _lnk_le $((0x10)) 4     # label offset
        _lnk_le 0 1             # empty label
        printf '%s' "$base"
        _lnk_le 0 2             # end of the base path, empty suffix
        if [ -n "$arguments" ]; then
            local units
            units=$(printf '%s' "$arguments" | iconv -f UTF-8 -t UTF-16LE | wc -c)
            _lnk_le $((units / 2)) 2
            printf '%s' "$arguments" | iconv -f UTF-8 -t UTF-16LE
        fi
        _lnk_le 0 4             # terminal block
    } >"$path"
    if [ -n "$attributes" ]; then setfattr -n user.DOSATTRIB -v "\"$attributes\"" "$path"; fi
}
