#!/usr/bin/env bash
# The program as a user installs it. A plain `cmake --install` puts exactly
# the program, its desktop entry, icon, metadata and manual page in place;
# the Debian package holds the same under /usr plus Debian's copyright and
# changelog, depends on the libraries the program links and on no node, and
# passes the desktop, AppStream and lintian checks; the program taken out of
# it answers --version and --help without any display. Only the package
# holds the opt-in polkit rule, and its script creates the rule's group,
# empty, once.
source "$(dirname "$0")/../../scripts/lib/strict.sh"
build=$(realpath "$1")
version=$2
app_id=io.github.syncward.Syncward
work=$(mktemp -d "${TMPDIR:-/tmp}/syncward-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

installed_files="bin/syncward
share/applications/$app_id.desktop
share/icons/hicolor/scalable/apps/$app_id.svg
share/man/man1/syncward.1.gz
share/metainfo/$app_id.metainfo.xml"

echo "--- cmake --install"
cmake --install "$build" --prefix "$work/plain" >/dev/null
plain=$(cd "$work/plain" && find . ! -type d | sed 's|^\./||' | sort)
[ "$plain" = "$installed_files" ] || fail "cmake --install installed:
$plain
expected:
$installed_files"

echo "--- cpack"
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$work/out/syncward_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"), cpack made: $(ls "$work/out")"

echo "--- contents"
dpkg-deb -c "$deb" | tee "$work/contents"
packaged=$(awk '$1 !~ /^d/ {print $6}' "$work/contents" | sed 's|^\./usr/||' | sort)
expected=$(printf '%s\nshare/doc/syncward/changelog.gz\nshare/doc/syncward/copyright\n%s\n' "$installed_files" \
  share/polkit-1/rules.d/60-syncward-power.rules | sort)
[ "$packaged" = "$expected" ] || fail "the package holds:
$packaged
expected:
$expected"
awk '$2 != "root/root" {bad = 1} END {exit bad}' "$work/contents" || fail "files not owned by root"
awk '$6 == "./usr/bin/syncward" && $1 != "-rwxr-xr-x" {bad = 1}
     $1 ~ /^-/ && $6 != "./usr/bin/syncward" && $1 != "-rw-r--r--" {bad = 1}
     $1 ~ /^d/ && $1 != "drwxr-xr-x" {bad = 1}
     END {exit bad}' "$work/contents" || fail "unexpected permissions"

echo "--- control"
dpkg-deb -f "$deb" | tee "$work/control"
field() { dpkg-deb -f "$deb" "$1"; }
# The package names of a relation field, one a line, versions dropped.
names() { field "$1" | tr ',|' '\n\n' | awk 'NF {print $1}'; }
[ "$(field Version)" = "$version" ] || fail "package version $(field Version), project version $version"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  names Depends | grep -xF "$library" >/dev/null || fail "Depends lacks $library"
done
names Depends | grep -xF passwd >/dev/null || fail "Depends lacks passwd (groupadd)"
for program in sendemail xdg-utils; do
  names Recommends | grep -xF "$program" >/dev/null || fail "Recommends lacks $program"
done
grep -Eqi 'litecoin|bitcoin' <(names Depends; names Recommends; names Suggests) \
  && fail "the node is the user's own, not a dependency"
[ "$(field Description | wc -l)" -ge 4 ] || fail "no long description"

echo "--- installed files"
root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop="$root/usr/share/applications/$app_id.desktop"
metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
manpage="$root/usr/share/man/man1/syncward.1.gz"

desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || true
cat "$work/desktop.log"
grep -Eq '(error|warning):' "$work/desktop.log" && fail "desktop-file-validate complains"
grep -qx "Exec=syncward" "$desktop" || fail "the desktop entry does not start syncward"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry names another icon"

# The metadata and, through its launchable, the desktop entry and icon
# beside it in the tree.
appstreamcli validate --no-net --explain "$metainfo" || fail "appstreamcli validate"
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metadata release is not $version"

man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manpage" 2>&1 >/dev/null)
[ -z "$man_warnings" ] || fail "manual page warnings: $man_warnings"
zcat "$manpage" | grep "^\.TH SYNCWARD 1 .*\"syncward $version\"" >/dev/null || fail "manual page is not of $version"
zcat "$root/usr/share/doc/syncward/changelog.gz" | sed -n 1p | grep "^syncward ($version) " >/dev/null \
  || fail "changelog does not start at $version"

echo "--- the polkit rule and its group"
source_dir=$(dirname "$0")/../..
cmp "$root/usr/share/polkit-1/rules.d/60-syncward-power.rules" "$source_dir/packaging/60-syncward-power.rules" \
  || fail "the packaged rule is not the source's"
dpkg-deb -e "$deb" "$work/control.d"
[ -x "$work/control.d/postinst" ] || fail "no executable postinst"
# The script against stand-ins for the account tools: each records its call.
stubs="$work/stubs"
mkdir -p "$stubs"
for tool in groupadd addgroup useradd usermod adduser gpasswd; do
  printf '#!/bin/sh\necho "%s $*" >> "%s/calls"\n' "$tool" "$work" > "$stubs/$tool"
done
printf '#!/bin/sh\n[ -e "%s/group-exists" ]\n' "$work" > "$stubs/getent"
chmod 755 "$stubs"/*
postinst() { PATH="$stubs:/usr/bin:/bin" sh "$work/control.d/postinst" "$@" || fail "postinst $* failed"; }
postinst configure
[ "$(cat "$work/calls")" = "groupadd --system syncward-power" ] || fail "postinst configure ran: $(cat "$work/calls")"
touch "$work/group-exists"
postinst configure ""
postinst abort-upgrade 0.1
[ "$(wc -l < "$work/calls")" -eq 1 ] || fail "postinst ran again or added someone: $(cat "$work/calls")"

echo "--- the packaged program, no display"
program="$root/usr/bin/syncward"
bare_env=(env -i PATH=/usr/bin:/bin HOME="$work" LANG=C.UTF-8)
[ "$("${bare_env[@]}" "$program" --version)" = "syncward $version" ] || fail "--version"
"${bare_env[@]}" "$program" --help >"$work/help" || fail "--help failed"
[ "$(sed -n 1p "$work/help")" = "Usage: syncward [--offscreen]" ] || fail "help: $(cat "$work/help")"
grep -q -- "--offscreen" "$work/help" || fail "help lacks --offscreen"
status=0
"${bare_env[@]}" "$program" --no-such-option 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with $status, not 2"

echo "--- lintian"
lintian --fail-on error --info "$deb" || fail "lintian reports errors"
echo "package test passed: $(basename "$deb")"
