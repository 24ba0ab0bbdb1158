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
    cat >&2 <<'MSG'
Quorvelin is built (build/Quorvelin) but there is no display to show its window.
Run it on a desktop, or inside a virtual one:
    xvfb-run -a build/Quorvelin
MSG
    exit 1
fi
exec build/Quorvelin "$@"
