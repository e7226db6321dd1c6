# A stick as the virus leaves it: the user's files in a hidden .Trashes and
# in a hidden Drive folder with its batch file, shortcuts in place of the
# folders, the virus's fixed-size copy beside its hidden folder twin, a
# read-only autorun.inf, a script with its Run value, a script one level
# down and a recycle folder holding a subfolder. Disinfected, it keeps only
# the user's files, visible, in the recovered folders.
# shellcheck source=../disinfection-checks.sh
source "$here/disinfection-checks.sh"
make_device() {
    forget_copies
    folder .Trashes # a name beginning with a dot reads as hidden
    file ".Trashes/Trabalho escolar.docx" "" 0x2
    file .Trashes/virus.js 300 0x2
    folder .Trashes/Fotos 0x2
    file .Trashes/Fotos/praia.jpg "" 0x2
    folder Drive 0x6
    file Drive/ok.txt
    file Drive.bat 60 0x2
    folder Fotos 0x6
    file Fotos/mar.jpg
    file Fotos.exe 250500 0x6
    file Fotos.lnk 900 0x2
    file Músicas.lnk 900
    file autorun.inf 80 0x7
    file wrsqpl.vbs 300 0x6
    run_value wrsqpl
    file Escola/trabalho.js 700
    file "Documentos/Relatório de março.txt" "" 0x2
    folder RECYCLER 0x6
    file RECYCLER/S-1-5-21-1/INFO2 20 0x6
}
expect_exit=1
expect_boxes_pt=('== warning | Heads up | Vírus Encontrados na Unidade E:\! Verifique o relatório!')
expect_boxes_en=('== warning | Heads up | Virus Found and Deleted Drive E:\!')
check_after() {
    local recovered=RECUPERADOS
    [ "$lang" = en ] && recovered=RECOVERED
    [ "$(root_entries)" = "Documentos Escola Fotos $recovered ${recovered}2 " ] || {
        echo "root holds: $(root_entries)" >&2
        return 1
    }
    visible Fotos && visible "$recovered" && visible "$recovered/Fotos" &&
        visible "$recovered/Trabalho escolar.docx" && visible "${recovered}2" && visible "${recovered}2/ok.txt" &&
        gone "$recovered/virus.js" && gone Escola/trabalho.js || return 1
    # Deeper levels are left as they were.
    [ "$(attributes_of "$recovered/Fotos/praia.jpg")" = 0x2 ] &&
        [ "$(attributes_of "Documentos/Relatório de março.txt")" = 0x2 ] || return 1
    if kv_wine reg query "$run_key" /v wrsqpl >/dev/null 2>&1; then
        echo "the Run value wrsqpl is still there" >&2
        return 1
    fi
    copies_lack_final_line
}
