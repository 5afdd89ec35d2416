#!/usr/bin/env bash
# Installs the system packages the build, the package, the tests and the demo
# need, when some are missing and we may install (root). Safe to run again.
# With "demo" as argument, only what the demo needs: the build and the nodes.
source "$(dirname "$0")/lib/strict.sh"
source "$(dirname "$0")/lib/packages.sh"

case "${1:-all}" in
  demo) packages=("${demo_packages[@]}") ;;
  all) packages=("${test_packages[@]}") ;;
  *) echo "usage: $0 [demo|all]" >&2; exit 2 ;;
esac
bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
