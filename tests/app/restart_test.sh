#!/bin/sh
# "모든 사전" kept across a restart of the real program: one run chooses
# every dictionary in the window's list with the keyboard and ends; the next
# run starts with it chosen, and its search shows the entries of every
# dictionary. Keys go through a window manager on a virtual screen of its own.
#   restart_test.sh BUILD
set -eu
build=$(cd "$1" && pwd)
for tool in xvfb-run openbox xdotool xclip; do
    command -v "$tool" >/dev/null || { echo "no $tool"; exit 77; }
done
if [ -z "${TAVIK_RESTART_DISPLAY:-}" ]; then
    TAVIK_RESTART_DISPLAY=1 exec xvfb-run -a -s '-screen 0 1280x1024x24' sh "$0" "$@"
fi

work=$(mktemp -d)
pid=""
wm=""
trap 'for p in $pid $wm; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
. "$(dirname "$0")/script_support.sh"

openbox >/dev/null 2>&1 &
wm=$!
sleep 1

make_home
printf 'apple/an extra apple\nmango/a mango\n' >"$work/Data/aa-extra.txt"
# The tools read the window's title in UTF-8; Tavik runs in Korean.
unset LC_MESSAGES LANGUAGE
export LC_ALL=C.UTF-8

title_is() { [ "$(title)" = "$1" ]; }
all_stored() { grep -q '^CurDicPath=all-dictionaries/$' "$work/settings.ini"; }
dash=$(printf '\342\200\224')
every="모든 사전"

echo "== the first run chooses every dictionary"
start "$build/tavik" LANG=C
search apple
wait_for 10 title_is "apple $dash Tavik $dash Tavik" || fail "first search: $(title)"
# Backwards from the search box, the dictionary list comes before any other
# list; Home there takes its first entry. Home elsewhere changes nothing
# that is checked here.
for try in 1 2 3 4 5 6; do
    key shift+Tab
    key Home
    wait_for 2 all_stored && break
done
all_stored || fail "the keyboard did not reach the dictionary list"
# Choosing shows the word of the box again, now from every dictionary.
wait_for 10 title_is "apple $dash $every $dash Tavik" || fail "after the choice: $(title)"
stop

echo "== the next run starts with every dictionary chosen"
start "$build/tavik" LANG=C
all_stored || fail "the start changed the stored choice: $(grep CurDicPath "$work/settings.ini")"
search apple
wait_for 10 title_is "apple $dash $every $dash Tavik" || fail "second search: $(title)"
mkdir -p "$build/test-artifacts"
import -window "$window" "$build/test-artifacts/restart-every-dictionary.png" 2>/dev/null || true
# The entry as Copy takes it: each dictionary's name, then its entry.
key Escape
key ctrl+Right
key ctrl+c
xclip -selection clipboard -o >"$work/copied.txt" || fail "nothing was copied"
grep -qx "aa-extra" "$work/copied.txt" || { cat "$work/copied.txt"; fail "no entry of aa-extra"; }
grep -qx "an extra apple" "$work/copied.txt" || { cat "$work/copied.txt"; fail "no extra apple"; }
grep -qx "Tavik" "$work/copied.txt" || { cat "$work/copied.txt"; fail "no entry of Tavik"; }
stop
all_stored || fail "the choice was not kept"
echo "restart test passed"
