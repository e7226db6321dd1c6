# The system drive is never a device: refused before anything runs.
languages=pt
args=(--save 'C:\kv-e2e\refuse-system-drive.pt.txt' check-device c:)
expect_exit=2
expect_report=no
expect_stderr='drive C: is refused'
check_after() { [ ! -s "$out" ]; }
