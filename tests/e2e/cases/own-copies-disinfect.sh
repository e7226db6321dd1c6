# The console program run from its copy on the stick it disinfects, beside a
# copy of the window program, a shortcut, user files whose 8.3 short names
# match the virus masks and a recycle folder holding another copy of the
# running program (deleting that folder ends every process named like its
# files). The run ends every line of its report, its automatic copies and its
# saved report; the programs and the look-alikes stay.
# shellcheck source=../disinfection-checks.sh
source "$here/disinfection-checks.sh"
make_device() {
    forget_copies
    cp "$cli" "$device/kvvuduv-cli.exe"
    cp "$KV_E2E_WINDOW" "$device/kvvuduv.exe"
    file Fotos.lnk 900 0x2
    file Album.lnkx 900
    file Atalho.lnk~ 900
    file Backup.vbs1 300
    folder RECYCLER 0x6
    cp "$cli" "$device/RECYCLER/kvvuduv-cli.exe"
}
languages=en
program='E:\kvvuduv-cli.exe'
expect_exit=1
expect_boxes_en=('== warning | Heads up | Virus Found and Deleted Drive E:\!')
check_after() {
    [ "$(root_entries)" = "Album.lnkx Atalho.lnk~ Backup.vbs1 kvvuduv-cli.exe kvvuduv.exe " ] || {
        echo "root holds: $(root_entries)" >&2
        return 1
    }
    copies_lack_final_line
}
