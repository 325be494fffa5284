#!/usr/bin/env bash
# Times the window on the bundled dictionary and on a generated one of over
# 100 MB in /tmp (made once).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DTAVIK_BUILD_BENCH=ON >/dev/null
cmake --build build -j2 --target tavik-window-timings
big=/tmp/tavik-bench-110mb.txt
[ -f "$big" ] || bench/make-big-dictionary.py "$big" 110
run() { xvfb-run -a -s '-screen 0 1600x1200x24' build/tavik-window-timings "$@" 2>/dev/null; }
run
run --dict "$big"
