# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the posix
# thread model, which GoogleTest and Qt want), and running what is built
# under Wine: `ctest` then runs the Windows test programs here.
#
# NIC_WINDOWS_TOOLCHAIN_DIR (a CMake variable or the environment variable of
# that name) names the folder that holds Qt and ICU built for Windows, as
# cmake/windows-toolchain.sh makes it: qt-6.4.2-mingw-w64/ and
# icu-72.1-mingw-w64/. Without it only the decoder can be built.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NIC_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NIC_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NIC_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NIC_MINGW_TRIPLE}-windres)

if(NOT NIC_WINDOWS_TOOLCHAIN_DIR AND DEFINED ENV{NIC_WINDOWS_TOOLCHAIN_DIR})
    set(NIC_WINDOWS_TOOLCHAIN_DIR $ENV{NIC_WINDOWS_TOOLCHAIN_DIR})
endif()
# try_compile projects run this file again and must see the same folders.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES NIC_WINDOWS_TOOLCHAIN_DIR)

set(CMAKE_FIND_ROOT_PATH /usr/${NIC_MINGW_TRIPLE})
if(NIC_WINDOWS_TOOLCHAIN_DIR)
    set(NIC_WINDOWS_QT_DIR ${NIC_WINDOWS_TOOLCHAIN_DIR}/qt-6.4.2-mingw-w64)
    set(NIC_WINDOWS_ICU_DIR ${NIC_WINDOWS_TOOLCHAIN_DIR}/icu-72.1-mingw-w64)
    list(APPEND CMAKE_FIND_ROOT_PATH ${NIC_WINDOWS_QT_DIR} ${NIC_WINDOWS_ICU_DIR})
    list(APPEND CMAKE_PREFIX_PATH ${NIC_WINDOWS_QT_DIR})
    set(ICU_ROOT ${NIC_WINDOWS_ICU_DIR})
    # Qt's tools that run while building (moc, rcc, uic) are Debian's own of
    # the same version.
    set(QT_HOST_PATH /usr)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
# nic-decode's libraries (CLI11, libcsv, nlohmann-json) for Windows, where
# build.sh windows puts them.
if(NIC_WINDOWS_CLI_DIR)
    list(APPEND CMAKE_FIND_ROOT_PATH ${NIC_WINDOWS_CLI_DIR})
    list(APPEND CMAKE_PREFIX_PATH ${NIC_WINDOWS_CLI_DIR})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES NIC_WINDOWS_CLI_DIR)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# MinGW's runtime DLLs, the same ones Qt's DLLs are linked against: one C++
# runtime in the process, not a static copy in the .exe and a shared one in Qt.
set(NIC_MINGW_RUNTIME_DIRS /usr/lib/gcc/${NIC_MINGW_TRIPLE}/12-posix /usr/${NIC_MINGW_TRIPLE}/lib)

# Debian's wine64 package puts the loader outside PATH.
find_program(NIC_WINE NAMES wine64 wine PATHS /usr/lib/wine)

# The install step follows the DLLs a program loads with MinGW's objdump.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${NIC_MINGW_TRIPLE}-objdump)
