#!/usr/bin/env bash
# The program under a real window manager (openbox), driven as a user does: the main window is
# an application window with a close box alone; the About window stays out of the taskbar,
# without an icon and without pinning itself above the main window; "A lire" brings back an
# iconic About window, and opens About again at one press however it was closed; closing the
# main window leaves About open, usable and back in the taskbar, and closing About then ends the
# program with status 0. Run it through on_x11_display.sh --window-manager.
set -uo pipefail
program=$1
source "$(dirname "$0")/window_manager_checks.sh"
window() { wmctrl -lp 2>/dev/null | awk -v pid="$pid" -v title="$1" '$3 == pid && index($0, title) { print $1 }'; }
has_window() { [[ -n $(window "$1") ]]; }
property() { xprop -id "$1" "$2"; }
lacks() { ! property "$1" "$2" | grep -q "$3"; }
iconic() { property "$1" WM_STATE | grep -q 'state: Iconic'; }
shown() { property "$1" WM_STATE | grep -q 'state: Normal'; }
active() { [[ $(xprop -root _NET_ACTIVE_WINDOW) == *"$(printf '%#x' "$1")" ]]; }
topmost() { [[ $(xprop -root _NET_CLIENT_LIST_STACKING) == *"$(printf '%#x' "$1")" ]]; }
# _MOTIF_WM_HINTS: flags, functions, decorations. Minimise and maximise are functions 8 and 16,
# decorations 32 and 64; closing is function 32.
motif() { property "$1" _MOTIF_WM_HINTS | awk -F'[=,] *' '{ print $3, $4 }'; }
close_box_alone() {
    read -r functions decorations < <(motif "$1")
    ((functions & 32 && !(functions & 24) && !(decorations & 96)))
}

"$program" &
pid=$!
about_title="À propos de Quorvelin"
eventually has_window "Quorvelin " || { echo "FAILED: no main window"; kill "$pid"; exit 1; }
main=$(window "Quorvelin ")
check "the main window is a normal application window" \
    eval 'property $main _NET_WM_WINDOW_TYPE | grep -q "= _NET_WM_WINDOW_TYPE_NORMAL$"'
check "the main window is in the taskbar" lacks "$main" _NET_WM_STATE SKIP_TASKBAR
check "the main window offers the close box alone" close_box_alone "$main"

# "A lire": CmdAide stands at 8, 8 in the main window.
read_me() { xdotool mousemove --window "$main" 20 15 click 1; }
read_me
eventually has_window "$about_title" || { echo "FAILED: no About window"; kill "$pid"; exit 1; }
about=$(window "$about_title")
check "About is out of the taskbar" eval 'property $about _NET_WM_STATE | grep -q SKIP_TASKBAR'
check "About is transient for no window" lacks "$about" WM_TRANSIENT_FOR 'window id'
# Openbox gives a window without an icon its own default one: About's must be that one, the
# same as a bare X window's, while the main window keeps the program's, in each of its sizes.
icon() { xprop -id "$1" -notype 32x _NET_WM_ICON; }
xmessage -name quorvelin-bare "" &
bare_pid=$!
eventually eval '[[ -n $(xdotool search --classname quorvelin-bare) ]]'
bare=$(xdotool search --classname quorvelin-bare | head -1)
check "About has no icon of its own" eventually eval '[[ $(icon $about) == "$(icon $bare)" ]]'
kill "$bare_pid"
check "the main window keeps the program's icon" \
    eval 'property $main _NET_WM_ICON | grep -c "Icon (\(32\|48\|64\|128\) x" | grep -qx 4'
check "About offers the close box alone" close_box_alone "$about"
wmctrl -i -a "$main"
check "the main window comes above About" eventually topmost "$main"

xdotool windowminimize "$about"
check "About is minimised" eventually iconic "$about"
read_me
check "\"A lire\" restores the minimised About" eventually shown "$about"
check "\"A lire\" activates the restored About" eventually active "$about"
check "the restored About is still out of the taskbar" \
    eval 'property $about _NET_WM_STATE | grep -q SKIP_TASKBAR'
check_reopens_after_every_close

wmctrl -i -c "$main"
check "the main window closes" eventually eval '! has_window "Quorvelin "'
check "About stays open" shown "$about"
check "About, alone, is back in the taskbar" eventually lacks "$about" _NET_WM_STATE SKIP_TASKBAR
# A click on OK is handled, and closes the last window.
close_about OK
for _ in {1..100}; do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
if kill -0 "$pid" 2>/dev/null; then
    echo "FAILED: the program still runs after its last window was closed"
    kill "$pid"
    failures=$((failures + 1))
else
    wait "$pid"
    status=$?
    check "the program ends with status 0 (got $status)" test "$status" -eq 0
fi
((failures == 0)) && echo "passed"
exit $((failures > 0))
