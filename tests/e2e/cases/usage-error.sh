# A device action without its drive is a usage error.
languages=pt
args=(--lang en check-device)
expect_exit=2
expect_report=no
expect_stderr='check-device needs a drive'
check_after() { [ ! -s "$out" ]; }
