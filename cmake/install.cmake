# SPDX-License-Identifier: GPL-3.0-or-later
# Installation with the GNU install directories, the desktop integration
# (menu entry, icon, AppStream metadata, manual pages) and the Debian package
# made by `cpack -G DEB`. Included once, at the end of the top-level
# CMakeLists.txt, after the programs and the test helper orbant_test exist.
include(GNUInstallDirs)

set(ORBANT_PACKAGE_CONTACT "Orbant developers <orbant@example.org>"
  CACHE STRING "Maintainer named in the Debian package")

# Both programs print the project's version.
foreach(_program orbant orbant-cli)
  if(TARGET ${_program})
    target_compile_definitions(${_program} PRIVATE ORBANT_VERSION="${PROJECT_VERSION}")
    install(TARGETS ${_program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# --- Manual pages and the package's documents, compressed as Debian wants
# --- them (gzip -9n: no name, no time stamp, so the bytes are reproducible).
find_program(ORBANT_GZIP gzip REQUIRED)
set(_docs_dir ${CMAKE_BINARY_DIR}/docs)
set(_compressed)
foreach(_page orbant orbant-cli)
  configure_file(${CMAKE_SOURCE_DIR}/man/${_page}.1.in ${_docs_dir}/${_page}.1 @ONLY)
  add_custom_command(OUTPUT ${_docs_dir}/${_page}.1.gz
    COMMAND ${ORBANT_GZIP} -9nkf ${_page}.1
    DEPENDS ${_docs_dir}/${_page}.1
    WORKING_DIRECTORY ${_docs_dir}
    VERBATIM)
  list(APPEND _compressed ${_docs_dir}/${_page}.1.gz)
  install(FILES ${_docs_dir}/${_page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog ${_docs_dir}/changelog COPYONLY)
add_custom_command(OUTPUT ${_docs_dir}/changelog.gz
  COMMAND ${ORBANT_GZIP} -9nkf changelog
  DEPENDS ${_docs_dir}/changelog
  WORKING_DIRECTORY ${_docs_dir}
  VERBATIM)
list(APPEND _compressed ${_docs_dir}/changelog.gz)
add_custom_target(orbant_compressed_docs ALL DEPENDS ${_compressed})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${_docs_dir}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# --- Menu entry, metadata, icons. ------------------------------------------
install(FILES ${CMAKE_SOURCE_DIR}/desktop/orbant.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/org.orbant.Orbant.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/icons/orbant.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(_size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/icons/orbant-${_size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
    RENAME orbant.png)
endforeach()

# --- Checks: the manual pages against the programs' --help, the versions,
# --- and the validators of the desktop entry and the metadata. -------------
if(TARGET orbant AND TARGET orbant-cli)
  orbant_test(test_install GLOB ${CMAKE_SOURCE_DIR}/tests/install/*_test.cpp
    LIBS GTest::gtest_main)
  if(TARGET test_install)
    target_compile_definitions(test_install PRIVATE
      ORBANT_APP_PATH="$<TARGET_FILE:orbant>"
      ORBANT_VERSION="${PROJECT_VERSION}")
    target_include_directories(test_install PRIVATE ${CMAKE_SOURCE_DIR})
    add_dependencies(test_install orbant orbant-cli)
  endif()
endif()
find_program(ORBANT_DESKTOP_FILE_VALIDATE desktop-file-validate)
if(ORBANT_DESKTOP_FILE_VALIDATE)
  add_test(NAME desktop_entry_valid
    COMMAND ${ORBANT_DESKTOP_FILE_VALIDATE} ${CMAKE_SOURCE_DIR}/desktop/orbant.desktop)
endif()
find_program(ORBANT_APPSTREAMCLI appstreamcli)
if(ORBANT_APPSTREAMCLI)
  add_test(NAME appstream_metadata_valid
    COMMAND ${ORBANT_APPSTREAMCLI} validate --no-net
      ${CMAKE_SOURCE_DIR}/desktop/org.orbant.Orbant.metainfo.xml)
endif()
find_program(ORBANT_MAN man)
if(ORBANT_MAN)
  # groff's warnings (bad requests, lines that cannot be set) fail the test.
  foreach(_page orbant orbant-cli)
    add_test(NAME man_page_${_page}_renders_cleanly
      COMMAND sh -c "out=$(LC_ALL=C.UTF-8 MANWIDTH=80 \"$0\" --warnings -E UTF-8 -l \"$1\" 2>&1 >/dev/null); printf '%s' \"$out\"; test -z \"$out\""
        ${ORBANT_MAN} ${_docs_dir}/${_page}.1)
  endforeach()
endif()

# --- The Debian package: orbant_<version>_<arch>.deb below /usr. Library
# --- dependencies are computed by dpkg-shlibdeps; the Qt platform plugins
# --- and the dialog font are loaded at run time, so they are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbant)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ORBANT_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pocket astronomy: Sun, Moon, planets, moon phases and eclipses")
# The long description, in lines of less than 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Orbant shows, for an observer's place and an instant, the Sun, the Moon and"
  "the planets: altitude and direction, distance, rising and setting, nautical"
  "twilight, day length and the Moon's phase with a drawn Moon. It lists the"
  "moon phases and eclipses of a span of years. All its astronomy comes from"
  "its own analytical series. Its texts are German. The text front end"
  "orbant-cli prints the same page texts, the event lists as text, CSV or"
  "iCalendar, and ephemerides.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
