# A healthy stick with a hidden folder and a read-only file: the root is made
# visible and the verdict stays clean; the copies are written all the same.
# shellcheck source=../disinfection-checks.sh
source "$here/disinfection-checks.sh"
make_device() {
    forget_copies
    file "Documentos/Relatório de março.txt" "" 0x2
    folder Fotos 0x2
    file Fotos/praia.jpg 2000
    file música.mp3 5000 0x1
}
expect_exit=0
expect_boxes_pt=('== information | Outcome | Não foram Encontrados Vírus no Drive E:\!')
expect_boxes_en=('== information | Outcome | Viruses were not found in Drive E:\!')
check_after() {
    visible Fotos && [ "$(attributes_of música.mp3)" = none ] &&
        [ "$(attributes_of "Documentos/Relatório de março.txt")" = 0x2 ] && copies_lack_final_line
}
