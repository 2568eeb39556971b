# The Windows zip: Mapio.exe and mapio-cli.exe (installed at the top by
# their own rules), README.txt, NEWS.txt and LICENSE.txt with the CR LF line ends
# Notepad wants. Nothing to install: unpack and run.
foreach(doc README.md NEWS.md LICENSE)
  get_filename_component(name ${doc} NAME_WE)
  configure_file(${PROJECT_SOURCE_DIR}/${doc} ${CMAKE_CURRENT_BINARY_DIR}/${name}.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${name}.txt DESTINATION .)
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME "Mapio-${PROJECT_VERSION}-win32")
