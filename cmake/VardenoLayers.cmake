# The core's layers: one static library per folder of src/ (vardeno_<folder>), each linked to the
# libraries below it and never to one above, so a folder cannot reach up:
#
#   base  <-  platform  <-  encoder, filelist  <-  probe  <-  player  <-  conversion  <-  app
#   texts (header-only: the core's words in both languages)  <-  encoder, filelist
#   cli and ui sit on top of all of them, through vardeno_core.
#
# A library's files are src/<folder>/*.cpp plus src/<folder>/<os>/*.cpp for this system (posix or
# win32), chosen here for every library; a folder without .cpp files is a header-only library.
# The build enforces the direction twice:
#  - each library's files may include only its own folder and those of the libraries it names,
#    directly or below them (checked before it compiles, cmake/layers/CheckIncludes.cmake);
#  - each static library is linked alone, every object of it, with only what it names
#    (vardeno_<folder>_links_alone): a call into a library above fails to link.
# A new core folder is one line below the others: vardeno_core_library(<folder> <libraries it uses>).

if(WIN32)
  set(VARDENO_OS win32)
else()
  set(VARDENO_OS posix)
endif()

add_library(vardeno_core INTERFACE)

function(vardeno_core_library folder)
  set(target vardeno_${folder})
  set(src ${CMAKE_SOURCE_DIR}/src/${folder})
  file(GLOB sources CONFIGURE_DEPENDS ${src}/*.cpp ${src}/${VARDENO_OS}/*.cpp)
  set(uses)
  foreach(dep ${ARGN})
    list(APPEND uses vardeno_${dep})
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${uses})
    add_executable(${target}_links_alone ${CMAKE_SOURCE_DIR}/cmake/layers/links_alone.cpp)
    target_link_libraries(${target}_links_alone PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}>")
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${uses})
  endif()
  target_link_libraries(vardeno_core INTERFACE ${target})

  # The folders this one may include: its own and, transitively, those of what it uses.
  set(allowed ${folder})
  foreach(dep ${ARGN})
    get_property(below GLOBAL PROPERTY VARDENO_LAYER_${dep})
    if(NOT below)
      message(FATAL_ERROR "vardeno_core_library(${folder}): ${dep} is not a core library defined above it")
    endif()
    list(APPEND allowed ${below})
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_property(GLOBAL PROPERTY VARDENO_LAYER_${folder} ${allowed})
  get_property(all GLOBAL PROPERTY VARDENO_CORE_FOLDERS)
  set_property(GLOBAL PROPERTY VARDENO_CORE_FOLDERS ${all} ${folder})

  # Both systems' files are checked on either system.
  file(GLOB checked CONFIGURE_DEPENDS ${src}/*.h ${src}/*.cpp ${src}/posix/*.h ${src}/posix/*.cpp
       ${src}/win32/*.h ${src}/win32/*.cpp)
  string(REPLACE ";" "," allowed_text "${allowed}")
  set(stamp ${CMAKE_BINARY_DIR}/layers/${folder}.checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}/src -DFOLDER=${folder} -DALLOWED=${allowed_text}
            -DSTAMP=${stamp} -P ${CMAKE_SOURCE_DIR}/cmake/layers/CheckIncludes.cmake
    DEPENDS ${checked} ${CMAKE_SOURCE_DIR}/cmake/layers/CheckIncludes.cmake
    COMMENT "Checking that src/${folder} includes nothing above it" VERBATIM)
  add_custom_target(${target}_includes ALL DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()

vardeno_core_library(base)
vardeno_core_library(texts)
vardeno_core_library(platform base)
vardeno_core_library(encoder platform texts)
vardeno_core_library(filelist platform texts)
vardeno_core_library(probe encoder)  # a probe reads the output of the encoder's generation
vardeno_core_library(player probe)  # a player's limits checked against what a probe read
vardeno_core_library(conversion encoder filelist probe player)
vardeno_core_library(app conversion)

if(WIN32)
  target_link_libraries(vardeno_platform PUBLIC ole32 shell32 uuid)
else()
  # The sleep lock asks logind over the system bus with sd-bus (platform/posix/SleepLock.cpp).
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(LIBSYSTEMD REQUIRED IMPORTED_TARGET libsystemd)
  target_link_libraries(vardeno_platform PRIVATE PkgConfig::LIBSYSTEMD)
endif()
