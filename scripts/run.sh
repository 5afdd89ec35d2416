#!/usr/bin/env bash
# Installs what is missing, builds, and starts SYNCWARD. Without a display
# it runs offscreen.
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then export QT_QPA_PLATFORM=offscreen; fi
exec ./"${SYNCWARD_BUILD_DIR:-build}"/syncward "$@"
