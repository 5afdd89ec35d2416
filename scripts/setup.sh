#!/usr/bin/env bash
# Installs the system packages the build, the package, the tests and the demo
# need, when some are missing and we may install (root). Safe to run again.
source "$(dirname "$0")/lib/strict.sh"

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev googletest
          xvfb xauth fonts-dejavu-core litecoind sendemail python3 libbenchmark-dev
          dpkg-dev file man-db desktop-file-utils appstream lintian ccache
          libx11-dev libxtst-dev cron dbus python3-dbus python3-gi
          python3-aiosmtpd xdg-utils libxcb1-dev libx11-xcb-dev libxcb-xkb-dev
          gnome-session-bin xfce4-power-manager)

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
