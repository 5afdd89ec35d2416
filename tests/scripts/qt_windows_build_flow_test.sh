#!/usr/bin/env bash
# The whole flow of scripts/build-qt-windows.sh from an empty cache, with
# the real source package fetched and unpacked, and the hour-long
# configure, build and install of Qt replaced by a stand-in cmake that
# checks each step got what the real one needs:
#   - an install that fails stops the script with the failing line named,
#     and leaves no folder marked complete;
#   - the next start fetches nothing again, configures, builds, installs,
#     marks the folder complete, prints it last and clears its work;
#   - a third start finds the folder complete and does nothing.
# Skips (77) where the source cannot be had: not root and no deb-src lines.
source "$(dirname "$0")/../../scripts/lib/strict.sh"
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/syncward-qt-flow-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

native_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
if [ "$(id -u)" -ne 0 ] &&
   ! apt-cache showsrc qt6-base 2>/dev/null | grep -x "Version: $native_version" >/dev/null; then
  echo "SKIP: no deb-src entry for qt6-base $native_version, and only root may add one"
  exit 77
fi

mkdir -p "$work/bin" "$work/cache"
steps="$work/steps.log"
cat >"$work/bin/cmake" <<'STANDIN'
#!/usr/bin/env bash
# Stand-in for Qt's configure, build and install: each step must find what
# the one before it left, as the real ones would.
set -euo pipefail
case "$1" in
  -S)
    source=$2 build=$4
    [ -f "$source/CMakeLists.txt" ] && [ -f "$source/src/corelib/global/qglobal.h" ] ||
      { echo "stand-in: $source is no unpacked qtbase" >&2; exit 2; }
    prefix=""
    for argument in "$@"; do
      case "$argument" in -DCMAKE_INSTALL_PREFIX=*) prefix=${argument#*=} ;; esac
    done
    [ -n "$prefix" ] || { echo "stand-in: no install prefix" >&2; exit 2; }
    mkdir -p "$build"
    echo "$prefix" >"$build/prefix"
    echo "configure $source" >>"$QT_FLOW_STEPS" ;;
  --build)
    [ -f "$2/prefix" ] || { echo "stand-in: $2 was not configured" >&2; exit 2; }
    touch "$2/built"
    echo "build ${*:3}" >>"$QT_FLOW_STEPS" ;;
  --install)
    [ -f "$2/built" ] || { echo "stand-in: $2 was not built" >&2; exit 2; }
    [ -z "${QT_FLOW_FAIL_INSTALL:-}" ] || exit 3
    prefix=$(cat "$2/prefix")
    mkdir -p "$prefix/lib/cmake/Qt6"
    touch "$prefix/lib/cmake/Qt6/Qt6Config.cmake"
    echo "install $prefix" >>"$QT_FLOW_STEPS" ;;
  *) echo "stand-in: unexpected cmake $*" >&2; exit 2 ;;
esac
STANDIN
chmod +x "$work/bin/cmake"

run_script() {  # stdout-file stderr-file
  PATH="$work/bin:$PATH" XDG_CACHE_HOME="$work/cache" QT_FLOW_STEPS="$steps" \
    bash "$root/scripts/build-qt-windows.sh" >"$1" 2>"$2"
}
upstream=${native_version%%+*}
upstream=${upstream%%-*}
cache="$work/cache/syncward"
prefix="$cache/qt-$upstream-mingw64-static-r"

echo "--- an install that fails, from an empty cache"
status=0
QT_FLOW_FAIL_INSTALL=1 run_script "$work/out1" "$work/err1" || status=$?
[ "$status" -ne 0 ] || fail "the script succeeded although the install failed"
grep -E "^build-qt-windows\.sh: line [0-9]+: 'cmake --install .*' failed with exit status 3" "$work/err1" >/dev/null ||
  fail "the failure does not name its line and command:
$(tail -n 15 "$work/err1")"
if compgen -G "$prefix*/.complete" >/dev/null; then fail "a failed build was marked complete"; fi
compgen -G "$cache/qt-$upstream-source/qt6-base_*.orig.tar.*" >/dev/null ||
  fail "the fetched source was not kept for the next start"
[ "$(cut -d' ' -f1 "$steps" | tr '\n' ' ')" = "configure build " ] ||
  fail "steps before the failed install: $(cat "$steps")"

echo "--- the next start, through to the end"
: >"$steps"
run_script "$work/out2" "$work/err2" || fail "the script failed:
$(tail -n 15 "$work/err2")"
grep "fetching the qt6-base source" "$work/err2" >/dev/null || fail "nothing fetched: $(cat "$work/err2")"
built=$(tail -n 1 "$work/out2")
case "$built" in "$prefix"[0-9]*) ;; *) fail "the last line is not the built folder: $built" ;; esac
[ -f "$built/.complete" ] || fail "$built is not marked complete"
[ -f "$built/lib/cmake/Qt6/Qt6Config.cmake" ] || fail "nothing was installed into $built"
[ "$(cut -d' ' -f1 "$steps" | tr '\n' ' ')" = "configure build install " ] ||
  fail "the steps were: $(cat "$steps")"
grep "^configure $cache/qt-$upstream-work/qtbase-everywhere-src-$upstream\$" "$steps" >/dev/null ||
  fail "configured from elsewhere: $(cat "$steps")"
[ ! -e "$cache/qt-$upstream-work" ] && [ ! -e "$cache/qt-$upstream-source" ] ||
  fail "the work or the source folder was left: $(ls "$cache")"

echo "--- a third start finds it complete"
: >"$steps"
run_script "$work/out3" "$work/err3" || fail "the third start failed: $(cat "$work/err3")"
[ "$(tail -n 1 "$work/out3")" = "$built" ] || fail "the third start printed $(cat "$work/out3")"
[ ! -s "$steps" ] || fail "the third start built again: $(cat "$steps")"
echo "PASS: fetched, unpacked, configured, built, installed and marked complete; a failure named its line"
