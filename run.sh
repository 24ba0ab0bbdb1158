#!/usr/bin/env bash
# Builds Quorvelin and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
# The build folder of the default preset, which ./test.sh shares; the tests are left out
# until ./test.sh asks for them.
[[ -f build/build.ninja ]] || cmake --preset default --log-level=WARNING -DBUILD_TESTING=OFF
cmake --build --preset default --target Quorvelin

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "Quorvelin is built (build/Quorvelin) but there is no display to show its window." >&2
    echo "Start it from a desktop session, or inside a virtual display:" >&2
    # Advice that works here: xvfb-run only once it is installed.
    if ! command -v xvfb-run >/dev/null; then
        [[ $(id -u) -eq 0 ]] && as_root="" || as_root="sudo "
        echo "    ${as_root}apt-get install xvfb xauth" >&2
    fi
    echo "    xvfb-run -a build/Quorvelin" >&2
    exit 1
fi
exec build/Quorvelin "$@"
