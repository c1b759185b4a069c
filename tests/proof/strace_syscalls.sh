#!/bin/sh
# The system calls the demo-file operations really make, seen by strace on corvane-cli (the
# same core the window uses): `show` is the Open command's file work, `set` reads and saves.
# Usage: strace_syscalls.sh CORVANE_CLI
set -eu
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
file=$dir/pes2012.exe
truncate -s 18511216 "$file"
failed=0

# Calls on the demo file in a trace: `count LOG CALL` counts them.
count() {
  grep -E "^([0-9]+ +)?$2\(" "$1" | grep -cF "$file" || true
}
expect() {  # expect WHAT GOT WANTED
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: $2, expected $3"
    failed=1
  else
    echo "ok: $1: $2"
  fi
}
trace() {  # trace LOG ARGS...
  log=$1
  shift
  # The leak checker of a sanitizer build cannot run under ptrace: it is off for this run only.
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" strace -f -qq -y -o "$log" \
    -e trace=open,openat,creat,read,pread64,readv,preadv,write,pwrite64,writev,pwritev,fsync,fdatasync,ftruncate,fallocate,lseek,close \
    "$cli" "$@" >/dev/null
}

trace "$dir/show.log" show "$file"
expect "show: opens" "$(count "$dir/show.log" 'open(at)?')" 3
expect "show: preads" "$(count "$dir/show.log" pread64)" 3
expect "show: preads of more than 8 bytes" \
  "$(grep -F "$file" "$dir/show.log" | grep -E 'pread64\(' |
     sed -E 's/.*, ([0-9]+), [0-9]+\) += .*/\1/' | awk '$1 > 8' | wc -l)" 0
expect "show: other transfers" \
  "$(( $(count "$dir/show.log" '(read|readv|preadv|write|pwrite64|writev|pwritev|ftruncate|fallocate|lseek)') ))" 0
expect "show: closes" "$(count "$dir/show.log" close)" 3
expect "show: opens that may create or truncate" \
  "$(grep -F "$file" "$dir/show.log" | grep -E 'open(at)?\(' | grep -cE 'O_CREAT|O_TRUNC|O_APPEND' || true)" 0

# set reads the current values (three openings), then saves them in one opening that first
# reads the bytes it replaces.
trace "$dir/set.log" set "$file" --team1 100 --font 1,2,3,4
expect "set: opens" "$(count "$dir/set.log" 'open(at)?')" 4
expect "set: preads" "$(count "$dir/set.log" pread64)" 4
expect "set: pwrites" "$(count "$dir/set.log" pwrite64)" 3
expect "set: fsyncs" "$(count "$dir/set.log" fsync)" 1
expect "set: closes" "$(count "$dir/set.log" close)" 4
expect "set: truncations, appends, seeks" \
  "$(count "$dir/set.log" '(write|writev|ftruncate|fallocate|lseek)')" 0
expect "set: size afterwards" "$(stat -c %s "$file")" 18511216

if [ "$failed" -ne 0 ]; then
  echo "--- show"; grep -F "$file" "$dir/show.log" || true
  echo "--- set"; grep -F "$file" "$dir/set.log" || true
  exit 1
fi
echo "all system-call checks passed"
