# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (the POSIX-thread flavour, which
# std::thread needs). Libraries come from TESSARIL_WIN_PREFIX, the folder scripts/windows-deps
# fills, and Qt from TESSARIL_WIN_QT_PREFIX (scripts/package-windows); nothing of the build
# machine's own libraries is used.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT TESSARIL_WIN_PREFIX AND DEFINED ENV{TESSARIL_WIN_PREFIX})
  set(TESSARIL_WIN_PREFIX $ENV{TESSARIL_WIN_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${TESSARIL_WIN_PREFIX} ${TESSARIL_WIN_QT_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Try-compile runs also see the toolchain settings.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TESSARIL_WIN_PREFIX TESSARIL_WIN_QT_PREFIX)

# The programs carry the compiler's runtime inside, so that they run from a bare folder.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Tests run under Wine: let CTest start them through it (Debian's wine64 has no link in PATH
# unless the wine package is installed too).
if(EXISTS /usr/lib/wine/wine64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine64)
endif()
# pkg-config looks only at the libraries built for Windows.
if(TESSARIL_WIN_PREFIX)
  set(ENV{PKG_CONFIG_LIBDIR} ${TESSARIL_WIN_PREFIX}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()
