# Disinfect Computer on the test prefix planted as an infected computer: virus
# files in the special folders, Run values under the current user and in both
# views of the local machine, policy values, running programs with the
# catalogue's names, a malware folder in the profile, and a small tool and
# script on the user's Desktop. Everything the catalogue knows goes; the Desktop stays with the
# user's own file; the restart question is printed and answered No.
# shellcheck shell=bash disable=SC2034,SC2154  # variables shared with run-case.sh
expect_exit=1
# The saved report holds the user's folder name, which depends on the machine:
# this case compares it itself (check_after).
expect_report=no
expect_boxes_pt=('== warning | Atenção | Vírus Encontrados e eliminados do Computador! Verifique o relatório!'
    '== question | Opções | É necessário reiniciar o Computador! Reiniciar agora?')
expect_boxes_en=('== warning | Heads up | Virus Found and Deleted this computer!'
    '== question | Options | You must restart your computer! Restart now?')

drive_c="$prefix/drive_c"
user_name() {
    local folder
    for folder in "$drive_c"/users/*; do
        [ "$(basename "$folder")" = Public ] || basename "$folder"
    done
}
profile="$drive_c/users/$(user_name)"
roaming="$profile/AppData/Roaming"
local_data="$profile/AppData/Local"
startup="$roaming/Microsoft/Windows/Start Menu/Programs/StartUp"
programs="$drive_c/kv-e2e/computer-programs"
running=(lulu.exe xcv.exe notepad.exe msiexec.exe)

small() { # small PATH: a small file with the given path, parents made
    mkdir -p "$(dirname "$1")"
    head -c 500 /dev/zero >"$1"
}

# The planted registry values, written (or, with "-", deleted) by one import.
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
registry_file() { # registry_file SET|DELETE
    local keep="$1"
    value() { if [ "$keep" = SET ]; then echo "\"$1\"=$2"; else echo "\"$1\"=-"; fi; }
    printf 'Windows Registry Editor Version 5.00\n\n'
    printf '[HKEY_CURRENT_USER\\%s]\n' "$run_key"
    value breakini '"C:\\breakini.exe"'
    value System '"rundll32 dw.dll"'
    printf '\n[HKEY_LOCAL_MACHINE\\%s]\n' "$run_key"
    value HKLM '"C:\\windows\\syswow64\\install\\win32.exe"'
    value xcv.exe '"C:\\ProgramData\\ASX\\xcv.exe"'
    # The 32-bit programs' view of the machine's keys (Wow6432Node).
    printf '\n[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run]\n'
    value "Microsoft Excel" '"wscript x.WsF"'
    printf '\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\n'
    value NoControlPanel dword:00000001
    printf '\n[HKEY_LOCAL_MACHINE\\Software\\Policies\\Microsoft\\Windows NT\\SystemRestore]\n'
    value DisableConfig dword:00000001
}
import_registry() {
    mkdir -p "$drive_c/kv-e2e"
    registry_file "$1" >"$drive_c/kv-e2e/computer.reg"
    kv_wine reg import 'C:\kv-e2e\computer.reg' >/dev/null 2>&1
}
# What the program must have removed, and what it must have left.
planted_entries=("$roaming/breakini.exe" "$startup/start.lnk" "$drive_c/ProgramData/svc.exe" "$local_data/google_i9"
    "$drive_c/ProgramData/ASX" "$profile/Temp/dw.dll" "$roaming/x.js" "$profile/Sys32" "$profile/Desktop/tool.exe"
    "$profile/Desktop/go.js")
planted_values=(breakini System HKLM xcv.exe "Microsoft Excel" NoControlPanel DisableConfig)
remove_planted() {
    import_registry DELETE || true
    rm -rf "${planted_entries[@]}" "$profile/Desktop/notas.txt" "$programs" \
        "$roaming"/zirozov/kv-pc-*.txt "$local_data"/zirozov/kv-pc-*.txt
}

make_device() {
    remove_planted
    args=(--lang "$lang" --save "C:\\kv-e2e\\computer.$lang.txt" disinfect-computer)
    # The data folders are there, as after the program's first start.
    mkdir -p "$roaming/zirozov" "$local_data/zirozov"
    small "$roaming/breakini.exe"
    small "$startup/start.lnk"
    small "$drive_c/ProgramData/svc.exe"
    small "$local_data/google_i9/a.txt"
    small "$drive_c/ProgramData/ASX/a.cpl"
    small "$profile/Temp/dw.dll"
    small "$roaming/x.js"
    small "$profile/Sys32/svc.exe"
    small "$profile/Sys32/run.js"
    small "$profile/Desktop/tool.exe"
    small "$profile/Desktop/go.js"
    printf 'notas\r\n' >"$profile/Desktop/notas.txt"
    import_registry SET
}
all_listed() {
    local listed name
    listed=$(process_names)
    for name in "${running[@]}"; do grep -ixF -- "$name" <<<"$listed" >/dev/null || return 1; done
}
none_listed() {
    local listed name
    listed=$(process_names)
    for name in "${running[@]}"; do ! grep -ixF -- "$name" <<<"$listed" >/dev/null || return 1; done
}
before_run() {
    local name
    mkdir -p "$programs"
    # All started at once, detached as start_program does, then one wait.
    for name in "${running[@]}"; do
        cp "$KV_E2E_SLEEPER" "$programs/$name"
        (cd "$drive_c" && exec setsid /usr/lib/wine/wine64 "C:\\kv-e2e\\computer-programs\\$name" \
            </dev/null >/dev/null 2>&1) &
        started_pids+=("$!")
        started_names+=("$name")
    done
    wait_for all_listed
}

# The report as saved, in UTF-8 with LF, its start line's date and time and
# the user's folder name replaced by placeholders.
normalised() {
    iconv -f CP1252 -t UTF-8 "$1" | sed -e 's/\r$//' \
        -e '2s/^\(\[KV\] - \(Início da Verificação\|Top of Verification\)\) - .* - .*$/\1 - <date> - <time>/' \
        -e "s/\\\\users\\\\$(user_name)/\\\\users\\\\<user>/g"
}
check_after() {
    local saved_here="$drive_c/kv-e2e/computer.$lang.txt" expected="$here/expected/disinfect-computer.$lang.txt"
    local entry folder copies key status=0
    if ! diff -u "$expected" <(normalised "$saved_here") >&2; then
        echo "the saved report differs from $expected" >&2
        status=1
    fi
    if ! cmp -s <(grep -v '^== ' "$out") <(iconv -f CP1252 -t UTF-8 "$saved_here" | sed 's/\r$//'); then
        echo "transcript and saved report differ" >&2
        status=1
    fi
    for folder in "$roaming" "$local_data"; do
        copies=("$folder"/zirozov/kv-pc-*.txt)
        if [ "${#copies[@]}" -ne 1 ] || [ ! -f "${copies[0]}" ] || ! cmp -s "${copies[0]}" <(head -n -1 "$saved_here"); then
            echo "expected one automatic copy under $folder without the final line, found: ${copies[*]}" >&2
            status=1
        fi
    done
    wait_for none_listed || {
        echo "a virus process still runs: $(process_names | tr '\n' ' ')" >&2
        status=1
    }
    for entry in "${planted_entries[@]}"; do
        [ ! -e "$entry" ] || {
            echo "still there: $entry" >&2
            status=1
        }
    done
    [ -f "$profile/Desktop/notas.txt" ] || {
        echo "the user's file on the Desktop is gone" >&2
        status=1
    }
    local values
    values=$(for key in "HKCU\\$run_key" "HKLM\\$run_key" 'HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Run' \
        'HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer' \
        'HKLM\Software\Policies\Microsoft\Windows NT\SystemRestore'; do
        kv_wine reg query "$key" 2>/dev/null | tr -d '\r'
    done)
    for entry in "${planted_values[@]}"; do
        if grep -qE "^ +$entry +REG_" <<<"$values"; then
            echo "value still there: $entry" >&2
            status=1
        fi
    done
    remove_planted
    return "$status"
}
