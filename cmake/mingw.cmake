# Shared by the MinGW-w64 toolchain files, which set MAPIO_MINGW (the target
# triple) and CMAKE_SYSTEM_PROCESSOR first. Debian's posix-thread compilers,
# which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)

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
