#!/bin/sh
# The real program on a desktop with a window manager (openbox) on virtual
# screens: the menu keys, the clipboard as another program reads it, the
# window's languages, the maximised window, GDK_SCALE=2 and a large desktop
# font. Screenshots go to <build>/test-artifacts/ for people to look at.
#   desktop_test.sh BUILD CMAKE          runs every screen in turn
set -eu
build=$(cd "$1" && pwd)
cmake=$2
for tool in xvfb-run openbox xdotool xclip import; do
    command -v "$tool" >/dev/null || { echo "no $tool"; exit 77; }
done

if [ -z "${TAVIK_DESKTOP_PHASE:-}" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    "$cmake" --install "$build" --prefix "$work/prefix" >/dev/null
    export TAVIK_INSTALLED="$work/prefix/bin/tavik"
    for phase in keys languages scale2 largefont; do
        echo "== $phase"
        TAVIK_DESKTOP_PHASE=$phase xvfb-run -a -s '-screen 0 1920x1080x24' sh "$0" "$@"
    done
    echo "desktop test passed"
    exit 0
fi

artifacts="$build/test-artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d)
pid=""
wm=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
. "$(dirname "$0")/script_support.sh"

openbox >/dev/null 2>&1 &
wm=$!
sleep 1

# A home of the run's own, so the build's word lists stay as they are.
make_home
# The tools here read window titles in UTF-8; Tavik gets only the LANG
# each run names.
unset LC_MESSAGES LANGUAGE
export LC_ALL=C.UTF-8

active_is() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$1" ]; }
shoot() { import -window root "$artifacts/$1"; }
geometry() {  # width and height of the window, as the screen has it
    xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p'
}
dialog_opens() {  # dialog_opens KEY TITLE
    key "$1"
    wait_for 10 active_is "$2" || fail "$1 did not open \"$2\""
    key Escape
    wait_for 10 sh -c "[ \"\$(xdotool getactivewindow)\" = $window ]" ||
        fail "\"$2\" did not close"
}
dash=$(printf '\342\200\224')

case "$TAVIK_DESKTOP_PHASE" in
keys)
    start "$build/tavik" LANG=C
    search light
    [ "$(title)" = "light $dash Tavik $dash Tavik" ] || fail "title: $(title)"
    shoot desktop-1x.png
    key ctrl+Down
    next=$(title)
    [ "$next" != "light $dash Tavik $dash Tavik" ] || fail "Ctrl+Down did not step"
    key ctrl+Up
    [ "$(title)" = "light $dash Tavik $dash Tavik" ] || fail "Ctrl+Up: $(title)"
    key ctrl+d
    grep -q '^light' "$work/Word.dat" || fail "Ctrl+D did not keep the word"
    dialog_opens ctrl+b "단어장"
    dialog_opens ctrl+h "최근 검색어"
    dialog_opens ctrl+l "사전 선택"
    dialog_opens F1 "TAVIK 이란 ?"
    key ctrl+equal
    # Ctrl+C with nothing selected copies the entry; Ctrl+A in the search
    # box and Ctrl+C copy the word.
    key Escape
    key ctrl+Right
    key ctrl+c
    [ "$(xclip -selection clipboard -o | head -1 | cut -c1-5)" = "light" ] ||
        fail "Ctrl+C: $(xclip -selection clipboard -o | head -3)"
    xclip -selection clipboard -o | grep -q "(명)" || fail "the entry was not copied"
    key ctrl+a
    key ctrl+c
    [ "$(xclip -selection clipboard -o)" = "light" ] || fail "Ctrl+C of the word"
    # Larger by hand; the viewer follows (the right edge's controls too).
    xdotool windowsize --sync "$window" 1200 900
    sleep 1
    shoot desktop-1200x900.png
    stop
    grep -q '^Zoom=110' "$work/settings.ini" || fail "the zoom was not kept"
    grep -q "^Width=120[0-9]$" "$work/settings.ini" || { cat "$work/settings.ini"; fail "the size was not kept"; }

    # Maximised for good.
    sed -i 's/^Maximised=.*/Maximised=1/' "$work/settings.ini"
    start "$build/tavik" LANG=C
    sleep 1
    set -- $(geometry)
    [ "$1" -ge 1900 ] && [ "$2" -ge 1000 ] || fail "not maximised: $1x$2"
    search light
    shoot desktop-maximised.png
    stop
    grep -q '^Maximised=1' "$work/settings.ini" || fail "the maximised state was not kept"
    grep -q "^Width=120[0-9]$" "$work/settings.ini" || fail "the size before maximising was lost"
    ;;
languages)
    for lang in C ko_KR.UTF-8 en_US.UTF-8 fr_FR.UTF-8; do
        case $lang in
        C | ko_*) wordbook="단어장" ;;
        *) wordbook="Wordbook" ;;
        esac
        start "$build/tavik" LANG=$lang
        dialog_opens ctrl+b "$wordbook"
        stop
    done
    # The installed program finds its catalogue under the prefix.
    rm -f "$work/settings.ini"
    start "$TAVIK_INSTALLED" LANG=fr_FR.UTF-8
    search light
    key F10
    sleep 0.5
    shoot desktop-english.png
    key Escape
    dialog_opens ctrl+b "Wordbook"
    stop
    ;;
scale2)
    start "$build/tavik" LANG=C GDK_SCALE=2
    search light
    shoot desktop-2x.png
    set -- $(geometry)
    # Twice the size where the screen allows, and the whole window on it.
    [ "$1" -ge 1200 ] || fail "GDK_SCALE=2: only $1 wide"
    [ "$2" -le 1080 ] || fail "GDK_SCALE=2: $2 high, taller than the screen"
    stop
    ;;
largefont)
    mkdir -p "$work/config/gtk-3.0"
    printf '[Settings]\ngtk-font-name = Sans 20\n' >"$work/config/gtk-3.0/settings.ini"
    start "$build/tavik" LANG=C
    search light
    shoot desktop-large-font.png
    set -- $(geometry)
    [ "$1" -ge 1200 ] || fail "a 20-point desktop font: only $1 wide"
    stop
    # Text drawn at 144 DPI: the window one and a half times the size.
    rm -f "$work/config/gtk-3.0/settings.ini" "$work/settings.ini"
    start "$build/tavik" LANG=C GDK_DPI_SCALE=1.5
    set -- $(geometry)
    [ "$1" -ge 900 ] || fail "text at 144 DPI: only $1 wide"
    stop
    ;;
esac
