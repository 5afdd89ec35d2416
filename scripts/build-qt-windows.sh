#!/usr/bin/env bash
# Builds Qt for 64-bit Windows, statically, with the MinGW-w64 compilers:
# qtbase (Core, Gui, Widgets, Test, the windows and offscreen platform
# plugins), from the distribution's own source package of the same version
# as the native Qt, whose moc, rcc and uic it uses.
#
# The result goes to a versioned folder under the user's cache
#   ${XDG_CACHE_HOME:-~/.cache}/syncward/qt-<version>-mingw64-static-r<N>
# and is marked complete only once installed whole; an incomplete one is
# built again from the start, a complete one is left alone, so a second run
# costs nothing. Prints that folder last.
#
# About 30 to 55 minutes on two cores, depending on what else runs; the
# folder takes 108 MB.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
root=$PWD
toolchain="$root/cmake/mingw-w64-x86_64.cmake"

# Raise when the configuration below changes, so older builds are not used.
revision=1

bash scripts/setup.sh >&2
bash scripts/setup-windows.sh >&2
bash scripts/install-packages.sh dpkg-dev xz-utils >&2

# The host tools (moc, rcc, uic) come from the native Qt: the sources must be
# of the very same version.
native_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${native_version%%+*}
upstream=${upstream%%-*}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/syncward
prefix=$cache/qt-$upstream-mingw64-static-r$revision
# One build at a time: a second start waits for the first, then finds its
# folder complete.
mkdir -p "$cache"
exec 9>"$cache/qt-$upstream.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
  echo "== Qt for Windows: $prefix (already built)" >&2
  echo "$prefix"
  exit 0
fi

say() { echo "== Qt for Windows: $*" >&2; }

# apt-get source needs deb-src entries; when there are none, add them for the
# very archives the machine already installs from.
have_sources() { apt-cache showsrc qt6-base 2>/dev/null | grep -q "^Version: $native_version\$"; }
if ! have_sources; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "No source entries for qt6-base $native_version; add deb-src lines for your archive and run again." >&2
    exit 1
  fi
  say "adding source entries beside the machine's own archives"
  shopt -s nullglob
  for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$list" ] || continue
    case "$list" in */syncward-deb-src.*) continue ;; esac
    { grep -E '^deb[[:space:]]' "$list" || true; } | sed -E 's/^deb[[:space:]]/deb-src /'
  done >/etc/apt/sources.list.d/syncward-deb-src.list
  for sources in /etc/apt/sources.list.d/*.sources; do
    case "$sources" in */syncward-deb-src.*) continue ;; esac
    grep -q -E '^Types:.*\bdeb\b' "$sources" || continue
    sed -E 's/^Types:.*/Types: deb-src/' "$sources"
    echo
  done >/etc/apt/sources.list.d/syncward-deb-src.sources
  apt-get update -qq
  have_sources || { echo "qt6-base $native_version has no source in the archive" >&2; exit 1; }
fi

work=$cache/qt-$upstream-work
rm -rf "$work" "$prefix"
mkdir -p "$work"
cd "$work"

fetch() { # source package → the folder its upstream tarball unpacks to
  local package=$1 tarball top
  say "fetching the $package source"
  apt-get source --download-only -qq "$package=$native_version" >&2
  tarball=$(ls "${package}"_*.orig.tar.* | head -n 1)
  top=$(tar -tf "$tarball" | head -n 1 | cut -d/ -f1)
  tar -xf "$tarball"
  echo "$work/$top"
}

jobs=${SYNCWARD_JOBS:-$(nproc)}

# The native Qt's CMake files sit in the machine's multiarch folder, where
# a cross build does not look by itself.
host_cmake_dir=/usr/lib/$(gcc -print-multiarch)/cmake
base_source=$(fetch qt6-base)
say "configuring qtbase ($base_source)"
# Only what the program uses: no SQL, network, OpenGL, D-Bus, printing.
# The tarball leaves out the tablet header the windows plugin wants, and
# without OpenGL the dynamic GL loader does not compile.
cmake -S "$base_source" -B qtbase-build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF >qtbase-configure.log 2>&1 ||
  { tail -n 40 qtbase-configure.log >&2; exit 1; }
say "building qtbase (the long part)"
nice cmake --build qtbase-build -j "$jobs" >qtbase-build.log 2>&1 ||
  { tail -n 40 qtbase-build.log >&2; exit 1; }
cmake --install qtbase-build >/dev/null

touch "$prefix/.complete"
cd /
rm -rf "$work"
say "built into $prefix ($(du -sh "$prefix" | cut -f1))"
echo "$prefix"
