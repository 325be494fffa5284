#!/usr/bin/env bash
# Configures and builds Tavik. Usage: build.sh [--sanitize] [cmake args...]
# Builds into ./build, or ./build-sanitize with AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build
args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    shift
    dir=build-sanitize
    args=(-DCMAKE_BUILD_TYPE=Debug -DTAVIK_SANITIZE=ON)
fi
cmake -S . -B "$dir" "${args[@]}" "$@" >/dev/null
cmake --build "$dir" -j2
