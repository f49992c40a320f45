#!/usr/bin/env bash
# The random model of the undo lists run long: 10^7 steps by default, shared among several start values, on
# a build without sanitizers (build/soak) for speed. A divergence prints the start value and the step count
# that repeat it (VOK_UNDO_START, VOK_UNDO_STEPS with `vok_tests --gtest_filter=UndoModel.*`).
# Usage: scripts/undo-soak.sh [TOTAL_STEPS [START_VALUE...]]
set -uo pipefail
cd "$(dirname "$0")/.."

total="${1:-10000000}"
[ "$#" -gt 0 ] && shift
starts=("$@")
[ "${#starts[@]}" -gt 0 ] || starts=(1 2 3 4 5 6 7 8 9 10)
per=$(( (total + ${#starts[@]} - 1) / ${#starts[@]} ))

cmake -S . -B build/soak -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOK_SANITIZE=OFF -DVOK_BENCH=OFF >/dev/null || exit 2
cmake --build build/soak --target vok_tests -j 2 >/dev/null || { echo "build failed"; exit 2; }

log=build/soak/undo-soak.log
: >"$log"
failed=0
began=$(date +%s)
for start in "${starts[@]}"; do
    if VOK_UNDO_START="$start" VOK_UNDO_STEPS="$per" build/soak/vok_tests --gtest_filter='UndoModel.*' \
        >>"$log" 2>&1; then
        grep -a "^\[ undo model \] start value $start:" "$log" | tail -1
    else
        failed=$((failed + 1))
        echo "start value $start: divergence (see $log)"
        grep -a -m1 "^divergence" "$log" | tail -1
    fi
done
seconds=$(( $(date +%s) - began ))
steps=$(( per * ${#starts[@]} ))
if [ "$failed" -eq 0 ]; then
    echo "$steps steps over ${#starts[@]} start values in ${seconds} s: no divergence"
else
    echo "$steps steps over ${#starts[@]} start values in ${seconds} s: $failed start values diverged"
    exit 1
fi
