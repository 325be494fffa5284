#!/usr/bin/env bash
# Installs what is missing, builds, and runs Tavik on its bundled dictionary.
# Arguments are words to look up.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -x build/tavik ]; then
    exec build/tavik "$@"
fi
exec build/tavik-dict lookup "${@:-cat}"
