# Cross-builds the programs for 64-bit Windows. Only for running the tests
# under the 64-bit Wine on machines whose kernel runs no i386 programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MAPIO_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
