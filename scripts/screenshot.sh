#!/usr/bin/env bash
# Takes a screenshot of one scene of the screenshot program under Xvfb: scripts/screenshot.sh [SCENE] [OUT.png]
# (after a Windows build). Scenes: two-documents (the default), find-dialog, replace-dialog, dialog-and-frame,
# sort-dialog, fill-block-dialog, line-draw-style-dialog, word-count-dialog, convert-text-dialog,
# change-case-dialog, convert-tab-size-dialog, language-dialog, convert-table-dialog,
# message-box, macro-dialog, edit-macro-dialog, key-mapping-dialog, editor-commands-dialog.
set -euo pipefail
cd "$(dirname "$0")/.."
scene="${1:-two-documents}"
out="${2:-build/showcase.png}"
export VOK_BUILD="$PWD/build"
source scripts/wine-env.sh
vok_wine_prefix
show_ms=$((${VOK_SHOW_SECONDS:-8} * 1000))
# Code page 1250 for the Croatian texts of the scenes, English for the rest, as scripts/run.sh starts the editor.
env -u LC_ALL LANG=en_US.UTF-8 LC_CTYPE=hr_HR.UTF-8 xvfb-run -a -s "-screen 0 1024x700x24" sh -c "
  wine build/windows/vok_screenshots.exe '$scene' $show_ms >/dev/null 2>&1 &
  sleep ${VOK_SHOT_DELAY:-6}
  import -window root '$out'
  wait"
echo "screenshot: $out"
