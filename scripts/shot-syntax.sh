#!/usr/bin/env bash
# Screenshots of syntax colouring in the real editor: a C file, an HTML file, and the Syntax Highlighting
# dialog over them. Usage: scripts/shot-syntax.sh [OUT-FOLDER]   (needs build/windows/ozm.exe)
# Writes syntax-c.png, syntax-html.png and syntax-dialog.png.
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
cat > "$work/index.html" <<'HTML'
<!DOCTYPE html>
<html>
<head>
  <title>Vok Text Editor</title>
  <!-- the style sheet comes later:
       nothing here is coloured but as a comment -->
</head>
<body class="main">
  <h1>Syntax colouring</h1>
  <p>Tags are drawn in the keyword colour,
     text in the window's own, <b>bold</b> or not.</p>
  <a href="https://example.org/">a link</a>
</body>
</html>
HTML
# A script's settings are FILE.ini beside it.
for scene in c html dialog; do
    printf '[Settings]\nWindow=0 0 1000 660 1\n' > "$work/$scene.ini"
done
# One screenshot per scene; each run of the program ends when the screenshot is taken.
shoot() {
    local scene="$1" png="$2"
    wineserver -k >/dev/null 2>&1 || true
    (cd build/windows && xvfb-run -a -s "-screen 0 1024x700x24" sh -c "
      wine ozm.exe /testscript '$(win "$work/$scene")' >/dev/null 2>&1 &
      sleep ${VOK_SHOT_DELAY:-14}
      import -window root '$png'
      wineserver -k >/dev/null 2>&1 || true
      wait") || true
    echo "screenshot: $png"
}
printf '%s\n' "open $(win "$work/sample.c")" "wait 20000" "exit" > "$work/c"
printf '%s\n' "open $(win "$work/index.html")" "wait 20000" "exit" > "$work/html"
printf '%s\n' "open $(win "$work/sample.c")" "command 708" "wait 20000" "exit" > "$work/dialog"
shoot c "$out/syntax-c.png"
shoot html "$out/syntax-html.png"
shoot dialog "$out/syntax-dialog.png"
rm -rf "$work"
