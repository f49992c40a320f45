#!/usr/bin/env bash
# Takes a screenshot of a Win32 test program's showcase under Xvfb: scripts/screenshot.sh FILTER OUT.png
set -euo pipefail
cd "$(dirname "$0")/.."
filter="${1:-Showcase.*}"
out="${2:-build/showcase.png}"
export VOK_BUILD="$PWD/build"
source scripts/wine-env.sh
vok_wine_prefix
export VOK_SHOW_SECONDS=${VOK_SHOW_SECONDS:-8}
xvfb-run -a -s "-screen 0 1024x700x24" sh -c "
  wine build/windows/vok_win32_tests.exe --gtest_also_run_disabled_tests --gtest_filter='$filter' >/dev/null 2>&1 &
  sleep ${VOK_SHOT_DELAY:-6}
  import -window root '$out'
  wait"
echo "screenshot: $out"
