#!/usr/bin/env bash
# Times ozmbatch end to end on the generated 100 MiB file against vim -es and sed/grep in the same run:
# load + write, Replace All of a common word, a pattern Replace All, and counting matches. Best of N runs.
# Usage: bench/batch-bench.sh [runs]; VOK_BENCH_DIR chooses where the files go (default /tmp/vok_bench).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
runs="${1:-3}"
export VOK_BENCH_DIR="${VOK_BENCH_DIR:-${TMPDIR:-/tmp}/vok_bench}"
dir="$VOK_BENCH_DIR"
mkdir -p "$dir"

# vim is the reference; it is installed for this script only when missing.
if ! command -v vim >/dev/null 2>&1 && ! command -v vim.tiny >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ]; then
        apt-get install -y vim-tiny >/dev/null
    else
        echo "vim is missing: sudo apt-get install -y vim-tiny" >&2
        exit 1
    fi
fi
vim="$(command -v vim || command -v vim.tiny)"

echo "machine: $(nproc) cores,$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2)"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "vim: $("$vim" --version | head -1)"

# A Release tree without sanitizers; vok_bench writes the generated files and is asked to time nothing.
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVOK_SANITIZE=OFF >/dev/null
cmake --build build/bench -j2 --target ozmbatch vok_bench >/dev/null 2>&1
build/bench/bench/vok_bench --benchmark_filter='^none$' >/dev/null 2>&1
ozm="$root/build/bench/ozmbatch"
src="$dir/mixed-100m.txt"
work="$dir/batch"
mkdir -p "$work"
echo "file: $src, $(stat -c %s "$src") bytes, $(wc -l <"$src") lines"

# best VAR COMMAND: the least CPU time (user + system, children included) of $runs runs of a shell
# command, in seconds. CPU time rather than elapsed time: the machine is shared, and a busy neighbour
# stretches the elapsed time of whichever tool happens to run beside it.
best() {
    local var="$1" cmd="$2" t fastest=""
    for ((i = 0; i < runs; ++i)); do
        /usr/bin/time -f '%U %S' -o "$work/time.txt" bash -c "$cmd" >"$work/stdout.txt" 2>/dev/null || true
        t=$(awk '{print $1 + $2}' "$work/time.txt")
        if [ -z "$fastest" ] || (($(echo "$t < $fastest" | bc -l))); then fastest=$t; fi
    done
    printf -v "$var" '%.2f' "$fastest"
}

# The editor trims the trailing blanks of every line it changes; sed does not. Compared without them.
same_text() { cmp -s <(sed -E 's/[ \t]+(\r?)$/\1/' "$1") <(sed -E 's/[ \t]+(\r?)$/\1/' "$2"); }

ratio() { echo "scale=2; $1 / $2" | bc -l; }

row() { printf '%-34s %8s s %8s s %8s s   %6s %6s\n' "$@"; }

cd "$work"
cp "$src" in.txt
echo "CPU seconds (user + system), best of $runs; ratios are ozmbatch's time over the other's"
printf '%-34s %10s %10s %10s   %6s %6s\n' "" "ozmbatch" "vim" "sed/grep" "/vim" "/sed"

# Load + write: the document read and written again to another file. vim without its sync to disk, as
# ozmbatch writes without one.
best o "'$ozm' -o out-ozm.txt in.txt"
best v "'$vim' -es -u NONE -c 'set nofsync' -c 'w! out-vim.txt' -c 'q!' in.txt"
best s "sed '' in.txt >out-sed.txt"
row "load + write" "$o" "$v" "$s" "$(ratio "$o" "$v")" "$(ratio "$o" "$s")"
native_lw=$o
lw_vim=$(ratio "$o" "$v")
# Loading alone: no command, nothing written.
best load "'$ozm' in.txt"
row "load" "$load" "-" "-" "-" "-"
cmp -s out-ozm.txt in.txt || echo "   ozmbatch's copy differs from the input"

