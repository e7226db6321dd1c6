# Shared by the disinfect-device cases (sourced by their case files): the
# action, and checks of the device and of the automatic report copies.
# shellcheck shell=bash disable=SC2034,SC2154  # variables shared with run-case.sh
action=disinfect-device

# The copies of earlier runs go, so each run's copies can be found.
forget_copies() {
    rm -f "$prefix"/drive_c/users/*/AppData/Roaming/zirozov/kv-pen-*.txt \
        "$prefix"/drive_c/users/*/AppData/Local/zirozov/kv-pen-*.txt
}

# One copy under the roaming and one under the local data folder, each the
# saved report without its final "Process Completed" line.
copies_lack_final_line() {
    local folder copies
    for folder in Roaming Local; do
        copies=("$prefix"/drive_c/users/*/AppData/"$folder"/zirozov/kv-pen-*.txt)
        if [ "${#copies[@]}" -ne 1 ] || [ ! -f "${copies[0]}" ]; then
            echo "expected one automatic copy under $folder, found: ${copies[*]}" >&2
            return 1
        fi
        if ! cmp -s "${copies[0]}" <(head -n -1 "$saved"); then
            echo "${copies[0]} is not the saved report without its last line" >&2
            return 1
        fi
    done
}

# Neither hidden nor system (Wine drops the attribute record once cleared).
visible() {
    local attributes
    attributes=$(attributes_of "$1")
    [ "$attributes" = none ] || [ $((attributes & 0x6)) -eq 0 ] || {
        echo "$1 is still hidden ($attributes)" >&2
        return 1
    }
}

gone() {
    [ ! -e "$device/$1" ] || {
        echo "$1 is still there" >&2
        return 1
    }
}

# The entries at the device's root, sorted, on one line.
root_entries() { (cd "$device" && LC_ALL=C ls -A | LC_ALL=C sort | tr '\n' ' '); }
