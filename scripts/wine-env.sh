# Sourced by the scripts: a 32-bit Wine prefix inside the build folder, created once.
export WINEARCH=win32
export WINEDEBUG=-all
export WINEPREFIX="${VOK_BUILD:-$PWD/build}/wineprefix"
export WINEDLLOVERRIDES="mscoree,mshtml="

vok_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w || true
    fi
    # Xvfb has no window manager: unmanaged windows spare every hide and destroy Wine's two-second wait for one.
    if [ ! -f "$WINEPREFIX/.vok-unmanaged" ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wineserver -w || true
        touch "$WINEPREFIX/.vok-unmanaged"
    fi
}
