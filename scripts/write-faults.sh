#!/usr/bin/env bash
# Every way ozmbatch writes a file in place, made to succeed and made to fail: plain, --backup, a format
# change, symbolic and hard links, read-only files (as root and as an ordinary user), a full disk and a
# read-only file system (small tmpfs mounts, skipped with a note where mounting is not permitted).
# Whatever happens, the file must hold either its old bytes or the complete new ones, and the exit code
# must say which. Runs the native build, and the Windows build under Wine where the case applies there.
# Prints GoogleTest-style lines.
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
export VOK_BUILD="$root/build"

work="$(mktemp -d "${TMPDIR:-/tmp}/write-faults.XXXXXX")"
mounts=()
cleanup() {
    local m
    for m in "${mounts[@]}"; do umount "$m" >/dev/null 2>&1 || umount -l "$m" >/dev/null 2>&1; done
    chmod -R u+w "$work" 2>/dev/null
    [ -n "${VOK_KEEP_E2E:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
passed=0
failed=0
skipped=0
failures=()

pass() { echo "[       OK ] $1"; passed=$((passed + 1)); }
fail() {
    local name="$1"
    shift
    echo "[  FAILED  ] $name"
    for line in "$@"; do echo "   $line"; done
    failures+=("$name")
    failed=$((failed + 1))
}
skip() { echo "[  SKIPPED ] $1: $2"; skipped=$((skipped + 1)); }

# check NAME CONDITION-TEXT COMMAND...: passes when the command succeeds.
check() {
    local name="$1" what="$2"
    shift 2
    if "$@"; then pass "$name"; else fail "$name" "$what"; fi
}

same_bytes() { cmp -s "$1" "$2"; }

# settled NAME RC FILE OLD NEW EXPECT: the file holds the old bytes or the complete new ones, never
# anything else; exit code 0 exactly when it is the new ones; EXPECT (old, new or either) says which
# outcome this case must have.
settled() {
    local name="$1" rc="$2" file="$3" old="$4" new="$5" expect="$6" got
    if same_bytes "$file" "$new"; then
        got=new
    elif same_bytes "$file" "$old"; then
        got=old
    else
        fail "$name" "exit code $rc; the file holds neither the old nor the new text ($(wc -c <"$file" 2>/dev/null || echo no) bytes)"
        return
    fi
    if [ "$got" = new ] && [ "$rc" -ne 0 ]; then
        fail "$name" "the new text was written but the exit code is $rc"
    elif [ "$got" = old ] && [ "$rc" -eq 0 ]; then
        fail "$name" "exit code 0 but the file still holds the old text"
    elif [ "$expect" != either ] && [ "$got" != "$expect" ]; then
        fail "$name" "expected the $expect text, found the $got text (exit code $rc)"
    else
        pass "$name"
    fi
}

# Only the named files are left in a folder: no temporary or half-written file stays behind.
only_files() {
    local folder="$1"
    shift
    local want have
    want="$(printf '%s\n' "$@" | sort)"
    have="$(ls -A "$folder" | sort)"
    [ "$want" = "$have" ] || { echo "   files in $folder: $(echo $have)" >&2; return 1; }
}

# lines N [CR]: N numbered lines, UNIX or (with CR) DOS line ends.
lines() { awk -v n="$1" -v e="${2:+$'\r'}" 'BEGIN { for (i = 1; i <= n; i++) printf "line %05d%s\n", i, e }'; }
# xs N [CR]: N lines of one letter, so that DOS line ends make the file half as big again.
xs() { awk -v n="$1" -v e="${2:+$'\r'}" 'BEGIN { for (i = 1; i <= n; i++) printf "x%s\n", e }'; }

runners=()
[ -x "$root/build/native/ozmbatch" ] && runners+=(native)
if [ -f "$root/build/windows/ozmbatch.exe" ] && command -v wine >/dev/null 2>&1; then
    source scripts/wine-env.sh
    vok_wine_prefix
    runners+=(wine)
fi
if [ "${#runners[@]}" -eq 0 ]; then
    echo "ozmbatch is not built"
    echo "[  FAILED  ] 1 tests, listed below:"
    exit 1
fi

# ozm ARGS...: the program of the current runner, run in the current folder.
ozm() {
    if [ "$runner" = native ]; then
        "$root/build/native/ozmbatch" "$@"
    else
        wine "$root/build/windows/ozmbatch.exe" "$@"
    fi
}

am_root=0
[ "$(id -u)" -eq 0 ] && am_root=1

# A small tmpfs at $1 of $2 bytes; false when mounting is not permitted here.
small_disk() {
    mkdir -p "$1"
    if mount -t tmpfs -o "size=$2,mode=0777" tmpfs "$1" >/dev/null 2>&1; then
        mounts+=("$1")
        return 0
    fi
    return 1
}

printf 'InsertText "new "\r\n' >"$work/new.mac"

for runner in "${runners[@]}"; do
    p="WriteFaults.$runner"
    base="$work/$runner"
    mkdir -p "$base"

    # Plain, --backup and a format change, each checked for exact bytes and for files left behind.
    d="$base/plain"; mkdir -p "$d"; cd "$d"
    lines 3 >a.txt; cp a.txt a.old; { printf 'new '; lines 3; } >a.new
    ozm -m ../../new.mac a.txt; rc=$?
    settled "$p.PlainWrite" "$rc" a.txt a.old a.new new
    check "$p.PlainWriteLeavesNoOtherFile" "a temporary file was left" only_files . a.txt a.old a.new
    lines 3 >b.txt; cp b.txt b.old; { printf 'new '; lines 3; } >b.new; printf 'older\n' >b.bak
    ozm --backup -m ../../new.mac b.txt; rc=$?
    settled "$p.BackupWrite" "$rc" b.txt b.old b.new new
    check "$p.BackupHoldsTheOldText" "b.bak is not the old file" same_bytes b.bak b.old
    lines 3 >c.txt; cp c.txt c.old; lines 3 CR >c.new
    ozm -f dos c.txt; rc=$?
    settled "$p.FormatChange" "$rc" c.txt c.old c.new new
    chmod 0751 c.txt
    ozm -f unix c.txt; rc=$?
    settled "$p.FormatChangeBack" "$rc" c.txt c.new c.old new
    if [ "$runner" = native ]; then
        check "$p.PermissionsKept" "mode is $(stat -c %a c.txt)" test "$(stat -c %a c.txt)" = 751
    fi

    # A read-only file: the mode bits say so, also to root (and to Wine, which shows it read-only).
    d="$base/readonly"; mkdir -p "$d"; cd "$d"
    lines 3 >r.txt; cp r.txt r.old; chmod 0444 r.txt; { printf 'new '; lines 3; } >r.new
    ozm -m ../../new.mac r.txt 2>err.txt; rc=$?
    settled "$p.ReadOnlyFileRefused" "$rc" r.txt r.old r.new old
    check "$p.ReadOnlyFileKeepsItsMode" "mode is $(stat -c %a r.txt)" test "$(stat -c %a r.txt)" = 444
    check "$p.ReadOnlyFileSaysWhy" "$(cat err.txt)" grep -q 'write-protected' err.txt
    ozm --backup -m ../../new.mac r.txt 2>/dev/null; rc=$?
    settled "$p.ReadOnlyFileRefusedWithBackup" "$rc" r.txt r.old r.new old
    check "$p.ReadOnlyFileLeavesNoBackup" "files left" only_files . r.txt r.old r.new err.txt

    # Hard links: every name sees the new text; with --backup the backup is a file of its own.
    d="$base/hardlink"; mkdir -p "$d"; cd "$d"
    lines 3 >h.txt; cp h.txt h.old; { printf 'new '; lines 3; } >h.new
    ln h.txt other.txt
    ozm -m ../../new.mac h.txt; rc=$?
    settled "$p.HardLinkWritten" "$rc" h.txt h.old h.new new
    check "$p.HardLinkOtherNameSeesIt" "other.txt differs" same_bytes other.txt h.new
    check "$p.HardLinkKept" "link count $(stat -c %h h.txt)" test "$(stat -c %h h.txt)" = 2
    check "$p.HardLinkNoStrayFiles" "files left" only_files . h.txt other.txt h.old h.new
    cp h.new h.old; { printf 'new new '; lines 3; } >h.new
    ozm --backup -m ../../new.mac other.txt; rc=$?
    settled "$p.HardLinkWrittenWithBackup" "$rc" h.txt h.old h.new new
    check "$p.HardLinkBackupIsACopy" "other.bak" same_bytes other.bak h.old
    check "$p.HardLinkBackupHasOneName" "link count" test "$(stat -c %h other.bak)" = 1 -a "$(stat -c %h h.txt)" = 2

    if [ "$runner" = native ]; then
        # Symbolic links: the target changes, the link stays a link, the backup sits beside the target.
        d="$base/symlink"; mkdir -p "$d/real"; cd "$d"
        lines 3 >real/t.txt; cp real/t.txt t.old; { printf 'new '; lines 3; } >t.new
        ln -s real/t.txt t.txt
        ozm --backup -m ../../new.mac t.txt; rc=$?
        settled "$p.SymlinkTargetWritten" "$rc" real/t.txt t.old t.new new
        check "$p.SymlinkStaysALink" "t.txt is no longer a link" test -L t.txt
        check "$p.SymlinkBackupBesideTarget" "real/t.bak" same_bytes real/t.bak t.old
        ln -s t.txt chain.txt
        sed 's/$/\r/' t.new >t.dos
        ozm -f dos chain.txt; rc=$?
        settled "$p.LinkToALinkWritesTheFile" "$rc" real/t.txt t.new t.dos new
        check "$p.LinkToALinkStaysTwoLinks" "a link was replaced" test -L chain.txt -a -L t.txt
        check "$p.LinkNoStrayFiles" "files left" only_files real t.bak t.txt

        # Non-regular files are refused at once: a pipe nobody writes to, an endless device, a folder.
        d="$base/special"; mkdir -p "$d/folder"; cd "$d"
        mkfifo pipe
        timeout 20 "$root/build/native/ozmbatch" --report pipe >/dev/null 2>err.txt; rc=$?
        check "$p.PipeRefusedAtOnce" "exit code $rc: $(cat err.txt)" test "$rc" -eq 1
        check "$p.PipeSaysWhy" "$(cat err.txt)" grep -q 'not a regular file' err.txt
        timeout 20 "$root/build/native/ozmbatch" --report /dev/zero >/dev/null 2>err.txt; rc=$?
        check "$p.DeviceRefusedAtOnce" "exit code $rc: $(cat err.txt)" test "$rc" -eq 1
        timeout 20 "$root/build/native/ozmbatch" -m pipe a.txt >/dev/null 2>err.txt; rc=$?
        check "$p.PipeAsMacroRefused" "exit code $rc: $(cat err.txt)" test "$rc" -eq 1
        timeout 20 "$root/build/native/ozmbatch" --report folder >/dev/null 2>err.txt; rc=$?
        check "$p.FolderRefused" "exit code $rc: $(cat err.txt)" grep -q 'folder' err.txt

        # An ordinary user in a folder open to everyone: a file it may not write is refused, a file it may
        # write keeps its owner (a new file put in its place would belong to the user).
        if [ "$am_root" -eq 1 ] && command -v setpriv >/dev/null 2>&1; then
            d="$base/user"; mkdir -p "$d"; chmod 0777 "$d"; chmod 0755 "$work" "$base"; cd "$d"
            as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
            lines 3 >owned.txt; cp owned.txt owned.old; chmod 0644 owned.txt
            { printf 'new '; lines 3; } >owned.new
            as_user "$root/build/native/ozmbatch" -m "$work/new.mac" owned.txt 2>err.txt; rc=$?
            settled "$p.UserCannotReplaceAFileItMayNotWrite" "$rc" owned.txt owned.old owned.new old
            check "$p.UserRefusalSaysWhy" "$(cat err.txt)" grep -q 'write-protected' err.txt
            lines 3 >shared.txt; cp shared.txt shared.old; { printf 'new '; lines 3; } >shared.new
            chmod 0666 shared.txt
            as_user "$root/build/native/ozmbatch" -m "$work/new.mac" shared.txt; rc=$?
            settled "$p.UserWritesASharedFile" "$rc" shared.txt shared.old shared.new new
            check "$p.SharedFileKeepsItsOwner" "owner $(stat -c %u shared.txt)" test "$(stat -c %u shared.txt)" = 0
            lines 3 >mine.txt; cp mine.txt mine.old; { printf 'new '; lines 3; } >mine.new
            chown 65534:65534 mine.txt; chmod 0444 mine.txt
            as_user "$root/build/native/ozmbatch" -m "$work/new.mac" mine.txt 2>/dev/null; rc=$?
            settled "$p.UserReadOnlyFileRefused" "$rc" mine.txt mine.old mine.new old
        elif [ "$am_root" -eq 0 ]; then
            d="$base/user"; mkdir -p "$d"; cd "$d"
            lines 3 >mine.txt; cp mine.txt mine.old; { printf 'new '; lines 3; } >mine.new; chmod 0444 mine.txt
            ozm -m "$work/new.mac" mine.txt 2>/dev/null; rc=$?
            settled "$p.UserReadOnlyFileRefused" "$rc" mine.txt mine.old mine.new old
        else
            skip "$p.OrdinaryUser" "setpriv is not installed"
        fi
    fi

    # A full disk: 32 pages of tmpfs. The old file takes 14 of them, the new text (DOS line ends) 21.
    disk="$base/disk"
    if small_disk "$disk" 131072; then
        cd "$disk"
        xs 28000 >"$base/full.old"; xs 28000 CR >"$base/full.new"
        for how in plain backup; do
            cp "$base/full.old" f.txt
            args=(-f dos); [ "$how" = backup ] && args+=(--backup)
            ozm "${args[@]}" f.txt 2>err.txt; rc=$?
            settled "$p.FullDisk_$how" "$rc" f.txt "$base/full.old" "$base/full.new" old
            check "$p.FullDiskSaysWhy_$how" "$(cat err.txt)" grep -q 'Write error' err.txt
            check "$p.FullDiskLeavesNoOtherFile_$how" "files left" only_files . f.txt err.txt
            rm -f f.txt err.txt
        done
        # With room for the new text the same write succeeds, backup and all (it shares the old file's blocks).
        xs 12000 >g.txt; cp g.txt "$base/g.old"; xs 12000 CR >"$base/g.new"
        ozm --backup -f dos g.txt; rc=$?
        settled "$p.NearlyFullDiskWritesWithBackup" "$rc" g.txt "$base/g.old" "$base/g.new" new
        check "$p.NearlyFullDiskBackup" "g.bak" same_bytes g.bak "$base/g.old"
        rm -f g.txt g.bak
        # A hard-linked file is written where it is: the copy of the old text fits, the new text does
        # not, so the old text must be put back.
        cp "$base/full.old" h.txt; ln h.txt h2.txt
        ozm -f dos h.txt 2>err.txt; rc=$?
        settled "$p.FullDiskHardLinkRestored" "$rc" h.txt "$base/full.old" "$base/full.new" old
        check "$p.FullDiskHardLinkStillLinked" "link count" test "$(stat -c %h h.txt)" = 2
        check "$p.FullDiskHardLinkNoStrayFiles" "files left" only_files . h.txt h2.txt err.txt
        rm -f h.txt h2.txt err.txt
        # No room even for the copy (18 pages twice): nothing is touched.
        xs 36000 >"$base/big.old"; xs 36000 CR >"$base/big.new"
        cp "$base/big.old" h.txt; ln h.txt h2.txt
        ozm -f dos h.txt 2>/dev/null; rc=$?
        settled "$p.FullDiskHardLinkNoRoomForCopy" "$rc" h.txt "$base/big.old" "$base/big.new" old
        check "$p.FullDiskHardLinkNoCopyLeft" "files left" only_files . h.txt h2.txt
        rm -f h.txt h2.txt
        if [ "$runner" = native ]; then
            # A link from a roomy disk to a file on the full one.
            cp "$base/full.old" t.txt; ln -sf "$disk/t.txt" "$base/t-link.txt"
            ozm -f dos "$base/t-link.txt" 2>/dev/null; rc=$?
            settled "$p.FullDiskThroughSymlink" "$rc" t.txt "$base/full.old" "$base/full.new" old
            check "$p.FullDiskSymlinkStaysALink" "link" test -L "$base/t-link.txt"
            rm -f t.txt "$base/t-link.txt"
        fi
        cd "$base"

        # A read-only file system: every way of writing is refused and the file is left alone.
        ro="$base/ro"
        if small_disk "$ro" 131072; then
            lines 3 >"$ro/r.txt"; cp "$ro/r.txt" "$base/ro.old"; ln "$ro/r.txt" "$ro/r2.txt"
            lines 3 >"$ro/s.txt"
            { printf 'new '; lines 3; } >"$base/ro.plain"; cp "$base/ro.plain" "$base/ro.backup"
            lines 3 CR >"$base/ro.format"
            if mount -o remount,ro "$ro" >/dev/null 2>&1; then
                cd "$ro"
                for how in plain backup format; do
                    case $how in
                        plain) args=(-m "$work/new.mac" s.txt) ;;
                        backup) args=(--backup -m "$work/new.mac" s.txt) ;;
                        format) args=(-f dos s.txt) ;;
                    esac
                    ozm "${args[@]}" 2>"$base/err.txt"; rc=$?
                    settled "$p.ReadOnlyFileSystem_$how" "$rc" s.txt "$base/ro.old" "$base/ro.$how" old
                done
                ozm -m "$work/new.mac" r.txt 2>/dev/null; rc=$?
                settled "$p.ReadOnlyFileSystemHardLink" "$rc" r.txt "$base/ro.old" "$base/ro.plain" old
                cd "$base"
            else
                skip "$p.ReadOnlyFileSystem" "remounting read-only is not permitted here"
            fi
        else
            skip "$p.ReadOnlyFileSystem" "mounting a tmpfs is not permitted here"
        fi
    else
        skip "$p.FullDisk" "mounting a tmpfs is not permitted here"
        skip "$p.ReadOnlyFileSystem" "mounting a tmpfs is not permitted here"
    fi
    cd "$root"
done

total=$((passed + failed))
echo "[==========] $total tests ran ($skipped groups skipped)."
echo "[  PASSED  ] $passed tests."
if [ "$failed" -gt 0 ]; then
    echo "[  FAILED  ] $failed tests, listed below:"
    for f in "${failures[@]}"; do echo "[  FAILED  ] $f"; done
    exit 1
fi
