# The Debian packages each job needs, named once. Sourced by setup.sh.
# shellcheck shell=bash

# Building the program and the tool that sets up a copy (the latter uses the
# tests' set-up code, so GoogleTest's headers too); ccache to reuse compiles.
build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev googletest
                libx11-dev libxtst-dev libxcb1-dev libx11-xcb-dev libxcb-xkb-dev ccache)

# The demo: the build, the regtest nodes, the free-port helper, a font for
# the offscreen window.
demo_packages=("${build_packages[@]}" litecoind python3 fonts-dejavu-core)

# Everything the tests, the benchmarks and the package need besides.
test_packages=("${demo_packages[@]}" xvfb xauth sendemail libbenchmark-dev
               dpkg-dev file man-db desktop-file-utils appstream lintian
               cron dbus python3-dbus python3-gi python3-aiosmtpd xdg-utils
               gnome-session-bin xfce4-power-manager polkitd)
