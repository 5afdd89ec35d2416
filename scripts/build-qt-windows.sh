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
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
root=$PWD
toolchain="$root/cmake/mingw-w64-x86_64.cmake"

# Raise when the configuration below changes, so older builds are not used.
revision=3

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
have_sources() { apt-cache showsrc qt6-base 2>/dev/null | grep -x "Version: $native_version" >/dev/null; }
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
# The downloaded source stays until the build is complete: a build that
# failed or was stopped fetches nothing again (apt-get skips the files it
# finds whole).
downloads=$cache/qt-$upstream-source
rm -rf "$work" "$prefix"
mkdir -p "$work" "$downloads"

fetch() { # source package → the folder its upstream tarball unpacks to
  local package=$1 tarballs top
  say "fetching the $package source"
  (cd "$downloads" && apt-get source --download-only -qq "$package=$native_version") >&2
  tarballs=("$downloads/${package}"_*.orig.tar.*)
  if [ "${#tarballs[@]}" -eq 0 ] || [ ! -f "${tarballs[0]}" ]; then
    echo "apt-get left no ${package}_*.orig.tar.* in $downloads" >&2
    return 1
  fi
  say "unpacking ${tarballs[0]##*/}"
  top=$(tar -tf "${tarballs[0]}" | sed -n '1s|/.*||p')
  tar -xf "${tarballs[0]}" -C "$work"
  echo "$work/$top"
}

jobs=${SYNCWARD_JOBS:-$(nproc)}

# The native Qt's CMake files sit in the machine's multiarch folder, where
# a cross build does not look by itself.
host_cmake_dir=/usr/lib/$(gcc -print-multiarch)/cmake
base_source=$(fetch qt6-base)
say "configuring qtbase ($base_source)"
# Only what the program and its tests link: Core, Gui, Widgets, Test, the
# windows and offscreen platforms and the native style. No SQL, network,
# OpenGL, D-Bus, printing, XML, Direct2D platform or JPEG, GIF and ICO
# readers: each of those is a share of the build that nothing here loads.
# The tarball leaves out the tablet header the windows plugin wants, and
# without OpenGL the dynamic GL loader does not compile. The Direct2D
# platform goes with Direct2D 1.1: Direct2D itself must stay, as Gui builds
# the DirectWrite font database the windows platform uses only with it.
features=(sql network opengl dbus printsupport concurrent tabletevent dynamicgl
          xml direct2d1_1 jpeg gif ico)
options=()
for feature in "${features[@]}"; do options+=("-DFEATURE_$feature=OFF"); done
# A compiler cache, where one is installed, serves a build after a new
# revision of this script. Qt precompiles its headers: the cache takes them
# only when told that their macros and times may differ.
if command -v ccache >/dev/null; then
  options+=(-DQT_USE_CCACHE=ON)
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
fi
cmake -S "$base_source" -B "$work/qtbase-build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  "${options[@]}" >"$work/qtbase-configure.log" 2>&1 ||
  { tail -n 40 "$work/qtbase-configure.log" >&2; exit 1; }
say "building qtbase (the long part)"
nice cmake --build "$work/qtbase-build" -j "$jobs" >"$work/qtbase-build.log" 2>&1 ||
  { tail -n 40 "$work/qtbase-build.log" >&2; exit 1; }
cmake --install "$work/qtbase-build" >/dev/null

touch "$prefix/.complete"
rm -rf "$work" "$downloads"
say "built into $prefix ($(du -sh "$prefix" | cut -f1))"
echo "$prefix"
