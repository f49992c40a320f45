#!/usr/bin/env bash
# Screenshots of the control library's dialog look, the tool and status bars, and a message box, taken under
# Xvfb from the Win32 test program's showcase tests: build/shot-controls.png and build/shot-msgbox.png.
set -euo pipefail
cd "$(dirname "$0")/.."
export VOK_BUILD="$PWD/build"
source scripts/wine-env.sh
vok_wine_prefix
export VOK_SHOWCASE_MS=4000
shoot() {  # test-name output
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
        wine build/windows/vok_win32_tests.exe --gtest_also_run_disabled_tests --gtest_filter='$1' >/dev/null 2>&1 &
        sleep 2.5
        import -window root '$2'
        wait"
}
shoot 'Showcase.DISABLED_DialogAndFrame' build/shot-controls.png
shoot 'Showcase.DISABLED_MessageBox' build/shot-msgbox.png
echo "build/shot-controls.png build/shot-msgbox.png"
