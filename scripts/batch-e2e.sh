#!/usr/bin/env bash
# End-to-end checks of ozmbatch: the native build and the Windows build under Wine run on small files in a
# scratch folder, and the bytes they write, print and return are compared. Prints GoogleTest-style lines.
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
export VOK_BUILD="$root/build"

work="$(mktemp -d "${TMPDIR:-/tmp}/batch-e2e.XXXXXX")"
trap '[ -n "${VOK_KEEP_E2E:-}" ] || rm -rf "$work"' EXIT
passed=0
failed=0
failures=()

pass() { echo "[       OK ] $1"; passed=$((passed + 1)); }
fail() {
    local name="$1"
    shift
    echo "[  FAILED  ] $name"
    for line in "$@"; do echo "   $line"; done
    failures+=("$name")
    failed=$((failed + 1))
}

# Bytes as od shows them, so that line ends are visible in a failure.
bytes() { od -An -c; }

# expect NAME ACTUAL-FILE EXPECTED-PRINTF-FORMAT
expect_file() {
    local name="$1" file="$2" expected actual
    expected="$(printf "$3" | bytes)"
    actual="$(bytes <"$file" 2>/dev/null)"
    if [ "$expected" = "$actual" ]; then pass "$name"; else fail "$name" "expected: $expected" "actual:   $actual"; fi
}

# expect_text NAME ACTUAL EXPECTED (carriage returns of the console are dropped first)
expect_text() {
    local name="$1" actual="${2//$'\r'/}" expected="$3"
    if [ "$actual" = "$expected" ]; then pass "$name"; else fail "$name" "expected: $expected" "actual:   $actual"; fi
}

# The programs to check: the native build, and the Windows build through Wine when both are there.
runners=()
if [ -x "$root/build/native/ozmbatch" ]; then
    runners+=("native")
fi
if [ -f "$root/build/windows/ozmbatch.exe" ] && command -v wine >/dev/null 2>&1; then
    source scripts/wine-env.sh
    vok_wine_prefix
    runners+=("wine")
fi
if [ "${#runners[@]}" -eq 0 ]; then
    echo "ozmbatch is not built"
    echo "[  FAILED  ] 1 tests, listed below:"
    exit 1
fi

# Both Windows programs take the address space above 2 GB on 64-bit Windows, or large files run out of room.
for exe in ozm.exe ozmbatch.exe; do
    if [ -f "$root/build/windows/$exe" ]; then
        if i686-w64-mingw32-objdump -p "$root/build/windows/$exe" | grep -c "large address aware" >/dev/null; then
            pass "Build.LargeAddressAware.$exe"
        else
            fail "Build.LargeAddressAware.$exe" "$exe is not marked large address aware"
        fi
    fi
done

# ozm ARGS...: runs the program of the current runner inside the case folder; relative names only, so
# both builds see the same files.
ozm() {
    if [ "$runner" = native ]; then
        "$root/build/native/ozmbatch" "$@"
    else
        wine "$root/build/windows/ozmbatch.exe" "$@"
    fi
}

