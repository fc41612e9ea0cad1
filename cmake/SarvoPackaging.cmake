# What `cmake --install` puts where the desktop expects it, and the Debian package CPack makes
# of it (`make deb`). The files come from packaging/; the icons and manual pages are made at
# build time: the icons rendered from the SVG, the manual pages from the programs' --help.

include(GNUInstallDirs)

set(SARVO_APP_ID org.sarvo.Sarvo)
# Who answers for the package; ".invalid" until the project has an address of its own.
set(SARVO_PACKAGE_MAINTAINER "Sarvo developers <sarvo@sarvo.invalid>"
    CACHE STRING "The Maintainer of the Debian package")
set(pkg ${CMAKE_SOURCE_DIR}/packaging)
set(out ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS sarvo sarvo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${pkg}/${SARVO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${pkg}/sarvo-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${SARVO_APP_ID}.xml)
configure_file(${pkg}/${SARVO_APP_ID}.metainfo.xml ${out}/${SARVO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${out}/${SARVO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${pkg}/${SARVO_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Icons at the usual sizes of the hicolor theme.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icons "")
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${out}/icons/${size}/${SARVO_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}/icons/${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} ${pkg}/${SARVO_APP_ID}.svg -o ${png}
    DEPENDS ${pkg}/${SARVO_APP_ID}.svg VERBATIM)
  list(APPEND icons ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages from the same text as --help, compressed as Debian keeps them.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(manpages "")
foreach(program sarvo sarvo-cli)
  if(program STREQUAL "sarvo")
    set(summary "ringtone composer for the Japanese mobile phones of 1998-2000")
    set(commands "")
  else()
    set(summary "the command-line tool of the Sarvo ringtone composer")
    set(commands --commands)
  endif()
  set(page ${out}/man/${program}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}/man
    COMMAND ${Python3_EXECUTABLE} ${pkg}/helptoman --program $<TARGET_FILE:${program}>
            --name ${program} --summary ${summary} --version ${PROJECT_VERSION} ${commands} ${page}
    COMMAND gzip -9nf ${page}
    DEPENDS ${program} ${pkg}/helptoman VERBATIM)
  list(APPEND manpages ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The package's own documents.
configure_file(${pkg}/changelog ${out}/changelog @ONLY)
add_custom_command(OUTPUT ${out}/changelog.gz
  COMMAND gzip -9nkf ${out}/changelog
  DEPENDS ${out}/changelog VERBATIM)
install(FILES ${pkg}/copyright ${out}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/sarvo)

add_custom_target(sarvo_desktop_files ALL DEPENDS ${icons} ${manpages} ${out}/changelog.gz)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sarvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${SARVO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ringtone composer for Japanese mobile phones of 1998-2000")
set(CPACK_PACKAGE_DESCRIPTION
    "Sarvo writes a one-voice melody as the exact keypad presses that type it\n\
into a Japanese mobile phone or PHS handset of 1998-2000, for each of 39\n\
phone families, and reads such key presses back. It imports and exports\n\
i-melody, Sky Melody and MIDI files, plays melodies through the built-in\n\
synthesizer, and sends ringtone mails.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opened at run time, not linked: the synthesizer (dlopen), its soundfont, and Qt's window
# system plugins.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libfluidsynth3, timgm6mb-soundfont, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
