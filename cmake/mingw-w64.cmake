# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-build for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which
# std::thread and the like need). The programs link statically, so that a bare Windows or
# Wine runs them without MinGW's DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs the test program through Wine.
find_program(ARBOLINK_WINE NAMES wine64 wine)
if(ARBOLINK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ARBOLINK_WINE})
endif()
