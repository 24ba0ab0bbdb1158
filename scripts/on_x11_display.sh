#!/usr/bin/env bash
# Runs a command on an X display of its own (Xvfb), with the openbox window manager when the
# first argument is --window-manager, and stops what it started once the command ends. Its
# status is the command's.
set -euo pipefail
started=()
stop() {
    local pid
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}
trap stop EXIT
number=$(mktemp)
# Xvfb picks a free display and writes its number on descriptor 3 once it is ready.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$number" >/dev/null 2>&1 </dev/null &
started=("$!")
for _ in {1..100}; do
    [[ -s $number ]] && break
    sleep 0.05
done
export DISPLAY=:$(<"$number")
rm -f "$number"
if [[ ${1:-} == --window-manager ]]; then
    shift
    openbox --sm-disable >/dev/null 2>&1 </dev/null &
    started=("$!" "${started[@]}")
    for _ in {1..100}; do
        wmctrl -m >/dev/null 2>&1 && break
        sleep 0.05
    done
fi
"$@"
