# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (posix thread model, so
# std::thread and std::mutex work). Tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VARDENO_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER   ${VARDENO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VARDENO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${VARDENO_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VARDENO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(VARDENO_WINE NAMES wine wine64)
if(VARDENO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VARDENO_WINE})
endif()

# A Qt built for Windows (scripts/build-qt-windows.sh), named by CMAKE_PREFIX_PATH, is a root of
# its own: its packages are found there rather than under the MinGW root.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
