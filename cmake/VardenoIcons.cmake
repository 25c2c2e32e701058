# The program's icon for its windows and tray: the PNG sizes that title bars, task bars, menus and
# trays ask for, drawn from the one SVG at build time (so they never fall behind it) and built into
# the program as ":/icons/<size>x<size>/vardeno.png". Drawing the SVG at start would load Qt's SVG
# module. The Linux install puts the same files into the icon theme.
find_program(VARDENO_RSVG_CONVERT rsvg-convert)
if(NOT VARDENO_RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert is missing: install the Debian package librsvg2-bin "
                      "(bash scripts/setup.sh installs everything the build needs)")
endif()
set(VARDENO_ICON_SVG "${CMAKE_SOURCE_DIR}/data/icons/vardeno.svg")
set(VARDENO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(VARDENO_ICON_DIR "${CMAKE_BINARY_DIR}/icons")
set(icon_files)
foreach(size ${VARDENO_ICON_SIZES})
  set(dir "${VARDENO_ICON_DIR}/${size}x${size}")
  add_custom_command(OUTPUT "${dir}/vardeno.png"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${dir}"
    COMMAND ${VARDENO_RSVG_CONVERT} -w ${size} -h ${size} -o "${dir}/vardeno.png" "${VARDENO_ICON_SVG}"
    DEPENDS "${VARDENO_ICON_SVG}" VERBATIM)
  list(APPEND icon_files "${dir}/vardeno.png")
endforeach()
qt_add_resources(vardeno_ui vardeno_icon PREFIX "/icons" BASE "${VARDENO_ICON_DIR}" FILES ${icon_files})
