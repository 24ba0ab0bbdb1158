#!/usr/bin/env bash
# Runs a command under Wine in the Windows build's throw-away prefix (build-win/wineprefix), on
# an X display of its own when Xvfb is installed (otherwise on $DISPLAY), and stops what it
# started once the command ends. Its status is the command's.
#
# Before the command: Wine's server and services are started here, away from the command's
# output, which they would otherwise hold open; and windows are not handed to a window manager:
# Xvfb has none, and Wine would wait two seconds for one at every window closed.
set -euo pipefail
cd "$(dirname "$0")/.."
# First onto a display of its own, when Xvfb is there to give one.
if [[ -z ${QUORVELIN_WINE_DISPLAY:-} ]] && command -v Xvfb >/dev/null; then
    exec scripts/on_x11_display.sh env QUORVELIN_WINE_DISPLAY=1 scripts/wine_session.sh "$@"
fi
export WINEPREFIX=$PWD/build-win/wineprefix WINEDEBUG=-all
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# A server left running from another display would keep the windows on that one.
wineserver -k >/dev/null 2>&1 </dev/null || true
wineserver -w >/dev/null 2>&1 </dev/null || true
# The prefix is made, or brought up to date, by a first start that is let finish: services
# started twice over a new prefix fail, and every program then waits for them.
mkdir -p "$WINEPREFIX"
wine wineboot --init >/dev/null 2>&1 </dev/null
wineserver -w >/dev/null 2>&1 </dev/null
wineserver -p >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
# The faces Windows has, "MS Sans Serif" among them as the bitmap face it is there: Wine alone
# would stand in its own look-alikes for them.
cp -u /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
"$@"
