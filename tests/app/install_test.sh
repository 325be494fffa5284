#!/bin/sh
# Installs Tavik into a temporary prefix and uses it as a fresh user: the
# command line and --help/--version without a display, the installed data
# read in place (nothing copied into the home), a word on the command line
# searched, a second start of the same home handing its word over, and a
# start of another home opening its own window. Needs a display for the
# window (ctest runs under xvfb-run).
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
         share/icons/hicolor/scalable/apps/tavik.svg share/man/man1/tavik.1 \
         share/man/man1/tavik-dict.1 share/bash-completion/completions/tavik-dict \
         share/metainfo/org.tavik.Tavik.metainfo.xml share/doc/tavik/copyright \
         share/locale/en/LC_MESSAGES/tavik.mo; do
    [ -f "$work/prefix/$f" ] || fail "not installed: $f"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$work/prefix/share/applications/tavik.desktop"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$work/prefix/share/metainfo/org.tavik.Tavik.metainfo.xml" \
        >/dev/null || fail "AppStream metainfo does not validate"
fi

unset TAVIK_HOME TAVIK_SETTINGS
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/run" XDG_DATA_DIRS="$work/none"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
home="$XDG_DATA_HOME/tavik"
tavik="$work/prefix/bin/tavik"

# Help and version need no display; a missing home is said before any window.
version=$(env -u DISPLAY "$tavik" --version) || fail "tavik --version ended with $?"
case $version in "tavik "[0-9]*) ;; *) fail "tavik --version printed '$version'" ;; esac
env -u DISPLAY "$tavik" --help | grep -q "^usage: tavik" || fail "tavik --help"
status=0
env -u DISPLAY "$tavik" --home "$work/gone" 2>"$work/err" || status=$?
[ $status -eq 2 ] && grep -q "$work/gone" "$work/err" || fail "a missing --home: $status"

# The command line of the installed program finds the installed data.
out=$(cd / && "$work/prefix/bin/tavik-dict" lookup apple) || fail "tavik-dict lookup apple: $?"
[ "$(echo "$out" | head -n 1)" = apple ] || fail "tavik-dict lookup apple printed '$out'"

# The completion offers the commands and the formats.
completions=$(bash -c '
    _init_completion() { cur=${COMP_WORDS[COMP_CWORD]}; prev=${COMP_WORDS[COMP_CWORD-1]};
                         words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD; }
    _filedir() { :; }
    . "$1"
    COMP_WORDS=(tavik-dict ""); COMP_CWORD=1; _tavik_dict; echo "${COMPREPLY[*]}"
    COMP_WORDS=(tavik-dict lookup --format ""); COMP_CWORD=3; _tavik_dict; echo "${COMPREPLY[*]}"
' - "$work/prefix/share/bash-completion/completions/tavik-dict")
[ "$completions" = "lookup check sort import --help --version
text html json" ] || fail "completion offered: $completions"

# First start, with a word, ending by itself: the installed data is used
# where it is.
TAVIK_EXIT_AFTER_START=1 timeout 60 "$tavik" apple || fail "first start ended with $?"
grep -q '^apple' "$home/OldWord.dat" || fail "the start word was not searched"
[ ! -e "$home/Data" ] && [ ! -e "$home/Skin" ] || fail "the installed data was copied"
grep -q "CurDicPath=$work/prefix/share/tavik/Data/Tavik.txt" "$XDG_CONFIG_HOME/Tavik/Tavik.conf" ||
    fail "the installed dictionary is not the current one"

wait_for() {  # wait_for SECONDS COMMAND...
    n=$(($1 * 10)); shift
    while [ $n -gt 0 ]; do "$@" && return 0; sleep 0.1; n=$((n - 1)); done
    return 1
}

# A running Tavik takes the word of a second start of its home.
"$tavik" &
first=$!
wait_for 30 sh -c 'ls "$XDG_RUNTIME_DIR"/tavik-*.sock >/dev/null 2>&1' || fail "no instance socket"
timeout 30 "$tavik" egg || fail "second start ended with $?"
kill -0 "$first" || fail "the first Tavik is gone"
wait_for 10 grep -q '^egg' "$home/OldWord.dat" || fail "the handed word was not searched"

# A start of another home opens a window of its own and searches there.
mkdir -p "$work/other"
TAVIK_EXIT_AFTER_START=1 timeout 60 "$tavik" --home "$work/other" fig ||
    fail "a start of another home ended with $?"
grep -q '^fig' "$work/other/OldWord.dat" || fail "the other home's start did not search"
! grep -q '^fig' "$home/OldWord.dat" || fail "the other home's word went to the running Tavik"
[ -f "$work/other/Tavik.conf" ] || fail "the other home keeps no settings of its own"
echo "install test passed"
