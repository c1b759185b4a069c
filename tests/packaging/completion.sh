#!/usr/bin/env bash
# Loads corvane-cli's bash completion into an interactive bash on a terminal and presses Tab
# as a person does, so that readline's own quoting is part of what is checked. A shell
# function stands in for corvane-cli and prints each argument it receives in <>, so every row
# checks the words the shell would really pass after the completion.
set -euo pipefail
completion=$1
bash_completion=/usr/share/bash-completion/bash_completion
[ -r "$bash_completion" ] || { echo "bash-completion is not installed"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Demo files" "$work/pes-folder"
touch "$work/Demo files/pes 2012.exe" "$work/pes2012.exe"

# Each row: what is typed (\t is Tab), and the arguments the command then receives.
rows=(
    'set pes2012.exe --team1 MAN\t'           '<set><pes2012.exe><--team1><MANCHESTER UNITED>'
    'set pes2012.exe --team2 "A.\t'           '<set><pes2012.exe><--team2><A.C. MILAN>'
    "set pes2012.exe --team3 'S.S\\t"         '<set><pes2012.exe><--team3><S.S.C. NAPOLI>'
    'set pes2012.exe --team4=CLUB\t'          '<set><pes2012.exe><--team4=CLUB AMERICA>'
    'set pes2012.exe --team1 1 --exh\t1,2,3,4' '<set><pes2012.exe><--team1><1><--exhibition><1,2,3,4>'
    'sh\t--j\tpes2\t'                          '<show><--json><pes2012.exe>'
    'show Demo\tpes\t'                         '<show><Demo files/pes 2012.exe>'
)

input='PS1="$ "; unset HISTFILE; source '"$bash_completion"'; source '"$completion"
input+='; corvane-cli() { printf "<%s>" "$@"; echo; }; cd '"$(printf %q "$work")"$'\n'
for ((i = 0; i < ${#rows[@]}; i += 2)); do
    input+="corvane-cli ${rows[i]}"$'\n'
done
input+=$'exit\n'

# script(1) gives the shell a terminal, so that readline reads the keys; the input is queued
# before the shell starts and read key by key, with no timing involved.
out=$(printf '%b' "$input" | HOME=$work INPUTRC=/dev/null timeout 30 \
      script -qfec 'bash --norc --noprofile -i' /dev/null | tr -d '\r')
failed=0
for ((i = 0; i < ${#rows[@]}; i += 2)); do
    if ! grep -qF -- "${rows[i + 1]}" <<<"$out"; then
        echo "typing \"corvane-cli ${rows[i]}\" did not give ${rows[i + 1]}"
        failed=1
    fi
done
if [ "$failed" -ne 0 ]; then
    echo "--- the terminal showed:"; printf '%s\n' "$out"; exit 1
fi
echo "$((${#rows[@]} / 2)) completions give the expected arguments"
