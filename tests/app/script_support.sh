# Helpers of the shell tests that drive the real program (sourced).
fail() { echo "FAIL: $*"; exit 1; }
wait_for() {  # wait_for SECONDS COMMAND...: true once COMMAND succeeds
    n=$(($1 * 10)); shift
    while [ $n -gt 0 ]; do "$@" && return 0; sleep 0.1; n=$((n - 1)); done
    return 1
}

# The window on a desktop with a window manager; `work` names the run's
# folder, `pid` and `window` the program that runs.
# The build tree is also a portable copy its user may have added
# dictionaries to: the runs see the bundled one only.
copy_bundled_data() {
    mkdir -p "$work/Data"
    cp "$build/Data/Tavik.txt" "$work/Data/"
    cp -r "$build/Skin" "$work/"
}

make_home() {  # a home of the run's own in `work`, from the build's bundled dictionary and Skin
    copy_bundled_data
    mkdir -p "$work/run" "$work/config"
    chmod 700 "$work/run"
    export TAVIK_HOME="$work" TAVIK_SETTINGS="$work/settings.ini" XDG_RUNTIME_DIR="$work/run"
    export XDG_CONFIG_HOME="$work/config"
}
window=""
start() {  # start PROGRAM [VAR=VALUE...]: starts Tavik and waits for its window
    program=$1; shift
    env -u LC_ALL "$@" "$program" >"$work/tavik.log" 2>&1 &
    pid=$!
    wait_for 30 sh -c 'xdotool search --onlyvisible --name "^Tavik$" >/dev/null 2>&1' ||
        fail "no window"
    window=$(xdotool search --onlyvisible --name "^Tavik$" | head -1)
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    sleep 0.5
}
stop() {
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    key ctrl+q
    wait_for 20 sh -c "! kill -0 $pid 2>/dev/null" || fail "Ctrl+Q did not end Tavik"
    pid=""
    if grep -q "Gtk-WARNING\|Gtk-CRITICAL" "$work/tavik.log"; then
        cat "$work/tavik.log"
        fail "the toolkit warned"
    fi
}
key() { xdotool key --clearmodifiers "$@"; sleep 0.4; }
title() { xdotool getwindowname "$window"; }
search() { xdotool type --delay 30 "$1"; key Return; }
