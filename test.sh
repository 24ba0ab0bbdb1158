#!/usr/bin/env bash
# Builds Quorvelin and runs every test stage headless. Exits non-zero if any stage fails.
set -uo pipefail
cd "$(dirname "$0")"
root=$PWD
jobs=$(nproc)
failed=()

stage() { printf '\n=== %s ===\n' "$1"; }
fail() {
    echo "*** FAILED: $1"
    failed+=("$1")
}
skipped() { printf '\n!!!!!!!! SKIPPED: %s — %s !!!!!!!!\n\n' "$1" "$2"; }

stage "setup"
scripts/setup.sh || { echo "setup failed"; exit 1; }

stage "format"
mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.h.in' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}"; then
    fail "format (run clang-format -i on the files above)"
fi

stage "build and test (Linux)"
if [[ ! -f build/build.ninja ]]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo || fail "configure"
fi
if cmake --build build -j "$jobs"; then
    (cd build && ctest --output-on-failure -j "$jobs") || fail "Linux tests"
else
    fail "Linux build"
fi

stage "sanitizers: unit and widget tests under AddressSanitizer and UBSan"
if [[ ! -f build-asan/build.ninja ]]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" ||
        fail "sanitizer configure"
fi
if cmake --build build-asan -j "$jobs"; then
    (cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure -j "$jobs") || fail "tests under sanitizers"
else
    fail "sanitizer build"
fi

stage "fuzzing: libFuzzer with AddressSanitizer and UBSan, ${FUZZ_SECONDS:=30} s a target"
if ! command -v clang++ >/dev/null; then
    skipped "fuzzing" "clang++ is not installed"
else
    if [[ ! -f build-fuzz/build.ninja ]]; then
        CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DQUORVELIN_WITH_QT=OFF -DQUORVELIN_TESTS=OFF -DQUORVELIN_FUZZ=ON \
            -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" ||
            fail "fuzz configure"
    fi
    if cmake --build build-fuzz -j "$jobs"; then
        for target in compose registry; do
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
fi

stage "install: desktop entry, metainfo, icon"
stage_dir=$root/build/install-check
rm -rf "$stage_dir"
if DESTDIR=$stage_dir cmake --install build --prefix /usr >/dev/null; then
    for file in usr/bin/Quorvelin \
        usr/share/applications/org.example.vexor.quorvelin.desktop \
        usr/share/metainfo/org.example.vexor.quorvelin.metainfo.xml \
        usr/share/icons/hicolor/32x32/apps/org.example.vexor.quorvelin.png; do
        [[ -f $stage_dir/$file ]] || fail "installed file missing: $file"
    done
    desktop-file-validate "$stage_dir/usr/share/applications/org.example.vexor.quorvelin.desktop" ||
        fail "desktop-file-validate"
    appstreamcli validate --no-net --pedantic \
        "$stage_dir/usr/share/metainfo/org.example.vexor.quorvelin.metainfo.xml" ||
        fail "appstreamcli validate"
    [[ $(identify -format '%wx%h' "$stage_dir/usr/share/icons/hicolor/32x32/apps/org.example.vexor.quorvelin.png") == 32x32 ]] ||
        fail "icon is not 32x32"
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

stage "Debian package"
rm -rf build/package && mkdir -p build/package/root
if (cd build/package && cpack -G DEB --config ../CPackConfig.cmake >cpack.log 2>&1); then
    deb=$(ls build/package/*.deb)
    echo "$deb: $(dpkg-deb -f "$deb" Depends)"
    dpkg -x "$deb" build/package/root
    for file in usr/bin/Quorvelin \
        usr/share/applications/org.example.vexor.quorvelin.desktop \
        usr/share/metainfo/org.example.vexor.quorvelin.metainfo.xml \
        usr/share/icons/hicolor/32x32/apps/org.example.vexor.quorvelin.png; do
        [[ -f build/package/root/$file ]] || fail "package lacks $file"
    done
    dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "package does not depend on Qt Widgets"
else
    cat build/package/cpack.log
    fail "cpack"
fi

stage "Windows: cross-build with MinGW-w64, tests under Wine"
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || ! command -v wine >/dev/null; then
    skipped "Windows stage" "MinGW-w64 or Wine is not installed"
else
    export WINEPREFIX=$root/build-win/wineprefix WINEDEBUG=-all
    if [[ ! -f build-win/build.ninja ]]; then
        cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
            -DCMAKE_BUILD_TYPE=Release -DQUORVELIN_WITH_QT=OFF || fail "Windows configure"
    fi
    if cmake --build build-win -j "$jobs"; then
        # Wine's server and services outlive a program; started here, away from CTest's
        # pipes, they do not keep CTest waiting for the output of a finished test.
        wineserver -p >/dev/null 2>&1
        wine wineboot --init >/dev/null 2>&1
        (cd build-win && ctest --output-on-failure) || fail "Windows tests under Wine"
        wineserver -k >/dev/null 2>&1
    else
        fail "Windows build"
    fi
fi

echo
if ((${#failed[@]})); then
    echo "FAILED stages: ${failed[*]}"
    exit 1
fi
echo "All test stages passed."
