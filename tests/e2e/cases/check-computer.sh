# Check Computer on the test prefix with the artefacts of several infection
# types planted under its special folders, in the Run keys of the current user
# and of the machine (in both of its views: the 64-bit programs' and the
# 32-bit programs' Wow6432Node), and as a running process of a catalogued
# name. The check
# finds each of them, ends nothing, deletes nothing, and changes only the
# attributes of the programs it compares with the Run values.
action=check-computer
drive=
expect_exit=1
expect_boxes_pt=('== warning | Atenção | Vírus Encontrados neste Computador!\rPara remover use o botão "Desinfectar Computador"')
expect_boxes_en=('== warning | Heads up | Computer virus found in this!')

user_name="$(id -un)"
profile="$prefix/drive_c/users/$user_name"
roaming="$profile/AppData/Roaming"
local_data="$profile/AppData/Local"
startup="$roaming/Microsoft/Windows/Start Menu/Programs/StartUp"
common="$prefix/drive_c/ProgramData"
planted=(
    "$profile/kvdrop" "$roaming/upd.exe" "$roaming/google_pdf" "$startup/kvstart.vbs" "$common/ASX"
    "$local_data/nefcb"
)
run_keys=(
    'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run'
    'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run'
    'HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Run'
)

# One import per change of the registry: every Wine start costs time.
registry_file() {  # registry_file add|remove
    local upd="\\\"C:\\\\users\\\\$user_name\\\\AppData\\\\Roaming\\\\upd.exe\\\""
    local photo='\"C:\\fotos\\praia.jpg\"'
    local -A hkcu=([kvupd]="\"$upd\"" [kvstart]='"wscript.exe kvstart.vbs"' [kvfoto]="\"$photo\"")
    local -A hklm=([System]='"x"')
    local -A hklm32=([HKLM]='"x"' [kvfoto32]="\"$photo\"")
    local name
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n' "${run_keys[0]}"
    for name in "${!hkcu[@]}"; do printf '"%s"=%s\r\n' "$name" "$([ "$1" = add ] && echo "${hkcu[$name]}" || echo -)"; done
    printf '\r\n[%s]\r\n' "${run_keys[1]}"
    for name in "${!hklm[@]}"; do printf '"%s"=%s\r\n' "$name" "$([ "$1" = add ] && echo "${hklm[$name]}" || echo -)"; done
    printf '\r\n[%s]\r\n' "${run_keys[2]}"
    for name in "${!hklm32[@]}"; do printf '"%s"=%s\r\n' "$name" "$([ "$1" = add ] && echo "${hklm32[$name]}" || echo -)"; done
}
import_registry() {
    registry_file "$1" >"$prefix/drive_c/kv-e2e/registry-$1.reg"
    kv_wine reg import "C:\\kv-e2e\\registry-$1.reg" >/dev/null 2>&1
}

remove_planted() { rm -rf "${planted[@]}"; }

make_device() {
    # The device only holds the stand-in process; the artefacts are planted
    # once, in the prefix.
    sleeper yotsleks.exe
    [ "$lang" = pt ] || { setfattr -n user.DOSATTRIB -v '"0x2"' "$roaming/upd.exe"; return 0; }
    remove_planted
    # The program's data folders exist in any prefix that ran a disinfection.
    mkdir -p "$roaming/zirozov" "$local_data/zirozov"
    mkdir -p "$profile/kvdrop" "$roaming/google_pdf" "$common/ASX" "$local_data/nefcb"
    head -c 5000 /dev/zero >"$profile/kvdrop/a.exe"
    head -c 300 /dev/zero >"$profile/kvdrop/b.js"
    setfattr -n user.DOSATTRIB -v '"0x6"' "$profile/kvdrop/a.exe"
    head -c 4000 /dev/zero >"$roaming/upd.exe"
    setfattr -n user.DOSATTRIB -v '"0x2"' "$roaming/upd.exe"
    echo 'WScript.Echo 1' >"$startup/kvstart.vbs"
    import_registry add
}

# Every file and folder of the user's profile and of the common application
# data with its size, time and attributes, and the Run keys' values.
snapshot() {
    find "$profile" "$common" -printf '%p %y %s %T@\n' | LC_ALL=C sort
    getfattr -R -d -m '^user\.DOSATTRIB$' --absolute-names "$profile" "$common" 2>/dev/null |
        awk '/^# file: /{file=substr($0, 9)} /^user\.DOSATTRIB=/{print file " " $0}' | LC_ALL=C sort
    local key
    for key in "${run_keys[@]}"; do kv_wine reg query "$key" 2>/dev/null | tr -d '\r'; done
}
# The snapshot without the lines of the one file whose attributes may change.
snapshot_but_upd() { snapshot | grep -vF "$roaming/upd.exe "; }

before_run() {
    start_program 'E:\yotsleks.exe'
    snapshot_but_upd >"$work/$name/$lang/before"
}

check_after() {
    process_running yotsleks.exe || { echo "the check ended a process" >&2; return 1; }
    [ "$(getfattr --only-values -n user.DOSATTRIB "$roaming/upd.exe" 2>/dev/null)" != 0x2 ] ||
        { echo "upd.exe is still hidden" >&2; return 1; }
    diff -u "$work/$name/$lang/before" <(snapshot_but_upd) >&2 || { echo "the check changed the computer" >&2; return 1; }
}

case_cleanup() {
    remove_planted
    import_registry remove || true
}
