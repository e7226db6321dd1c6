# Virus processes that really run: xcv.exe, started from the computer's own
# drive, and a disguised Fotos.exe started from the stick beside its folder
# twin. The disinfection ends both, deletes the executable and keeps the
# user's folder, made visible.
# shellcheck source=../disinfection-checks.sh
source "$here/disinfection-checks.sh"
make_device() {
    forget_copies
    folder Fotos 0x2
    file Fotos/mar.jpg
    sleeper Fotos.exe 0x2
}
before_run() {
    cp "$KV_E2E_SLEEPER" "$prefix/drive_c/kv-e2e/xcv.exe"
    start_program 'C:\kv-e2e\xcv.exe' && start_program 'E:\Fotos.exe'
}
expect_exit=1
expect_boxes_pt=('== warning | Heads up | Vírus Encontrados na Unidade E:\! Verifique o relatório!')
expect_boxes_en=('== warning | Heads up | Virus Found and Deleted Drive E:\!')
check_after() {
    # Ended by the program (what the case started is stopped only later).
    process_ended xcv.exe && process_ended Fotos.exe || return 1
    [ "$(root_entries)" = "Fotos " ] || {
        echo "root holds: $(root_entries)" >&2
        return 1
    }
    visible Fotos && [ -f "$device/Fotos/mar.jpg" ] && copies_lack_final_line
}
