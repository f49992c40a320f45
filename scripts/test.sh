#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test suite: natively, and the
# Windows build under 32-bit Wine (window tests under Xvfb). Ends with one "N passed, N failed" line.
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

bash scripts/install-deps.sh || exit 1
began=$SECONDS
bash scripts/build.sh all || { echo "0 passed, 1 failed"; exit 1; }
echo "== build: $((SECONDS - began)) s"

export VOK_BUILD="$root/build"
source scripts/wine-env.sh
vok_wine_prefix

passed=0
failed=0
logdir="$root/build/test-logs"
mkdir -p "$logdir"

# Runs one GoogleTest program and adds its counts; a program that dies before its summary is one failure.
run_suite() {
    local name="$1"; shift
    local log="$logdir/$name.log"
    echo "== $name"
    local began=$SECONDS
    "$@" >"$log" 2>&1
    local rc=$?
    local p f
    p=$(grep -aE '^\[  PASSED  \] [0-9]+ test' "$log" | tail -1 | awk '{print $4}')
    f=$(grep -aE '^\[  FAILED  \] [0-9]+ test' "$log" | tail -1 | awk '{print $4}')
    p=${p:-0}; f=${f:-0}
    if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then
        f=1
        echo "   exited with $rc before finishing; last lines:"
        tail -20 "$log" | sed 's/^/   /'
    fi
    grep -aE '^\[  FAILED  \] [A-Za-z]' "$log" | sort -u | sed 's/^/   /'
    echo "   $p passed, $f failed ($((SECONDS - began)) s)"
    passed=$((passed + p))
    failed=$((failed + f))
}

run_suite native build/native/vok_tests

# Each fuzz target still compiles (with g++, against the native tree) and runs clean over its corpus;
# the fuzzing itself is scripts/fuzz.sh, with clang.
echo "== fuzz-corpus"
bash scripts/fuzz.sh --check >"$logdir/fuzz-corpus.log" 2>&1
p=$(grep -c ' inputs ran clean$' "$logdir/fuzz-corpus.log")
f=$(grep -cE ': (does not compile|FAILED on its corpus)$' "$logdir/fuzz-corpus.log")
if [ "$p" -eq 0 ] && [ "$f" -eq 0 ]; then
    f=1
fi
[ "$f" -ne 0 ] && sed 's/^/   /' "$logdir/fuzz-corpus.log" | head -40
echo "   $p passed, $f failed"
passed=$((passed + p))
failed=$((failed + f))
# The console suites run first, the window suites after them on a virtual display: a Wine server
# started without a display cannot make windows, so it is stopped once in between, and once at the end
# so that none is left running.
stop_wine() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}
# One Wine server for all the console suites: when every short run starts and stops its own, a run can
# reach a server that is just exiting and die with "recvmsg: Connection reset by peer".
wineserver -p >/dev/null 2>&1 || true
run_suite windows wine build/windows/vok_tests.exe
run_suite batch-e2e bash scripts/batch-e2e.sh
run_suite write-faults bash scripts/write-faults.sh
stop_wine
run_suite win32 xvfb-run -a -s "-screen 0 1280x1024x24" wine build/windows/vok_win32_tests.exe
run_suite e2e bash scripts/e2e.sh
# A document printed by ozm.exe through Wine to a private CUPS daemon's PDF printer, read back.
run_suite print-e2e bash scripts/print-e2e.sh
stop_wine
# AutoCorrect's character tests once more under the Croatian ANSI code page 1250, where every byte means
# what it means to the portable code and the system's answers must agree with it on all of them.
run_suite win32-cp1250 env -u LC_ALL LC_CTYPE=hr_HR.UTF-8 xvfb-run -a -s "-screen 0 1024x768x24" \
    wine build/windows/vok_win32_tests.exe --gtest_filter='AutoCorrectWin.*'
stop_wine

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
