#!/usr/bin/env bash
# Drives corvane.exe under Wine as a person would: on a virtual X screen with a window
# manager, with the X server's own pointer and keys (xdotool), looking at the window from
# another Windows process (corvane-probe.exe) and at the file's bytes from here.
#   drive.sh ROW       ROW: layout | edit_save | refused | face
# Environment: CORVANE_EXE, CORVANE_PROBE, CORVANE_FILETOOL (Windows programs), CORVANE_CLI
# (the native corvane-cli, which makes the demo files and the expected bytes), WINE,
# WINESERVER, and WINEPREFIX: a prefix of the window rows' own. Wine's desktop process belongs
# to the X display it started on, so each row starts the prefix's server on its own screen and
# stops it at its end.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${CORVANE_IN_XVFB:-}" ]; then
    exec "$here/../../ui/with_window_manager.sh" "$0" "$@"
fi
row=$1
work=$(mktemp -d)
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "${hold_pid:-}" ] && kill "$hold_pid" 2>/dev/null
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$WINEPREFIX"
"$WINE" wineboot </dev/null >/dev/null 2>&1 || true  # makes the prefix on first use

fail() { echo "FAIL ($row): $*" >&2; exit 1; }
win_path() { printf 'Z:%s' "${1//\//\\}"; }
probe() { "$WINE" "$CORVANE_PROBE" "$@" | tr -d '\r'; }
# Waits until `probe ARGS` prints EXPECTED (up to ten seconds).
expect() {
    local expected=$1 got=
    shift
    for _ in $(seq 50); do
        got=$(probe "$@" 2>/dev/null || true)
        [ "$got" = "$expected" ] && return 0
        sleep 0.2
    done
    fail "probe $* printed \"$got\", expected \"$expected\""
}
click() { xdotool mousemove $(probe "$@") click 1; sleep 0.3; }
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }

# A demo file of random bytes with twelve known values: any byte written out of place shows.
make_demo() {
    head -c 18511216 /dev/urandom >"$1"
    "$CORVANE_CLI" set "$1" --team1 100 --team2 121 --team3 9999 --team4 1263 \
        --exhibition 10,20,30,40 --font 50,60,70,80 >/dev/null
}

start() {
    "$WINE" "$CORVANE_EXE" "$@" 2>>"$work/wine.log" &
    app_pid=$!
    probe wait >/dev/null || fail "the window did not appear"
    sleep 0.5
}

# Closes the window with its close box's key and waits for the program to end.
quit() {
    xdotool key alt+F4
    for _ in $(seq 50); do
        kill -0 "$app_pid" 2>/dev/null || { app_pid=; return 0; }
        sleep 0.2
    done
    fail "the program did not end when its window closed"
}

case $row in
layout)
    start
    probe layout || fail "the window is not as its layout table gives it"
    # Nothing but Open works until a file is open.
    expect 0 enabled cmd_Save
    expect 0 enabled TabControl1
    expect 0 enabled "txt(0)"
    expect "" text "txt(0)"
    expect 0 text Up
    # What a screen reader announces: the name and the role (42 text, 46 combo box, 43 push
    # button, 52 spin button).
    expect "Team 1 ID|42" name "txt(0)"
    expect "Team 4 club|46" name Combo4
    expect "Font colour red|42" name "C(10)"
    expect "Font colour hex|42" name Result4
    expect "Loading icon colour|43" name cmd_Color
    expect "Font colour transparency|52" name Up4
    expect "Save|43" name cmd_Save
    # Menu, Open (by keys: the menu has no access keys), and a name typed into the dialog.
    demo=$work/pes2012.exe
    make_demo "$demo"
    click where Image1  # the window has the keyboard
    keys F10 Down Return
    expect "pes2012.exe|" dialog
    xdotool type --delay 20 "$(win_path "$demo")"
    keys Return
    expect 100 text "txt(0)"
    expect 1 enabled cmd_Save
    expect 1 enabled "txt(3)"
    quit
    ;;
