#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (the window tests on a
# virtual X display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cd build
xvfb-run -a -s '-screen 0 1600x1200x24' ctest --output-on-failure -j2 --timeout 300
