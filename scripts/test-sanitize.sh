#!/usr/bin/env bash
# Builds the core, platform and GUI tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitize/ (or
# $SYNCWARD_SANITIZE_BUILD_DIR) and runs them; any report fails the run.
# The end-to-end tests are left out: they run the program against real
# nodes, which takes long, and the sanitizers would find nothing there that
# the other tests do not reach.
source "$(dirname "$0")/lib/strict.sh"
cd "$(dirname "$0")/.."
build=${SYNCWARD_SANITIZE_BUILD_DIR:-build-sanitize}
jobs=${SYNCWARD_JOBS:-$(nproc)}
# Unoptimised: the build is the slow part, not the tests.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSYNCWARD_SANITIZE=ON >/dev/null
cmake --build "$build" -j "$jobs" --target core_tests platform_tests gui_tests
# --build-only: scripts/test.sh builds beside the end-to-end tests and runs
# these tests after them (both end the real mailer by its name).
if [ "${1:-}" = "--build-only" ]; then exit 0; fi
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir "$build" -L '^(core|platform|gui)$' --output-on-failure --timeout 600 -j 2
