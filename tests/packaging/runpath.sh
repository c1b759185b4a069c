#!/usr/bin/env bash
# Every ELF program and library under the folders given may look for libraries only in absolute
# folders or beside itself ($ORIGIN). An empty RUNPATH entry (CMake pads a build-tree RUNPATH
# with colons when the install RUNPATH is longer) or a relative one means the current folder:
# started from a game's folder, the program would load a library planted there.
#
#   runpath.sh FOLDER...
set -euo pipefail
checked=0
bad=0
while IFS= read -r -d '' file; do
    head -c 4 "$file" 2>/dev/null | grep -q $'^\x7fELF' || continue
    checked=$((checked + 1))
    paths=$(readelf -d "$file" 2>/dev/null | sed -n 's/.*(\(RUNPATH\|RPATH\)).*\[\(.*\)\]$/\2/p')
    [ -n "$paths" ] || continue
    while IFS= read -r line; do
        # Split on ':' keeping empty entries, including a leading or trailing one.
        IFS=: read -r -a entries <<<"$line:"
        for entry in "${entries[@]}"; do
            case $entry in
                /* | '$ORIGIN' | '$ORIGIN/'* | '${ORIGIN}' | '${ORIGIN}/'*) ;;
                *) echo "$file: RUNPATH [$line] holds the entry \"$entry\""; bad=$((bad + 1)); break ;;
            esac
        done
    done <<<"$paths"
done < <(find "$@" -type f \( -perm -u+x -o -name '*.so*' \) -print0)
[ "$checked" -gt 0 ] || { echo "no ELF file found under $*"; exit 1; }
[ "$bad" -eq 0 ] || exit 1
echo "$checked ELF files, none loads a library from a relative folder"
