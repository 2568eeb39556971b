# The Debian package (and `make install`): both programs, the desktop
# entry with its icons and AppStream metadata, manual pages, the copyright
# and changelog files.
set(MAPIO_APP_ID io.github.mapio.mapio)
set(MAPIO_RELEASE_DATE 2026-12-08)
set(MAPIO_SCREENSHOT_URL
    "https://raw.githubusercontent.com/mapio/mapio/main/packaging/screenshots/main.png")
set(MAPIO_DEB_RELEASE 1)
set(MAPIO_DEB_VERSION "${PROJECT_VERSION}-${MAPIO_DEB_RELEASE}")
set(datadir ${CMAKE_INSTALL_DATADIR})
set(docdir ${datadir}/doc/mapio)  # GNUInstallDirs would name it after the project, Mapio

# Files that need gzip -9n: manual pages and changelog.
function(mapio_gzip source target)
  add_custom_command(OUTPUT ${target}
    COMMAND gzip -9nc ${source} > ${target}
    DEPENDS ${source} VERBATIM)
endfunction()

if(MAPIO_BUILD_GUI)
  install(FILES ${PROJECT_SOURCE_DIR}/res/mapio.desktop DESTINATION ${datadir}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/res/mapio.svg DESTINATION ${datadir}/icons/hicolor/scalable/apps)
  # The icon theme's sizes, each rendered from the same picture.
  set(icons "")
  foreach(size 16 22 24 32 48 64 128 256)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/apps)
    add_custom_command(OUTPUT ${folder}/mapio.png
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:make_ico>
              --png ${size} ${PROJECT_SOURCE_DIR}/res/mapio.svg ${folder}/mapio.png
      DEPENDS make_ico ${PROJECT_SOURCE_DIR}/res/mapio.svg VERBATIM)
    list(APPEND icons ${folder}/mapio.png)
    install(FILES ${folder}/mapio.png DESTINATION ${datadir}/icons/hicolor/${size}x${size}/apps)
  endforeach()

  configure_file(${MAPIO_APP_ID}.metainfo.xml.in ${MAPIO_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${MAPIO_APP_ID}.metainfo.xml
          DESTINATION ${datadir}/metainfo)

  configure_file(mapio.1.in mapio.1 @ONLY)
  mapio_gzip(${CMAKE_CURRENT_BINARY_DIR}/mapio.1 ${CMAKE_CURRENT_BINARY_DIR}/mapio.1.gz)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/mapio.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  add_custom_target(desktop_files ALL DEPENDS ${icons} ${CMAKE_CURRENT_BINARY_DIR}/mapio.1.gz)
endif()

# mapio-cli's manual page is its --help, laid out by help2man, dated as the
# release rather than the day of the build.
execute_process(COMMAND date -u -d "${MAPIO_RELEASE_DATE} 12:00" +%s
                OUTPUT_VARIABLE MAPIO_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE)
find_program(MAPIO_HELP2MAN help2man)
if(MAPIO_HELP2MAN)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/mapio-cli.1)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${MAPIO_RELEASE_EPOCH}
            ${MAPIO_HELP2MAN} --no-info --no-discard-stderr
            --include=${CMAKE_CURRENT_SOURCE_DIR}/mapio-cli.h2m --output=${page}
            $<TARGET_FILE:mapio-cli>
    COMMAND ${CMAKE_COMMAND} -DPAGE=${page} -P ${CMAKE_CURRENT_SOURCE_DIR}/man_synopsis.cmake
    DEPENDS mapio-cli ${CMAKE_CURRENT_SOURCE_DIR}/mapio-cli.h2m
            ${CMAKE_CURRENT_SOURCE_DIR}/man_synopsis.cmake VERBATIM)
  mapio_gzip(${page} ${page}.gz)
  add_custom_target(cli_manual ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "help2man not found: no manual page for mapio-cli (tools/install-deps.sh)")
endif()

# copyright in Debian's machine-readable form, the licence taken from LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(FIND "${license}" "Permission is hereby" start)
string(SUBSTRING "${license}" ${start} -1 license)
string(STRIP "${license}" license)
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " license "${license}")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Mapio
Upstream-Contact: ${MAPIO_MAINTAINER}
Source: ${MAPIO_HOMEPAGE}
Comment: The program mapio links QScintilla, which is under the GPL-3 only; mapio as
 built is therefore a work under the GPL-3 as a whole, which the Expat licence of
 Mapio's own files allows.

Files: *
Copyright: 2026 The Mapio developers
License: Expat
 ${license}
")
execute_process(COMMAND date -u -R -d "${MAPIO_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE MAPIO_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(changelog.in changelog.Debian @ONLY)
mapio_gzip(${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
add_custom_target(debian_docs ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz
        DESTINATION ${docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_NAME mapio)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${MAPIO_DEB_RELEASE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION
"Mapio is a small tool for people who prepare picture packs (player faces,
kits, logos, backgrounds) for a football-management game. The game finds
each picture by a resource path with a numeric ID in it, and a mapping file,
config.xml, in the folder of pictures hooks that folder into the game.

Mapio makes config.xml with one record per picture (the ID taken from the
file name or typed in next to a preview), renames mapped pictures to their
IDs, and edits config.xml as text. It never replaces a picture by a rename
and never leaves a half-written config.xml.

This package holds the window, mapio, and the command-line tool, mapio-cli.")
