#!/usr/bin/env bash
# Screenshots of the control library's dialog look, the tool and status bars, and a message box, taken under
# Xvfb from the screenshot program's scenes: build/shot-controls.png and build/shot-msgbox.png.
set -euo pipefail
cd "$(dirname "$0")/.."
export VOK_BUILD="$PWD/build"
source scripts/wine-env.sh
vok_wine_prefix
shoot() {  # scene output
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
        wine build/windows/vok_screenshots.exe '$1' 4000 >/dev/null 2>&1 &
        sleep 2.5
        import -window root '$2'
        wait"
}
shoot dialog-and-frame build/shot-controls.png
shoot message-box build/shot-msgbox.png
echo "build/shot-controls.png build/shot-msgbox.png"
