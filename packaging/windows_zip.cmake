# The Windows zip: Mapio.exe and mapio-cli.exe (installed at the top by
# their own rules), README.txt, NEWS.txt and LICENSE.txt with the CR LF line ends
# Notepad wants. Nothing to install: unpack and run.
# Mapio.exe holds Scintilla and Lexilla: their licence asks for its notice
# in every copy, so LICENSE.txt carries it after Mapio's own.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE mapio_license)
file(READ ${MAPIO_SCINTILLA_SOURCE}/License.txt scintilla_license)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.all "${mapio_license}
Mapio.exe contains Scintilla and Lexilla, under this licence:

${scintilla_license}
")
foreach(doc ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/NEWS.md
            ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.all)
  get_filename_component(name ${doc} NAME_WE)
  configure_file(${doc} ${CMAKE_CURRENT_BINARY_DIR}/${name}.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${name}.txt DESTINATION .)
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME "Mapio-${PROJECT_VERSION}-win32")
