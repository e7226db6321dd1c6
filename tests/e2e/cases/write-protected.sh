# A write-protected stick: the device is mounted read-only, where Wine answers
# every file deletion with success and leaves the file, and refuses every
# attribute change. The disinfection reports each file it could not delete as
# such, never as deleted, and each entry it could not make visible, never
# saying the stick's entries were made visible.
# shellcheck source=../disinfection-checks.sh
source "$here/disinfection-checks.sh"
make_device() {
    forget_copies
    folder Drive 0x2
    file Drive/ok.txt
    file Drive.bat 60 0x2
    folder Fotos 0x2
    file Fotos.exe 1000 0x2
    file Fotos.lnk 900 0x2
    file wrsqpl.vbs 300 0x2
    file autorun.inf 80 0x2
    file bat.bat 40
    folder RECYCLER 0x6
    file RECYCLER/INFO2 20 0x6
}
languages=pt
expect_exit=1
expect_boxes_pt=('== warning | Heads up | Vírus Encontrados na Unidade E:\! Verifique o relatório!')
readonly_view="$work/$name.read-only"
before_run() {
    case_cleanup
    mkdir -p "$readonly_view"
    if mount --bind "$device" "$readonly_view" 2>/dev/null; then
        mount -o remount,bind,ro "$readonly_view" || {
            umount "$readonly_view"
            echo "cannot make a read-only bind mount here" >&2
            exit 77
        }
    elif [ "$(id -u)" -ne 0 ]; then
        # Without mounting rights: a device the user may not write to.
        chmod -R a-w "$device"
        ln -sfn "$(readlink -f "$device")" "$readonly_view.link"
        readonly_view="$readonly_view.link"
    else
        echo "cannot make a read-only bind mount here" >&2
        exit 77
    fi
    ln -sfn "$(readlink -f "$readonly_view")" "$prefix/dosdevices/e:"
}
check_after() {
    # Everything is still there.
    [ "$(root_entries)" = "Drive Drive.bat Fotos Fotos.exe Fotos.lnk RECYCLER autorun.inf bat.bat wrsqpl.vbs " ] || {
        echo "root holds: $(root_entries)" >&2
        return 1
    }
    if grep -q 'Deletado com Sucesso\|deletado do Drive' "$saved"; then
        echo "a deletion is reported as done" >&2
        return 1
    fi
    copies_lack_final_line
}
case_cleanup() {
    if mountpoint -q "$work/$name.read-only" 2>/dev/null; then umount "$work/$name.read-only"; fi
    [ -d "${device:-}" ] && chmod -R u+w "$device" 2>/dev/null
    return 0
}
