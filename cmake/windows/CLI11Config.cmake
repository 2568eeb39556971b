# The Windows build's CLI11: CLI11::CLI11 is defined by cmake/windows.cmake.
set(CLI11_FOUND TRUE)
