#!/usr/bin/env bash
# Sets up, builds and runs the program, its tests or its benchmarks on a
# Debian 12 machine, installing whatever is missing with apt-get first.
#
#   ./build.sh run     build and start the program
#   ./build.sh test    build and run every test (also under the sanitizers and
#                      valgrind, and a fuzzing run)
#   ./build.sh bench   build in Release and run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

# What building and running the program needs.
build_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland libgl-dev
    libicu-dev fonts-wine fonts-liberation2 libcups2-dev
    libgtest-dev libbenchmark-dev
)
# What the tests need besides: a second compiler for fuzzing, a virtual
# display and tools to drive it, a headless Wayland compositor, a private
# print system, PDF tools and a typeface with a real italic for the printed
# sheet.
test_packages=(
    clang libclang-rt-14-dev valgrind
    xvfb xauth xdotool x11-utils x11-apps imagemagick openbox weston qt6-wayland
    cups cups-client printer-driver-cups-pdf poppler-utils fonts-dejavu-extra
    dbus dbus-x11 at-spi2-core python3-pyatspi
    desktop-file-utils appstream faketime
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

jobs=$(nproc)

configure_and_build() { # folder, then extra CMake arguments
    local folder=$1
    shift
    cmake -S . -B "$folder" -G Ninja "$@" >/dev/null
    cmake --build "$folder" -j "$jobs"
}

build_program() {
    configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
}

run_fuzzer() {
    # The decoder itself is instrumented too, so the fuzzer sees its branches.
    CC=clang CXX=clang++ configure_and_build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined" \
        -DNIC_WITH_QT=OFF -DNIC_TESTS=OFF -DNIC_BENCHMARKS=OFF -DNIC_FUZZ=ON
    local corpus
    corpus=$(mktemp -d)
    cp decoder/fuzz/corpus/* "$corpus"/
    echo "Fuzzing the decoder for 60 seconds"
    build-fuzz/decoder/fuzz/decoder_fuzzer -max_total_time=60 -print_final_stats=1 "$corpus" 2>&1 | tail -12
    rm -rf "$corpus"
}

run_sanitized_tests() {
    # Everything again with AddressSanitizer and UndefinedBehaviorSanitizer,
    # the windows and the whole program included. The grow pace test is left
    # out: it times the real program, and instrumented code is not that.
    configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DNIC_WITH_QT=ON -DNIC_TESTS=ON -DNIC_BENCHMARKS=OFF \
        "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build-asan --output-on-failure -j "$jobs" -E '^grow_pace_test$'
}

case "${1:-}" in
run)
    install_missing "${build_packages[@]}"
    build_program
    exec build/app/nic-decoder
    ;;
test)
    install_missing "${build_packages[@]}" "${test_packages[@]}"
    build_program
    run_fuzzer
    run_sanitized_tests
    tests/valgrind_offscreen.sh build
    ctest --test-dir build --output-on-failure -j "$jobs"
    ;;
bench)
    install_missing "${build_packages[@]}"
    configure_and_build build-release -DCMAKE_BUILD_TYPE=Release -DNIC_TESTS=OFF
    for benchmark in $(find build-release -name '*_benchmark' -type f -executable | sort); do
        "$benchmark"
    done
    ;;
*)
    echo "usage: $0 run | test | bench" >&2
    exit 2
    ;;
esac
