#!/usr/bin/env bash
# Screenshot of the program's help, OZM.CHM, opened by Help > Contents in the HTML Help viewer (hhctrl.ocx).
# Wine has no HTML engine here (no Gecko; scripts/wine-env.sh turns mshtml off), so the viewer shows its
# window, tool bar and Contents tab, and an empty topic pane.
# Usage: scripts/shot-help.sh [OUT-FOLDER]   (needs build/windows/ozm.exe and OZM.CHM); writes help-contents.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="${1:-$root/build}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
export VOK_BUILD="$root/build"
source scripts/wine-env.sh
vok_wine_prefix
win() { local p="$1"; echo "Z:${p//\//\\}"; }
work="$(mktemp -d)"
cp data/sample.c "$work/"
printf '[Settings]\nWindow=0 0 1000 660 0\n' > "$work/help.ini"
printf '%s\n' "open $(win "$work/sample.c")" "command 901" "wait 20000" "exit" > "$work/help"
wineserver -k >/dev/null 2>&1 || true
(cd build/windows && env -u LC_ALL LANG=en_US.UTF-8 LC_CTYPE=hr_HR.UTF-8 \
    xvfb-run -a -s "-screen 0 1024x700x24" sh -c "
  wine ozm.exe /testscript '$(win "$work/help")' >/dev/null 2>&1 &
  sleep ${VOK_SHOT_DELAY:-14}
  import -window root '$out/help-contents.png'
  wineserver -k >/dev/null 2>&1 || true
  wait") || true
echo "screenshot: $out/help-contents.png"
rm -rf "$work"
