#!/bin/sh
# `tavik --selection` as a desktop hotkey runs it: the word selected with a
# real selection tool reaches a new window, and the running one by hand-over;
# with nothing selected the window still comes up and standard error says why.
#   selection_test.sh BUILD
set -eu
build=$(cd "$1" && pwd)
for tool in xvfb-run xclip; do
    command -v "$tool" >/dev/null || { echo "no $tool"; exit 77; }
done
if [ -z "${TAVIK_SELECTION_DISPLAY:-}" ]; then
    TAVIK_SELECTION_DISPLAY=1 exec xvfb-run -a -s '-screen 0 1024x768x24' sh "$0" "$@"
fi

# The running window and the program that owns the selection, ended at exit.
running=""
owner=""
work=$(mktemp -d)
trap 'for p in $running $owner; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
. "$(dirname "$0")/script_support.sh"

copy_bundled_data
mkdir -p "$work/run" "$work/config"
chmod 700 "$work/run"
export TAVIK_HOME="$work" TAVIK_SETTINGS="$work/settings.ini" XDG_RUNTIME_DIR="$work/run"
export XDG_CONFIG_HOME="$work/config" LC_ALL=C.UTF-8
tavik="$build/tavik"

# select SELECTION TEXT: a program of its own owns the selection, as the
# program the user selected in would.
select_text() {
    [ -n "$owner" ] && kill "$owner" 2>/dev/null || true
    printf '%s' "$2" | xclip -selection "$1" -quiet -loops 0 >/dev/null 2>&1 &
    owner=$!
    wait_for 10 sh -c "xclip -selection $1 -o >/dev/null 2>&1" || fail "xclip did not take the $1 selection"
}
last_recent_word() { [ -f "$work/OldWord.dat" ] && tail -n 1 "$work/OldWord.dat" | tr -d '\r'; }
recent_is() { [ "$(last_recent_word)" = "$1" ]; }

echo "== no window running: a new one looks the primary selection up"
select_text primary "  zoo
second line"
TAVIK_EXIT_AFTER_START=1 timeout 60 "$tavik" --selection >"$work/new.log" 2>&1 ||
    { cat "$work/new.log"; fail "tavik --selection did not end well"; }
recent_is zoo || fail "the new window searched '$(last_recent_word)', not zoo"

echo "== a running window takes the word"
"$tavik" >"$work/running.log" 2>&1 &
running=$!
wait_for 30 sh -c 'ls "$XDG_RUNTIME_DIR"/tavik-*.sock >/dev/null 2>&1' || fail "the window does not listen"
select_text primary "apple"
timeout 20 "$tavik" --selection >"$work/handed.log" 2>&1 || { cat "$work/handed.log"; fail "hand-over failed"; }
wait_for 20 recent_is apple || fail "the running window searched '$(last_recent_word)', not apple"

echo "== the clipboard when the primary selection is empty"
select_text primary ""
select_text clipboard "banana"
timeout 20 "$tavik" --selection >"$work/clipboard.log" 2>&1 || fail "hand-over of the clipboard failed"
wait_for 20 recent_is banana || fail "searched '$(last_recent_word)', not the clipboard's banana"

echo "== nothing selected: the window comes up, nothing is searched"
select_text clipboard " "
timeout 20 "$tavik" --selection >"$work/none.out" 2>"$work/none.err" || fail "nothing selected failed"
[ "$(cat "$work/none.err")" = "tavik: no text is selected" ] || { cat "$work/none.err"; fail "no message"; }
sleep 1
recent_is banana || fail "nothing selected searched '$(last_recent_word)'"
kill -0 "$running" || fail "the running window ended"
echo "selection test passed"
