# A clean stick as users carry it: both of the program's executables at its
# root, the console program run from that copy, and user files whose 8.3
# short names (ALBU~XYZ.LNK, BACK~XYZ.VBS) match the virus masks. Nothing is
# found: the program is not its own virus, and only long names count.
make_device() {
    cp "$cli" "$device/kvvuduv-cli.exe"
    cp "$KV_E2E_WINDOW" "$device/kvvuduv.exe"
    file Album.lnkx
    file Atalho.lnk~
    file Backup.vbs1
    file "Trabalho escolar.docx"
}
languages=pt
program='E:\kvvuduv-cli.exe'
expect_exit=0
expect_boxes_pt=('== information | Resultado | Não foram Encontrados Vírus no Drive E:\!')
