#!/usr/bin/env bash
# Benchmark of tavik-dict lookups against look, grep and sdcv on dictionaries
# of about 10 MB, 100 MB and 1 GB, and of the window. Installs what it needs
# (Debian), builds tavik-dict, then runs bench/bench.py, which prints the
# figures as Markdown.
#   bench/run.sh                     the full run
#   bench/run.sh --quick             fewer rounds, no count of headwords found
#   bench/run.sh --readme README.md  also puts the figures into the README
# Environment: TAVIK_BENCH_DIR (default /tmp/tavik-bench) keeps the generated
# dictionaries between runs; TAVIK_BENCH_ROUNDS (default 200, 40 when quick)
# the rounds of one-process timings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${TAVIK_BENCH_DIR:-/tmp/tavik-bench}
mkdir -p "$work"

packages=(dict-gcide stardict-tools sdcv bsdextrautils time g++ cmake zlib1g-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" ||
        echo "bench: some packages could not be installed; their columns will be missing"
fi

cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DTAVIK_BUILD_GUI=OFF \
    -DTAVIK_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build-bench" -j2 --target tavik-dict >/dev/null
g++ -O2 -o "$work/spawn_timer" "$root/bench/spawn_timer.cpp"

# The window's timings use the regular build (it needs wx and a display).
gui=""
if cmake -S "$root" -B "$root/build" -DTAVIK_BUILD_BENCH=ON >/dev/null 2>&1 &&
    cmake --build "$root/build" -j2 --target tavik-window-timings >/dev/null 2>&1; then
    gui="$root/build/tavik-window-timings"
fi

exec python3 "$root/bench/bench.py" --tool "$root/build-bench/tavik-dict" --work "$work" \
    --timer "$work/spawn_timer" --gui "$gui" "$@"
