# shellcheck shell=bash
# Sourced by the benchmark scripts (bench-device-check.sh, bench-window-check.sh):
# the benchmark device, timing and medians.

# kv_bench_device_shape: the shape of the benchmark device, as recorded beside it.
kv_bench_device_shape() { echo "100 top folders x 99 subfolders, 10 files each"; }

# kv_bench_make_device BENCH_DIR: makes the benchmark device, 100,000 files in
# 10,000 folders, as BENCH_DIR/device unless it is already there in this shape
# (making it takes a while), then prints its counts.
kv_bench_make_device() {
    local bench="$1"
    local device="$bench/device"
    local shape
    shape="$(kv_bench_device_shape)"
    if [ "$(cat "$bench/device.shape" 2>/dev/null)" != "$shape" ]; then
        echo "making the device ($shape)..."
        rm -rf "$device"
        mkdir -p "$bench"
        local top sub folder f
        for top in $(seq -w 0 99); do
            for sub in "" $(seq -f 'Sub%02g' 0 98); do
                folder="$device/Pasta$top${sub:+/$sub}"
                mkdir -p "$folder"
                for f in 00 01 02 03 04 05 06 07 08 09; do echo x >"$folder/arquivo$f.txt"; done
            done
        done
        echo "$shape" >"$bench/device.shape"
    fi
    echo "device: $(find "$device" -type f | wc -l) files in $(find "$device" -mindepth 1 -type d | wc -l) folders"
}

# kv_bench_run_timed OUTPUT PROGRAM ARGS...: runs a Windows program under Wine
# with its output in a file and prints the wall time in seconds.
kv_bench_run_timed() {
    local output="$1"
    shift
    local start end
    start=$(date +%s.%N)
    kv_wine "$@" >"$output" 2>&1 || true
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", b - a }'
}

# kv_bench_median: the median of the numbers on standard input, one a line.
kv_bench_median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# kv_bench_require BUILD_DIR EXE...: stops the benchmark when a program is missing.
kv_bench_require() {
    local build="$1" exe
    shift
    for exe in "$@"; do
        [ -f "$exe" ] || { echo "missing $exe: build the tree first (cmake --build $build)" >&2; exit 2; }
    done
}