edit_save)
    demo=$work/pes2012.exe
    make_demo "$demo"
    echo "a neighbour" >"$work/neighbour.txt"
    cp "$demo" "$work/before.exe"
    start "$(win_path "$demo")"
    # Opened by its argument: the fields show the file; an unknown ID shows no club.
    expect 100 text "txt(0)"
    expect "MANCHESTER UNITED" text Combo1
    expect 9999 text "txt(2)"
    expect "" text Combo3
    expect 1 enabled cmd_Save
    # Type a team ID.
    click where "txt(1)"
    keys End BackSpace BackSpace BackSpace BackSpace BackSpace 4 3 2 1
    expect 4321 text "txt(1)"
    # Enter and Escape in a field are the dialog manager's OK and Cancel: they neither open
    # nor save.
    keys Return Escape
    sleep 0.5
    probe dialog >/dev/null && fail "Enter or Escape in a field opened a dialog"
    cmp -s "$demo" "$work/before.exe" || fail "Enter or Escape in a field wrote the file"
    # Pick a club by its list: the third, S.S.C. NAPOLI, is 327.
    read -r x y < <(probe where Combo3)
    xdotool mousemove $((x + 70)) "$y" click 1
    sleep 0.5
    click item Combo3 2
    expect 327 text "txt(2)"
    expect "S.S.C. NAPOLI" text Combo3
    # Or type a club's exact name: "santos" is no club, SANTOS is 1254.
    read -r x y < <(probe where Combo4)
    xdotool mousemove $((x - 40)) "$y" click 1
    keys End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
    xdotool type --delay 30 santos
    sleep 0.3
    expect 1263 text "txt(3)"
    keys BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
    xdotool type --delay 30 SANTOS
    expect 1254 text "txt(3)"
    # Step a transparency: the up arrow once, then the Up key in the field.
    click where strip
    keys Right  # the second page
    expect 40 text Up
    click arrow Up up
    expect 41 text Up
    click where Up
    keys Up
    expect 42 text Up
    # The colour dialog, cancelled, changes nothing.
    click where cmd_Color
    expect 0 enabled "C(0)"  # the dialog is modal
    probe dialog >/dev/null || fail "no colour dialog"
    keys Escape
    expect 1 enabled "C(0)"
    expect 10 text "C(0)"
    # Save: the message, then every byte of the file and of its neighbour.
    click where cmd_Save
    expect "Corvane|Ready!!!" dialog
    keys Return
    quit
    cp "$work/before.exe" "$work/expected.exe"
    "$CORVANE_CLI" set "$work/expected.exe" --team2 4321 --team3 327 --team4 1254 \
        --exhibition 10,20,30,42 >/dev/null
    cmp "$demo" "$work/expected.exe" || fail "the saved file differs from the expected bytes"
    [ "$(cat "$work/neighbour.txt")" = "a neighbour" ] || fail "the neighbour changed"
    ;;
refused)
    # A short file and a folder are refused on open, with nothing written.
    head -c 1000 /dev/urandom >"$work/short.exe"
    cp "$work/short.exe" "$work/short.before"
    start "$(win_path "$work/short.exe")"
    message=$(probe dialog) || fail "no message for a short file"
    case $message in *1000*18511216*) ;; *) fail "short file: $message" ;; esac
    keys Return
    expect "" text "txt(0)"
    expect 0 enabled cmd_Save
    quit
    cmp "$work/short.exe" "$work/short.before" || fail "the short file changed"
    mkdir "$work/folder.exe"
    start "$(win_path "$work/folder.exe")"
    probe dialog >/dev/null || fail "no message for a folder"
    keys Return
    expect 0 enabled cmd_Save
    quit
    # A file another program holds open, sharing nothing, is not written by Save.
    demo=$work/pes2012.exe
    make_demo "$demo"
    cp "$demo" "$work/before.exe"
    # A name with a trailing dot, which Windows would quietly open as the file without it, is
    # refused by its name.
    start "$(win_path "$demo")."
    probe dialog >/dev/null || fail "no message for a name with a trailing dot"
    keys Return
    expect "" text "txt(0)"
    quit
    start "$(win_path "$demo")"
    expect 100 text "txt(0)"
    click where "txt(0)"
    keys End BackSpace BackSpace BackSpace 7
    coproc HOLD { "$WINE" "$CORVANE_FILETOOL" hold "$(win_path "$demo")" 2>&1; }
    hold_pid=$HOLD_PID
    read -r held <&"${HOLD[0]}"
    [ "${held%$'\r'}" = held ] || fail "the file could not be held: $held"
    click where cmd_Save
    message=$(probe dialog) || fail "no message for a locked file"
    case $message in *Ready*) fail "a locked file was reported saved" ;; esac
    keys Return
    quit
    cmp "$demo" "$work/before.exe" || fail "the locked file changed"
    ;;
face)
    demo=$work/pes2012.exe
    make_demo "$demo"
    start "$(win_path "$demo")"
    expect 1 enabled cmd_Save
    click where "txt(0)"  # the focus and the pointer away from the button
    xdotool mousemove 0 0
    sleep 0.5
    probe face || fail "the Save button's face differs from the engine's image"
    # The pointer over it: the hover timer finds it there, and the face is the hovered one.
    xdotool mousemove $(probe where cmd_Save)
    sleep 0.5
    probe face hover || fail "the hovered Save button's face differs from the engine's image"
    xdotool mousemove 0 0
    sleep 0.5
    probe face || fail "the Save button's face did not come back when the pointer left"
    quit
    ;;
screenshots)
    # Not a test: the README's pictures of corvane.exe under Wine, beside the Qt window's
    # (the same values as tests/ui/ui_screenshots.cpp), into folder $2.
    demo=$work/pes2012.exe
    make_demo "$demo"
    "$CORVANE_CLI" set "$demo" --team1 100 --team2 121 --team3 327 --team4 1264 \
        --exhibition 255,128,0,200 --font 192,224,255,255 >/dev/null
    start "$(win_path "$demo")"
    expect 1 enabled cmd_Save
    xdotool mousemove 0 0
    window=$(xdotool search --name '^Corvane$' | head -1)
    sleep 0.5
    import -window "$window" -frame "$2/windows-teams.png"
    click where strip
    keys Right
    xdotool mousemove 0 0
    sleep 0.5
    import -window "$window" -frame "$2/windows-colours.png"
    quit
    ;;
*)
    echo "usage: drive.sh layout|edit_save|refused|face|screenshots DIR" >&2
    exit 2
    ;;
esac
echo "PASS ($row)"
