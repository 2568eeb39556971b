# The Windows build (cmake/mingw-*.cmake) finds no Debian package for its
# target, so the libraries Mapio needs come from their sources here:
# GoogleTest built from /usr/src/googletest, pugixml from /usr/src/pugixml,
# Scintilla and Lexilla from /usr/src/scintilla and /usr/src/lexilla
# (tools/debian-source.sh puts Debian's sources there), CLI11 and
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
  message(FATAL_ERROR "pugixml's source is missing: run tools/debian-source.sh pugixml")
endif()
add_library(mapio_pugixml STATIC ${MAPIO_PUGIXML_SOURCE}/pugixml.cpp)
target_include_directories(mapio_pugixml SYSTEM PUBLIC ${MAPIO_PUGIXML_SOURCE})
target_compile_options(mapio_pugixml PRIVATE -w)  # not our code to warn about
add_library(pugixml::pugixml ALIAS mapio_pugixml)
set(pugixml_DIR ${CMAKE_CURRENT_LIST_DIR}/windows CACHE PATH "pugixml from /usr/src/pugixml" FORCE)

# The editor's component: Scintilla with its Win32 platform, linked into
# Mapio.exe, and of Lexilla only the XML lexer (in LexHTML) and what it
# needs. GDI draws; Direct2D is left out.
set(MAPIO_SCINTILLA_SOURCE /usr/src/scintilla)
set(MAPIO_LEXILLA_SOURCE /usr/src/lexilla)
if(NOT EXISTS ${MAPIO_SCINTILLA_SOURCE}/win32/ScintillaWin.cxx
   OR NOT EXISTS ${MAPIO_LEXILLA_SOURCE}/lexers/LexHTML.cxx)
  message(FATAL_ERROR "Scintilla's source is missing: run tools/debian-source.sh scintilla")
endif()
file(GLOB MAPIO_SCINTILLA_CORE ${MAPIO_SCINTILLA_SOURCE}/src/*.cxx)
file(GLOB MAPIO_LEXILLA_LIB ${MAPIO_LEXILLA_SOURCE}/lexlib/*.cxx)
add_library(mapio_scintilla STATIC ${MAPIO_SCINTILLA_CORE} ${MAPIO_LEXILLA_LIB}
  ${MAPIO_SCINTILLA_SOURCE}/win32/PlatWin.cxx
  ${MAPIO_SCINTILLA_SOURCE}/win32/ScintillaWin.cxx
  ${MAPIO_SCINTILLA_SOURCE}/win32/HanjaDic.cxx
  ${MAPIO_LEXILLA_SOURCE}/lexers/LexHTML.cxx)
set_target_properties(mapio_scintilla PROPERTIES CXX_STANDARD 17)
target_include_directories(mapio_scintilla SYSTEM PUBLIC
  ${MAPIO_SCINTILLA_SOURCE}/include ${MAPIO_LEXILLA_SOURCE}/include ${MAPIO_LEXILLA_SOURCE}/lexlib)
target_include_directories(mapio_scintilla PRIVATE ${MAPIO_SCINTILLA_SOURCE}/src)
target_compile_definitions(mapio_scintilla PRIVATE DISABLE_D2D NDEBUG)
target_compile_options(mapio_scintilla PRIVATE -w)  # not our code to warn about
target_link_libraries(mapio_scintilla PUBLIC gdi32 user32 imm32 ole32 uuid oleaut32 msimg32)

if(MAPIO_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  # Its own sources need not pass our warnings.
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  set(GTest_DIR ${CMAKE_CURRENT_LIST_DIR}/windows CACHE PATH "GoogleTest from /usr/src/googletest"
    FORCE)
endif()
