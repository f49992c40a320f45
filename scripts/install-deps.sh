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

if [ ${#missing[@]} -eq 0 ] && [ $needs_i386 -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    arch=""
    [ $needs_i386 -eq 1 ] && arch="dpkg --add-architecture i386 && "
    echo "Run: sudo sh -c '${arch}apt-get update && apt-get install -y ${missing[*]}'" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ $needs_i386 -eq 1 ]; then
    dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
