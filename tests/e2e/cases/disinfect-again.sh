# A stick cleaned before and infected again: the recovered folders of the
# first cleaning are still there, so the new ones take the next free names
# and the earlier ones keep their files.
# shellcheck source=../disinfection-checks.sh
source "$here/disinfection-checks.sh"
make_device() {
    forget_copies
    file RECUPERADOS/antigo.doc
    file RECOVERED/old.doc
    file RECUPERADOS2/musica.mp3
    file RECOVERED2/song.mp3
    folder .Trashes
    file .Trashes/novo.doc "" 0x2
    folder Drive 0x6
    file Drive/nova.mp3 "" 0x2
    file Drive.bat 60 0x2
    file novo.lnk 900 0x2
}
expect_exit=1
expect_boxes_pt=('== warning | Heads up | Vírus Encontrados na Unidade E:\! Verifique o relatório!')
expect_boxes_en=('== warning | Heads up | Virus Found and Deleted Drive E:\!')
check_after() {
    local recovered=RECUPERADOS root="RECOVERED RECOVERED2 RECUPERADOS RECUPERADOS-2 RECUPERADOS2 RECUPERADOS2-2 "
    if [ "$lang" = en ]; then
        recovered=RECOVERED
        root="RECOVERED RECOVERED-2 RECOVERED2 RECOVERED2-2 RECUPERADOS RECUPERADOS2 "
    fi
    [ "$(root_entries)" = "$root" ] || {
        echo "root holds: $(root_entries)" >&2
        return 1
    }
    visible "$recovered-2/novo.doc" && visible "${recovered}2-2/nova.mp3" &&
        [ -f "$device/RECUPERADOS/antigo.doc" ] && [ -f "$device/RECOVERED/old.doc" ] &&
        [ -f "$device/RECUPERADOS2/musica.mp3" ] && [ -f "$device/RECOVERED2/song.mp3" ] || return 1
    copies_lack_final_line
}
