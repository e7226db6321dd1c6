# A report that cannot be saved: the run is transcribed, then exit status 2.
languages=pt
make_device() { file notas.txt; }
args=(--save 'C:\nao-existe\relatorio.txt' check-device E)
expect_exit=2
expect_report=no
expect_stderr='cannot write C:\nao-existe\relatorio.txt:'
expect_boxes_pt=('== information | Resultado | Não foram Encontrados Vírus no Drive E:\!')
