#!/bin/sh
# Installs Tavik into a temporary prefix and starts the installed program
# with a fresh user: the home folder is filled from share/tavik, a word on
# the command line is searched, and a second start hands its word over to
# the first. Needs a display (ctest runs under xvfb-run).
set -eu
build=$1
cmake=$2
[ -n "${DISPLAY:-}" ] || { echo "no display"; exit 77; }

work=$(mktemp -d)
first=""
cleanup() {
    [ -n "$first" ] && kill "$first" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cmake" --install "$build" --prefix "$work/prefix" >/dev/null
for f in bin/tavik bin/tavik-dict share/tavik/Data/Tavik.txt share/tavik/Skin/SkinInfo.Cfg \
         share/tavik/Skin/BGImg.bmp share/tavik/Skin/BGHtml.gif share/applications/tavik.desktop \
         share/icons/hicolor/16x16/apps/tavik.png share/icons/hicolor/32x32/apps/tavik.png \
         share/icons/hicolor/48x48/apps/tavik.png share/icons/hicolor/128x128/apps/tavik.png \
         share/locale/en/LC_MESSAGES/tavik.mo; do
    [ -f "$work/prefix/$f" ] || fail "not installed: $f"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$work/prefix/share/applications/tavik.desktop"
fi

unset TAVIK_HOME TAVIK_SETTINGS
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
home="$XDG_DATA_HOME/tavik"
tavik="$work/prefix/bin/tavik"

# First start, with a word, ending by itself.
TAVIK_EXIT_AFTER_START=1 timeout 60 "$tavik" apple || fail "first start ended with $?"
for f in Data/Tavik.txt Skin/SkinInfo.Cfg Skin/BGImg.bmp Skin/BGHtml.gif; do
    [ -f "$home/$f" ] || fail "home folder lacks $f"
done
grep -q '^apple' "$home/OldWord.dat" || fail "the start word was not searched"

wait_for() {  # wait_for SECONDS COMMAND...
    n=$(($1 * 10)); shift
    while [ $n -gt 0 ]; do "$@" && return 0; sleep 0.1; n=$((n - 1)); done
    return 1
}

# A running Tavik takes the word of a second start.
"$tavik" &
first=$!
wait_for 30 sh -c 'ls "$XDG_RUNTIME_DIR"/tavik-*.sock >/dev/null 2>&1' || fail "no instance socket"
timeout 30 "$tavik" egg || fail "second start ended with $?"
kill -0 "$first" || fail "the first Tavik is gone"
wait_for 10 grep -q '^egg' "$home/OldWord.dat" || fail "the handed word was not searched"
[ "$(pgrep -c -x tavik -P $$ || true)" -le 1 ] || fail "a second window stayed open"
echo "install test passed"
