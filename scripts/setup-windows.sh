#!/usr/bin/env bash
# Installs what the Windows build and its tests need beside the native
# build's packages: the MinGW-w64 cross compiler (posix thread model), Wine
# to run what is built, NSIS for the installer, and an X server with a
# window lister to see the program's window. Kept apart, so the demo's
# set-up stays lean.
source "$(dirname "$0")/lib/strict.sh"

packages=(g++-mingw-w64-x86-64-posix wine wine64 nsis xvfb xauth x11-utils x11-apps)

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
