#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang's libFuzzer and runs them one after the other.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...] [-- LIBFUZZER-OPTION...]
#       Runs each target (default: all) for SECONDS (default 30) at low priority, one process at a time.
#       TARGET is a target's name with or without "Fuzz": Regex, KeymapFile, MacroText, DocStream,
#       IniFile, ToolArguments, Syntax, Import. New inputs go to build/fuzz/corpus/TARGET, failing ones to
#       build/fuzz/artifacts/. Ends with one line per target: seconds, executions, clean or FAILED.
#   scripts/fuzz.sh --check
#       Without clang or libFuzzer: compiles every target with g++ and the sanitizers against the native
#       build (the layers' libraries, built first when missing) and runs it over its corpus in
#       fuzz/corpus. This is what scripts/test.sh runs.
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

all_targets=()
for src in fuzz/*Fuzz.cpp; do
    name="$(basename "$src" .cpp)"
    all_targets+=("${name%Fuzz}")
done

# Input size limits: large enough for the interesting shapes (a line over 1024 columns, a keymap file
# with macros), small enough to keep the executions many.
max_len() {
    case "$1" in
    KeymapFile | Syntax | Import) echo 16384 ;;
    DocStream | MacroText) echo 8192 ;;
    IniFile) echo 4096 ;;
    *) echo 2048 ;;
    esac
}

dict_of() {
    local d
    d="fuzz/$(echo "$1" | sed -E 's/([a-z])([A-Z])/\1_\2/g' | tr 'A-Z' 'a-z').dict"
    [ -f "$d" ] && echo "-dict=$d"
}

# The portable layers' libraries of the native build, top first as the linker wants them.
layer_libs=(build/native/libvokshell.a build/native/libvokeditor.a build/native/libvoksubsystems.a
    build/native/libvokengine.a build/native/libvokbase.a)

if [ "${1:-}" = "--check" ]; then
    if [ ! -f build/native/libvokbase.a ] || [ ! -f build/native/libvokshell.a ]; then
        bash scripts/build.sh native >/dev/null || exit 1
    fi
    out="build/native/fuzz-check"
    mkdir -p "$out"
    flags=(-std=c++20 -O0 -g -I. -fsanitize=address,undefined -fno-sanitize-recover=undefined)
    # Two compilers at a time at most.
    pids=()
    for t in "${all_targets[@]}"; do
        exe="$out/${t}Fuzz"
        if [ ! -x "$exe" ] || [ -n "$(find "fuzz/${t}Fuzz.cpp" fuzz/CorpusRunner.cpp "${layer_libs[@]}" \
            -newer "$exe" 2>/dev/null)" ]; then
            (g++ "${flags[@]}" fuzz/CorpusRunner.cpp "fuzz/${t}Fuzz.cpp" "${layer_libs[@]}" -o "$exe" \
                >"$out/$t.build.log" 2>&1 || rm -f "$exe") &
            pids+=($!)
            if [ ${#pids[@]} -ge 2 ]; then
                wait "${pids[0]}"
                pids=("${pids[@]:1}")
            fi
        fi
    done
    wait
    failed=0
    for t in "${all_targets[@]}"; do
        exe="$out/${t}Fuzz"
        if [ ! -x "$exe" ]; then
            echo "$t: does not compile"
            head -20 "$out/$t.build.log" | sed 's/^/   /'
            failed=1
            continue
        fi
        if result="$("$exe" "fuzz/corpus/$t" 2>&1)"; then
            echo "$t: ${result##*$'\n'}"
        else
            echo "$t: FAILED on its corpus"
            echo "$result" | tail -20 | sed 's/^/   /'
            failed=1
        fi
    done
    exit $failed
fi

seconds=30
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then
    seconds="$1"
    shift
fi
targets=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    targets+=("${1%Fuzz}")
    shift
done
[ "${1:-}" = "--" ] && shift
extra=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
    if [ ! -f "fuzz/${t}Fuzz.cpp" ]; then
        echo "no such target: $t (there are: ${all_targets[*]})" >&2
        exit 2
    fi
done

if ! command -v clang++ >/dev/null || ! command -v make >/dev/null ||
    [ -z "$(find /usr/lib/llvm-* -name 'libclang_rt.fuzzer-x86_64.a' 2>/dev/null | head -1)" ]; then
    bash scripts/install-deps.sh --fuzz || exit 1
fi
nice -n 10 make -s -f fuzz/Makefile -j 2 OUT="$root/build/fuzz" || exit 1

mkdir -p build/fuzz/artifacts
summary=()
status=0
for t in "${targets[@]}"; do
    corpus="build/fuzz/corpus/$t"
    mkdir -p "$corpus"
    log="build/fuzz/$t.log"
    echo "== $t: $seconds s"
    # shellcheck disable=SC2046
    nice -n 10 "build/fuzz/${t}Fuzz" "$corpus" "fuzz/corpus/$t" -max_total_time="$seconds" \
        -max_len="$(max_len "$t")" -timeout=25 -rss_limit_mb=1024 -print_final_stats=1 \
        -artifact_prefix="build/fuzz/artifacts/$t-" $(dict_of "$t") "${extra[@]}" >"$log" 2>&1
    rc=$?
    runs="$(grep -aE '^stat::number_of_executed_units' "$log" | awk '{print $2}' | tail -1)"
    took="$(grep -aoE 'Done [0-9]+ runs in [0-9]+ second' "$log" | awk '{print $5}' | tail -1)"
    if [ $rc -eq 0 ]; then
        summary+=("$t: ${took:-$seconds} s, ${runs:-?} executions, clean")
    else
        summary+=("$t: FAILED after ${runs:-?} executions, see $log")
        tail -30 "$log" | sed 's/^/   /'
        status=1
    fi
done
printf '%s\n' "${summary[@]}"
exit $status
