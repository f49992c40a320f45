#!/usr/bin/env bash
# Screenshot of the character-set screen fonts: the bundled Croatian sample, written in each face's set, shown
# by the real editor in that face; the seven pictures stacked into one.
# Usage: scripts/shot-screen-fonts.sh [OUT.png]   (needs build/windows/ozm.exe and OZME.DLL)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="${1:-$root/docs/screenshots/screen-fonts.png}"
export VOK_BUILD="${VOK_BUILD:-$root/build}"
source scripts/wine-env.sh
vok_wine_prefix
win() { local p="$1"; echo "Z:${p//\//\\}"; }
work="$(mktemp -d)"
python3 scripts/make-screen-fonts.py --samples data/sample.txt "$work"
faces=(VokTE_1250:602 VokTE_1252:603 VokTE_437:604 VokTE_CROSCII:605 VokTE_ISO8859-2:607 VokTE_Mac_Roman:608
       VokTE_Mac_CE:609)
parts=()
for entry in "${faces[@]}"; do
    face="${entry%%:*}"
    id="${entry##*:}"
    printf '[Settings]\r\nWindow=0 0 700 300 0\r\nStatusBar=0\r\nButtonBar=0\r\n' > "$work/$face.ini"
    {
        echo "open $(win "$work/$face.txt")"
        echo "command $id"
        echo "wait 9000"
        echo "exit"
    } > "$work/$face"
    (cd build/windows &&
        env -u LC_ALL LANG=en_US.UTF-8 LC_CTYPE=hr_HR.UTF-8 xvfb-run -a -s "-screen 0 720x320x24" sh -c "
          wine ozm.exe /testscript '$(win "$work/$face")' >/dev/null 2>&1 &
          sleep ${VOK_SHOT_DELAY:-5}
          import -window root '$work/$face.png'
          wait") || true
    convert "$work/$face.png" -crop 700x190+0+0 +repage -gravity north -background white -splice 0x18 \
        -font DejaVu-Sans -pointsize 13 -annotate +0+2 "$face" "$work/$face-labelled.png"
    parts+=("$work/$face-labelled.png")
done
mkdir -p "$(dirname "$out")"
convert "${parts[@]}" -append "$out"
rm -rf "$work"
echo "screenshot: $out"
