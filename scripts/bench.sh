#!/usr/bin/env bash
# Runs the load/save benchmark: a Release native tree without sanitizers (build/bench), the same file
# loaded and written by vim for comparison, and the Windows timing programs under Wine.
# Usage: scripts/bench.sh [Google Benchmark flags]; VOK_BENCH_DIR chooses where the generated files go.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
export VOK_BENCH_DIR="${VOK_BENCH_DIR:-${TMPDIR:-/tmp}/vok_bench}"
dir="$VOK_BENCH_DIR"

echo "machine: $(nproc) cores,$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2)"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVOK_SANITIZE=OFF >/dev/null
cmake --build build/bench -j2 --target vok_bench >/dev/null
echo "== native (build/bench)"
build/bench/bench/vok_bench "$@"

# The reference: vim loading and writing the same file, twice as it is and once without its sync to disk.
if command -v vim >/dev/null 2>&1; then
    echo "== vim -es -u NONE -c wq mixed-100m.txt (vim syncs the file to disk; the last run does not)"
    for sync in fsync fsync nofsync; do
        cp "$dir/mixed-100m.txt" "$dir/vim-copy.txt"
        /usr/bin/time -f "   %e s elapsed, %U s user, %S s system, max resident %M KiB  (set $sync)" \
            vim -es -u NONE -c "set $sync" -c wq "$dir/vim-copy.txt" </dev/null
    done
    rm -f "$dir/vim-copy.txt" "$dir/.vim-copy.txt.swp"
else
    echo "== vim not installed: no reference time"
fi

if command -v wine >/dev/null 2>&1 && command -v i686-w64-mingw32-g++-posix >/dev/null 2>&1; then
    echo "== Windows build under Wine (build/windows)"
    cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build/windows -j2 --target vok_bench_win >/dev/null
    export VOK_BUILD="$root/build"
    source scripts/wine-env.sh
    vok_wine_prefix >/dev/null 2>&1
    wine build/windows/vok_bench_win.exe "$(winepath -w "$dir" 2>/dev/null)" 2>/dev/null
    # The editor window on a large file, where the Windows tree has one.
    if cmake --build build/windows -j2 --target vok_window_bench >/dev/null 2>&1; then
        echo "== editor window under Wine and Xvfb"
        xvfb-run -a -s "-screen 0 1280x1024x24" wine build/windows/vok_window_bench.exe 2>/dev/null
    fi
fi
