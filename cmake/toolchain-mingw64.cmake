# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (posix threads, for
# std::thread and std::mutex). Libraries are looked up in the MinGW folder,
# in the sysroot that scripts/windows/build.sh fills (LINVARA_WIN_SYSROOT)
# and in the Qt that scripts/windows/build-qt.sh built (LINVARA_WIN_QT), whose
# host tools (moc, rcc, uic) are the build machine's Qt of the same version.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_AR ${_triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${_triple}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_STRIP ${_triple}-strip CACHE FILEPATH "")

if(NOT LINVARA_WIN_SYSROOT AND DEFINED ENV{LINVARA_WIN_SYSROOT})
  set(LINVARA_WIN_SYSROOT $ENV{LINVARA_WIN_SYSROOT})
endif()
set(LINVARA_WIN_SYSROOT "${LINVARA_WIN_SYSROOT}" CACHE PATH "Prefix of the cross-built dependencies")
if(NOT LINVARA_WIN_QT AND DEFINED ENV{LINVARA_WIN_QT})
  set(LINVARA_WIN_QT $ENV{LINVARA_WIN_QT})
endif()
set(LINVARA_WIN_QT "${LINVARA_WIN_QT}" CACHE PATH "Prefix of the cross-built Qt (none: no desktop)")
# try_compile projects see them too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LINVARA_WIN_SYSROOT LINVARA_WIN_QT)

set(CMAKE_FIND_ROOT_PATH /usr/${_triple} ${LINVARA_WIN_SYSROOT})
if(LINVARA_WIN_QT)
  list(APPEND CMAKE_FIND_ROOT_PATH ${LINVARA_WIN_QT})
  set(QT_HOST_PATH /usr CACHE PATH "")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees the sysroot's .pc files only, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} "${LINVARA_WIN_SYSROOT}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

set(ZLIB_USE_STATIC_LIBS ON)


# Tests (and their discovery) run under Wine on the build machine.
find_program(LINVARA_WINE NAMES wine wine64)
if(LINVARA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LINVARA_WINE})
endif()
