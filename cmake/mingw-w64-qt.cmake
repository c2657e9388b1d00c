# SPDX-License-Identifier: GPL-3.0-or-later
# The toolchain the static Windows Qt of scripts/windows-qt.sh is built with: MinGW-w64's posix
# thread model like cmake/mingw-w64.cmake, with full paths and the gcc-ar archivers, and none of
# the program's own link flags or its Wine test runner, which Qt's configure checks must not see.
# Qt's installed toolchain file names this path; programs built against that Qt load it from here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER /usr/bin/${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER /usr/bin/${_mingw}-windres)
set(CMAKE_AR /usr/bin/${_mingw}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${_mingw}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/${_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
