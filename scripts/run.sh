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
if [ ! -f build/windows/ozm.exe ]; then
    echo "The editor's frame window is not built yet: the engine and its tests are."
    echo "Run 'bash scripts/test.sh' to exercise them."
    exit 0
fi
files=("$@")
[ ${#files[@]} -eq 0 ] && files=("$root/data/sample.txt")
cd build/windows
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" wine ozm.exe "${files[@]}"
fi
exec wine ozm.exe "${files[@]}"
