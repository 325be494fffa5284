#!/usr/bin/env bash
# Installs what is missing, builds, and opens the Tavik window on the bundled
# dictionary and skin (arguments go to the window, e.g. --home DIR). A build
# without the window looks the arguments up on the command line instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -x build/tavik ]; then
    exec build/tavik "$@"
fi
exec build/tavik-dict lookup "${@:-cat}"
