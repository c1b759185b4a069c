#!/usr/bin/env bash
# Checks that every relative link of the README and of docs/*.md leads to a file that exists,
# and that a "#heading" part names a heading of the page it leads to (GitHub's anchors: the
# heading in lower case, punctuation dropped, blanks turned into hyphens). Links to the web
# are left alone; links inside code are not links.
#
#   links.sh ROOT [FILE...]    FILE defaults to ROOT/README.md and ROOT/docs/*.md
set -uo pipefail
export LC_ALL=C.UTF-8  # \L and [:alnum:] below work on letters beyond ASCII

root=${1:?usage: links.sh ROOT [FILE...]}
shift
if [ $# -eq 0 ]; then
  set -- "$root/README.md" "$root"/docs/*.md
fi

# The lines of a page outside fenced code blocks, as "LINE<TAB>TEXT"; code spans are removed
# (a link in code is no link), or with "keep" only their backticks (a heading keeps the code's
# words in its anchor).
prose() {
  awk -v keep="${2:-}" '/^[ \t]*(```|~~~)/ { fenced = !fenced; next }
       !fenced { if (keep) gsub(/`/, ""); else gsub(/`[^`]*`/, ""); print NR "\t" $0 }' "$1"
}

# The anchors of a page's headings, one a line.
anchors() {
  prose "$1" keep | cut -f2- | sed -n -E 's/^#{1,6}[ \t]+//p' | sed -E 's/[ \t]+#+[ \t]*$//' |
    sed -E 's/.*/\L&/; s/[^[:alnum:] _-]//g; s/ /-/g' |
    awk '{ n = seen[$0]++; print (n ? $0 "-" n : $0) }'
}

checked=0
broken=0
for page in "$@"; do
  if [ ! -f "$page" ]; then
    echo "$page: no such page"
    broken=$((broken + 1))
    continue
  fi
  dir=$(dirname "$page")
  while IFS=$'\t' read -r line target; do
    target=${target%% *}  # a title after the address: [text](file "title")
    case $target in
      [a-zA-Z]*:*) continue ;;  # http:, https:, mailto:
    esac
    checked=$((checked + 1))
    path=${target%%#*}
    anchor=
    [ "$path" != "$target" ] && anchor=${target#*#}
    file=$page
    [ -n "$path" ] && file=$dir/$path
    if [ ! -e "$file" ]; then
      echo "$page:$line: $target: $path does not exist"
      broken=$((broken + 1))
    elif [ -n "$anchor" ] && [[ $file == *.md ]] && ! anchors "$file" | grep -qxF -- "$anchor"; then
      echo "$page:$line: $target: no heading of $file has the anchor #$anchor"
      broken=$((broken + 1))
    fi
  done < <(prose "$page" | awk -F'\t' '{
             text = $0; sub(/^[^\t]*\t/, "", text)
             while (match(text, /\]\([^)]*\)/)) {
               print $1 "\t" substr(text, RSTART + 2, RLENGTH - 3)
               text = substr(text, RSTART + RLENGTH)
             }
           }')
done

if [ "$broken" -ne 0 ]; then
  echo "$broken of $checked relative links lead nowhere"
  exit 1
fi
echo "all $checked relative links lead somewhere"
