#!/usr/bin/env bash
# make-sample-device.sh DIR: fills DIR with what a stick looks like after a
# shortcut virus struck: the user's folders hidden inside ".Trashes" and as
# hidden folders, shortcuts and a disguised executable in their place, a
# script, autorun.inf. Hidden and system attributes are set the way Wine keeps
# them (the user.DOSATTRIB extended attribute).
set -euo pipefail
dir="$1"
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"

hide() { setfattr -n user.DOSATTRIB -v "\"0x$2\"" "$1"; }

mkdir -p .Trashes/Documentos .Trashes/Fotos
printf 'Relatório anual\r\n' >.Trashes/Documentos/relatorio.txt
printf 'jpeg' >.Trashes/Fotos/praia.jpg
printf 'var s = 1;\r\n' >.Trashes/Fotos/helper.js
hide .Trashes 6

mkdir -p Trabalho
printf 'planilha' >Trabalho/contas.xls
printf 'WScript.Run("x")\r\n' >Trabalho/spread.js
hide Trabalho 6

printf 'L\0\0\0' >Documentos.lnk
printf 'L\0\0\0' >Fotos.lnk
head -c 250500 /dev/zero >Trabalho.exe
printf 'CreateObject("WScript.Shell")\r\n' >zgyzx.vbs
printf '[autorun]\r\nopen=zgyzx.vbs\r\n' >autorun.inf
hide autorun.inf 7
printf 'LEIA-ME' >LEIAME.txt
