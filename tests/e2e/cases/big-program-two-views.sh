# A user's program of 4 GiB + 250,500 bytes beside a shortcut is no dropper
# copy: only the low 32 bits of its size fall in the copy's size window, so
# the check reports no "A1" for it. The start-up values of the shortcut and
# of a script sit in HKLM's Run key, each in one registry view only (as a
# 32-bit and a 64-bit writer leave them): both are found.
make_device() {
    truncate -s 4295217796 "$device/Filmes.exe"  # sparse: takes no room
    file Atalho.lnk 900 0x2
    hklm_run_value Atalho 32
    file wrsqpl.vbs 300 0x6
    hklm_run_value wrsqpl 64
}
expect_exit=1
expect_boxes_pt=('== warning | Atenção | O Dispositivo (E:\) está Infectado!\rPara remover use o botão "Desinfectar Dispositivo"')
expect_boxes_en=('== warning | Heads up | The device (E:\) can be Infected!')
check_after() {
    [ "$(stat -c %s "$device/Filmes.exe")" = 4295217796 ] &&
        hklm_run_value_present Atalho 32 && hklm_run_value_present wrsqpl 64
}
