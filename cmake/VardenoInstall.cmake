# Installing Vardeno as a desktop program (`cmake --install build --prefix P`, DESTDIR honoured):
# the two executables, the launcher, the icons, the AppStream entry, the manual and the manual
# pages. Everything generated here is made at build time from the files in data/ and packaging/.
include(GNUInstallDirs)

# The AppStream component id (reverse-DNS, as software centres want it); the launcher keeps the
# plain name vardeno.desktop, which the metadata names as its launchable.
set(VARDENO_APP_ID "io.github.vardeno.Vardeno")
set(VARDENO_DOC_DIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/vardeno")
set(VARDENO_GEN_DIR "${CMAKE_BINARY_DIR}/install-data")

function(vardeno_require_program var program package)
  find_program(${var} ${program})
  if(NOT ${var})
    message(FATAL_ERROR "${program} is missing: install the Debian package ${package} "
                        "(bash scripts/setup.sh installs everything the build needs)")
  endif()
endfunction()
vardeno_require_program(VARDENO_HELP2MAN help2man help2man)
vardeno_require_program(VARDENO_GZIP gzip gzip)

# Dates derived from the release date: the changelog's form and the one manual pages carry.
execute_process(COMMAND date -u -R -d "${VARDENO_RELEASE_DATE}"
                OUTPUT_VARIABLE VARDENO_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND date -u +%s -d "${VARDENO_RELEASE_DATE}"
                OUTPUT_VARIABLE VARDENO_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE)

# ---- The icon: the PNG sizes drawn for the windows (VardenoIcons.cmake), installed for menus. ----
foreach(size ${VARDENO_ICON_SIZES})
  install(FILES "${VARDENO_ICON_DIR}/${size}x${size}/vardeno.png"
          DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES "${VARDENO_ICON_SVG}" DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps")

# ---- Manual pages: vardeno.1 by hand, vardeno-cli.1 from the program's own --help. ----
configure_file("${CMAKE_SOURCE_DIR}/data/man/vardeno.1.in" "${VARDENO_GEN_DIR}/man/vardeno.1" @ONLY)
set(cli_man_include "${CMAKE_SOURCE_DIR}/data/man/vardeno-cli.h2m")
add_custom_command(OUTPUT "${VARDENO_GEN_DIR}/man/vardeno-cli.1"
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VARDENO_RELEASE_EPOCH}
          ${VARDENO_HELP2MAN} --no-info --section=1
          "--name=convert video and audio files for Zune players from the command line"
          "--include=${cli_man_include}" "--output=${VARDENO_GEN_DIR}/man/vardeno-cli.1"
          $<TARGET_FILE:vardeno-cli>
  DEPENDS vardeno-cli "${cli_man_include}" VERBATIM)

# ---- The Debian changelog (a package without one is refused by Debian's checks). ----
set(VARDENO_DEB_MAINTAINER "The Vardeno developers <vardeno@example.org>" CACHE STRING
    "Maintainer of the Debian package, as \"Name <address>\"; set it when publishing a package")
configure_file("${CMAKE_SOURCE_DIR}/packaging/debian/changelog.in" "${VARDENO_GEN_DIR}/doc/changelog" @ONLY)

# Manual pages and the changelog are installed compressed, as Debian wants them.
set(gzipped_files)
foreach(file man/vardeno.1 man/vardeno-cli.1 doc/changelog)
  add_custom_command(OUTPUT "${VARDENO_GEN_DIR}/${file}.gz"
    COMMAND ${VARDENO_GZIP} -9 -n -k -f "${VARDENO_GEN_DIR}/${file}"
    DEPENDS "${VARDENO_GEN_DIR}/${file}" VERBATIM)
  list(APPEND gzipped_files "${VARDENO_GEN_DIR}/${file}.gz")
endforeach()

# ---- The AppStream entry. ----
configure_file("${CMAKE_SOURCE_DIR}/data/vardeno.metainfo.xml.in"
               "${VARDENO_GEN_DIR}/${VARDENO_APP_ID}.metainfo.xml" @ONLY)

add_custom_target(vardeno_install_data ALL DEPENDS ${icon_files} ${gzipped_files})

# ---- What is installed where. ----
install(TARGETS vardeno vardeno-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${CMAKE_SOURCE_DIR}/data/vardeno.desktop" DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")
install(FILES "${VARDENO_GEN_DIR}/${VARDENO_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo")
install(FILES "${VARDENO_GEN_DIR}/man/vardeno.1.gz" "${VARDENO_GEN_DIR}/man/vardeno-cli.1.gz"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${CMAKE_SOURCE_DIR}/README.md" "${VARDENO_GEN_DIR}/doc/changelog.gz"
        DESTINATION "${VARDENO_DOC_DIR}")
install(FILES "${CMAKE_SOURCE_DIR}/packaging/debian/copyright" DESTINATION "${VARDENO_DOC_DIR}")
