#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when they are already there.
#   --native-only  only what the native build and its tests need
#   --fuzz         only what scripts/fuzz.sh needs to build the libFuzzer targets (clang and its runtime);
#                  the normal test run does not install these
set -euo pipefail

native_pkgs=(cmake g++ googletest libgtest-dev libbenchmark-dev)
# The character-set tables of TEXT.CNV are checked against Python's codecs.
native_pkgs+=(python3)
windows_pkgs=(g++-mingw-w64-i686-posix mingw-w64-tools xvfb xauth imagemagick wine32:i386 wine)
fuzz_pkgs=(clang libclang-rt-dev make)
# Wine's own fonts (only recommended by wine, which is installed without recommendations): without them the
# caption buttons and the system menus show letters and digits in place of their symbols.
windows_pkgs+=(fonts-wine locales)
# Printing under Wine goes through CUPS (the 32-bit client library for 32-bit Wine): scripts/print-e2e.sh runs
# a private daemon with a cups-pdf queue and reads the PDF back with poppler's tools.
windows_pkgs+=(cups-daemon cups-client printer-driver-cups-pdf poppler-utils libcups2:i386)
# The screen fonts of OZME.DLL are drawn from the misc-fixed bitmap fonts (public domain), read through
# pcf2bdf by scripts/make-screen-fonts.py.
windows_pkgs+=(xfonts-base pcf2bdf)

if [ "${1:-}" = "--fuzz" ]; then
    want=("${fuzz_pkgs[@]}")
else
    want=("${native_pkgs[@]}")
fi
if [ -z "${1:-}" ]; then
    want+=("${windows_pkgs[@]}")
fi

missing=()
for p in "${want[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
needs_i386=0
if [ -z "${1:-}" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    needs_i386=1
fi

# scripts/run.sh gives Wine the Croatian character type (code page 1250, for the bundled sample) and English
# for everything else, so that no dialog comes up in another language: both locales must be generated.
locales_missing=()
if [ -z "${1:-}" ]; then
    for l in hr_HR en_US; do
        locale -a 2>/dev/null | grep -qix "$l.utf-\?8" || locales_missing+=("$l.UTF-8")
    done
fi
alternatives="$(IFS='|'; echo "${locales_missing[*]}")"
gen_locales="sed -i -E 's/^# *(($alternatives) UTF-8)/\\1/' /etc/locale.gen && locale-gen"

# The help compiler chmcmd and its reader chmls come from fp-utils, whose dependencies pull in the whole
# Free Pascal source: only the two programs (which need nothing but libc) are taken out of the package.
# The native tests compile the help and read it back, so both builds need them.
chm_missing=0
if [ "${1:-}" != "--fuzz" ] && ! { command -v chmcmd && command -v chmls; } >/dev/null 2>&1; then
    chm_missing=1
fi

if [ ${#missing[@]} -eq 0 ] && [ $needs_i386 -eq 0 ] && [ ${#locales_missing[@]} -eq 0 ] && [ $chm_missing -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    arch=""
    [ $needs_i386 -eq 1 ] && arch="dpkg --add-architecture i386 && "
    [ ${#missing[@]} -gt 0 ] && echo "Run: sudo sh -c '${arch}apt-get update && apt-get install -y ${missing[*]}'" >&2
    [ ${#locales_missing[@]} -gt 0 ] && echo "Run: sudo sh -c \"$gen_locales\"" >&2
    [ $chm_missing -eq 1 ] && echo "Run (as root) this script again to add chmcmd and chmls" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ $needs_i386 -eq 1 ]; then
    dpkg --add-architecture i386
fi
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if [ ${#locales_missing[@]} -gt 0 ]; then
    sh -c "$gen_locales" >/dev/null
fi
if [ $chm_missing -eq 1 ]; then
    [ ${#missing[@]} -gt 0 ] || apt-get update -qq
    chm_tmp="$(mktemp -d)"
    chmod 755 "$chm_tmp"
    (cd "$chm_tmp" && apt-get download -qq fp-utils-3.2.2 >/dev/null 2>&1 && dpkg -x fp-utils-3.2.2_*.deb x)
    install -m 755 "$chm_tmp/x/usr/bin/chmcmd-3.2.2" /usr/local/bin/chmcmd
    install -m 755 "$chm_tmp/x/usr/bin/chmls-3.2.2" /usr/local/bin/chmls
    rm -rf "$chm_tmp"
fi
