#!/usr/bin/env bash
# Screenshots of the option dialogs and boxes over the real editor: Editor Options, Mouse Options, Drop and
# Go to Bookmark, More Files, Tip of the Day and Associate (as at start-up), Insert Symbol, About and the
# open Options menu.
# Usage: scripts/shot-options.sh [OUT-FOLDER]   (needs build/windows/ozm.exe); writes NAME-dialog.png and options-menu.png there.
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
cp data/sample.c data/sample.txt "$work/"

# shot NAME INI-EXTRA STEP...: starts the editor on sample.c with the script's steps and photographs it.
shot() {
    local name="$1" extra="$2"
    shift 2
    printf '[Settings]\nWindow=0 0 1000 660 0\n%s' "$extra" > "$work/$name.ini"
    printf '%s\n' "open $(win "$work/sample.c")" "$@" "wait 20000" "exit" > "$work/$name"
    wineserver -k >/dev/null 2>&1 || true
    (cd build/windows && VOK_SHOT_KEYS="${VOK_SHOT_KEYS:-}" env -u LC_ALL LANG=en_US.UTF-8 LC_CTYPE=hr_HR.UTF-8 \
        xvfb-run -a -s "-screen 0 1024x700x24" sh -c "
      wine ozm.exe /testscript '$(win "$work/$name")' >/dev/null 2>&1 &
      sleep ${VOK_SHOT_DELAY:-14}
      if [ -n \"\$VOK_SHOT_KEYS\" ]; then xdotool key \$VOK_SHOT_KEYS; sleep 2; fi
      import -window root '$out/$name.png'
      wineserver -k >/dev/null 2>&1 || true
      wait") || true
    echo "screenshot: $out/$name.png"
}

nl=$'\n'
desktop="[LastFilesInfo]${nl}1=\"$(win "$work/sample.txt")\" 0 0 0 0 400 300 1${nl}2=\"$(win "$work/sample.c")\" 0 0 0 0 400 300 1${nl}"
shot editor-options-dialog "" "command 701"
shot mouse-options-dialog "" "command 702"
shot drop-bookmark-dialog "" "editor 103" "editor 33" "editor 107" "command 310"
shot goto-bookmark-dialog "" "editor 103" "editor 33" "editor 107" "command 311"
shot more-files-dialog "$desktop" "command 169"
shot insert-symbol-dialog "" "command 209"
shot about-dialog "" "command 999"
# The open Options menu, by a key press (needs xdotool, which no test uses).
if command -v xdotool >/dev/null; then VOK_SHOT_KEYS=alt+p shot options-menu "" ; fi
shot tip-of-the-day-dialog "[Tip]${nl}StartUp=0${nl}"
shot associate-dialog "AssociateDlgStartUp=1${nl}"
rm -rf "$work"
