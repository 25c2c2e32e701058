#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Vardeno need.
# Quick when everything is already there: apt is only called for what is missing.
set -euo pipefail

# librsvg2-bin, help2man: the icon sizes and a manual page are made at build time; dpkg-dev: the
# .deb's library dependencies; desktop-file-utils, appstream, xdotool: the launcher tests and the
# installed program's tests (with groff-base, shared-mime-info); file: CPack's scan of the .deb's
# library dependencies runs it. libsystemd-dev, pkg-config: the sleep lock's D-Bus client;
# python3-dbusmock, dbus-daemon, libglib2.0-bin (gdbus): the desktop tests' stand-in services;
# libx11-dev: the start-up benchmark listens for the X server's map event; openbox, x11-apps (xwd):
# looking at the windows by hand under Xvfb with a window manager, and screenshots of them;
# python3-pyatspi, at-spi2-core: the accessibility benchmark walks the window as a screen reader does.
packages=(cmake g++ make libgtest-dev qt6-base-dev ffmpeg xvfb xauth locales file libx11-dev
          librsvg2-bin help2man dpkg-dev desktop-file-utils appstream xdotool groff-base shared-mime-info
          libsystemd-dev pkg-config python3-dbusmock dbus-daemon libglib2.0-bin openbox x11-apps
          python3-pyatspi at-spi2-core)

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"

# A Polish locale, for the tests of locale-dependent texts (decimal comma, dates, sorting).
if ! locale -a 2>/dev/null | grep -qi '^pl_PL\.utf-\?8$'; then
  localedef -i pl_PL -f UTF-8 pl_PL.UTF-8
fi
