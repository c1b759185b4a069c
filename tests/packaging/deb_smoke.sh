#!/usr/bin/env bash
# Builds the .deb, unpacks it into a temporary root and runs what it installed: corvane-cli
# on a demo file, and the window under the offscreen platform for a few seconds.
set -euo pipefail
build_dir=$1
prefix=${2#/}  # the configured install prefix, without its leading slash
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build_dir/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/pkg/*.deb)
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || {
    echo "the package does not depend on the Qt libraries:"; dpkg-deb --field "$deb" Depends; exit 1; }
dpkg -x "$deb" "$work/root"

for f in bin/corvane bin/corvane-cli share/corvane/resources/click.wav \
         share/applications/org.corvane.Corvane.desktop \
         share/metainfo/org.corvane.Corvane.metainfo.xml \
         share/icons/hicolor/48x48/apps/org.corvane.Corvane.png \
         share/icons/hicolor/scalable/apps/org.corvane.Corvane.svg; do
    [ -e "$work/root/$prefix/$f" ] || { echo "missing from the package: $prefix/$f"; exit 1; }
done
grep -qx "Path=/$prefix/share/corvane" "$work/root/$prefix/share/applications/org.corvane.Corvane.desktop"

# A demo file: the minimum size, team slot 1 holding 1264 (F0 04).
demo="$work/pes2012.exe"
truncate -s 18511216 "$demo"
printf '\xf0\x04' | dd of="$demo" bs=1 seek=18507796 conv=notrunc status=none
out=$("$work/root/$prefix/bin/corvane-cli" show "$demo")
grep -q 'CLUB AMERICA' <<<"$out" || { echo "corvane-cli show printed:"; echo "$out"; exit 1; }

# The window shows (the program says so on its start-up logging category) and stays up until
# the timeout ends it (status 124); anything else is a failure.
status=0
(cd "$work/root/$prefix/share/corvane" &&
 QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="corvane.startup.debug=true" \
   timeout 4 "$work/root/$prefix/bin/corvane") >"$work/gui.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
    echo "corvane ended with status $status:"; cat "$work/gui.log"; exit 1
fi
grep -q 'window shown: "Corvane" true' "$work/gui.log" ||
    { echo "corvane did not show its window:"; cat "$work/gui.log"; exit 1; }
echo "package $(basename "$deb") installs and runs"
