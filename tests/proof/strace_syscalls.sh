#!/bin/sh
# The system calls the demo-file operations really make, seen by strace on corvane-cli (the
# same core the window uses): `show` is the Open command's file work, `set` reads and saves in
# one opening. Every call that names the file, whatever it is, must be the expected one, in
# order: so nothing creates, truncates, appends to, seeks in or maps the file, and nothing but
# an O_PATH descriptor (which opens nothing) looks at a device or a FIFO.
# Usage: strace_syscalls.sh CORVANE_CLI
set -eu
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
file=$dir/pes2012.exe
truncate -s 18511216 "$file"
mkfifo "$dir/fifo.exe"
failed=0

# Every call of a run that names `$2` (but the start of the program), one a line, with the path shown as FILE, descriptors as
# FD, and the bytes moved and the details of a stat left out.
calls() {  # calls LOG PATH
  grep -F "$2" "$1" | grep -v ' execve(' | sed -E \
    -e 's/^[0-9]+ +//' \
    -e 's/AT_FDCWD<[^>]*>/AT_FDCWD/g' \
    -e "s#[0-9]+<$2>#FD#g" \
    -e "s#\"$2\"#FILE#g" \
    -e 's#"/proc/self/fd/[0-9]+"#"/proc/self/fd/N"#' \
    -e 's/\) +=/) =/' \
    -e 's/\{st_mode=(S_IF[A-Z]+)[^}]*\}/\1/' \
    -e 's/^(pread64|pwrite64)\(FD, "([^"\\]|\\.)*"(\.\.\.)?, /\1(FD, /'
}
expect() {  # expect WHAT LOG PATH, the expected calls on standard input
  cat > "$dir/expected"
  calls "$2" "$3" > "$dir/got"
  if diff -u "$dir/expected" "$dir/got" > "$dir/diff"; then
    echo "ok: $1: $(wc -l < "$dir/got") calls"
  else
    echo "FAIL: $1:"
    cat "$dir/diff"
    failed=1
  fi
}
trace() {  # trace LOG ARGS...
  log=$1
  shift
  # The leak checker of a sanitizer build cannot run under ptrace: it is off for this run only.
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" strace -f -qq -y -o "$log" \
    "$cli" "$@" >/dev/null 2>&1 || true
}

# Open: the name looked up once into an O_PATH descriptor, which opens nothing, and what it
# leads to checked on it; only then the file opened for reading through that descriptor (so a
# name swapped in between changes nothing), a shared lock of both kinds taken without waiting,
# the descriptor checked to be the same file (its size kept for the size check), the three
# slots read (8, 4 and 4 bytes), closed.
trace "$dir/show.log" show "$file"
expect "show" "$dir/show.log" "$file" <<'EOF'
openat(AT_FDCWD, FILE, O_RDONLY|O_CLOEXEC|O_PATH) = FD
newfstatat(FD, "", S_IFREG, AT_EMPTY_PATH) = 0
openat(AT_FDCWD, "/proc/self/fd/N", O_RDONLY|O_NOCTTY|O_NONBLOCK|O_CLOEXEC) = FD
close(FD) = 0
flock(FD, LOCK_SH|LOCK_NB) = 0
fcntl(FD, F_OFD_SETLK, {l_type=F_RDLCK, l_whence=SEEK_SET, l_start=0, l_len=0}) = 0
newfstatat(FD, "", S_IFREG, AT_EMPTY_PATH) = 0
pread64(FD, 8, 18507796) = 8
pread64(FD, 4, 18511212) = 4
pread64(FD, 4, 18511160) = 4
close(FD) = 0
EOF

# Save (`set` reads the values it keeps in the same opening): opened as Open does, for reading
# and writing, an exclusive lock of both kinds, the size checked, the 3,420 bytes it patches
# read, the three blocks written in table order with the size looked at again after the first,
# synced, the size looked at once more (the same look tells the file still has a name), the
# path looked up to check that it still leads to the file, closed.
trace "$dir/set.log" set "$file" --team1 100 --font 1,2,3,4
expect "set" "$dir/set.log" "$file" <<'EOF'
openat(AT_FDCWD, FILE, O_RDONLY|O_CLOEXEC|O_PATH) = FD
newfstatat(FD, "", S_IFREG, AT_EMPTY_PATH) = 0
openat(AT_FDCWD, "/proc/self/fd/N", O_RDWR|O_NOCTTY|O_NONBLOCK|O_CLOEXEC) = FD
close(FD) = 0
flock(FD, LOCK_EX|LOCK_NB) = 0
fcntl(FD, F_OFD_SETLK, {l_type=F_WRLCK, l_whence=SEEK_SET, l_start=0, l_len=0}) = 0
newfstatat(FD, "", S_IFREG, AT_EMPTY_PATH) = 0
pread64(FD, 3420, 18507796) = 3420
pwrite64(FD, 8, 18507796) = 8
newfstatat(FD, "", S_IFREG, AT_EMPTY_PATH) = 0
pwrite64(FD, 4, 18511212) = 4
pwrite64(FD, 4, 18511160) = 4
fsync(FD) = 0
newfstatat(FD, "", S_IFREG, AT_EMPTY_PATH) = 0
newfstatat(AT_FDCWD, FILE, S_IFREG, 0) = 0
close(FD) = 0
EOF
size=$(stat -c %s "$file")
[ "$size" = 18511216 ] || { echo "FAIL: set: size afterwards $size"; failed=1; }

# A device or a FIFO is looked at through an O_PATH descriptor, never opened: opening one can
# have effects of its own.
for target in /dev/ptmx "$dir/fifo.exe"; do
  for command in show set; do
    trace "$dir/special.log" $command "$target"
    kind=S_IFCHR
    [ "$target" = /dev/ptmx ] || kind=S_IFIFO
    expect "$command $target" "$dir/special.log" "$target" <<EOF
openat(AT_FDCWD, FILE, O_RDONLY|O_CLOEXEC|O_PATH) = FD
newfstatat(FD, "", $kind, AT_EMPTY_PATH) = 0
close(FD) = 0
EOF
  done
done

if [ "$failed" -ne 0 ]; then
  exit 1
fi
echo "all system-call checks passed"
