# Check Device on a stick of today's shortcut worms: each shortcut that
# starts hidden files of the device is named with those files (a sysvolume
# folder of scripts started by wscript, a hidden "USB Driver.exe" started by
# cmd /c start); the user's shortcut to a visible program and the one naming
# a file on C: are not. Nothing is deleted. One language (the lines are the
# same code in both).
# shellcheck source=../shortcut-files.sh
source "$here/shortcut-files.sh"
nbsp=$'\xc2\xa0'
languages=en
make_device() {
    folder sysvolume 0x6
    file sysvolume/u1234567.vbs 400
    file sysvolume/u1234567.bat 60
    file sysvolume/u1234567.dat 900
    shortcut PENDRIVE.lnk 'C:\Windows\System32\cmd.exe' \
        '/c start wscript //B //E:vbscript sysvolume\u1234567.vbs & start explorer sysvolume'
    file "USB Driver.exe" 3000 0x6
    folder "$nbsp" 0x6
    file "$nbsp/Escola.docx"
    shortcut USB.lnk 'C:\Windows\System32\cmd.exe' "/c start \"\" \"USB Driver.exe\" & start explorer \"$nbsp\""
    file Portable/app.exe 3000
    shortcut app.lnk 'E:\Portable\app.exe'
    shortcut fora.lnk 'C:\Windows\System32\cmd.exe' '/c start wscript C:\windows\win.ini'
}
expect_exit=1
expect_boxes_en=('== warning | Heads up | The device (E:\) can be Infected!')
check_after() {
    [ -f "$device/sysvolume/u1234567.vbs" ] && [ -f "$device/USB Driver.exe" ] && [ -f "$device/PENDRIVE.lnk" ] &&
        [ "$(attributes_of sysvolume)" = 0x6 ]
}
