#!/bin/sh
# Runs a command on a virtual X screen with a window manager, which gives windows their
# frames and title bars only once they are mapped, as a desktop does:
#   with_window_manager.sh COMMAND [ARGS...]
# xvfb-run calls this script again inside the X session (the marker in CORVANE_IN_XVFB).
set -eu
if [ -z "${CORVANE_IN_XVFB:-}" ]; then
    CORVANE_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
ready=$(mktemp -u)
openbox --startup "touch $ready" >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null; rm -f "$ready"' EXIT
i=0
while [ ! -e "$ready" ]; do
    i=$((i + 1))
    if [ $i -gt 100 ]; then
        echo "openbox did not start" >&2
        exit 1
    fi
    sleep 0.1
done
QT_QPA_PLATFORM=xcb "$@"
