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
}
