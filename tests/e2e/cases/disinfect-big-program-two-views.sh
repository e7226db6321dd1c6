# A user's program of 4 GiB + 250,500 bytes beside a shortcut is no dropper
# copy: the disinfection keeps it and ends no process on its account (a
# notepad.exe, which a dropper copy's removal would end, keeps running). The
# start-up values of the shortcut and of a script, each in one view of HKLM's
# Run key only, are deleted with their files.
# shellcheck source=../disinfection-checks.sh
source "$here/disinfection-checks.sh"
make_device() {
    forget_copies
    truncate -s 4295217796 "$device/Filmes.exe"  # sparse: takes no room
    file Atalho.lnk 900 0x2
    hklm_run_value Atalho 32
    file wrsqpl.vbs 300 0x6
    hklm_run_value wrsqpl 64
}
before_run() {
    cp "$KV_E2E_SLEEPER" "$prefix/drive_c/kv-e2e/notepad.exe"
    start_program 'C:\kv-e2e\notepad.exe'
}
expect_exit=1
expect_boxes_pt=('== warning | Heads up | Vírus Encontrados na Unidade E:\! Verifique o relatório!')
expect_boxes_en=('== warning | Heads up | Virus Found and Deleted Drive E:\!')
check_after() {
    [ "$(root_entries)" = "Filmes.exe " ] || {
        echo "root holds: $(root_entries)" >&2
        return 1
    }
    [ "$(stat -c %s "$device/Filmes.exe")" = 4295217796 ] || return 1
    process_running notepad.exe || {
        echo "notepad.exe was ended" >&2
        return 1
    }
    local view
    for view in 32 64; do
        if hklm_run_value_present Atalho "$view" || hklm_run_value_present wrsqpl "$view"; then
            echo "a Run value is still in the $view-bit view" >&2
            return 1
        fi
    done
    copies_lack_final_line
}
