#!/usr/bin/env bash
# Find Files' text search against grep -rl on the same generated tree: 10,000 files in 100 folders, 200 MB,
# the text in every 50th file (some of it across the 20480-byte block boundary). Not part of the tests.
# Usage: bench/findfiles-bench.sh [FOLDER]   (default: $TMPDIR/vok_findfiles; the tree is kept for reruns)
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-${TMPDIR:-/tmp}/vok_findfiles}"
out=build/bench-findfiles
mkdir -p "$out"

if [ ! -f "$dir/.complete" ]; then
    echo "== generating $dir (10000 files, 200 MB)"
    rm -rf "$dir"
    python3 - "$dir" <<'PY'
import os, random, sys
root = sys.argv[1]
rnd = random.Random(7)
words = [w.encode() for w in "alpha beta gamma delta return static int void while for if else".split()]
line = b" ".join(rnd.choice(words) for _ in range(12)) + b"\n"
block = (line * (20480 // len(line) + 2))
for d in range(100):
    folder = os.path.join(root, "d%03d" % d)
    os.makedirs(folder, exist_ok=True)
    for f in range(100):
        n = d * 100 + f
        data = bytearray(block[: 20480 + 10])  # a little over one block
        if n % 50 == 0:
            at = 20480 - 4 if n % 100 == 0 else rnd.randrange(0, len(data) - 20)
            data[at:at + 12] = b"NeedleMarker"
        with open(os.path.join(folder, "f%05d.c" % n), "wb") as fh:
            fh.write(data)
open(os.path.join(root, ".complete"), "w").close()
PY
fi

g++ -std=c++20 -O2 -I. bench/FindFilesTiming.cpp findfiles/FileSearch.cpp -o "$out/FindFilesTiming"
echo "machine: $(nproc) cores, load average: $(cut -d' ' -f1-3 /proc/loadavg)"
# Warm the page cache once, so that both read from memory.
cat "$dir"/*/* >/dev/null
echo "tree: $(find "$dir" -name '*.c' | wc -l) files, $(du -sm "$dir" | cut -f1) MB"
for case in "NeedleMarker" "needlemarker ignore-case"; do
    set -- $case
    text=$1; mode=${2:-}
    ours=$("$out/FindFilesTiming" "$dir" "*.c" "$text" $mode)
    grepflags=-rlF
    [ -n "$mode" ] && grepflags=-rliF
    began=$(date +%s.%N)
    n=$(LC_ALL=C grep $grepflags "$text" "$dir" --include='*.c' | wc -l)
    ended=$(date +%s.%N)
    g=$(awk -v a="$began" -v b="$ended" 'BEGIN { printf "%.3f", b - a }')
    o=$(echo "$ours" | awk '{print $3}')
    printf '%-26s ours: %s   grep %s: %d files %s s   ratio %s\n' "$text ${mode:-}" "$ours" "$grepflags" "$n" "$g" \
        "$(awk -v o="$o" -v g="$g" 'BEGIN { printf "%.2f", o / g }')"
done
