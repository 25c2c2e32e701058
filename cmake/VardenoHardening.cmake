# Hardened executables, as Debian builds its packages (`dpkg-buildflags` with hardening=+all):
# stack protector, _FORTIFY_SOURCE, format-string checks, stack clash protection, control-flow
# protection, position-independent executables, full RELRO and immediate binding.
#
# Only the native Linux build with GCC gets them, and each only when the compiler and linker take
# it; a Debug build keeps _FORTIFY_SOURCE off (it needs optimisation). Other targets (the Windows
# cross build with MinGW, other compilers) are left as they are.
include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)
include(CheckPIESupported)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT CMAKE_CROSSCOMPILING)
  set(VARDENO_HARDENING_COMPILE)
  # -Werror=format-security is only taken together with -Wformat.
  set(CMAKE_REQUIRED_FLAGS -Wformat)
  foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection -Wformat -Werror=format-security)
    string(MAKE_C_IDENTIFIER "VARDENO_CXX_HAS${flag}" has_flag)
    check_cxx_compiler_flag(${flag} ${has_flag})
    if(${has_flag})
      list(APPEND VARDENO_HARDENING_COMPILE ${flag})
    endif()
  endforeach()
  unset(CMAKE_REQUIRED_FLAGS)
  add_compile_options(${VARDENO_HARDENING_COMPILE}
                      "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>"
                      "$<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>")

  check_linker_flag(CXX "-Wl,-z,relro,-z,now" VARDENO_LD_HAS_RELRO_NOW)
  if(VARDENO_LD_HAS_RELRO_NOW)
    add_link_options("-Wl,-z,relro,-z,now")
  endif()

  check_pie_supported(LANGUAGES CXX)
  if(CMAKE_CXX_LINK_PIE_SUPPORTED)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  endif()
  message(STATUS "Hardening: ${VARDENO_HARDENING_COMPILE} _FORTIFY_SOURCE=2 (not Debug) "
                 "relro+now=${VARDENO_LD_HAS_RELRO_NOW} PIE=${CMAKE_CXX_LINK_PIE_SUPPORTED}")
endif()
