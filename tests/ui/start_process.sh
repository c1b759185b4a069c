#!/usr/bin/env bash
# The window program as a process: --help and --version answer with no display at all, a
# refused command line exits 2 with one line on standard error, and `corvane FILE` opens FILE
# by argv's bytes. strace shows the name that reaches the system: the named file of the decoy
# pair, never its neighbour, whose name is the same text.
set -euo pipefail
corvane=$1
version=$2
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

out=$("${no_display[@]}" "$corvane" --help) || fail "corvane --help failed"
grep -qx 'Usage: corvane \[--\] \[FILE\]' <<<"$out" || fail "corvane --help printed: $out"
! grep -nE '^.{80}' <<<"$out" || fail "corvane --help has lines that an 80-column console wraps"
out=$("${no_display[@]}" "$corvane" -style fusion --version) || fail "corvane --version failed"
[ "$out" = "corvane $version" ] || fail "corvane --version printed: $out"

# A refused command line needs no display either: one line, status 2.
refused() {
    local says=$1 status=0
    shift
    "${no_display[@]}" "$corvane" "$@" >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq 2 ] || fail "corvane $*: exit status $status instead of 2: $(cat "$work/err")"
    grep -qxF "corvane: $says; see corvane --help" "$work/err" && [ ! -s "$work/out" ] ||
        fail "corvane $* said: $(cat "$work/out" "$work/err")"
}
refused 'unknown option "--bogus"' --bogus pes2012.exe
refused 'only one FILE can be opened, and 2 were given' a.exe -style fusion b.exe

# The decoy pair: team slot 1 holds 1264 in the named file and 0 in its neighbour.
named=$'decoy\xff.bin'
neighbour=$'decoy\xef\xbf\xbd.bin'
for f in "$named" "$neighbour"; do truncate -s 18511216 "$work/$f"; done
printf '\xf0\x04' | dd of="$work/$named" bs=1 seek=18507796 conv=notrunc status=none

# Starts corvane on the named decoy under strace, waits until the file has been opened (the
# trace shows it), then ends the program by the id the shell had before it became corvane.
# With "closed", standard input, output and error are closed when it starts.
run_on_named() {
    local trace=$1 closed=${2:-}
    rm -f "$work/pid"
    (
        cd "$work"
        [ -z "$closed" ] || exec 0<&- 1>&- 2>&-
        QT_QPA_PLATFORM=offscreen exec strace -f -qq -e trace=open,openat -e signal=none \
            -o "$trace" bash -c 'echo $$ >"$0"; exec "$1" "$2"' "$work/pid" "$corvane" "$named"
    ) >"$work/log" 2>&1 &
    local tracer=$! i
    for i in $(seq 600); do
        grep -q 'decoy.*= [0-9]' "$trace" 2>/dev/null && break
        kill -0 "$tracer" 2>/dev/null || break
        sleep 0.1
    done
    pid=$(cat "$work/pid" 2>/dev/null || true)
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    wait "$tracer" 2>/dev/null || true
    pid=
}

# strace shows bytes that are not printable ASCII as octal escapes.
run_on_named "$work/trace"
grep -qF "\"$work/decoy\\377.bin\"" "$work/trace" ||
    { cat "$work/log"; grep decoy "$work/trace"; fail "the named file was not opened by its name"; }
if grep -q 'decoy\\357\\277\\275' "$work/trace"; then
    grep decoy "$work/trace"; fail "the neighbour was opened"
fi

# With the standard streams closed, the file must not become one of them: whatever is written
# to standard output or error would land in it.
run_on_named "$work/trace-closed" closed
opened=$(grep -F "decoy\\377.bin" "$work/trace-closed" | head -n 1)
[ -n "$opened" ] || fail "with its standard streams closed, corvane did not open the file"
[ "${opened##*= }" -gt 2 ] || fail "the file was opened as a standard stream: $opened"
echo "corvane answers --help and --version without a display, opens FILE by its bytes, and never as a standard stream"
