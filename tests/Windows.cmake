# The tests of a Windows build, run under Wine (the toolchain's emulator) by ctest.
# GoogleTest is built for the target from Debian's source package.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The core's tests that are about POSIX facilities (signals, process groups, shell scripts as
# encoders, file modes, named pipes, the C library's locales, the XDG folders and setenv), and those
# whose expected paths are still written with "/"; Windows has its own in win32/ (the path rules
# with "\" among them). A test file that writes its paths with JoinPath and the temporary folder's
# own root runs on both systems, its POSIX-only cases inside #ifndef _WIN32.
set(POSIX_ONLY_TESTS
  app/AppParams_test.cpp app/SettingsFile_test.cpp
  conversion/OutputPath_test.cpp conversion/ConversionRun_test.cpp
  conversion/ConversionRunSafety_test.cpp conversion/ConversionScript_test.cpp conversion/ParallelRows_test.cpp
  conversion/ConversionRunSubtitles_test.cpp
  encoder/EncoderInfo_test.cpp
  filelist/FastAdding_test.cpp
  platform/FileIo_test.cpp platform/Shortcuts_test.cpp
  platform/TerminateApp_test.cpp platform/WriteFailures_test.cpp
  probe/ProbeMediaFile_test.cpp)

# Every test executable carries the manifest the shipped executables carry (among others it makes
# UTF-8 the process's code page, so GetACP() and GetOEMCP() answer 65001): a test sees the system as
# Vardeno.exe and vardeno-cli.exe see it on a user's machine.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/shipped_manifest.rc
     CONTENT "1 24 \"${CMAKE_BINARY_DIR}/vardeno.manifest\"\n")  # configured with vardeno-cli's resources
function(vardeno_shipped_manifest target)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/shipped_manifest.rc)
endfunction()

set(WINDOWS_TEST_DIRS base app encoder conversion probe filelist player texts platform win32)
foreach(dir ${WINDOWS_TEST_DIRS})
  vardeno_add_folder_tests(${dir} target ${POSIX_ONLY_TESTS})
  if(target)
    vardeno_self_contained(${target})
    vardeno_shipped_manifest(${target})
    add_test(NAME win.${dir} COMMAND ${target} --gtest_filter=-PolishWindows*)
    set_tests_properties(win.${dir} PROPERTIES TIMEOUT 600 ENVIRONMENT "WINEDEBUG=-all")
  endif()
endforeach()
# The PolishWindows tests run on a Polish system (Wine takes it from LANG): ANSI code page 1250,
# OEM code page 852, neither of them UTF-8. They run alone: a process started with another
# language rewrites the prefix's regional settings, which a test running beside it would read.
add_test(NAME win.win32.polish COMMAND vardeno_win32_tests --gtest_filter=PolishWindows*)
set_tests_properties(win.win32.polish PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE
                     ENVIRONMENT "WINEDEBUG=-all;LANG=pl_PL.UTF-8;LC_ALL=pl_PL.UTF-8")

# The runner's test children, beside the test executable that starts them: a console program
# that prints what its arguments ask for (and the same as a windowed program), a parent that
# runs one child through the runner, to be ended hard, and an encoder that only writes its output.
add_executable(scripted_child win32/scripted_child.cpp)
add_executable(scripted_child_gui win32/scripted_child.cpp)
add_executable(runner_parent win32/runner_parent.cpp)
add_executable(fake_encoder_win32 win32/fake_encoder_win32.cpp)
target_link_libraries(runner_parent PRIVATE vardeno_core)
set_target_properties(scripted_child_gui PROPERTIES WIN32_EXECUTABLE ON)
foreach(child scripted_child scripted_child_gui runner_parent fake_encoder_win32)
  target_link_options(${child} PRIVATE -municode)
  target_include_directories(${child} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  vardeno_self_contained(${child})
  vardeno_shipped_manifest(${child})
  add_dependencies(vardeno_win32_tests ${child})
  add_dependencies(vardeno_platform_tests ${child})
endforeach()

# The windows' tests, on the offscreen platform, when the windows are built. Those about a Linux
# facility stay out: the freedesktop services, the locale taken from the environment, the XDG
# launcher folders, signals, a full tmpfs, and encoders written as shell scripts.
if(VARDENO_BUILD_UI)
  set(LINUX_ONLY_UI_TESTS DesktopRun_test MainWindowLinux_test MainWindowLocale_test Languages_test OptionsAbout_test
      SettingsPanels_test RunWindows_test)
  # Qt's and the compiler's DLLs are found through WINEPATH; Qt finds its plugins beside its DLLs.
  get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
  get_filename_component(qt_bin_dir "${qt_core_dll}" DIRECTORY)
  set(mingw_runtime_dirs "/usr/lib/gcc/x86_64-w64-mingw32/12-posix" "/usr/x86_64-w64-mingw32/lib")
  set(wine_path "Z:${qt_bin_dir}")
  foreach(dir ${mingw_runtime_dirs})
    string(APPEND wine_path "\\;Z:${dir}")
  endforeach()
  file(GLOB ui_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*_test.cpp)
  foreach(source ${ui_test_sources})
    get_filename_component(name ${source} NAME_WE)
    if(name IN_LIST LINUX_ONLY_UI_TESTS)
      continue()
    endif()
    vardeno_add_window_test(${source} target)
    vardeno_shipped_manifest(${target})
    target_compile_definitions(${target} PRIVATE VARDENO_PROGRAM_PATH="Z:$<TARGET_FILE:vardeno>")
    add_dependencies(${target} vardeno)
    # The platform is named on the command line: QT_QPA_PLATFORM does not reach Qt under Wine.
    set(platform offscreen)
    if(name STREQUAL "MainWindowSize_test")  # judged on a common laptop screen
      set(platform "offscreen:configfile=${CMAKE_CURRENT_SOURCE_DIR}/data/offscreen_1366x768.json")  # no drive: ":" parts the options
    endif()
    add_test(NAME win.ui.${name}
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/win32/run_qt_test.sh $<TARGET_FILE:${target}> -platform ${platform})
    set_tests_properties(win.ui.${name} PROPERTIES TIMEOUT 300 ENVIRONMENT "WINEDEBUG=-all;WINEPATH=${wine_path}")
  endforeach()
endif()
