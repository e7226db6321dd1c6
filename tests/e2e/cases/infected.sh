# A stick with every sign the check looks for: the hidden trash folder, the
# Drive folder with its batch file, shortcuts in place of the user's folders,
# a disguised executable beside its folder twin, autorun.inf, a script with
# its Run value, and a script one level down.
make_device() {
    folder .Trashes  # a name beginning with a dot reads as hidden
    file ".Trashes/Trabalho escolar.docx"
    folder Drive 0x6
    file Drive/ok.txt
    file Drive.bat 60 0x2
    folder Fotos 0x6
    file Fotos/praia.jpg
    file Fotos.exe 250500 0x6
    file Fotos.lnk 900 0x2
    file Músicas.lnk 900
    file autorun.inf 80 0x2
    file wrsqpl.vbs 300 0x6
    run_value wrsqpl
    file Escola/trabalho.js 700
    file "Documentos/Relatório de março.txt"
    file Documentos/2024/notas.txt
}
expect_exit=1
expect_boxes_pt=('== warning | Atenção | O Dispositivo (E:\) está Infectado!\rPara remover use o botão "Desinfectar Dispositivo"')
expect_boxes_en=('== warning | Heads up | The device (E:\) can be Infected!')
check_after() {
    # The check makes the executables it probes visible and touches nothing else.
    [ "$(attributes_of Fotos.exe)" != 0x6 ] && [ "$(attributes_of Drive)" = 0x6 ] &&
        [ "$(attributes_of Fotos.lnk)" = 0x2 ] && [ -f "$device/wrsqpl.vbs" ]
}
