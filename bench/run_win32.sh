#!/usr/bin/env bash
# Builds the Windows program and its yardstick (the windows preset) and prints the start-up
# figures under Wine; nothing is checked. ./test.sh runs it in its Windows stage.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows --log-level=WARNING >/dev/null
cmake --build --preset windows --target startup_win32
scripts/wine_session.sh wine build-win/bench/startup_win32.exe
