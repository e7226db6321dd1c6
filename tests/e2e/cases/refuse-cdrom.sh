# A CD/DVD drive (D: in the e2e prefix, holding a hidden setup.exe) is
# refused and left untouched.
languages=en
args=(--lang en check-device 'D:\')
expect_exit=2
expect_report=no
expect_stderr='drive D: is refused'
check_after() {
    [ ! -s "$out" ] && [ "$(getfattr --only-values -n user.DOSATTRIB "$work/cdrom/setup.exe")" = 0x2 ]
}
