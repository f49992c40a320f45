#!/usr/bin/env bash
# Printing through the real Windows printing path: a private CUPS daemon (configuration, spool and logs in
# the build folder) with a cups-pdf queue as the default printer, ozm.exe printing a document under Wine,
# and the PDF it produced read back with pdftotext. Prints GoogleTest-style lines.
# VOK_PRINTED_PAGE=FILE.png keeps page 1 as an image (pdftoppm).
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
export VOK_BUILD="$root/build"
source scripts/wine-env.sh
vok_wine_prefix

passed=0
failed=0
report() {  # report NAME OK(0/1) [DETAIL]
    if [ "$2" -eq 0 ]; then
        echo "[       OK ] PrintE2E.$1"
        passed=$((passed + 1))
    else
        echo "[  FAILED  ] PrintE2E.$1"
        [ -n "${3:-}" ] && echo "$3" | sed 's/^/   /'
        failed=$((failed + 1))
    fi
}
finish() {
    echo "[==========] $((passed + failed)) tests ran."
    [ "$passed" -gt 0 ] && echo "[  PASSED  ] $passed tests."
    [ "$failed" -gt 0 ] && echo "[  FAILED  ] $failed tests, listed above."
    [ "$failed" -eq 0 ]
}

for tool in cupsd lpadmin pdftotext pdfinfo; do
    if ! command -v "$tool" >/dev/null 2>&1 && [ ! -x "/usr/sbin/$tool" ]; then
        report Tools 1 "$tool is missing (scripts/install-deps.sh installs it)"
        finish
        exit 1
    fi
done
source scripts/cups-env.sh
work="$root/build/print-e2e"
rm -rf "$work"
mkdir -p "$work"
stop_all() {
    wineserver -k >/dev/null 2>&1 || true
    vok_cups_stop
}
trap stop_all EXIT
# Not in a subshell: the daemon's process id and CUPS_SERVER must stay in this one.
if ! vok_cups_start "$work/cups" 2>"$work/cups-start.log"; then
    report CupsQueue 1 "$(cat "$work/cups-start.log")"
    finish
    exit 1
fi
queue=VokPDF
cups="$work/cups"

# The document: 130 numbered lines, one of them 200 characters wide (split over three printed lines of
# the 10-point default font), and a tab.
doc="$work/printme.txt"
{
    for i in $(seq 1 130); do
        if [ "$i" -eq 20 ]; then
            printf 'L020 '
            for k in $(seq 1 39); do printf 'w%03d ' "$k"; done
            printf 'END\r\n'
        else
            printf 'Line %03d\tof the printed document\r\n' "$i"
        fi
    done
} >"$doc"
win() { local p="$1"; echo "Z:${p//\//\\}"; }
# The print dialog's Help button (pshHelp, 1038) first: the help opens beside the dialog, which goes on.
cat >"$work/print.script" <<'SCRIPT'
dialog click 1038
dialog click 1
command 130
wait 2000
exit
SCRIPT
printf '[AutoCorrect]\r\nReplaceText=0\r\n' >"$work/print.script.ini"

# cups-pdf writes into the job owner's PDF folder (Debian's default "Out ${HOME}/PDF"): the new file is
# taken from there into the build folder.
outdir="$(vok_cups_pdf_dir)"
mkdir -p "$outdir"
marker="$work/started"
touch "$marker"
sleep 1
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
(cd "$root/build/windows" &&
    timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" wine ozm.exe /testscript "$(win "$work/print.script")" \
        "$(win "$doc")" >"$work/wine.log" 2>&1)
# The job is done when the queue is empty and a new PDF has stopped growing.
pdf=""
for _ in $(seq 240); do
    if [ -z "$(lpstat -o "$queue" 2>/dev/null)" ]; then
        pdf="$(find "$outdir" -maxdepth 1 -name '*.pdf' -newer "$marker" 2>/dev/null | head -1)"
        [ -n "$pdf" ] && break
    fi
    sleep 0.25
done
if [ -z "$pdf" ]; then
    report JobReachesThePrinter 1 "no PDF; script log: $(cat "$work/print.script.log" 2>/dev/null | tail -5)
cups: $(grep -E '^[EW]' "$cups/logs/error_log" 2>/dev/null | tail -5)"
    finish
    exit 1
fi
mv "$pdf" "$work/printed.pdf"
pdf="$work/printed.pdf"
report JobReachesThePrinter 0
# After Help no message says the help file is missing or the viewer failed, and the dialog takes its OK.
log="$(tr -d '\r' <"$work/print.script.log" 2>/dev/null)"
grep -qx 'dialog> click 1038' <<<"$log" && grep -qx 'dialog> click 1' <<<"$log" && ! grep -q '^message' <<<"$log"
report HelpButtonShowsNoErrorAndTheDialogGoesOn $? "$(tail -8 <<<"$log")"

pages="$(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')"
pdftotext -layout "$pdf" "$work/printed.txt"
text="$work/printed.txt"
# 10-point lines on A4 or Letter with 25.4 mm top and bottom margins hold 54-64 rows: 130 lines and the two
# extra rows of the split line make three pages.
[ "$pages" = 3 ]; report ThreePages $? "pages: $pages"

# Pages are separated by form feeds; page N's text is field N.
page_text() { awk -v RS='\f' -v n="$1" 'NR == n' "$text"; }
ok=0
for n in 1 2 3; do
    page_text "$n" | head -3 | grep -qF 'printme.txt' || ok=1
    page_text "$n" | tail -4 | grep -qE "^ +Page $n *$" || ok=1
done
report HeaderNamesTheFileAndFooterCountsPages $ok "$(for n in 1 2 3; do page_text "$n" | head -2; page_text "$n" | tail -3; done)"

# Every document line appears once, in order.
missing=0
for i in $(seq -f '%03g' 1 130); do
    [ "$i" = 020 ] && continue
    grep -qE "^ *Line $i +of the printed document *$" "$text" || missing=$((missing + 1))
done
[ "$missing" -eq 0 ]; report EveryLinePrinted $? "$missing lines missing"

# The wide line continues on the next printed lines: its start, a middle and its end on three lines
# that follow each other.
l1="$(grep -nE '^ *L020 w001' "$text" | cut -d: -f1)"
lend="$(grep -nE 'END *$' "$text" | cut -d: -f1)"
[ -n "$l1" ] && [ -n "$lend" ] && [ "$lend" -gt "$l1" ] && [ $((lend - l1)) -le 3 ] &&
    ! grep -qE 'w001.*END' "$text"
report LongLineSplitOverPrintedLines $? "$(grep -nE 'L020|w0[0-9][0-9]|END' "$text" | head -5)"

if [ -n "${VOK_PRINTED_PAGE:-}" ] && command -v pdftoppm >/dev/null 2>&1; then
    pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$pdf" "${VOK_PRINTED_PAGE%.png}"
fi
finish
