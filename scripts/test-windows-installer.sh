#!/usr/bin/env bash
# The installer under Wine, as a user meets it: the first release (0.1.0,
# which registered itself as "SYNCWARD 0.1.0") installed silently, a setting
# stored through the program's own composer, this build's installer run
# over it, and then one program of this version, one Start menu entry, one
# uninstall entry and the setting untouched; a silent uninstall that leaves
# no program file and keeps the setting. Both the program and the installer
# carry the version information Windows shows in their Properties. Takes
# the Windows build folder (default build-win32).
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
build=${1:-build-win32}
installers=("$build"/syncward-*-win64.exe)
installer=${installers[0]}
[ -f "$installer" ] || { echo "== installer: none in $build" >&2; exit 1; }
version=$(basename "$installer" | sed -E 's/^syncward-(.*)-win64\.exe$/\1/')
for tool in syncward_first_release configure_windows_copy; do
  [ -f "$build/$tool.exe" ] || { echo "== installer: no $build/$tool.exe" >&2; exit 1; }
done
unset DISPLAY WAYLAND_DISPLAY
source scripts/lib/wine-prefix.sh

fail() { echo "== installer: $*" >&2; exit 1; }

# What Windows shows in Properties is kept as UTF-16 text in the resources.
for shown in "ProductName" "SYNCWARD" "$version" "SYNCWARD - keeps a crypto-currency full node up to date"; do
  strings -el "$build/syncward.exe" | grep -qxF "$shown" || fail "syncward.exe carries no \"$shown\" in its version information"
done
strings -el "$installer" | grep -qxF "SYNCWARD $version installer" || fail "the installer carries no version information"

# The first release's installer: the same CPack set-up as it had then (its
# uninstall entry named after its version, no upgrade steps), holding the
# program as it called itself.
first="$WINEPREFIX/first-release"
mkdir -p "$first/program"
cp "$build/syncward_first_release.exe" "$first/program/syncward.exe"
cpack -G NSIS --config "$build/CPackConfig.cmake" -B "$first" \
  -D CPACK_INSTALL_CMAKE_PROJECTS= -D "CPACK_INSTALLED_DIRECTORIES=$first/program;." \
  -D CPACK_PACKAGE_VERSION=0.1.0 -D CPACK_PACKAGE_FILE_NAME=syncward-0.1.0-win64 \
  -D "CPACK_PACKAGE_INSTALL_REGISTRY_KEY=SYNCWARD 0.1.0" -D CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS= \
  -D CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS= -D "CPACK_NSIS_DEFINES=Target amd64-unicode" >/dev/null ||
  fail "the first release's installer could not be made"

folder="$WINEPREFIX/drive_c/Program Files/SYNCWARD"
program='C:\Program Files\SYNCWARD\syncward.exe'
uninstall_entries() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null | tr -d '\r' |
    sed -n 's/.*\\Uninstall\\\(SYNCWARD.*\)$/\1/p'
}
menu_entries() { find "$WINEPREFIX/drive_c" -path '*Start Menu*' -iname 'SYNCWARD*.lnk' | wc -l; }
settings='HKCU\Software\VB and VBA Program Settings\QV_SYNCWARD\syncward'
home_setting() {
  wine reg query "$settings" /v SYNCWARD_HOME_TEXTBOX 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *SYNCWARD_HOME_TEXTBOX *REG_SZ *//p'
}

echo "== installer: the first release, then $(basename "$installer") ($(du -h "$installer" | cut -f1)) over it"
# NSIS's silent switch; the uninstaller is started with the same.
wine "$first/syncward-0.1.0-win64.exe" /S
wineserver -w
said=$(wine "$program" --version 2>&1 | tr -d '\r')
[ "$said" = "syncward 0.1.0" ] || fail "the first release says \"$said\""
[ "$(uninstall_entries)" = "SYNCWARD 0.1.0" ] || fail "the first release's uninstall entry is \"$(uninstall_entries)\""

# A copy set up by the program's own composer, as its settings windows
# would leave it, under the installed program's name.
timeout 120 wine "$build/configure_windows_copy.exe" 'C:\syncward-home' syncward 'C:\node' coind.exe coin-cli.exe \
  'C:\chain' 00:00:02 0 >/dev/null 2>&1 || fail "the copy could not be set up"
[ "$(home_setting)" = 'C:\syncward-home' ] || fail "no home folder stored for the copy"

wine "$installer" /S
wineserver -w
[ -f "$folder/syncward.exe" ] || fail "no syncward.exe in $folder after the upgrade"
[ -f "$folder/Uninstall.exe" ] || fail "no uninstaller in $folder after the upgrade"
said=$(wine "$program" --version 2>&1 | tr -d '\r')
echo "== installed syncward.exe --version: $said"
[ "$said" = "syncward $version" ] || fail "after the upgrade the program says \"$said\", not $version"
entries=$(uninstall_entries)
[ "$entries" = SYNCWARD ] || fail "after the upgrade the uninstall entries are: $(echo $entries)"
[ "$(menu_entries)" -eq 1 ] || fail "after the upgrade there are $(menu_entries) Start menu entries"
[ "$(home_setting)" = 'C:\syncward-home' ] || fail "the upgrade changed the copy's settings"
# --check ends in 1 here (the copy's node is not installed): its lines count.
checked=$(wine "$program" --check 2>&1 | tr -d '\r' || true)
grep -qF 'GREEN   HOME FOLDER C:\syncward-home' <<<"$checked" ||
  fail "the upgraded program does not read the copy's settings: $checked"

wine 'C:\Program Files\SYNCWARD\Uninstall.exe' /S
wineserver -w
# The uninstaller copies itself away and removes the folder once it ends.
for _ in $(seq 1 50); do [ -e "$folder/syncward.exe" ] || break; sleep 0.2; done
[ ! -e "$folder/syncward.exe" ] && [ ! -e "$folder/Uninstall.exe" ] || fail "the uninstall left program files in $folder"
[ -z "$(uninstall_entries)" ] || fail "the uninstall left its entry: $(uninstall_entries)"
[ "$(menu_entries)" -eq 0 ] || fail "the uninstall left a Start menu entry"
[ "$(home_setting)" = 'C:\syncward-home' ] || fail "the uninstall removed the copy's settings"
echo "== installer: the first release upgraded to $version, one program, menu entry and uninstall entry, settings kept; uninstalled with the settings kept"
