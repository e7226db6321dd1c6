# A stick of today's shortcut worms, beside the user's own shortcuts: a
# hidden sysvolume folder of scripts started by wscript from two shortcuts
# (with its Run value), a hidden, running "USB Driver.exe" started by
# cmd /c start with the user's files under a folder named by a single
# no-break space, shortcuts of the user's to a visible program and to a
# hidden document, and one naming a hidden script on C:. Disinfected: the
# payload and its emptied folder go before the shortcuts, the invisible
# folder becomes the recovered folder, and nothing else is touched.
# shellcheck source=../disinfection-checks.sh
source "$here/disinfection-checks.sh"
# shellcheck source=../shortcut-files.sh
source "$here/shortcut-files.sh"
nbsp=$'\xc2\xa0'
off_device="$prefix/drive_c/kv-e2e-off"
make_device() {
    forget_copies
    folder sysvolume 0x6
    file sysvolume/u1234567.vbs 400
    file sysvolume/u1234567.bat 60
    file sysvolume/u1234567.dat 900
    run_value u1234567
    folder Trabalhos 0x6
    file Trabalhos/nota.docx
    local worm='/c start wscript //B //E:vbscript sysvolume\u1234567.vbs & start explorer Trabalhos'
    shortcut PENDRIVE.lnk 'C:\Windows\System32\cmd.exe' "$worm"
    shortcut Trabalhos.lnk 'C:\Windows\System32\cmd.exe' "$worm"
    sleeper "USB Driver.exe" 0x6
    folder "$nbsp" 0x6
    file "$nbsp/Escola.docx" "" 0x2
    file "$nbsp/Fotos/praia.jpg"
    shortcut USB.lnk 'C:\Windows\System32\cmd.exe' "/c start \"\" \"USB Driver.exe\" & start explorer \"$nbsp\""
    file Portable/app.exe 3000
    shortcut app.lnk 'E:\Portable\app.exe'
    file Docs/report.docx "" 0x2
    shortcut report.lnk 'E:\Docs\report.docx'
    mkdir -p "$off_device"
    echo 'WScript.Echo 1' >"$off_device/x.vbs"
    setfattr -n user.DOSATTRIB -v '"0x2"' "$off_device/x.vbs"
    shortcut fora.lnk 'C:\Windows\System32\cmd.exe' '/c start wscript C:\kv-e2e-off\x.vbs'
}
before_run() { start_program 'E:\USB Driver.exe'; }
expect_exit=1
expect_boxes_pt=('== warning | Heads up | Vírus Encontrados na Unidade E:\! Verifique o relatório!')
expect_boxes_en=('== warning | Heads up | Virus Found and Deleted Drive E:\!')
check_after() {
    local recovered=RECUPERADOS
    [ "$lang" = en ] && recovered=RECOVERED
    [ "$(root_entries)" = "Docs Portable $recovered Trabalhos " ] || {
        echo "root holds: $(root_entries)" >&2
        return 1
    }
    visible "$recovered" && visible "$recovered/Escola.docx" && [ -f "$device/$recovered/Fotos/praia.jpg" ] &&
        visible Trabalhos && [ -f "$device/Trabalhos/nota.docx" ] && [ -f "$device/Portable/app.exe" ] &&
        [ "$(attributes_of Docs/report.docx)" = 0x2 ] || return 1
    process_ended "USB Driver.exe" || return 1
    [ -f "$off_device/x.vbs" ] && [ "$(getfattr --only-values -n user.DOSATTRIB "$off_device/x.vbs")" = 0x2 ] || {
        echo "the file off the device was touched" >&2
        return 1
    }
    if kv_wine reg query "$run_key" /v u1234567 >/dev/null 2>&1; then
        echo "the Run value u1234567 is still there" >&2
        return 1
    fi
    copies_lack_final_line
}
