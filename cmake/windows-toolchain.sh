#!/usr/bin/env bash
# Builds Qt's qtbase 6.4.2 and ICU 72.1 for 64-bit Windows (x86_64-w64-mingw32,
# posix threads) with Debian's MinGW-w64, from Debian 12's own source packages,
# into the folder named first (build.sh: ~/.cache/nic-decoder/windows-toolchain):
# qt-6.4.2-mingw-w64/ and icu-72.1-mingw-w64/, what cmake/mingw-w64-x86_64.cmake
# finds through NIC_WINDOWS_TOOLCHAIN_DIR. About 50 minutes for Qt and 15 for
# ICU on 2 cores; the sources and build folders go to WORK_DIR (default
# /tmp/nic-windows-toolchain) and can be removed afterwards.
#
# Needs g++-mingw-w64-x86-64-posix cmake ninja-build perl qt6-base-dev
# qt6-base-dev-tools (Qt's host tools, the same version), and network access to
# Debian's archive for `apt-get source` (through a private list, so the
# machine's own sources stay as they are).
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 FOLDER" >&2; exit 2; }
mkdir -p "$1"
out=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd) # before the cd below: build.sh names this script relatively
work=${WORK_DIR:-/tmp/nic-windows-toolchain}
mkdir -p "$work/src"
cd "$work"

"$here/debian-sources.sh" src qt6-base icu

toolchain=$here/mingw-w64-x86_64.cmake

# Qt: Core, Gui, Widgets, PrintSupport, Test; the windows, offscreen and
# minimal platforms; the windowsvista style.
rm -rf qtbase-everywhere-src-6.4.2 qt-build && tar -xJf src/qt6-base_6.4.2+dfsg.orig.tar.xz
# No Direct2D platform plugin; Direct2D itself stays on, for without it Qt
# 6.4.2 leaves out the DirectWrite font engine PrintSupport links against.
sed -i 's/^if(QT_FEATURE_direct2d1_1 AND QT_FEATURE_directwrite)$/if(FALSE)/' \
    qtbase-everywhere-src-6.4.2/src/plugins/platforms/CMakeLists.txt
mkdir qt-build
(cd qt-build && ../qtbase-everywhere-src-6.4.2/configure -prefix "$out/qt-6.4.2-mingw-w64" \
    -xplatform win32-g++ -qt-host-path /usr \
    -release -shared -nomake examples -nomake tests -nomake benchmarks \
    -no-opengl -no-dbus -no-icu -qt-freetype -qt-harfbuzz -qt-zlib -qt-libpng -no-libjpeg -qt-pcre \
    -qt-doubleconversion -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent \
    -no-feature-tabletevent -no-feature-vulkan -no-feature-testlib_selfcover \
    -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -G Ninja &&
    cmake --build . --parallel "$(nproc)" && cmake --install .)

# ICU: a native build for its data tools, then the Windows one.
rm -rf icu icu-native icu-windows && tar -xzf src/icu_72.1.orig.tar.gz
mkdir icu-native icu-windows
(cd icu-native && ../icu/source/runConfigureICU Linux --disable-tests --disable-samples --disable-extras &&
    make -j"$(nproc)")
(cd icu-windows && ../icu/source/configure --host=x86_64-w64-mingw32 --with-cross-build="$work/icu-native" \
    --prefix="$out/icu-72.1-mingw-w64" --disable-tests --disable-samples --disable-extras \
    CC=x86_64-w64-mingw32-gcc-posix CXX=x86_64-w64-mingw32-g++-posix && make -j"$(nproc)" && make install)
# Only the libraries, not ICU's own tools.
find "$out/icu-72.1-mingw-w64/bin" -name '*.exe' -delete
touch "$out/done"
