# The Debian package: `cpack -G DEB` in the build folder (or `cmake --build build --target package`)
# makes vardeno_<version>_<arch>.deb from the install rules of VardenoInstall.cmake.
# Desktops refresh their menus, icon caches and MIME associations through the dpkg triggers of
# desktop-file-utils, hicolor-icon-theme and shared-mime-info, so the package needs no maintainer
# scripts of its own.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vardeno")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Vardeno developers")
set(CPACK_PACKAGE_CONTACT "${VARDENO_DEB_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converter of video and audio files for Zune players")
set(CPACK_PACKAGE_DESCRIPTION
"Vardeno converts video and audio files into files that Zune portable players
can play. It does no encoding itself: for every checked file of its list it
builds a command line for ffmpeg, runs it, shows the progress and records
each file's outcome.

It offers 13 output formats (WMV, MP4, M4V and MOV video; MP3, WMA, M4A and
AAC audio), video, audio and advanced settings, named profiles, a preview of
the command line, file information, an error log, list files and shell
scripts, in English and Polish. The package also holds vardeno-cli, the same
conversions from the command line.")

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_NAME "vardeno")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VARDENO_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "video")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The linked libraries give the rest; ffmpeg is run, not linked, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ffmpeg")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)
