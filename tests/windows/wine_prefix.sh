#!/usr/bin/env bash
# The Wine prefixes of the Wine rows, kept in the build folder: made on first use (the first
# wineboot of a prefix takes seconds), and their servers kept up while the rows run.
#   wine_prefix.sh WINE WINESERVER PREFIX UNPRIVILEGED_PREFIX start|stop
# When the tests run as root, a second prefix belongs to uid 65534: Wine running as root writes
# a file with the read-only attribute, as root writes any file, so the read-only rows run
# corvane-cli.exe as that user.
set -euo pipefail
wine=$1
wineserver=$2
prefix=$3
unprivileged=$4
action=$5

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no offer to install Mono or Gecko
unset DISPLAY WAYLAND_DISPLAY
log=$prefix.log

# Runs a Wine command with WINEPREFIX=$1, as uid 65534 for the unprivileged prefix. Wine's own
# processes outlive the command that starts them, so they get none of CTest's output pipes.
in_prefix() {
    local dir=$1
    shift
    local as=()
    if [ "$dir" = "$unprivileged" ]; then
        as=(setpriv --reuid=65534 --regid=65534 --clear-groups env "HOME=$dir")
    fi
    WINEPREFIX=$dir "${as[@]}" "$@" </dev/null >>"$log" 2>&1
}

prefixes=("$prefix")
if [ "$(id -u)" -eq 0 ]; then
    mkdir -p "$unprivileged"
    chown 65534:65534 "$unprivileged"
    # In a folder others may not enter, the read-only rows say so and skip.
    if setpriv --reuid=65534 --regid=65534 --clear-groups test -w "$unprivileged"; then
        prefixes+=("$unprivileged")
    else
        echo "uid 65534 cannot reach $unprivileged: the read-only rows will be skipped"
    fi
fi

case $action in
start)
    : >"$log"
    boots=()
    for dir in "${prefixes[@]}"; do
        mkdir -p "$dir"
        # The server first, kept up a minute after the last program so that the rows do not
        # each start it again (status 2: one is up already).
        in_prefix "$dir" "$wineserver" -p60 || [ $? -eq 2 ]
        in_prefix "$dir" "$wine" wineboot &  # a new prefix is made on the way
        boots+=($!)
    done
    for boot in "${boots[@]}"; do
        wait "$boot" || { cat "$log"; exit 1; }
    done
    echo "Wine prefixes ready: ${prefixes[*]}"
    ;;
stop)
    for dir in "${prefixes[@]}"; do
        in_prefix "$dir" "$wineserver" -k || true
    done
    ;;
esac
