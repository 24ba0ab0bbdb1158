#!/usr/bin/env bash
# Installs what Debian 12 needs to build and run Quorvelin; `scripts/setup.sh test` adds what
# the test stages, the benchmarks and the package need. Idempotent: when every package is
# there it only asks dpkg, which takes a fraction of a second and needs no root.
set -euo pipefail

packages=(
    cmake ninja-build g++ qt6-base-dev
    libxcb1-dev           # the window state that keeps About out of the taskbar
    fonts-liberation2     # the face of the width the windows were drawn for
    qt6-translations-l10n # Qt's own texts (menus of the entry boxes) in French
)
if [[ ${1:-} == test ]]; then
    packages+=(
        python3 googletest libgtest-dev
        clang-format clang libclang-rt-14-dev
        libbenchmark-dev python3-nmea2 gpsd-clients
        xvfb xauth x11-utils imagemagick
        dpkg-dev file lintian desktop-file-utils appstream appstream-compose
        locales
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 wine
        fonts-wine                       # the faces Windows has, copied into Wine's prefix
        openbox wmctrl xdotool           # the windows' life under a real window manager
        python3-pyatspi at-spi2-core dbus-daemon # what a screen reader hears, over AT-SPI
        qt6-gtk-platformtheme qt6ct      # the desktops' own themes, dark ones included
        gputils gpsim srecord python3-intelhex # the firmware forms read by the PIC tools
        socat                            # a serial line made of two pseudo-terminals
        gpsd gpsbabel python3-gpxpy libxml2-utils # --timestamp and --format gpx read back
    )
fi

# Only installing needs root: a user is asked for sudo for that one command, so the build
# folders stay the user's. Without sudo, the exact command is printed for root to run.
as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        bash -c "$1"
    elif command -v sudo >/dev/null; then
        sudo bash -c "$1"
    else
        printf 'As root, run:\n    %s\nthen run this again as yourself.\n' "$1" >&2
        exit 1
    fi
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    as_root "apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends ${missing[*]}"
fi

# The tests check that a French locale changes nothing in the sentence.
if [[ ${1:-} == test ]] && ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
    echo "Generating the fr_FR.UTF-8 locale"
    as_root "localedef -i fr_FR -f UTF-8 fr_FR.UTF-8"
fi
