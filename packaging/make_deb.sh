#!/usr/bin/env bash
# Builds Corvane's Debian package and checks it with lintian, as `make package` does:
#
#   packaging/make_deb.sh SOURCE_DIR TREE OUT_DIR [CMAKE_OPTION...]
#
# The package is built in a tree of its own (TREE), configured for /usr with neither tests
# nor benchmarks, so that it never changes the build a developer works in: the desktop entry
# names the data folder by its path, so the prefix is part of what is built. The .deb goes to
# OUT_DIR and its path is the last line printed. Any lintian error or warning fails, and so
# does a hardening tag, which lintian only counts as information.
set -euo pipefail
source_dir=$1
tree=$2
out=$3
shift 3

command -v lintian >/dev/null || { echo "lintian is not installed; make deps installs it"; exit 1; }

generator=()
[ -f "$tree/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S "$source_dir" -B "$tree" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_INSTALL_PREFIX=/usr -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF "$@"
cmake --build "$tree" ${JOBS:+--parallel "$JOBS"}

mkdir -p "$out"
out=$(cd "$out" && pwd)
cpack_log=$(cd "$tree" && cpack -G DEB -B "$out")
deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' <<<"$cpack_log")
[ -f "$deb" ] || { echo "$cpack_log"; echo "cpack made no package"; exit 1; }

echo "lintian $(basename "$deb"):"
status=0
tags=$(lintian --fail-on error,warning --display-info "$deb" 2>&1) || status=$?
tags=$(grep -v '^running with root privileges' <<<"$tags" || true)
printf '%s\n' "${tags:-(no tags)}"
if [ "$status" -ne 0 ] || grep -q ': hardening-' <<<"$tags"; then
    echo "lintian does not pass the package"
    exit 1
fi
echo "$deb"
