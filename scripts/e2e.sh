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
trap 'umount "$work/disk" >/dev/null 2>&1; [ -n "${VOK_KEEP_E2E:-}" ] || rm -rf "$work"' EXIT
passed=0
failed=0
failures=()

# The Windows name of a path through Wine's Z: drive (winepath would start a Wine server with no display).
win() { local p="$1"; echo "Z:${p//\//\\}"; }

# A script's settings (FILE.ini) turn AutoCorrect off unless the case wrote its own: the typed test text
# is to be taken as it is typed.
uncorrected() {
    [ -f "$1.ini" ] ||
        printf '[AutoCorrect]\r\nCorrectTwoInitCaps=0\r\nCapitalizeSentence=0\r\nCorrectCapsLock=0\r\nReplaceText=0\r\n' >"$1.ini"
}

# Runs the editor on a document with a script; the script's log lands beside it.
run_ozm() {
    local script="$1" doc="$2"
    uncorrected "$script"
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
uncorrected "$work/wait.script"
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

# 4a. AutoCorrect with the shipped ozm.acr and its default flags: a slip from the English list is
# corrected as it is typed, and the first word of each sentence gets its capital.
doc="$work/corrected.txt"
printf 'x\r\n' >"$doc"
cat >"$work/autocorrect.script" <<'SCRIPT'
type teh cat sat. it was adn here. 
key f2
exit
SCRIPT
printf '[AutoCorrect]\r\nLanguage=1\r\n' >"$work/autocorrect.script.ini"
run_ozm "$work/autocorrect.script" "$doc"
check TypingIsCorrectedFromTheShippedList "$doc" 'The cat sat. It was and here. x\r\n'

# verdict NAME CONDITION...: passes when the condition (a command) succeeds.
verdict() {
    local name="$1"
    shift
    if "$@"; then
        echo "[       OK ] E2E.$name"
        passed=$((passed + 1))
    else
        echo "[  FAILED  ] E2E.$name"
        failures+=("E2E.$name")
        failed=$((failed + 1))
    fi
}
# Saving with F2 after typing; a refused save leaves a changed document, so the exit prompt is answered No.
cat >"$work/save.script" <<'SCRIPT'
type new 
key f2
answer no
exit
SCRIPT
xs() { awk -v n="$1" 'BEGIN { for (i = 1; i <= n; i++) printf "x\n" }'; }

# 5. A read-only file is refused with its message, and neither it nor a backup is written.
mkdir -p "$work/readonly"
doc="$work/readonly/locked.txt"
printf 'locked\r\n' >"$doc"
chmod 0444 "$doc"
cp "$work/save.script" "$work/readonly.script"
run_ozm "$work/readonly.script" "$doc"
check ReadOnlyFileIsNotWritten "$doc" 'locked\r\n'
verdict ReadOnlyFileShowsCannotWrite grep -q '^message 15007' "$work/readonly.script.log"
verdict ReadOnlyFileGetsNoBackup test ! -e "$work/readonly/locked.bak"

# 6. A file with a second name (a hard link): both names see the saved text, the backup is a copy.
mkdir -p "$work/hardlink"
doc="$work/hardlink/linked.txt"
printf 'linked\r\n' >"$doc"
ln "$doc" "$work/hardlink/other.txt"
cp "$work/save.script" "$work/hardlink.script"
run_ozm "$work/hardlink.script" "$doc"
check HardLinkedFileIsSaved "$doc" 'new linked\r\n'
check HardLinkOtherNameSeesTheSave "$work/hardlink/other.txt" 'new linked\r\n'
check HardLinkBackupHoldsTheOldText "$work/hardlink/linked.bak" 'linked\r\n'
verdict HardLinkStaysLinked test "$(stat -c %h "$doc")" = 2

# 7. A file named like its own backup is saved without one (the old backup would be the file itself).
mkdir -p "$work/bakname"
doc="$work/bakname/notes.bak"
printf 'notes\r\n' >"$doc"
cp "$work/save.script" "$work/bakname.script"
run_ozm "$work/bakname.script" "$doc"
check FileNamedLikeItsBackupIsSaved "$doc" 'new notes\r\n'
verdict FileNamedLikeItsBackupLeavesNoOtherFile test "$(ls -A "$work/bakname")" = notes.bak

# 8. A full disk (32 pages of tmpfs; the file in DOS form needs 21 more than its UNIX form's 14) and a
# read-only file system: the save fails with its message and the old file stays as it was.
disk="$work/disk"
mkdir -p "$disk"
if mount -t tmpfs -o size=131072,mode=0777 tmpfs "$disk" >/dev/null 2>&1; then
    xs 28000 >"$disk/full.txt"
    xs 28000 >"$work/full.old"
    cat >"$work/full.script" <<SCRIPT
saveas $(win "$disk/full.txt") 0 1
command 107
answer no
exit
SCRIPT
    run_ozm "$work/full.script" "$disk/full.txt"
    verdict FullDiskKeepsTheOldFile cmp -s "$disk/full.txt" "$work/full.old"
    verdict FullDiskShowsWriteError grep -q '^message 1500[78]' "$work/full.script.log"
    verdict FullDiskLeavesNoOtherFile test "$(ls -A "$disk")" = full.txt
    printf 'fixed\r\n' >"$disk/ro.txt"
    if mount -o remount,ro "$disk" >/dev/null 2>&1; then
        cp "$work/save.script" "$work/rofs.script"
        run_ozm "$work/rofs.script" "$disk/ro.txt"
        check ReadOnlyFileSystemKeepsTheFile "$disk/ro.txt" 'fixed\r\n'
        verdict ReadOnlyFileSystemShowsCannotWrite grep -q '^message 15007' "$work/rofs.script.log"
    else
        echo "[  SKIPPED ] E2E.ReadOnlyFileSystem: remounting read-only is not permitted here"
    fi
    umount "$disk" >/dev/null 2>&1 || umount -l "$disk" >/dev/null 2>&1
else
    echo "[  SKIPPED ] E2E.FullDisk, E2E.ReadOnlyFileSystem: mounting a tmpfs is not permitted here"
fi

# 9. Macros and keys in the window. Run 1 records typed text and cursor keys from the menu under a name and
# Ctrl+Shift+M, plays it by that key in another document, edits its text in Edit Macro (a compile error
# first, which keeps the dialog on its line), renames it and saves the keymap file at exit. Run 2 starts
# with that file, plays the macro, binds Ctrl+Shift+Q in Key Mapping and saves there, and deletes the
# macro. Run 3 presses the new key. ozmbatch reads the file between the runs.
keyname=e2e-macros.key
keyfile="$root/build/windows/$keyname"
rm -f "$keyfile"
batch_run() {
    if [ -x "$root/build/native/ozmbatch" ]; then
        "$root/build/native/ozmbatch" "$@"
    else
        wine "$root/build/windows/ozmbatch.exe" "$@"
    fi
}
printf 'x\r\n' >"$work/rec-a.txt"
printf 'b\r\n' >"$work/rec-b.txt"
for n in 1 2 3; do printf '[Editor]\r\nKeyMappingFile=%s\r\n' "$keyname" >"$work/keys$n.script.ini"; done
cat >"$work/keys1.script" <<SCRIPT
dialog set 3301 Greet
dialog pick 3306 M
dialog log 3307
dialog click 1
command 501
type Hi
key left
type X
key end
key enter
command 502
key f2
open $(win "$work/rec-b.txt")
key m ctrl shift
key f2
dialog pick 3311 Greet
dialog log 3318
dialog click 3314
dialog log 3333
dialog replace 3333 InsertText "Hi"\nCursorLeft\nBogus\nNewLine\n
dialog answer yes
dialog click 2
dialog sel 3333
dialog replace 3333 InsertText "Hi"\nCursorLeft\nInsertText "X"\nLineEnd\nNewLine\nInsertText "!"\n
dialog click 2
dialog click 3316
dialog set 3321 Hello
dialog click 1
dialog log 3311
dialog click 2
command 503
key m ctrl shift
key f2
answer yes
exit
SCRIPT
run_ozm "$work/keys1.script" "$work/rec-a.txt"
check RecordedMacroTypedInTheFirstDocument "$work/rec-a.txt" 'HXix\r\n\r\n'
check RecordedMacroPlaysByItsKeyThenAsEdited "$work/rec-b.txt" 'HXib\r\nHXi\r\n!\r\n'
log1="$work/keys1.script.log"
verdict RecordDialogShowsTheKeyFree grep -q '^dialog text 3307 = (none)' "$log1"
verdict MacroDialogShowsTheMacrosKey grep -q '^dialog text 3318 = Ctrl+Shift+M' "$log1"
verdict EditMacroShowsTheRecordedSteps grep -q '^dialog text 3333 = InsertText "Hi"' "$log1"
verdict CompileErrorNamesItsLine grep -q 'Line 3: Unknown command.' "$log1"
# "Bogus" starts after 'InsertText "Hi"' and "CursorLeft" with their line ends: 17 + 12 characters.
verdict CompileErrorSelectsItsLine grep -q '^dialog sel 3333 = 29 34' "$log1"
verdict RenamedMacroIsListed grep -q '^dialog text 3311 = Hello' "$log1"
verdict ExitAsksToSaveTheKeymap grep -q '^message 15011' "$log1"
lists_key() { batch_run -k "$keyfile" --list-keys 2>/dev/null | tr -d '\r' | grep -q "$1"; }
verdict SavedKeymapListsTheMacroKey lists_key 'Ctrl+Shift+M.*Hello'
printf 'q\r\n' >"$work/rec-q.txt"
batch_run -k "$keyfile" -r Hello "$work/rec-q.txt" >/dev/null 2>&1
check SavedMacroRunsInOzmbatch "$work/rec-q.txt" 'HXiq\r\n!\r\n'

printf 'c\r\n' >"$work/rec-c.txt"
cat >"$work/keys2.script" <<'SCRIPT'
key m ctrl shift
key f2
dialog check 3365 1
dialog pick 3366 Q
dialog pick 3371 LineStart
dialog click 3368
dialog log 3367
dialog click 3375
dialog click 2
command 704
dialog pick 3311 Hello
dialog click 3315
dialog count 3311
dialog click 2
command 503
answer yes
exit
SCRIPT
run_ozm "$work/keys2.script" "$work/rec-c.txt"
check KeymapFileLoadedAtStartPlaysTheMacro "$work/rec-c.txt" 'HXic\r\n!\r\n'
verdict KeyMappingBindsTheKey grep -q '^dialog text 3367 = LineStart' "$work/keys2.script.log"
verdict DeletedMacroLeavesTheList grep -q '^dialog count 3311 = 0' "$work/keys2.script.log"
verdict SavedKeymapHasTheNewKey lists_key 'Ctrl+Shift+Q.*LineStart'
no_macro() { ! batch_run -k "$keyfile" -r Hello "$work/rec-q.txt" >/dev/null 2>&1; }
verdict DeletedMacroIsGoneFromTheFile no_macro

printf 'abc\r\n' >"$work/rec-d.txt"
cat >"$work/keys3.script" <<'SCRIPT'
key end
key q ctrl shift
type >
key f2
exit
SCRIPT
run_ozm "$work/keys3.script" "$work/rec-d.txt"
check MappedKeyWorksAfterRestart "$work/rec-d.txt" '>abc\r\n'
rm -f "$keyfile"

wineserver -k >/dev/null 2>&1 || true
if [ "$failed" -gt 0 ]; then
    for f in "${failures[@]}"; do echo "[  FAILED  ] $f"; done
    echo "[  PASSED  ] $passed tests."
    echo "[  FAILED  ] $failed tests, listed above:"
    exit 1
fi
echo "[  PASSED  ] $passed tests."
