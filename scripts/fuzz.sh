#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60),
# on its seed corpus in tests/fuzz/corpus/<target> (new finds are kept in
# build-fuzz/corpus). Usage: fuzz.sh [SECONDS] [TARGET...]
# Every target runs within a memory and a time budget: an input that takes
# more memory than the target's -rss_limit_mb, or more processor time than
# its budget (tests/fuzz/cpu_budget.h), is a finding like a crash. The time is
# processor time, so that a run at low priority on a busy machine is not
# "slow" while it waits; the wall clock still ends an input that stalls
# (-timeout, thirty times the budget). fuzz_html_layout needs a display: it
# runs under xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
command -v clang++-14 >/dev/null || { sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo; $sudo apt-get install -y -qq clang-14 libclang-rt-14-dev; }
CXX=clang++-14 cmake -S . -B build-fuzz -DTAVIK_FUZZ=ON -DTAVIK_BUILD_GUI=OFF -DTAVIK_BUILD_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(cd build-fuzz && ls fuzz_* | grep -v '\.'))
# Memory (MB, resident and in one allocation) and time per input (s) each
# target may take.
budget() {
    case "$1" in
        fuzz_dictd | fuzz_stardict) echo "512 10" ;;
        fuzz_picture_probe) echo "512 5" ;;
        fuzz_html_layout) echo "1024 5" ;;
        fuzz_page_bounds | fuzz_codepage | fuzz_profile | fuzz_skin_layout) echo "1024 5" ;;
        fuzz_lookup | fuzz_wordlists) echo "1024 5" ;;
        *) echo "2048 10" ;;
    esac
}
findings=0
for t in "${targets[@]}"; do
    read -r rss timeout < <(budget "$t")
    name=${t#fuzz_}
    mkdir -p "build-fuzz/corpus/$name" "tests/fuzz/corpus/$name"
    dict=()
    [ -f "tests/fuzz/$name.dict" ] && dict=(-dict="tests/fuzz/$name.dict")
    display=()
    extra=()
    if [ "$t" = fuzz_html_layout ]; then
        display=(xvfb-run -a -s '-screen 0 1024x768x24')
        # The toolkit's caches live until the process ends.
        extra=(-detect_leaks=0)
    fi
    asan=${ASAN_OPTIONS:-}
    [ "$t" = fuzz_html_layout ] && asan=detect_leaks=0
    echo "== $t for ${seconds}s (at most ${rss} MB, ${timeout} s of processor time an input)"
    # A finding (saved as crash-*, timeout-* or oom-* here) ends that target's
    # run; the other targets still run.
    if ! ASAN_OPTIONS="$asan" TAVIK_FUZZ_CPU_SECONDS="$timeout" "${display[@]}" "build-fuzz/$t" -max_total_time="$seconds" \
        -timeout=$((timeout * 30)) -rss_limit_mb="$rss" -malloc_limit_mb="$rss" "${extra[@]}" \
        -print_final_stats=1 "${dict[@]}" "build-fuzz/corpus/$name" "tests/fuzz/corpus/$name" \
        >"build-fuzz/$t.log" 2>&1; then
        findings=$((findings + 1))
    fi
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss|==([0-9]+|tavik)==ERROR|SUMMARY)|cov:' \
        "build-fuzz/$t.log" | tail -4
done
[ "$findings" -eq 0 ] || { echo "$findings target(s) found a fault: see crash-*, timeout-*, oom-*"; exit 1; }
