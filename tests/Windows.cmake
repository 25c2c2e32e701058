# The tests of a Windows build, run under Wine (the toolchain's emulator) by ctest.
# GoogleTest is built for the target from Debian's source package.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The core's tests that are about POSIX facilities (signals, process groups, shell scripts as
# encoders, file modes, named pipes, the C library's locales); Windows has its own in win32/.
set(POSIX_ONLY_TESTS
  app/IniFile_test.cpp app/ProfileList_test.cpp
  conversion/ConversionRunSafety_test.cpp conversion/ConversionScript_test.cpp
  encoder/EncoderInfo_test.cpp
  filelist/FastAdding_test.cpp filelist/FileList_test.cpp
  platform/FileIo_test.cpp platform/ProcessRunner_test.cpp platform/Shortcuts_test.cpp
  platform/TerminateApp_test.cpp
  probe/ProbeMediaFile_test.cpp)

set(WINDOWS_TEST_DIRS base app encoder conversion probe filelist texts platform win32)
foreach(dir ${WINDOWS_TEST_DIRS})
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*_test.cpp)
  foreach(posix_only ${POSIX_ONLY_TESTS})
    list(REMOVE_ITEM test_sources ${CMAKE_CURRENT_SOURCE_DIR}/${posix_only})
  endforeach()
  if(test_sources)
    set(target vardeno_${dir}_tests)
    add_executable(${target} ${test_sources})
    target_link_libraries(${target} PRIVATE vardeno_core GTest::gtest GTest::gtest_main)
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_compile_definitions(${target} PRIVATE
      VARDENO_CLI_PATH="$<TARGET_FILE:vardeno-cli>"
      VARDENO_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
    add_dependencies(${target} vardeno-cli)
    vardeno_self_contained(${target})
    add_test(NAME win.${dir} COMMAND ${target})
    set_tests_properties(win.${dir} PROPERTIES TIMEOUT 600 ENVIRONMENT "WINEDEBUG=-all")
  endif()
endforeach()
