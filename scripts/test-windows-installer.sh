#!/usr/bin/env bash
# The installer under Wine: a silent install under Program Files, the
# installed program's --version, a silent uninstall that leaves no program
# file behind. Takes the Windows build folder (default build-win32).
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
build=${1:-build-win32}
installers=("$build"/syncward-*-win64.exe)
installer=${installers[0]}
[ -f "$installer" ] || { echo "== installer: none in $build" >&2; exit 1; }
version=$(basename "$installer" | sed -E 's/^syncward-(.*)-win64\.exe$/\1/')
unset DISPLAY WAYLAND_DISPLAY
source scripts/lib/wine-prefix.sh

echo "== installer: $(basename "$installer") ($(du -h "$installer" | cut -f1))"
# NSIS's silent switch; the uninstaller is started with the same.
wine "$installer" /S
wineserver -w
folder="$WINEPREFIX/drive_c/Program Files/SYNCWARD"
[ -f "$folder/syncward.exe" ] || { echo "== installer: no syncward.exe in $folder" >&2; exit 1; }
[ -f "$folder/Uninstall.exe" ] || { echo "== installer: no uninstaller in $folder" >&2; exit 1; }
menu=$(find "$WINEPREFIX/drive_c" -path '*Start Menu*' -iname 'SYNCWARD*.lnk' -print -quit)
[ -n "$menu" ] || { echo "== installer: no Start menu entry" >&2; exit 1; }

said=$(wine "C:\\Program Files\\SYNCWARD\\syncward.exe" --version 2>&1 | tr -d '\r')
echo "== installed syncward.exe --version: $said"
case "$said" in *"$version"*) ;; *) echo "== installer: the installed program does not say $version" >&2; exit 1 ;; esac

wine "C:\\Program Files\\SYNCWARD\\Uninstall.exe" /S
wineserver -w
# The uninstaller copies itself away and removes the folder once it ends.
for _ in $(seq 1 50); do [ -e "$folder/syncward.exe" ] || break; sleep 0.2; done
if [ -e "$folder/syncward.exe" ] || [ -e "$folder/Uninstall.exe" ]; then
  echo "== installer: the uninstall left program files in $folder" >&2
  exit 1
fi
echo "== installer: installed, ran and uninstalled silently under Wine"
