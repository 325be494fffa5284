#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (the window tests on a
# virtual X display). With --sanitize, builds and tests with AddressSanitizer
# and UndefinedBehaviorSanitizer instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=build
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-sanitize
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
scripts/build.sh "$@"
cd "$dir"
xvfb-run -a -s '-screen 0 1600x1200x24' ctest --output-on-failure -j2 --timeout 300
