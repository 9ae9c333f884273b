# Running the Windows programs of a cross build under Wine: ctest starts each
# test through run-under-wine, which finds Qt's, ICU's and MinGW's DLLs on
# WINEPATH and gives the offscreen window tests the faces of fonts-for-wine/.
# The Wine prefix is the build folder's own unless WINEPREFIX names another.
function(nic_windows_path out)
    set(paths)
    foreach(dir IN LISTS ARGN)
        string(REPLACE "/" "\\" dir "Z:${dir}")
        list(APPEND paths "${dir}")
    endforeach()
    list(JOIN paths ";" joined)
    set(${out} "${joined}" PARENT_SCOPE)
endfunction()

if(NIC_WINE)
    set(dll_dirs ${NIC_MINGW_RUNTIME_DIRS})
    if(NIC_WINDOWS_TOOLCHAIN_DIR)
        list(APPEND dll_dirs ${NIC_WINDOWS_QT_DIR}/bin ${NIC_WINDOWS_ICU_DIR}/bin)
    endif()
    nic_windows_path(wine_path ${dll_dirs})

    # The scalable faces a Windows machine has, as far as Debian has them: the
    # wine fonts' Tahoma, and Liberation Sans in Arial's widths. Qt's offscreen
    # platform on Windows reads faces only from QT_QPA_FONTDIR, and only
    # scalable ones (no .fon), as it does from C:\Windows\Fonts on Windows.
    set(NIC_WINDOWS_FONT_DIR ${CMAKE_BINARY_DIR}/fonts-for-wine)
    file(MAKE_DIRECTORY ${NIC_WINDOWS_FONT_DIR})
    foreach(face /usr/share/wine/fonts/tahoma.ttf
                 /usr/share/wine/fonts/tahomabd.ttf /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
                 /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
                 /usr/share/fonts/truetype/liberation2/LiberationSans-Italic.ttf
                 /usr/share/fonts/truetype/liberation2/LiberationSans-BoldItalic.ttf)
        if(EXISTS ${face})
            file(COPY ${face} DESTINATION ${NIC_WINDOWS_FONT_DIR})
        endif()
    endforeach()
    nic_windows_path(font_dir ${NIC_WINDOWS_FONT_DIR})

    # The runner's font folder (C:\Windows\Fonts) as far as it matters to the
    # windows: the first candidate, Microsoft Sans Serif, has no bold or
    # italic of its own, and a later one has all four styles. Here the
    # regular Liberation Sans under that name, and Liberation Sans itself.
    # The tests that draw text run once more on it
    # (QT_QPA_FONTDIR=${NIC_WINDOWS_PLAIN_STAND_IN_FONT_DIR}).
    set(plain_stand_in_dir ${CMAKE_BINARY_DIR}/fonts-plain-stand-in)
    set(liberation /usr/share/fonts/truetype/liberation2/LiberationSans)
    file(MAKE_DIRECTORY ${plain_stand_in_dir})
    if(EXISTS ${liberation}-Regular.ttf)
        execute_process(COMMAND ${PROJECT_SOURCE_DIR}/cmake/renamed-face.py ${liberation}-Regular.ttf
                                ${plain_stand_in_dir}/plain-stand-in.ttf "Microsoft Sans Serif" COMMAND_ERROR_IS_FATAL ANY)
    endif()
    foreach(style Regular Bold Italic BoldItalic)
        if(EXISTS ${liberation}-${style}.ttf)
            file(COPY ${liberation}-${style}.ttf DESTINATION ${plain_stand_in_dir})
        endif()
    endforeach()
    set(NIC_WINDOWS_PLAIN_STAND_IN_FONT_DIR "Z:${plain_stand_in_dir}")

    set(runner ${CMAKE_BINARY_DIR}/run-under-wine)
    file(CONFIGURE OUTPUT ${runner} @ONLY CONTENT [[#!/bin/sh
# Starts a Windows program of this build under Wine; made by cmake/wine.cmake.
: "${WINEPREFIX:=@CMAKE_BINARY_DIR@/wine}"
: "${QT_QPA_FONTDIR:=@font_dir@}"
# Without a console Qt on Windows sends its messages, Qt Test's report
# included, to the debugger: ctest would show a failure without its lines.
: "${QT_FORCE_STDERR_LOGGING:=1}"
export WINEPREFIX QT_QPA_FONTDIR QT_FORCE_STDERR_LOGGING
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPATH='@wine_path@'
# Wine hands a Windows program no QT_ variable of the Linux side (a Linux
# Qt's settings would mislead a Windows Qt), only its WINEQT_ twin.
for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    eval "export WINE$name=\"\$$name\""
done
exec '@NIC_WINE@' "$@"
]])
    file(CHMOD ${runner} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                     WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${runner})
endif()
