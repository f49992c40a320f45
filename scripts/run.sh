#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor under Wine on the given files
# (on the bundled sample document when given none).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
bash scripts/install-deps.sh
bash scripts/build.sh windows
export VOK_BUILD="$root/build"
source scripts/wine-env.sh
vok_wine_prefix
files=("$@")
[ ${#files[@]} -eq 0 ] && files=("$root/data/sample.txt")
# The program takes Windows names: Wine's Z: drive is the Unix root.
for i in "${!files[@]}"; do
    p="$(realpath -m "${files[$i]}")"
    files[$i]="Z:${p//\//\\}"
done
cd build/windows
# The Croatian character type gives Wine the ANSI code page 1250 that the sample document and its users
# write in; the rest of the locale is English, as the program's own dialogs are, so that the system's
# dialogs do not come up in another language. install-deps.sh generates both locales.
locale_env=(-u LC_ALL LANG=en_US.UTF-8 LC_CTYPE=hr_HR.UTF-8)
if [ -n "${DISPLAY:-}" ]; then
    exec env "${locale_env[@]}" wine ozm.exe "${files[@]}"
fi

# No display: run on a virtual one, photograph the screen once the editor is up, then close it.
shot="$root/build/screenshot.png"
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
export DISPLAY=":$display"
wineserver -k >/dev/null 2>&1 || true  # a server left from another display could not draw on this one
sleep 1
env "${locale_env[@]}" wine ozm.exe "${files[@]}" &
ozm_pid=$!
sleep "${VOK_SHOT_DELAY:-6}"
import -window root "$shot"
echo "The editor runs without a display here; screenshot after start-up: $shot"
kill "$ozm_pid" 2>/dev/null || true
wineserver -k >/dev/null 2>&1 || true
