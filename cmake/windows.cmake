# The Windows build (cmake/mingw-i686.cmake) finds no Debian package for
# its target, so the two that Mapio needs come from their sources here:
# GoogleTest built from /usr/src/googletest, CLI11 used as headers. Each
# find_package then meets a stub config in cmake/windows/ for targets that
# already exist. Nothing is downloaded.
if(NOT WIN32)
  return()
endif()

# CLI11 is headers only. Copied so that /usr/include itself, with the
# host's C library headers, never lands on the cross compiler's path.
set(MAPIO_CLI11_INCLUDE ${CMAKE_BINARY_DIR}/cli11-include)
file(COPY /usr/include/CLI DESTINATION ${MAPIO_CLI11_INCLUDE})
add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${MAPIO_CLI11_INCLUDE})
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/windows CACHE PATH "CLI11 from /usr/include/CLI" FORCE)

if(MAPIO_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  # Its own sources need not pass our warnings.
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  set(GTest_DIR ${CMAKE_CURRENT_LIST_DIR}/windows CACHE PATH "GoogleTest from /usr/src/googletest"
    FORCE)
endif()
