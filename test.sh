#!/usr/bin/env bash
# Builds Quorvelin and runs every test stage headless. Exits non-zero if any stage fails.
# Each build is a preset of CMakePresets.json, which an IDE can pick as well.
set -uo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)
failed=()

stage() { printf '\n=== %s ===\n' "$1"; }
fail() {
    echo "*** FAILED: $1"
    failed+=("$1")
}
skipped() { printf '\n!!!!!!!! SKIPPED: %s — %s !!!!!!!!\n\n' "$1" "$2"; }
# Configures a preset (every time, so that the preset's settings hold) and builds it.
build() { cmake --preset "$1" --log-level=WARNING && cmake --build --preset "$1" -j "$jobs"; }

# What installing the program puts on a system: checked after `cmake --install` and in the package.
app_id=org.example.vexor.quorvelin
icon_sizes=(32 48 64 128 256)
icon() { echo "usr/share/icons/hicolor/$1x$1/apps/$app_id.png"; }
installed=(usr/bin/Quorvelin usr/bin/quorvelin-trame usr/share/applications/$app_id.desktop
    usr/share/metainfo/$app_id.metainfo.xml usr/share/man/man1/Quorvelin.1.gz
    usr/share/man/man1/quorvelin-trame.1.gz
    usr/share/doc/quorvelin/copyright usr/share/doc/quorvelin/changelog.gz)
for size in "${icon_sizes[@]}"; do installed+=("$(icon "$size")"); done
# Fails a stage ($2) for each file of the list missing under $1, and for an icon of the wrong size.
check_installed() {
    local file size
    for file in "${installed[@]}"; do
        [[ -f $1/$file ]] || fail "$2 lacks $file"
    done
    for size in "${icon_sizes[@]}"; do
        file=$1/$(icon "$size")
        [[ ! -f $file || $(identify -format '%wx%h' "$file") == "${size}x$size" ]] ||
            fail "$2: the $size-pixel icon is not ${size}x$size"
    done
}

stage "setup"
scripts/setup.sh test || { echo "setup failed"; exit 1; }

stage "format"
mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.h.in' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}"; then
    fail "format (run clang-format -i on the files above)"
fi

stage "build and test (Linux)"
if build default; then
    ctest --preset default -j "$jobs" || fail "Linux tests"
else
    fail "Linux build"
fi

stage "sanitizers: unit and widget tests under AddressSanitizer and UBSan"
if build sanitizers; then
    ctest --preset sanitizers -j "$jobs" || fail "tests under sanitizers"
else
    fail "sanitizer build"
fi

stage "fuzzing: libFuzzer with AddressSanitizer and UBSan, ${FUZZ_SECONDS:=30} s a target"
if ! command -v clang++ >/dev/null; then
    skipped "fuzzing" "clang++ is not installed"
