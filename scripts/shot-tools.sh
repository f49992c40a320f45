#!/usr/bin/env bash
# Screenshots of the user tools and Find Files over the real editor: the Tools dialog (tools-dialog.png), a
# captured tool's output window (tool-output.png) and the Search Results dialog (search-results.png).
# Usage: scripts/shot-tools.sh [OUT-FOLDER]   (needs build/windows/ozm.exe and ozmcap32.exe)
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
mkdir -p "$work/src/lib"
printf 'int main(void)\n{\n    return 0;\n}\n' > "$work/src/main.c"
printf '/* list of words */\nstatic int count;\n' > "$work/src/lib/words.c"
printf 'static int total;\n' > "$work/src/lib/total.c"
printf 'nothing here\n' > "$work/src/notes.txt"
settings() {
    printf '[Settings]\nWindow=0 0 1000 660 1\n[AutoCorrect]\nLanguage=1\n'
    printf '[UserTools]\nMenuText1=&Directory\nPathName1=cmd\nArguments1=/c dir /o:n $(FileDir)\nCaptureOutput1=1\nSaveFile1=0\n'
    printf 'MenuText2=&Compile\nPathName2=$(ProgDir)cc.exe\nArguments2=-c $(FilePath)\nInitialDir2=$(FileDir)\nCaptureOutput2=1\nSaveFile2=2\nPromptBeforeSave2=1\n'
    printf 'MenuText3=&Grep word\nPathName3=grep.exe\nArguments3=-n $(CurText) *.c\nAskArguments3=1\nSendArgAsShortFileName3=1\n'
}
shot() {  # NAME SCRIPT-LINES...   (VOK_SHOTS="NAME ..." takes only those)
    local name="$1"; shift
    [ -n "${VOK_SHOTS:-}" ] && [[ " $VOK_SHOTS " != *" $name "* ]] && return 0
    settings > "$work/$name.ini"
    printf '%s\n' "$@" > "$work/$name"
    wineserver -k >/dev/null 2>&1 || true
    (cd build/windows && env -u LC_ALL LANG=en_US.UTF-8 LC_CTYPE=hr_HR.UTF-8 xvfb-run -a -s "-screen 0 1024x700x24" sh -c "
      wine ozm.exe /testscript '$(win "$work/$name")' >/dev/null 2>&1 &
      sleep ${VOK_SHOT_DELAY:-16}
      import -window root '$out/$name.png'
      wineserver -k >/dev/null 2>&1 || true
      wait") || true
    echo "screenshot: $out/$name.png"
}
shot tools-dialog "open $(win "$work/src/main.c")" "command 706" "wait 30000" "exit"
shot tool-output "open $(win "$work/src/main.c")" "command 560" "wait 30000" "exit"
shot search-results "open $(win "$work/sample.txt")" "dialog set 3801 $(win "$work/src")\\*.c" \
    "dialog set 3804 static" "dialog check 3813 0" "dialog check 3812 1" "dialog click 1" "command 105" "wait 30000" "exit"
rm -rf "$work"
