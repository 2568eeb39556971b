# The Windows build (cmake/mingw-*.cmake) finds no Debian package for its
# target, so the libraries Mapio needs come from their sources here:
# GoogleTest built from /usr/src/googletest, pugixml from /usr/src/pugixml
# (tools/pugixml-source.sh puts Debian's source there), CLI11 and
# nlohmann-json used as headers. Each find_package then meets a stub config
# in cmake/windows/ for targets that already exist. Nothing is downloaded.
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

set(MAPIO_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json-include)
file(COPY /usr/include/nlohmann DESTINATION ${MAPIO_JSON_INCLUDE})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${MAPIO_JSON_INCLUDE})
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/windows CACHE PATH "nlohmann-json from /usr/include"
  FORCE)

set(MAPIO_PUGIXML_SOURCE /usr/src/pugixml/src)
if(NOT EXISTS ${MAPIO_PUGIXML_SOURCE}/pugixml.cpp)
  message(FATAL_ERROR "pugixml's source is missing: run tools/pugixml-source.sh")
endif()
add_library(mapio_pugixml STATIC ${MAPIO_PUGIXML_SOURCE}/pugixml.cpp)
target_include_directories(mapio_pugixml SYSTEM PUBLIC ${MAPIO_PUGIXML_SOURCE})
target_compile_options(mapio_pugixml PRIVATE -w)  # not our code to warn about
add_library(pugixml::pugixml ALIAS mapio_pugixml)
set(pugixml_DIR ${CMAKE_CURRENT_LIST_DIR}/windows CACHE PATH "pugixml from /usr/src/pugixml" FORCE)

if(MAPIO_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  # Its own sources need not pass our warnings.
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  set(GTest_DIR ${CMAKE_CURRENT_LIST_DIR}/windows CACHE PATH "GoogleTest from /usr/src/googletest"
    FORCE)
endif()