for runner in "${runners[@]}"; do
    dir="$work/$runner"
    mkdir -p "$dir"
    cd "$dir"
    p="Batch.$runner"

    # A recorded-style macro: typed text, new lines and movement produce an exact file.
    printf 'alpha\r\nbeta\r\n' >doc.txt
    printf 'InsertText "Dear all,"\r\nNewLine\r\nCursorDown\r\nLineEnd\r\nInsertText " gamma"\r\nTextStart\r\nLineStart\r\nInsertText ">"\r\n' >letter.mac
    ozm -m letter.mac doc.txt
    expect_file "$p.MacroProducesExactFile" doc.txt '>Dear all,\r\nalpha\r\nbeta gamma\r\n'

    # Keys through the key map: Ctrl+K B, two lines down, Ctrl+K K copies; Ctrl+Q C and Ctrl+K C paste it again before the last line.
    printf 'one\ntwo\nthree\n' >keys.txt
    out="$(ozm --report --keys "Ctrl+K B Down Down Ctrl+K K" keys.txt)"
    expect_text "$p.KeysCopyThroughKeyMapReport" "$out" "$(printf 'file: keys.txt\nlines: 3\nformat: UNIX\nmodified: 0\ncursor: 3 1\nselection: stream 1 1 3 1\nundo: Can'"'"'t &Undo')"
    ozm --keys "Ctrl+K B Down Down Ctrl+K K Ctrl+Q C Ctrl+K C" keys.txt
    expect_file "$p.KeysCopyThenPaste" keys.txt 'one\ntwo\none\ntwo\nthree\n'

    # Undo through the keys takes back only what the last step did: a Backspace after typing elsewhere,
    # typing over an empty column block, and Enter after a blank give back exactly the text before them.
    printf 'hello world\n' >undo1.txt
    out="$(ozm --report --keys "X End Right Backspace Backspace Alt+Backspace" undo1.txt)"
    expect_file "$p.UndoBackspaceAfterTypingElsewhere" undo1.txt 'Xhello world\n'
    expect_text "$p.UndoBackspaceLeavesTheTypingRecord" "$(grep '^undo:' <<<"$out")" "undo: &Undo Typing"
    printf '\nkeep1\nkeep2\nkeep3\n' >undo2.txt
    ozm --keys "c Down Down Ctrl+O C Shift+Down . Alt+Backspace" undo2.txt
    expect_file "$p.UndoTypingOverAnEmptyColumnBlock" undo2.txt 'c\nkeep1\nkeep2\nkeep3\n'
    printf '    indented words here\r\n' >undo3.txt
    ozm --keys "End Left Left Left Left Enter Alt+Backspace" undo3.txt
    expect_file "$p.UndoEnterAfterABlank" undo3.txt '    indented words here\r\n'
    ozm --keys "End Left Left Left Left Enter Alt+Backspace Alt+Shift+Backspace" undo3.txt
    expect_file "$p.RedoEnterAfterABlank" undo3.txt '    indented words\r\n    here\r\n'

    # AutoCorrect from the shipped lists: typed keys are corrected, a played macro is not, and --caps-lock
    # repairs a word typed with Caps Lock on. Without --autocorrect nothing is corrected.
    cp "$root/data/ozm.acr" ozm.acr
    printf '' >ac1.txt
    ozm --autocorrect ozm.acr --keys "t e h Space f r e i n d . Space a d n Space T H e Space" ac1.txt
    expect_file "$p.AutoCorrectTypedKeys" ac1.txt 'The friend. And The\r\n'
    printf '' >ac2.txt
    ozm --keys "t e h Space" ac2.txt
    expect_file "$p.AutoCorrectOffWithoutAList" ac2.txt 'teh\r\n'
    printf '' >ac3.txt
    ozm --autocorrect ozm.acr --caps-lock --keys "h E L L O Space h E L L O Space" ac3.txt
    expect_file "$p.AutoCorrectCapsLock" ac3.txt 'Hello hELLO\r\n'
    printf '' >ac4.txt
    printf 'InsertText "teh "\r\n' >ac4.mac
    ozm --autocorrect ozm.acr -m ac4.mac --keys "a d n Space" ac4.txt
    expect_file "$p.AutoCorrectNotInAPlayedMacro" ac4.txt 'teh and\r\n'
    printf '[AutoCorrect]\r\nLanguage=2\r\nCapitalizeSentence=0\r\n' >ac.ini
    printf '' >ac5.txt
    ozm -s ac.ini --autocorrect ozm.acr --keys "z a s t o Space t e h Space" ac5.txt
    expect_file "$p.AutoCorrectCroatianFromTheSettings" ac5.txt 'za\232to teh\r\n'

    # Replace All by pattern, without prompts, and the report's Undo label.
    printf 'id 12, id 345\r\nnone\r\nid 6\r\n' >ids.txt
    out="$(ozm --find 'id [0-9]+' --replace 'ID' --regex --all --no-prompt -c Replace --report ids.txt 2>err.txt)"
    expect_file "$p.ReplaceAllByPattern" ids.txt 'ID, ID\r\nnone\r\nID\r\n'
    expect_text "$p.ReplaceAllUndoLabel" "$(grep '^undo:' <<<"$out")" "undo: &Undo Replace"
    expect_text "$p.ReplaceAllEndsNotFound" "$(tr -d '\r' <err.txt)" "ids.txt: Search string not found."

    # A macro that does not compile: its line on standard error, exit code 1, the file untouched.
    printf 'keep\r\n' >safe.txt
    touch -d '2020-01-01 00:00:00' safe.txt
    printf 'CursorDown\r\nInsertText "ok"\r\nNoSuchCommand\r\n' >bad.mac
    ozm -m bad.mac safe.txt 2>err.txt
    rc=$?
    expect_text "$p.CompileErrorExitCode" "$rc" "1"
    expect_text "$p.CompileErrorLine" "$(tr -d '\r' <err.txt)" 'ozmbatch: bad.mac: Compile Error\n\nLine 3: Unknown command.'
    expect_file "$p.CompileErrorFileUntouched" safe.txt 'keep\r\n'
    expect_text "$p.CompileErrorFileTimeKept" "$(date -r safe.txt +%Y)" "2020"

    # Colours by the syntax.hgl shipped beside the program: the file name chooses C, a tab fills its
    # columns, a comment carries over the empty line; and by a file named with --syntax.
    printf '#include <x.h>\r\n\tint n = 0x1F; /* a\r\n\r\n*/ return "s";\r\n' >colour.c
    out="$(ozm --colours colour.c)"
    expect_text "$p.ColoursByTheShippedSyntax" "$out" "$(printf 'colours 1: dddddddd0ddddd\ncolours 2: 00000000aaa000006666003333\ncolours 3: \ncolours 4: 330aaaaaa06660')"
    printf '[Mine]\r\nExtensions=c\r\nKeyword3=int\r\nWords=a-z\r\nColorKeyword=16\r\n' >mine.hgl
    out="$(ozm --syntax mine.hgl --colours colour.c)"
    expect_text "$p.ColoursByANamedSyntaxFile" "$(sed -n 2p <<<"$out")" "colours 2: 00000000ggg000000000000000"
    ozm --syntax missing.hgl --colours colour.c >/dev/null 2>&1
    expect_text "$p.AMissingNamedSyntaxFileFails" "$?" "1"

    # Line ends: a mixed file converted to UNIX and to DOS; keep leaves an unchanged file alone.
    printf 'a\r\nb\nc\rd' >mixed.txt
    cp mixed.txt mixed2.txt
    cp mixed.txt mixed3.txt
    ozm -f unix mixed.txt
    expect_file "$p.MixedToUnix" mixed.txt 'a\nb\nc\nd\n'
    ozm --format dos mixed2.txt
    expect_file "$p.MixedToDos" mixed2.txt 'a\r\nb\r\nc\r\nd\r\n'
    ozm --report mixed3.txt >/dev/null
    expect_file "$p.ReportAloneWritesNothing" mixed3.txt 'a\r\nb\nc\rd'

    # Counting, standard output, backups and bad usage.
    printf '12x 3x\nno\n9x and 4\n' >count.txt
    expect_text "$p.Count" "$(ozm --count --find '[0-9]+x' --regex count.txt)" "$(printf 'matches: 3\nlines: 2')"
    # A pattern that a plain backtracker cannot finish on these lines is still counted exactly.
    { printf '%060dc\n' 0 | tr 0 a; printf '%0900d\n' 0 | tr 0 a; printf 'b aab ac\n'; } >hard.txt
    expect_text "$p.CountHardPattern" "$(ozm --count --find '{{a|aa}*b|a*c}' --regex hard.txt)" \
        "$(printf 'matches: 4\nlines: 2')"
    printf 'x\r\ny\r\n' >std.txt
    ozm -o - -f unix std.txt >std.out
    expect_file "$p.StandardOutput" std.out 'x\ny\n'
    printf 'old\n' >notes.txt
    ozm --backup -c 'InsertText "new "' notes.txt
    expect_file "$p.BackupKept" notes.bak 'old\n'
    expect_file "$p.BackupNewText" notes.txt 'new old\n'
    ozm --format windows notes.txt 2>/dev/null
    expect_text "$p.BadUsageExitCode" "$?" "2"
    ozm --keys "Ctrl+Nothing" notes.txt 2>/dev/null
    expect_text "$p.UnknownKeyExitCode" "$?" "1"
    expect_text "$p.ListKeys" "$(ozm --list-keys | tr -d '\r' | grep -c $'^Ctrl+K K\tCopy$')" "1"

    # --backup that would delete a file: one named like its own backup, two sharing one backup name.
    printf 'precious\n' >keep.bak
    ozm --backup -c 'InsertText "x"' keep.bak 2>/dev/null
    expect_text "$p.BackupOfABakFileRefused" "$?" "2"
    expect_file "$p.BackupOfABakFileUntouched" keep.bak 'precious\n'
    printf 'c\n' >pair.c
    printf 'h\n' >pair.h
    ozm --backup -c 'InsertText "x"' pair.c pair.h 2>err.txt
    expect_text "$p.SharedBackupNameRefused" "$?" "2"
    expect_text "$p.SharedBackupNameSaysWhy" "$(grep -c 'pair.bak' err.txt)" "1"
    expect_file "$p.SharedBackupNameFirstUntouched" pair.c 'c\n'
    expect_text "$p.SharedBackupNameNoBackup" "$(ls pair.bak 2>/dev/null)" ""

    # Lines split on loading are not written back in place; -o writes the pieces elsewhere.
    printf '%01100d\n' 0 >long.txt
    cp long.txt long.old
    ozm -c CursorDown -c 'InsertText "y"' long.txt 2>/dev/null
    expect_text "$p.SplitLinesNotWrittenInPlace" "$?" "1"
    expect_text "$p.SplitLinesFileUntouched" "$(cmp long.txt long.old && echo same)" "same"

    # Output that cannot be written fails the run, with a message.
    for what in count report list-keys help; do
        case $what in
            count) args=(--count --find x notes.txt) ;;
            report) args=(--report notes.txt) ;;
            list-keys) args=(--list-keys) ;;
            help) args=(--help) ;;
        esac
        ozm "${args[@]}" >/dev/full 2>err.txt
        expect_text "$p.FullOutput_$what" "$?" "1"
        expect_text "$p.FullOutputSaysWhy_$what" "$(grep -c 'cannot write to standard output' err.txt)" "1"
    done

    # Two macro files run in the order given, before the commands.
    printf 'InsertText "1"\r\n' >one.mac
    printf 'InsertText "2"\r\n' >two.mac
    printf 'x\n' >order.txt
    ozm -m one.mac -c 'InsertText "3"' -m two.mac order.txt
    expect_file "$p.TwoMacroFilesInOrder" order.txt '123x\n'

    # A folder given as a file is refused; the other files are still done.
    mkdir -p sub
    printf 'y\n' >after.txt
    ozm -c 'InsertText ">"' sub after.txt 2>err.txt
    expect_text "$p.FolderAsFileRefused" "$?" "1"
    expect_text "$p.FolderAsFileSaysWhy" "$(grep -c 'folder' err.txt)" "1"
    expect_file "$p.FolderAsFileOthersDone" after.txt '>y\n'

    # The transforms' dialogs answered from the command line.
    printf 'b 2\na 3\nc 1\n' >sort1.txt
    ozm --sort-key 3 -c Sort sort1.txt
    expect_file "$p.SortByKeyColumn" sort1.txt 'c 1\nb 2\na 3\n'
    printf '10\n9\n100\n-1,5\n' >sort2.txt
    ozm --sort numeric --descending -c Sort sort2.txt
    expect_file "$p.SortNumericDescending" sort2.txt '100\n10\n9\n-1,5\n'
    printf 'xxxxxx\nxxxxxx\nxxxxxx\n' >fill.txt
    ozm --fill ab -c SetColumnSelMode -c CursorRight -c RightSelect -c RightSelect -c RightSelect \
        -c DownSelect -c FillBlock fill.txt
    expect_file "$p.FillColumnBlock" fill.txt 'xabaxx\nxabaxx\nxxxxxx\n'
    printf 'top\n' >draw.txt
    ozm --line-style 3 -c TextEnd -c LineEnd -c NewLine -c StartLineDraw -c CursorRight -c CursorRight \
        -c CursorDown -c CursorDown draw.txt
    expect_file "$p.LineDrawBoxCharacters" draw.txt 'top\n\304\304\277\n  \263\n\n'
    printf 'x^elo {uma\n' >cnv.txt
    ozm --convert CROSCII-CP1250 -c ConvertText cnv.txt
    expect_file "$p.ConvertWithShippedTable" cnv.txt 'x\310elo \232uma\n'
    printf '[Mine]\n97=98\n65=0\n' >mine.cnv
    printf 'aAa\naaa\n' >cnv2.txt
    ozm --text-cnv mine.cnv --convert Mine --selection-only -c RightSelect -c RightSelect -c ConvertText cnv2.txt
    expect_file "$p.ConvertSelectionOnlyWithOwnTable" cnv2.txt 'bAa\naaa\n'
    printf '\202t\351\n' >oem.txt
    ozm --convert oem2ansi -c ConvertText oem.txt
    expect_file "$p.ConvertOemToAnsiAs437To1252" oem.txt '\351t\351\n'
    ozm --text-cnv missing.cnv --convert Mine -c ConvertText cnv2.txt 2>err.txt
    rc=$?
    expect_text "$p.ConvertMissingTableFileExitCode" "$rc" "1"
    expect_text "$p.ConvertMissingTableFileMessage" "$(tr -d '\r' <err.txt)" \
        'ozmbatch: Cannot open missing.cnv file.\n\nMake sure the disk is not full or write-protected.'
    printf 'two words\n\nthree more_words\n' >count2.txt
    expect_text "$p.WordCountLine" "$(ozm -c WordCount count2.txt)" "words: 3 2 2 4 23"
    printf '[Editor]\nLanguage=2\n' >lang.ini
    printf '\232uma\n' >lang.txt
    ozm -s lang.ini -c SelectAll -c UpperCase lang.txt
    expect_file "$p.LanguageFromSettingsUpperCase" lang.txt '\212UMA\n'
    printf '\232uma\n' >lang2.txt
    ozm -c SelectAll -c UpperCase lang2.txt
    expect_file "$p.LanguageSystemLeavesCroatianLetters" lang2.txt '\232UMA\n'
    expect_text "$p.BadSortKeyIsUsage" "$(ozm --sort-key 0 x.txt 2>/dev/null; echo $?)" "2"

    # --import: each generated document's text, written to --output with its last line ended; a file that
    # is no document fails with the editor's message and writes nothing; without --output it is bad usage.
    for fixture in "$root"/tests/import/fixtures/*.expected; do
        name="$(basename "$fixture" .expected)"
        cp "$root/tests/import/fixtures/$name" "$name"
        ozm --import -o "$name.txt" "$name" 2>err.txt
        { cat "$fixture"; [ "$(tail -c 2 "$fixture" | od -An -c | tr -d ' ')" = '\r\n' ] || printf '\r\n'; } >"$name.want"
        if cmp -s "$name.want" "$name.txt"; then pass "$p.Import.$name"; else
            fail "$p.Import.$name" "$(tr -d '\r' <err.txt)" "$(diff <(cat -A "$name.want") <(cat -A "$name.txt" 2>/dev/null) | head -20)"; fi
    done
    printf '[Editor]\nWordWrapColumn=30\n' >wrap.ini
    ozm --import -s wrap.ini -c 'InsertText ">"' -o wrap.txt word2.doc
    expect_text "$p.ImportWrapsAtTheSettingsColumn" "$(head -2 wrap.txt | tr -d '\r')" "$(printf '>Prvi odlomak:\tstupac iza\ntabulatora.')"
    printf 'plain text\n' >plain.doc
    expect_text "$p.ImportOfPlainTextFails" "$(ozm --import -o plain.txt plain.doc 2>err.txt; echo $?)" "1"
    expect_text "$p.ImportOfPlainTextMessage" "$(tr -d '\r' <err.txt)" \
        'plain.doc: Cannot open plain.doc file.\n\nMake sure a disk is in the drive you specified.'
    expect_text "$p.ImportOfPlainTextWritesNothing" "$([ -e plain.txt ] && echo written || echo none)" "none"
    expect_text "$p.ImportWithoutOutputIsUsage" "$(ozm --import word2.doc 2>/dev/null; echo $?)" "2"
    cd "$root"
done

# The golden cases (tests/golden/README.md): each folder run by the program itself on a copy, with the
# command line vok_tests builds too; the bytes written must be out, and --report must print report.
for runner in "${runners[@]}"; do
    for case in "$root"/tests/golden/*/; do
        name="$(basename "$case")"
        [ -f "$case/cmd" ] || continue
        dir="$work/golden-$runner/$name"
        mkdir -p "$dir"
        cp "$case"/* "$dir"/
        cd "$dir"
        args=(-m cmd)
        [ -f ini ] && args+=(-s ini)
        if [ -f args ]; then
            while IFS= read -r arg || [ -n "$arg" ]; do
                arg="${arg%$'\r'}"
                [ -n "$arg" ] && args+=("$arg")
            done <args
        fi
        ozm "${args[@]}" --report -o out.actual in >report.actual 2>err.actual
        rc=$?
        problems=()
        [ "$rc" -eq 0 ] || problems+=("exit code $rc: $(tr -d '\r' <err.actual)")
        cmp -s out out.actual || problems+=("out differs (< expected, > written; ^M is CR, \$ a line end):" \
            "$(diff <(cat -A out) <(cat -A out.actual 2>/dev/null) | cut -c1-200 | head -40)")
        if [ -f report ] && ! cmp -s report report.actual; then
            problems+=("report differs:" "$(diff report report.actual | head -40)")
        fi
        if [ "${#problems[@]}" -eq 0 ]; then
            pass "Golden.$runner.$name"
        else
            fail "Golden.$runner.$name" "${problems[@]}"
        fi
        cd "$root"
    done
done

total=$((passed + failed))
echo "[==========] $total tests ran."
echo "[  PASSED  ] $passed tests."
if [ "$failed" -gt 0 ]; then
    echo "[  FAILED  ] $failed tests, listed below:"
    for f in "${failures[@]}"; do echo "[  FAILED  ] $f"; done
    exit 1
fi
