#!/usr/bin/env bash
# Sets up, builds and runs the program, its tests or its benchmarks on a
# Debian 12 machine, installing whatever is missing with apt-get first.
#
#   ./build.sh run     build and start the program
#   ./build.sh check   check the formatting, build and run the fast tests: the
#                      everyday loop
#   ./build.sh test    build and run every test (also under the sanitizers and
#                      valgrind, a fuzzing run, a clang narrowing pass, a
#                      build without the test libraries, every source
#                      compiled against the newest Qt's headers and the
#                      Windows cross-check): every stage runs, even after
#                      one has failed, and a summary ends the run
#   ./build.sh bench   build in Release and run the benchmarks
#   ./build.sh windows cross-build the program and its tests for Windows, run
#                      the tests under Wine and try the installed program
set -euo pipefail
cd "$(dirname "$0")"

# What building and running the program needs.
build_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland libgl-dev
    libicu-dev fonts-wine fonts-liberation2 fonts-noto-core libcups2-dev
    libcli11-dev libcsv-dev nlohmann-json3-dev libxlsxwriter-dev
    libgtest-dev libbenchmark-dev
)
# What the tests need besides: a second compiler for fuzzing, its formatter,
# a virtual display and tools to drive it, a headless Wayland compositor, a
# private print system with an IPP Everywhere printer, PDF tools and a
# typeface with a real italic for the printed sheet.
test_packages=(
    clang clang-format libclang-rt-14-dev valgrind
    xvfb xauth xdotool x11-utils x11-apps imagemagick openbox weston
    cups cups-client cups-ipp-utils printer-driver-cups-pdf poppler-utils fonts-dejavu-extra
    dbus dbus-x11 at-spi2-core python3-pyatspi
    desktop-file-utils appstream faketime locales python3-openpyxl time
)
# What the Windows cross-check needs: MinGW-w64, Wine to run its programs,
# GoogleTest's sources to build it for Windows (and dpkg-source to unpack
# Google Benchmark's, which come from Debian's archive), a virtual display with a
# window manager and tools to drive it, the faked clock, the private print
# system with its PDF queue and PDF tools, a TrueType face with Latin
# letters for the printed sheet (Wine's PostScript driver cannot embed a
# CFF one), NSIS for the installer, and the faces of the tests' font
# folders (one of them renamed by a Python script).
windows_packages=(
    cmake ninja-build g++-mingw-w64-x86-64-posix wine64 googletest libcli11-dev nlohmann-json3-dev
    xvfb xauth xdotool x11-utils imagemagick openbox faketime
    cups cups-client printer-driver-cups-pdf poppler-utils fonts-noto-core nsis unzip python3-openpyxl dpkg-dev
    fonts-wine fonts-liberation2 python3
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The builds themselves, their folders and flags, are the presets in
# CMakePresets.json, so an IDE opens the same builds; this script only puts
# them in order.
jobs=$(nproc)

configure_and_build() { # preset
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j "$jobs"
}

# Qt and ICU built for Windows: the folder NIC_WINDOWS_TOOLCHAIN_DIR names,
# else the one cmake/windows-toolchain.sh makes (and caches) from Debian's
# sources the first time.
windows_toolchain() {
    if [ -n "${NIC_WINDOWS_TOOLCHAIN_DIR:-}" ]; then
        echo "$NIC_WINDOWS_TOOLCHAIN_DIR"
        return
    fi
    local cache=${NIC_WINDOWS_TOOLCHAIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/nic-decoder/windows-toolchain}
    if [ ! -f "$cache/done" ]; then
        echo "Building Qt and ICU for Windows into $cache (about 65 minutes on 2 cores)" >&2
        cmake/windows-toolchain.sh "$cache" >&2
    fi
    echo "$cache"
}

windows_cli_libraries() { # folder
    # nic-decode's libraries for Windows, made once into the build folder:
    # CLI11's and nlohmann-json's headers and CMake packages as Debian ships
    # them (they compile for any target), and libcsv, libxlsxwriter and the
    # zlib it needs (Debian ships no zlib for MinGW), each built as a static
    # library with MinGW-w64 from Debian's own source package.
    local prefix=$1/cli-libraries work source file
    [ -f "$prefix/lib/libxlsxwriter.a" ] && return 0
    local cc=x86_64-w64-mingw32-gcc-posix ar=x86_64-w64-mingw32-ar
    work=$(mktemp -d)
    rm -rf "$prefix"
    mkdir -p "$prefix/include" "$prefix/lib" "$prefix/share/cmake"
    cp -r /usr/include/CLI /usr/include/nlohmann "$prefix/include/"
    cp -r /usr/share/cmake/CLI11 /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
    cmake/debian-sources.sh "$work" libcsv zlib libxlsxwriter
    tar -xzf "$work"/libcsv_*.orig.tar.gz -C "$work"
    source=$(dirname "$(find "$work" -name libcsv.c | head -1)")
    cp "$source/csv.h" "$prefix/include/"
    $cc -O2 -c "$source/libcsv.c" -I"$source" -o "$work/libcsv.o"
    $ar rcs "$prefix/lib/libcsv.a" "$work/libcsv.o"

    tar -xjf "$work"/zlib_*.orig.tar.bz2 -C "$work"
    source=$(dirname "$(find "$work" -name deflate.c -path '*zlib*' -not -path '*contrib*' | head -1)")
    mkdir -p "$work/zlib"
    for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees \
        trees uncompr zutil; do
        $cc -O2 -c "$source/$file.c" -I"$source" -o "$work/zlib/$file.o"
    done
    $ar rcs "$prefix/lib/libz.a" "$work"/zlib/*.o
    cp "$source/zlib.h" "$source/zconf.h" "$prefix/include/"

    # As libxlsxwriter's own build makes it for a static MinGW library: its
    # minizip, temporary files and MD5, 32-bit file offsets in minizip.
    tar -xzf "$work"/libxlsxwriter_*.orig.tar.gz -C "$work"
    source=$(dirname "$(find "$work" -name workbook.c -path '*src*' | head -1)")/..
    mkdir -p "$work/xlsxwriter"
    for file in "$source"/src/*.c "$source"/third_party/minizip/ioapi.c "$source"/third_party/minizip/zip.c \
        "$source"/third_party/tmpfileplus/tmpfileplus.c "$source"/third_party/md5/md5.c; do
        $cc -O2 -DNOCRYPT -DNOUNCRYPT -DUSE_FILE32API -I"$source/include" -I"$prefix/include" \
            -c "$file" -o "$work/xlsxwriter/$(basename "$file" .c).o"
    done
    cp -r "$source/include/xlsxwriter.h" "$source/include/xlsxwriter" "$prefix/include/"
    # Last, for it marks the folder as made.
    $ar rcs "$prefix/lib/libxlsxwriter.a" "$work"/xlsxwriter/*.o
    rm -rf "$work"
}

windows_benchmark_library() { # folder toolchain-file
    # Google Benchmark for Windows, made once into the build folder with
    # MinGW-w64 from Debian's own source package (its patches applied), so
    # the benchmarks are built for Windows as the runner builds them.
    local prefix=$1/benchmark work version
    [ -f "$prefix/lib/cmake/benchmark/benchmarkConfig.cmake" ] && return 0
    work=$(mktemp -d)
    cmake/debian-sources.sh "$work" benchmark
    dpkg-source --no-check -x "$work"/benchmark_*.dsc "$work/source" >/dev/null
    # Debian's packaging names the version, which upstream reads from git.
    version=$(sed -n 's/^Version: \(.*\)-[^-]*$/\1/p' "$work"/benchmark_*.dsc)
    cmake -S "$work/source" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$2" -DCMAKE_BUILD_TYPE=Release \
        -DGIT_VERSION="$version" -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
        -DBENCHMARK_INSTALL_DOCS=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
    cmake --build "$work/build" -j "$jobs"
    cmake --install "$work/build" >/dev/null
    rm -rf "$work"
}

run_windows_check() {
    # The whole program, its tests and its benchmarks, built for 64-bit
    # Windows with MinGW-w64 against Qt and ICU built the same way, and a
    # GoogleTest, a Google Benchmark and nic-decode's libraries built here;
    # the tests run under Wine.
    local folder=$PWD/build-windows
    local toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
    local toolchain_dir
    toolchain_dir=$(windows_toolchain)
    if [ ! -f "$folder/googletest/lib/cmake/GTest/GTestConfig.cmake" ]; then
        cmake -S /usr/src/googletest -B "$folder/googletest-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$folder/googletest" >/dev/null
        cmake --build "$folder/googletest-build" -j "$jobs"
        cmake --install "$folder/googletest-build" >/dev/null
    fi
    windows_benchmark_library "$folder" "$toolchain"
    # A Wine prefix of its own in the build folder, made once, with no
    # display; the build's run-under-wine hands the same prefix to ctest.
    windows_cli_libraries "$folder"
    local -x WINEPREFIX=$folder/wine WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
    cmake --preset windows -DNIC_WINDOWS_TOOLCHAIN_DIR="$toolchain_dir" >/dev/null
    cmake --build --preset windows -j "$jobs"

    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Making the Wine prefix $WINEPREFIX"
        timeout 300 /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || {
            echo "wineboot did not finish within 5 minutes" >&2
            return 1
        }
    fi
    local status=0
    ctest --test-dir "$folder" --output-on-failure --timeout 300 -j "$jobs" || status=$?
    /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    # The installed program in a fresh Wine prefix, worked as a user would on
    # a virtual display, at 96 and 144 dots per inch.
    local scale
    for scale in 1 1.5; do
        NIC_SESSION_SHOTS=$folder/session-shots-$scale tests/user_session_test.sh "$folder" "$scale" || status=$?
    done
    # The ZIP and the NSIS installer, each in a fresh prefix.
    tests/windows_package_test.sh "$folder" || status=$?
    return $status
}

# Every C++ file as .clang-format lays it out; a dry run names each line
# that differs, so the fix is `clang-format -i` on the files it lists.
# Outside a git checkout (an unpacked source archive) every file is found.
check_format() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -z -- '*.cpp' '*.h'
    else
        find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0
    fi | xargs -0 clang-format --dry-run --Werror
}

# Each folder fuzzes its own code: the decoder, and nic-decode's line reader
# and CSV writer; 30 seconds each, from a copy of the folder's corpus.
run_fuzzers() {
    configure_and_build fuzz
    local folder fuzzer corpus status=0
    for folder in decoder cli; do
        fuzzer=$(find "build-fuzz/$folder/fuzz" -maxdepth 1 -name '*_fuzzer' -type f -executable)
        corpus=$(mktemp -d)
        cp "$folder"/fuzz/corpus/* "$corpus"/
        echo "Fuzzing $folder ($(basename "$fuzzer")) for 30 seconds"
        "$fuzzer" -max_total_time=30 -print_final_stats=1 "$corpus" >"$corpus.log" 2>&1 || status=$?
        tail -12 "$corpus.log"
        rm -rf "$corpus" "$corpus.log"
    done
    return $status
}

run_sanitized_tests() {
    # Everything again with AddressSanitizer and UndefinedBehaviorSanitizer,
    # the windows and the whole program included.
    configure_and_build asan
    ctest --preset asan -j "$jobs"
}

# Every stage of the test run, each in a subshell of its own with errexit
# (a command that fails ends its stage, not the run), its result and time
# kept for the summary.
stage_names=()
stage_results=()
stage_seconds=()

run_stage() { # name command [argument...]
    local name=$1 start=$SECONDS status
    shift
    echo "=== $name"
    set +e
    (
        set -e
        "$@"
    )
    status=$?
    set -e
    stage_names+=("$name")
    stage_results+=("$status")
    stage_seconds+=($((SECONDS - start)))
}

# One line a stage; non-zero when any stage failed.
summarize_stages() {
    local i failed=0 result
    echo
    printf '%-18s %-8s %s\n' stage result time
    for i in "${!stage_names[@]}"; do
        result=passed
        if [ "${stage_results[$i]}" -ne 0 ]; then
            result=FAILED
            failed=1
        fi
        printf '%-18s %-8s %d:%02d\n' "${stage_names[$i]}" "$result" $((stage_seconds[i] / 60)) $((stage_seconds[i] % 60))
    done
    printf '%-18s %-8s %d:%02d\n' all "$([ $failed -eq 0 ] && echo passed || echo FAILED)" $((SECONDS / 60)) $((SECONDS % 60))
    return $failed
}

case "${1:-}" in
run)
    install_missing "${build_packages[@]}"
    configure_and_build default
    exec build/app/nic-decoder
    ;;
check)
    install_missing "${build_packages[@]}" "${test_packages[@]}"
    check_format
    configure_and_build default
    ctest --preset check -j "$jobs"
    ;;
test)
    install_missing "${build_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}"
    run_stage format check_format
    run_stage default configure_and_build default
    run_stage newest-qt cmake/newest-qt-check.py build
    run_stage plain configure_and_build plain
    run_stage clang-narrowing configure_and_build clang-narrowing
    run_stage windows run_windows_check
    run_stage fuzz run_fuzzers
    run_stage asan run_sanitized_tests
    run_stage valgrind tests/valgrind_offscreen.sh build
    run_stage ctest ctest --preset default -j "$jobs"
    summarize_stages
    ;;
windows)
    install_missing "${windows_packages[@]}"
    run_windows_check
    ;;
bench)
    install_missing "${build_packages[@]}"
    configure_and_build release
    for benchmark in $(find build-release -name '*_benchmark' -type f -executable | sort); do
        "$benchmark"
    done
    ;;
*)
    echo "usage: $0 run | check | test | bench | windows" >&2
    exit 2
    ;;
esac
