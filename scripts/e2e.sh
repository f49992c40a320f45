#!/usr/bin/env bash
# End-to-end checks of ozm.exe itself: start it under Wine on a virtual display, play a test script that
# types and saves, and compare the bytes it wrote. Prints GoogleTest-style summary lines.
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
export VOK_BUILD="$root/build"
source scripts/wine-env.sh
vok_wine_prefix

exe="$root/build/windows/ozm.exe"
if [ ! -f "$exe" ]; then
    echo "ozm.exe is not built"
    echo "[  FAILED  ] 1 tests, listed below:"
    exit 1
fi

work="$(mktemp -d "$root/build/e2e.XXXXXX")"
trap '[ -n "${VOK_KEEP_E2E:-}" ] || rm -rf "$work"' EXIT
passed=0
failed=0
failures=()

# The Windows name of a path through Wine's Z: drive (winepath would start a Wine server with no display).
win() { local p="$1"; echo "Z:${p//\//\\}"; }

# Runs the editor on a document with a script; the script's log lands beside it.
run_ozm() {
    local script="$1" doc="$2"
    # Each run has a display of its own; a Wine server left from an earlier display would not reach it.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    (cd "$root/build/windows" &&
        timeout 40 xvfb-run -a -s "-screen 0 1024x768x24" wine ozm.exe /testscript "$(win "$script")" "$(win "$doc")" \
            >/dev/null 2>&1)
}

# check NAME FILE EXPECTED-BYTES (printf format)
check() {
    local name="$1" file="$2" expected
    expected="$(printf "$3" | od -An -c)"
    local actual
    actual="$(od -An -c "$file" 2>/dev/null)"
    if [ "$expected" = "$actual" ]; then
        echo "[       OK ] E2E.$name"
        passed=$((passed + 1))
    else
        echo "[  FAILED  ] E2E.$name"
        echo "   expected: $expected"
        echo "   actual:   $actual"
        failures+=("E2E.$name")
        failed=$((failed + 1))
    fi
}

# 1. Keys through the key map (Ctrl+Y deletes the line, Enter, Backspace, End, F2 saves) and typing: the
# new text on disk in DOS form and the old file as .bak.
doc="$work/letter.txt"
printf 'first\r\nsecond\r\n' >"$doc"
cat >"$work/type.script" <<'SCRIPT'
key y ctrl
type Hello
key enter
type World!
key back
key end
type  line
key f2
exit
SCRIPT
run_ozm "$work/type.script" "$doc"
check TypedTextIsSavedInDosForm "$doc" 'Hello\r\nWorldsecond line\r\n'
check OldTextIsKeptAsBackup "$work/letter.bak" 'first\r\nsecond\r\n'

# 2. Save As in UNIX form without a backup: LF line ends, the original untouched.
doc="$work/unix.txt"
printf 'one\r\ntwo\r\n' >"$doc"
cat >"$work/saveas.script" <<SCRIPT
key end
type !
saveas $(win "$work/converted.txt") 1 0
command 107
exit
SCRIPT
run_ozm "$work/saveas.script" "$doc"
check SaveAsWritesUnixLineEnds "$work/converted.txt" 'one!\ntwo\n'
check SaveAsLeavesTheOriginal "$doc" 'one\r\ntwo\r\n'
if [ -e "$work/converted.bak" ]; then
    echo "[  FAILED  ] E2E.SaveAsWithoutBackupMakesNone"; failed=$((failed + 1)); failures+=("E2E.SaveAsWithoutBackupMakesNone")
else
    echo "[       OK ] E2E.SaveAsWithoutBackupMakesNone"; passed=$((passed + 1))
fi

# 3. Exit with unsaved changes, the prompt answered No: the file stays as it was and the program ends.
doc="$work/keep.txt"
printf 'keep me\r\n' >"$doc"
cat >"$work/exit.script" <<'SCRIPT'
type changed
answer no
exit
SCRIPT
run_ozm "$work/exit.script" "$doc"
rc=$?
check UnsavedChangesAnsweredNoLeaveTheFile "$doc" 'keep me\r\n'
if [ "$rc" -eq 0 ] && grep -q '^message 15004' "$work/exit.script.log"; then
    echo "[       OK ] E2E.ExitAsksAboutChangesAndEnds"; passed=$((passed + 1))
else
    echo "[  FAILED  ] E2E.ExitAsksAboutChangesAndEnds (exit code $rc)"; failed=$((failed + 1))
    failures+=("E2E.ExitAsksAboutChangesAndEnds")
fi

# 4. A second copy started with a file hands it to the running one and ends with exit code 1.
first="$work/first.txt"
second="$work/second.txt"
printf 'first\r\n' >"$first"
printf 'second\r\n' >"$second"
cat >"$work/wait.script" <<'SCRIPT'
wait 6000
type handed 
command 106
exit
SCRIPT
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
(cd "$root/build/windows" &&
    timeout 40 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        wine ozm.exe /testscript "$1" "$2" >/dev/null 2>&1 &
        running=$!
        sleep 3
        wine ozm.exe "$3" >/dev/null 2>&1
        echo $? >"$4"
        wait $running' _ "$(win "$work/wait.script")" "$(win "$first")" "$(win "$second")" "$work/second.rc")
check SecondCopyHandsItsFileToTheFirst "$second" 'handed second\r\n'
check FirstCopyKeepsItsOwnFile "$first" 'first\r\n'
if [ "$(cat "$work/second.rc" 2>/dev/null)" = 1 ]; then
    echo "[       OK ] E2E.SecondCopyEndsWithExitCode1"; passed=$((passed + 1))
else
    echo "[  FAILED  ] E2E.SecondCopyEndsWithExitCode1"; failed=$((failed + 1))
    failures+=("E2E.SecondCopyEndsWithExitCode1")
fi

wineserver -k >/dev/null 2>&1 || true
if [ "$failed" -gt 0 ]; then
    for f in "${failures[@]}"; do echo "[  FAILED  ] $f"; done
    echo "[  PASSED  ] $passed tests."
    echo "[  FAILED  ] $failed tests, listed above:"
    exit 1
fi
echo "[  PASSED  ] $passed tests."