elif build fuzzing; then
    for target in compose registry trame; do
        work=build-fuzz/run-$target
        rm -rf "$work" && mkdir -p "$work/corpus" "$work/artifacts"
        # Inputs that once crashed are replayed first; then a bounded run from the seeds.
        mapfile -t regressions < <(find "fuzz/regressions/$target" -type f ! -name '.keep')
        if ((${#regressions[@]})) && ! "build-fuzz/fuzz/${target}_fuzz" "${regressions[@]}"; then
            fail "fuzz regression inputs of $target"
        fi
        if ! "build-fuzz/fuzz/${target}_fuzz" -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 \
            -artifact_prefix="$work/artifacts/" "$work/corpus" "fuzz/corpus/$target" 2>"$work/log"; then
            tail -40 "$work/log"
            fail "fuzzing $target: keep the input in $work/artifacts as fuzz/regressions/$target/"
        else
            grep -E 'stat::number_of_executed_units|Done' "$work/log" | tail -2
        fi
    done
else
    fail "fuzz build"
fi

stage "install: desktop entry, metainfo, icons, software-centre data"
root=build/install-check
rm -rf "$root"
if DESTDIR=$PWD/$root cmake --install build --prefix /usr >/dev/null; then
    check_installed "$root" "cmake --install"
    desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop-file-validate"
    appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
        fail "appstreamcli validate"
    # What a software centre's catalogue is made from: no error, and no warning either.
    rm -rf build/compose
    report=$(appstreamcli compose --no-color --no-net --print-report=full --origin=quorvelin \
        --result-root=build/compose "$root" 2>&1)
    status=$?
    echo "$report"
    ((status == 0)) && ! grep -qE '^ +[EW]:' <<<"$report" || fail "appstreamcli compose"
    # Docks tie the window to its launcher by the class that Qt gives the window.
    class=$(grep -oP '^StartupWMClass=\K.*' "$root/usr/share/applications/$app_id.desktop")
    xvfb-run -a bash -c 'build/Quorvelin & for _ in {1..50}; do
            xwininfo -root -tree | grep -F "\"Quorvelin \": (" && break; sleep 0.2; done
        kill $!' | grep -qF "\"$class\")" || fail "the window's class is not StartupWMClass=$class"
else
    fail "cmake --install"
fi

stage "benchmarks (figures are printed, never checked)"
# On an X display as well as offscreen: a real display is what users start the program on.
if [[ -z ${DISPLAY:-} ]] && command -v xvfb-run >/dev/null; then
    xvfb-run -a bench/run.sh || fail "benchmarks"
else
    bench/run.sh || fail "benchmarks"
fi

stage "Debian package: stripped, hardened, lintian-clean"
rm -rf build-package/deb build-package/root
if build package && cpack --preset package >build-package/cpack.log 2>&1; then
    deb=$(ls build-package/deb/*.deb)
    echo "$deb: Depends: $(dpkg-deb -f "$deb" Depends); Recommends: $(dpkg-deb -f "$deb" Recommends)"
    dpkg -x "$deb" build-package/root
    check_installed build-package/root "the package"
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6.*fonts-liberation2\|fonts-liberation2.*libqt6widgets6' ||
        fail "the package does not depend on Qt Widgets and fonts-liberation2"
    [[ $(dpkg-deb -f "$deb" Recommends) == "xdg-utils, qt6-translations-l10n" ]] ||
        fail "the package does not recommend xdg-utils and Qt's translations"
    for program in Quorvelin quorvelin-trame; do
        file build-package/root/usr/bin/$program | grep -q ', stripped' || fail "$program is not stripped"
    done
    # Errors and warnings fail. Information and pedantic notes are shown; each one left is
    # either overridden with its reason in packaging/lintian-overrides or explained here:
    # - binary-has-unneeded-section .comment: the compiler's name, which the C runtime's own
    #   objects bring too; Debian's dh_strip removes the section, CMake's strip keeps it.
    lintian --display-info --pedantic --fail-on error,warning "$deb" || fail "lintian"
else
    cat build-package/cpack.log
    fail "Debian package"
fi

stage "Windows: cross-build with MinGW-w64, tests under Wine"
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || ! command -v wine >/dev/null; then
    skipped "Windows stage" "MinGW-w64 or Wine is not installed"
elif build windows; then
    # The windows need an X display: Xvfb's, or the one this runs on.
    without_display=()
    if ! command -v Xvfb >/dev/null && [[ -z ${DISPLAY:-} ]]; then
        skipped "Windows window tests" "Xvfb is not installed and there is no display"
        without_display=(-LE display)
    fi
    scripts/wine_session.sh ctest --preset windows "${without_display[@]}" ||
        fail "Windows tests under Wine"
    # The zip for Windows users: both programs, their notice and the licence.
    rm -rf build-win/zip
    if cpack --preset windows >build-win/cpack.log 2>&1; then
        zip=$(ls build-win/zip/*.zip)
        listed=$(python3 -m zipfile -l "$zip")
        echo "$listed"
        for file in Quorvelin.exe quorvelin-trame.exe LISEZMOI.txt LICENSE.txt; do
            grep -qE "/$file " <<<"$listed" || fail "the Windows zip lacks $file"
        done
        # Readable in every Notepad: UTF-8 with its byte-order mark, CR LF line ends.
        python3 - "$zip" <<'PY' || fail "LISEZMOI.txt is not UTF-8 with a byte-order mark and CR LF"
import re, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    text = z.read(next(n for n in z.namelist() if n.endswith("/LISEZMOI.txt")))
sys.exit(not (text.startswith(b"\xef\xbb\xbf") and not re.search(rb"(?<!\r)\n", text)))
PY
    else
        cat build-win/cpack.log
        fail "Windows zip"
    fi
    if ((${#without_display[@]} == 0)); then
        echo "Start-up figures (printed, never checked):"
        bench/run_win32.sh || fail "Windows start-up benchmark"
    fi
else
    fail "Windows build"
fi

echo
if ((${#failed[@]})); then
    echo "FAILED stages: ${failed[*]}"
    exit 1
fi
echo "All test stages passed."
