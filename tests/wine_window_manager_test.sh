#!/usr/bin/env bash
# Quorvelin.exe under Wine and a real window manager (openbox), driven as a user does: "A lire"
# brings back an About window that the window manager minimised (openbox offers a minimise
# button whatever the window's style says), shown and active, and opens About again at one press
# however it was closed. Windows are handed to the window manager here, unlike in the other
# Windows tests, in a prefix of their own. Run it through on_x11_display.sh --window-manager.
set -uo pipefail
program=$1
export WINEPREFIX=${QUORVELIN_WM_PREFIX:-$PWD/build-win/wineprefix-wm} WINEDEBUG=-all
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
mkdir -p "$WINEPREFIX"
wine wineboot --init >/dev/null 2>&1 </dev/null
wineserver -w >/dev/null 2>&1 </dev/null
cp -u /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1 </dev/null
# A double-click time longer than any round below, however slow the machine: a press of "A lire"
# soon after the one that opened About must still open it.
wine reg add 'HKCU\Control Panel\Mouse' /v DoubleClickSpeed /d 10000 /f >/dev/null 2>&1 </dev/null

source "$(dirname "$0")/window_manager_checks.sh"
window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
has_window() { [[ -n $(window "$1") ]]; }
state() { xprop -id "$1" WM_STATE 2>/dev/null | grep -q "state: $2"; }
active() { [[ $(xprop -root _NET_ACTIVE_WINDOW) == *"$(printf '%#x' "$1")" ]]; }

wine "$program" >/dev/null 2>&1 </dev/null &
eventually has_window "Quorvelin " || eventually has_window "Quorvelin " ||
    { echo "FAILED: no main window"; exit 1; }
main=$(window "Quorvelin ")
# "A lire": CmdAide stands at 8, 8 in the main window's client area of 449 x 247, whose frame,
# drawn by Wine or by the window manager, has the same width on three sides.
eval "$(xdotool getwindowgeometry --shell "$main")"
border=$(((WIDTH - 449) / 2))
click_main() { # at x, y in the main window's client area
    xdotool mousemove --window "$main" $((border + $1)) $((HEIGHT - 247 - border + $2)) click 1
}
read_me() { click_main 20 15; }
about_title="À propos de Quorvelin"
read_me
eventually has_window "$about_title" || { echo "FAILED: no About window"; exit 1; }
about=$(window "$about_title")
for round in 1 2; do
    xdotool windowminimize "$about"
    check "About is minimised ($round)" eventually state "$about" Iconic
    read_me
    check "\"A lire\" shows the minimised About again ($round)" eventually state "$about" Normal
    check "\"A lire\" activates About ($round)" eventually active "$about"
done
# Already shown, behind the main window: "A lire" brings it to the front, active.
xdotool windowactivate "$main" 2>/dev/null
check "the main window is active" eventually active "$main"
read_me
check "\"A lire\" activates the shown About" eventually active "$about"

check_reopens_after_every_close
((failures == 0)) && echo "passed"
exit $((failures > 0))
