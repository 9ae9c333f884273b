# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the posix
# thread model, which GoogleTest wants), and running what is built under
# Wine: `ctest` then runs the Windows test programs here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NIC_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NIC_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NIC_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NIC_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NIC_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes linked in, so the programs start under Wine (and on
# a Windows machine) without MinGW's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Debian's wine64 package puts the loader outside PATH. The Wine prefix lives
# in the build folder unless WINEPREFIX says otherwise; no display is needed,
# and the Mono and Gecko installers Wine would offer are turned away.
find_program(NIC_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(NIC_WINE)
    if(DEFINED ENV{WINEPREFIX})
        set(NIC_WINE_PREFIX $ENV{WINEPREFIX})
    else()
        set(NIC_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine)
    endif()
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${CMAKE_COMMAND} -E env WINEPREFIX=${NIC_WINE_PREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
        ${NIC_WINE})
endif()
