# Cross build for Windows with mingw-w64; the tests run under Wine. The preset chooses
# the processor in REGTOOL_WINDOWS_ARCH: x86_64 (64-bit, the default) or i686 (32-bit).
# The -posix compilers use the POSIX thread model: the default win32 model has no
# std::mutex, which GoogleTest needs.
if(NOT REGTOOL_WINDOWS_ARCH)
  set(REGTOOL_WINDOWS_ARCH x86_64)
endif()
if(NOT REGTOOL_WINDOWS_ARCH MATCHES "^(x86_64|i686)$")
  message(FATAL_ERROR "REGTOOL_WINDOWS_ARCH must be x86_64 or i686, not ${REGTOOL_WINDOWS_ARCH}")
endif()
# try_compile projects read this file again, without the cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES REGTOOL_WINDOWS_ARCH)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${REGTOOL_WINDOWS_ARCH})
set(triplet ${REGTOOL_WINDOWS_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static executables need none of the toolchain's DLLs (libstdc++, libgcc, winpthread)
# beside them, so Wine runs them straight from the build tree.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs every test program, and gtest_discover_tests lists their tests, through
# Wine's loader of the program's word size.
if(REGTOOL_WINDOWS_ARCH STREQUAL i686)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
