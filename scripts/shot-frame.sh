#!/usr/bin/env bash
# Screenshot of the real editor: two documents tiled, one scrolled, one with a column block.
# Usage: scripts/shot-frame.sh [OUT.png]   (needs build/windows/ozm.exe)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="${1:-$root/build/shot-frame.png}"
export VOK_BUILD="$root/build"
source scripts/wine-env.sh
vok_wine_prefix
# Windows names through Wine's Z: drive; winepath would start a Wine server without the display.
win() { local p="$1"; echo "Z:${p//\//\\}"; }
wineserver -k >/dev/null 2>&1 || true
work="$(mktemp -d)"
cp data/sample.txt data/sample.c "$work/"
cat > "$work/shot.ini" <<'INI'
[Settings]
Window=0 0 1000 660 0
INI
{
    echo "open $(win "$work/sample.c")"
    for i in 1 2 3 4 5 6; do echo "editor 45"; done
    echo "open $(win "$work/sample.txt")"
    echo "editor 79"
    for i in 1 2 3 4; do echo "editor 33"; done
    for i in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16; do echo "editor 31"; done
    for i in 1 2 3; do echo "editor 53"; done
    for i in 1 2 3 4 5 6 7 8 9 10; do echo "editor 51"; done
    echo "command 803"
    echo "wait 15000"
    echo "answer no"
    echo "exit"
} > "$work/shot"
cd build/windows
# Code page 1250 for the Croatian sample, English for the rest, as scripts/run.sh starts the editor.
env -u LC_ALL LANG=en_US.UTF-8 LC_CTYPE=hr_HR.UTF-8 xvfb-run -a -s "-screen 0 1024x700x24" sh -c "
  wine ozm.exe /testscript '$(win "$work/shot")' >/dev/null 2>&1 &
  sleep ${VOK_SHOT_DELAY:-12}
  import -window root '$out'
  wait" || true
cp "$work/shot.log" "$root/build/shot-frame.log" 2>/dev/null || true
rm -rf "$work"
echo "screenshot: $out"
