# Cross-builds the 32-bit Windows programs with Debian's MinGW-w64 (posix
# threads, which GoogleTest needs). Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(MAPIO_MINGW i686-w64-mingw32)
set(CMAKE_C_COMPILER ${MAPIO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MAPIO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${MAPIO_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MAPIO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file per program: the C and C++ runtimes and winpthread linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# The test programs run under Wine from tools/wine-tests.sh, so nothing is
# run at build time to list their tests.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
