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
    # Wine's own fonts (fonts-wine: Marlett for the caption buttons and menu marks, MS Sans Serif, Tahoma) lie
    # in a folder this Wine does not search; in the prefix's Fonts folder it finds them.
    if [ -d /usr/share/wine/fonts ] && [ ! -e "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    # Xvfb has no window manager: unmanaged windows spare every hide and destroy Wine's two-second wait for one.
    if [ ! -f "$WINEPREFIX/.vok-unmanaged" ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wineserver -w || true
        touch "$WINEPREFIX/.vok-unmanaged"
    fi
}
