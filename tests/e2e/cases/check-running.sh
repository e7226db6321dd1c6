# A disguised executable running from the stick (a hidden Fotos.exe beside
# its hidden folder twin Fotos) is a finding of its own: both of the
# executable's lines say found. The check ends nothing and deletes nothing.
make_device() {
    folder Fotos 0x2
    file Fotos/mar.jpg
    sleeper Fotos.exe 0x2
}
before_run() { start_program 'E:\Fotos.exe'; }
expect_exit=1
expect_boxes_pt=('== warning | Atenção | O Dispositivo (E:\) está Infectado!\rPara remover use o botão "Desinfectar Dispositivo"')
expect_boxes_en=('== warning | Heads up | The device (E:\) can be Infected!')
check_after() {
    # The probe makes the executable visible, and that is all it changes.
    process_running Fotos.exe && [ -f "$device/Fotos.exe" ] && [ "$(attributes_of Fotos.exe)" != 0x2 ] &&
        [ "$(attributes_of Fotos)" = 0x2 ]
}
