#!/usr/bin/env bash
# Screenshot of the Auto Correct dialog over the real editor, with the shipped ozm.acr's English list.
# Usage: scripts/shot-autocorrect.sh [OUT-FOLDER]   (needs build/windows/ozm.exe); writes autocorrect-dialog.png.
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
cp data/sample.txt "$work/"
# A script's settings are FILE.ini beside it.
printf '[Settings]\nWindow=0 0 1000 660 1\n[AutoCorrect]\nLanguage=1\n' > "$work/dialog.ini"
printf '%s\n' "open $(win "$work/sample.txt")" "command 710" "wait 20000" "exit" > "$work/dialog"
wineserver -k >/dev/null 2>&1 || true
(cd build/windows && env -u LC_ALL LANG=en_US.UTF-8 LC_CTYPE=hr_HR.UTF-8 xvfb-run -a -s "-screen 0 1024x700x24" sh -c "
  wine ozm.exe /testscript '$(win "$work/dialog")' >/dev/null 2>&1 &
  sleep ${VOK_SHOT_DELAY:-14}
  import -window root '$out/autocorrect-dialog.png'
  wineserver -k >/dev/null 2>&1 || true
  wait") || true
echo "screenshot: $out/autocorrect-dialog.png"
rm -rf "$work"
