#!/usr/bin/env bash
# Configures and builds the native tree (build/native) and the Windows tree (build/windows).
# Usage: scripts/build.sh [native|windows|all] [extra cmake args for native]
set -euo pipefail
cd "$(dirname "$0")/.."
what="${1:-all}"
jobs="$(nproc)"

if [ "$what" = all ]; then
    # The two trees build side by side: the links and other single-file steps of one overlap the other's
    # compiles, where one tree after the other leaves cores idle.
    bash "$0" native "${@:2}" &
    native=$!
    rc=0
    bash "$0" windows || rc=1
    wait "$native" || rc=1
    exit "$rc"
fi

if [ "$what" = native ] || [ "$what" = all ]; then
    # The benchmarks are built and run by scripts/bench.sh in a Release tree of their own.
    cmake -S . -B build/native -DVOK_SANITIZE=ON -DVOK_BENCH=OFF >/dev/null
    cmake --build build/native -j "$jobs"
fi
if [ "$what" = windows ] || [ "$what" = all ]; then
    # Optimised with asserts on, but without debug information: it makes the test programs several times
    # larger and the build slower, and nothing reads it.
    cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 >/dev/null
    cmake --build build/windows -j "$jobs"
fi
