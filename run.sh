#!/usr/bin/env bash
# Builds Quorvelin and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
[[ -f build/build.ninja ]] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target Quorvelin

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    cat >&2 <<'MSG'
Quorvelin is built (build/Quorvelin) but there is no display to show its window.
Run it on a desktop, or inside a virtual one:
    xvfb-run -a build/Quorvelin
MSG
    exit 1
fi
exec build/Quorvelin "$@"
