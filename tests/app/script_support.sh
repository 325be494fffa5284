# Helpers of the shell tests that drive the real program (sourced).
fail() { echo "FAIL: $*"; exit 1; }
wait_for() {  # wait_for SECONDS COMMAND...: true once COMMAND succeeds
    n=$(($1 * 10)); shift
    while [ $n -gt 0 ]; do "$@" && return 0; sleep 0.1; n=$((n - 1)); done
    return 1
}