# Replace All of a common word (about 41,000 of "et", case as typed), no prompts.
best o "cp in.txt r.txt && '$ozm' --find et --replace and --case --all --no-prompt -c Replace r.txt"
cp r.txt r-ozm.txt
best v "cp in.txt r.txt && '$vim' -es -u NONE -c 'set nofsync' -c '%s/\\Cet/and/g' -c 'wq' r.txt"
best c "cp in.txt c.txt"
best s "cp in.txt r.txt && sed -i 's/et/and/g' r.txt"
o2=$(echo "$o - $c" | bc -l); v2=$(echo "$v - $c" | bc -l); s2=$(echo "$s - $c" | bc -l)
printf -v o2 '%.2f' "$o2"; printf -v v2 '%.2f' "$v2"; printf -v s2 '%.2f' "$s2"
row "Replace All et -> and" "$o2" "$v2" "$s2" "$(ratio "$o2" "$v2")" "$(ratio "$o2" "$s2")"
same_text r.txt r-ozm.txt || echo "   ozmbatch's result differs from sed's"

# Replace All where every replacement is its own undo step: "the" -> "those" (rare in this random text)
# and the frequent "e" -> "those" (about 1.7 million replacements), each against sed.
for word in the e; do
    best o "cp in.txt w.txt && '$ozm' --find $word --replace those --case --all --no-prompt -c Replace w.txt"
    cp w.txt w-ozm.txt
    best s "cp in.txt w.txt && sed -i 's/$word/those/g' w.txt"
    o2=$(echo "$o - $c" | bc -l); s2=$(echo "$s - $c" | bc -l)
    printf -v o2 '%.2f' "$o2"; printf -v s2 '%.2f' "$s2"
    row "Replace All $word -> those" "$o2" "-" "$s2" "-" "$(ratio "$o2" "$s2")"
    same_text w.txt w-ozm.txt || echo "   ozmbatch's result differs from sed's"
    eval "replace_$word=\$(ratio \"\$o2\" \"\$s2\")"
done

# A pattern Replace All: a number followed by x.
best o "cp in.txt p.txt && '$ozm' --find '[0-9]+x' --replace N --regex --case --all --no-prompt -c Replace p.txt"
cp p.txt p-ozm.txt
best v "cp in.txt p.txt && '$vim' -es -u NONE -c 'set nofsync' -c '%s/\\C[0-9]\\+x/N/g' -c 'wq' p.txt"
best s "cp in.txt p.txt && sed -E -i 's/[0-9]+x/N/g' p.txt"
o2=$(echo "$o - $c" | bc -l); v2=$(echo "$v - $c" | bc -l); s2=$(echo "$s - $c" | bc -l)
printf -v o2 '%.2f' "$o2"; printf -v v2 '%.2f' "$v2"; printf -v s2 '%.2f' "$s2"
row "Replace All [0-9]+x -> N" "$o2" "$v2" "$s2" "$(ratio "$o2" "$v2")" "$(ratio "$o2" "$s2")"
replace_pattern=$(ratio "$o2" "$s2")
same_text p.txt p-ozm.txt || echo "   ozmbatch's result differs from sed's"
echo "   (Replace All times are net of the copy of the input, $c s)"

# Counting: matches and the lines that hold them, against grep -c (lines) and vim's :s///n.
for pattern in et '[0-9]+x'; do
    if [ "$pattern" = et ]; then flags="--case"; vpat='\Cet'; gflags=""; else flags="--regex --case"; vpat='\C[0-9]\+x'; gflags="-E"; fi
    best o "'$ozm' --count --find '$pattern' $flags in.txt"
    best v "'$vim' -es -u NONE -c '%s/$vpat//gn' -c 'q!' in.txt"
    best s "grep -c $gflags '$pattern' in.txt"
    row "count $pattern" "$o" "$v" "$s" "$(ratio "$o" "$v")" "$(ratio "$o" "$s")"
    if [ "$pattern" = et ]; then
        count_literal=$(ratio "$o" "$s")
    else
        count_pattern=$(ratio "$o" "$s")
        phase=$(echo "$o - $load" | bc -l); printf -v phase '%.2f' "$phase"
        count_phase=$(ratio "$phase" "$s")
        echo "   search phase (count less load): $phase s, $count_phase x grep's whole run"
    fi
    counted="$("$ozm" --count --find "$pattern" $flags in.txt | tr '\n' ' ')"
    grepped="$(grep -c $gflags "$pattern" in.txt)"
    echo "   ozmbatch: $counted; grep -c: $grepped lines"
