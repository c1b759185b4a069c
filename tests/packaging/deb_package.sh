#!/usr/bin/env bash
# Builds the .deb as `make package` does (lintian must pass it), unpacks it into a temporary
# root and checks what it installs: the programs, hardened; the manual pages, which must
# name every option the programs' --help names; the completion; the desktop entry that opens
# a file; the metainfo and the changelog of this version. Then it runs what it installed:
# corvane-cli on a demo file, corvane --help with no display, and the window opening a file.
#
#   deb_package.sh SOURCE_DIR BUILD_DIR VERSION [CMAKE_OPTION...]
set -euo pipefail
source_dir=$1
build_dir=$2
version=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

"$source_dir/packaging/make_deb.sh" "$source_dir" "$build_dir/deb" "$work/pkg" "$@" \
    >"$work/make_deb.log" 2>&1 || { cat "$work/make_deb.log"; fail "make_deb.sh failed"; }
deb=$(tail -n 1 "$work/make_deb.log")
sed -n '/^lintian /,$p' "$work/make_deb.log" | sed '$d'  # what lintian said, informational tags included

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "package version $(field Version), project $version"
[ "$(field Section)" = utils ] || fail "section $(field Section)"
field Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt: $(field Depends)"
[ "$(field Description | wc -l)" -ge 3 ] || fail "no extended description: $(field Description)"

root="$work/root"
dpkg -x "$deb" "$root"
usr="$root/usr"
for f in bin/corvane bin/corvane-cli share/corvane/resources/click.wav \
         share/applications/org.corvane.Corvane.desktop \
         share/metainfo/org.corvane.Corvane.metainfo.xml \
         share/icons/hicolor/48x48/apps/org.corvane.Corvane.png \
         share/icons/hicolor/scalable/apps/org.corvane.Corvane.svg \
         share/man/man1/corvane.1.gz share/man/man1/corvane-cli.1.gz \
         share/bash-completion/completions/corvane-cli \
         share/doc/corvane/copyright share/doc/corvane/changelog.gz; do
    [ -f "$usr/$f" ] || fail "missing from the package: usr/$f"
done

# The desktop entry offers Corvane for Windows executables and hands it the file.
desktop="$usr/share/applications/org.corvane.Corvane.desktop"
grep -qx 'Exec=corvane %f' "$desktop" || fail "the desktop entry does not open a file: $(grep Exec "$desktop")"
for type in application/x-ms-dos-executable application/vnd.microsoft.portable-executable \
            application/x-msdownload; do
    grep -q "^MimeType=.*$type;" "$desktop" || fail "the desktop entry does not name $type"
done
# The click sound is found in the data folder, so the entry need not choose a working folder.
! grep -q '^Path=' "$desktop" || fail "the desktop entry sets a working folder: $(grep '^Path=' "$desktop")"
# A tool that edits a file, filed under Utility as its package's section says.
grep -qx 'Categories=Utility;' "$desktop" || fail "the desktop entry files Corvane under $(grep '^Categories=' "$desktop")"
desktop-file-validate "$desktop"

# This version's changelog entry and release.
zcat "$usr/share/doc/corvane/changelog.gz" | head -n 1 | grep -q "^corvane ($version) " ||
    fail "the changelog does not start with $version"
grep -q "<release version=\"$version\"" "$usr/share/metainfo/org.corvane.Corvane.metainfo.xml" ||
    fail "the metainfo has no release $version"

# Hardened: position-independent, bound at load time with a read-only relocation table, a stack
# protector and fortified calls.
for program in corvane corvane-cli; do
    binary="$usr/bin/$program"
    readelf -h "$binary" | grep -q 'Type:.*DYN' || fail "$program is not position-independent"
    readelf -d "$binary" | grep -q 'FLAGS_1.*NOW.*PIE' || fail "$program is not bound now as a PIE"
    readelf -lW "$binary" | grep -q GNU_RELRO || fail "$program has no read-only relocations"
    symbols=$(readelf --dyn-syms -W "$binary")
    grep -q '__stack_chk_fail' <<<"$symbols" || fail "$program has no stack protector"
    grep -qE '__[a-z]+_chk' <<<"$symbols" || fail "$program has no fortified calls"
done

"$source_dir/tests/packaging/runpath.sh" "$usr/bin" >/dev/null || fail "a program has a relative RUNPATH"

# A manual page and --help agree on the options: every option --help names is in the page, and
# the page's OPTIONS set out none that --help lacks. A page speaks of Qt only for a program
# that links it.
export QT_QPA_PLATFORM=offscreen
options() { grep -oE -- '(^|[ ,])--?[a-z][a-z0-9-]*' | grep -oE -- '--?[a-z][a-z0-9-]*' | sort -u; }
for program in corvane corvane-cli; do
    page=$(zcat "$usr/share/man/man1/$program.1.gz" | sed 's/\\-/-/g')
    helped=$("$usr/bin/$program" --help | options)
    for option in $helped; do
        grep -qF -- "$option" <<<"$page" || fail "the manual page of $program lacks $option"
    done
    described=$(sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' <<<"$page" |
                grep -E '^(\.B|\\fB)' | sed 's/\\f[BIR]/ /g' | options)
    for option in $described; do
        grep -qx -- "$option" <<<"$helped" ||
            fail "the manual page of $program sets out $option, which $program --help does not name"
    done
    if grep -qw 'Qt' <<<"$page" && ! readelf -d "$usr/bin/$program" | grep -q 'libQt6'; then
        fail "the manual page of $program speaks of Qt, which $program does not link: $(grep -w Qt <<<"$page")"
    fi
done

# A demo file: the minimum size, team slot 1 holding 1264 (F0 04).
demo="$work/pes2012.exe"
truncate -s 18511216 "$demo"
printf '\xf0\x04' | dd of="$demo" bs=1 seek=18507796 conv=notrunc status=none
out=$("$usr/bin/corvane-cli" show "$demo")
grep -q 'CLUB AMERICA' <<<"$out" || fail "corvane-cli show printed: $out"

out=$(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/corvane" --help) ||
    fail "corvane --help needs a display"
grep -q '^Usage: corvane' <<<"$out" || fail "corvane --help printed: $out"

# The window shows and opens the file given (the program says so on its start-up logging
# category), then stays up until the timeout ends it (status 124); anything else is a failure.
status=0
(cd "$usr/share/corvane" &&
 QT_LOGGING_RULES="corvane.startup.debug=true" timeout 8 "$usr/bin/corvane" "$demo") \
    >"$work/gui.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
    cat "$work/gui.log"; fail "corvane ended with status $status"
fi
grep -q 'window shown: "Corvane" true' "$work/gui.log" &&
    grep -q 'file given at start opened: true' "$work/gui.log" ||
    { cat "$work/gui.log"; fail "corvane did not show its window with the file"; }
echo "package $(basename "$deb") passes lintian, installs and runs"
