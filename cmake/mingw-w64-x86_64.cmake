# Cross-compiling for Windows x86-64 with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
# CMAKE_FIND_ROOT_PATH may name more prefixes (where freeglut for MinGW lies).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
# Programs from the build machine; libraries, headers and packages from the Windows prefixes only.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