done

# The 32-bit Windows program under Wine, when the Windows tree has been built: load + write with Wine's
# own start-up (an empty file) taken off, against the native program's load + write above.
win="$root/build/windows/ozmbatch.exe"
wine_lw=""
if [ -x "$win" ] && command -v wine >/dev/null 2>&1; then
    export VOK_BUILD="$root/build"
    # shellcheck source=/dev/null
    source "$root/scripts/wine-env.sh"
    vok_wine_prefix >/dev/null 2>&1 || true
    : >empty.txt
    best we "wine '$win' -o out-e.txt empty.txt"
    best wf "wine '$win' -o out-w.txt in.txt"
    net=$(echo "$wf - $we" | bc -l); printf -v net '%.2f' "$net"
    row "32-bit load + write (Wine)" "$net" "-" "-" "-" "-"
    echo "   $wf s less Wine's start-up on an empty file, $we s"
    cmp -s out-w.txt in.txt || echo "   the 32-bit program's copy differs from the input"
    wine_lw=$(ratio "$net" "$native_lw")
    wine_peak_file=$(/usr/bin/time -f '%M' -o "$work/time.txt" wine "$win" -o out-w.txt in.txt >/dev/null 2>&1; cat "$work/time.txt")
    wine_peak_empty=$(/usr/bin/time -f '%M' -o "$work/time.txt" wine "$win" -o out-e.txt empty.txt >/dev/null 2>&1; cat "$work/time.txt")
fi

# Memory: the peak resident bytes of a load + write beyond those of the same run on an empty file, per
# byte of the file (the document, its line records and the stream buffers).
: >empty.txt
peak() { /usr/bin/time -f '%M' -o "$work/time.txt" bash -c "$1" >/dev/null 2>&1 || true; cat "$work/time.txt"; }
bytes=$(stat -c %s in.txt)
per_byte() { echo "scale=2; ($1 - $2) * 1024 / $bytes" | bc -l; }
mem_native=$(per_byte "$(peak "'$ozm' -o out-m.txt in.txt")" "$(peak "'$ozm' -o out-e.txt empty.txt")")
echo "peak memory beyond an empty run, per byte: native $mem_native"
mem_wine=""
if [ -n "$wine_lw" ]; then
    mem_wine=$(per_byte "$wine_peak_file" "$wine_peak_empty")
    echo "   32-bit under Wine $mem_wine"
fi

# What the program must reach, each ratio from this run.
verdict() { if (($(echo "$2 <= $3" | bc -l))); then echo met; else echo "not met"; fi; }
target() { printf '%-58s %6s  (target %s)  %s\n' "$1" "$2" "$3" "$(verdict "$1" "$2" "$3")"; }
echo
echo "targets"
target "load + write / vim" "$lw_vim" 0.5
[ -n "$wine_lw" ] && target "32-bit load + write under Wine / native load + write" "$wine_lw" 1.5
target "native peak memory beyond an empty run, bytes per byte" "$mem_native" 1.6
[ -n "$mem_wine" ] && target "32-bit peak memory beyond an empty run, bytes per byte" "$mem_wine" 1.4
target "count et / grep -c" "$count_literal" 2.5
target "count [0-9]+x / grep -cE" "$count_pattern" 3
target "count [0-9]+x search phase / grep -cE" "$count_phase" 3
target "Replace All [0-9]+x -> N / sed -E" "$replace_pattern" 1.5
target "Replace All the -> those / sed" "$replace_the" 1.5
target "Replace All e -> those / sed" "$replace_e" 1.5

rm -f in.txt out-*.txt c.txt r.txt r-ozm.txt p.txt p-ozm.txt w.txt w-ozm.txt empty.txt time.txt stdout.txt
