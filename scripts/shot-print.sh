#!/usr/bin/env bash
# Screenshots of printing in the real editor, with a private CUPS daemon's PDF printer: Page Setup, the
# print dialog with its Font... button, and the preview of a three-page document in one- and two-page mode.
# Usage: scripts/shot-print.sh [OUTDIR]   (needs build/windows/ozm.exe; default OUTDIR build/shots)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="$(realpath -m "${1:-$root/build/shots}")"
mkdir -p "$out"
export VOK_BUILD="$root/build"
source scripts/wine-env.sh
source scripts/cups-env.sh
vok_wine_prefix
win() { local p="$1"; echo "Z:${p//\//\\}"; }
work="$root/build/shot-print"
rm -rf "$work"
mkdir -p "$work"
trap 'wineserver -k >/dev/null 2>&1 || true; vok_cups_stop' EXIT
vok_cups_start "$work/cups"
doc="$work/report.txt"
for i in $(seq 1 130); do printf 'Line %03d\tof a three-page document\r\n' "$i"; done >"$doc"

# shot NAME STEP...: the editor on the document, the steps played, the screen taken after a while.
shot() {
    local name="$1"; shift
    printf '%s\n' "$@" >"$work/$name.script"
    printf '[Settings]\r\nWindow=0 0 1000 700 0\r\n[AutoCorrect]\r\nReplaceText=0\r\n' >"$work/$name.script.ini"
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    (cd build/windows &&
        xvfb-run -a -s "-screen 0 1024x740x24" sh -c "
          wine ozm.exe /testscript '$(win "$work/$name.script")' '$(win "$doc")' >/dev/null 2>&1 &
          sleep ${VOK_SHOT_DELAY:-10}
          import -window root '$out/$name.png'
          wineserver -k") || true
    echo "screenshot: $out/$name.png"
}
shot page-setup "command 133"
shot print-dialog "command 130"
shot preview-one-page "command 131"
shot preview-two-pages "command 131" "wait 500" "send VokPreview 207"
