# A healthy stick: plain folders are listed in depth, a system folder is one
# line and changes nothing, and a name ending with a blank is listed too.
make_device() {
    file "Documentos/Relatório de março.txt"
    file Documentos/2024/notas.txt
    file Fotos/praia.jpg 2000
    folder "System Volume Information" 0x6
    file "System Volume Information/IndexerVolumeGuid" 76
    file "Leia-me "
    file música.mp3 5000
}
expect_exit=0
expect_boxes_pt=('== information | Resultado | Não foram Encontrados Vírus no Drive E:\!')
expect_boxes_en=('== information | Outcome | Viruses were not found in Drive E:\!')
