#!/usr/bin/env bash
# Builds the Debian package as the README says, installs it with apt-get,
# uses it as a fresh user would (the command line from any folder, the
# window under Xvfb, the manual pages, the menu entry), removes it, and
# checks that nothing of it is left in /usr. Needs root (CI runs as root).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "$(id -u)" -ne 0 ]; then
    echo "package test: needs root (it installs into /usr); skipped"
    exit 0
fi
if dpkg-query -W -f='${Status}' tavik 2>/dev/null | grep -q "install ok installed"; then
    echo "package test: a tavik package is installed already; skipped"
    exit 0
fi

build=build-deb
user=tavik-package-test
work=$(mktemp -d)
cleanup() {
    if dpkg-query -W -f='${Status}' tavik 2>/dev/null | grep -q installed; then
        apt-get purge -y -qq tavik >/dev/null 2>&1 || true
    fi
    id "$user" >/dev/null 2>&1 && userdel -r "$user" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package test FAILED: $*"; exit 1; }

# A distribution build: the system's shared runtime, no tests.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIK_STATIC_RUNTIME=OFF \
    -DTAVIK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null
rm -f "$build"/tavik_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$root/$build"/tavik_*.deb)
echo "package test: built $(basename "$deb")"
dpkg-deb -f "$deb" Recommends | grep -qx "fonts-nanum" || fail "Recommends is not fonts-nanum"
dpkg-deb -f "$deb" Depends | grep -q "libwxgtk3.2" || fail "Depends lacks the toolkit"

# What /usr holds before; system caches that triggers refresh are not ours.
listing() {
    find /usr -xdev \( -name icon-theme.cache -o -name mimeinfo.cache \) -prune -o -print | sort
}
listing >"$work/before"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
dpkg -L tavik >"$work/files"

# The command line, with no options, from any folder, as a fresh user.
useradd -m "$user"
as_user() { runuser -u "$user" -- env -i HOME="/home/$user" PATH=/usr/bin:/bin "$@"; }
out=$(cd / && as_user /usr/bin/tavik-dict lookup apple) || fail "tavik-dict lookup apple: $?"
[ "$(printf '%s\n' "$out" | head -n 1)" = apple ] || fail "tavik-dict lookup apple printed: $out"
version=$(as_user /usr/bin/tavik --version) || fail "tavik --version: $?"
[ "$version" = "tavik $(dpkg-deb -f "$deb" Version)" ] || fail "tavik --version printed: $version"
as_user /usr/bin/tavik-dict --version >/dev/null || fail "tavik-dict --version"

# Manual pages, completion, menu entry, software-centre data, icons.
for page in tavik tavik-dict; do
    [ "$(man -w "$page")" = "/usr/share/man/man1/$page.1" ] || fail "man -w $page: $(man -w "$page")"
    man -P cat "$page" 2>/dev/null | grep -q "^NAME" || fail "man $page does not open"
done
[ -f /usr/share/bash-completion/completions/tavik-dict ] || fail "no bash completion"
desktop-file-validate /usr/share/applications/tavik.desktop || fail "desktop entry"
appstreamcli validate --no-net /usr/share/metainfo/org.tavik.Tavik.metainfo.xml >/dev/null ||
    fail "AppStream metainfo"
[ -f /usr/share/icons/hicolor/scalable/apps/tavik.svg ] || fail "no scalable icon"

# The window, started by a fresh user: it searches its word, reads the
# installed data where it is, and copies nothing.
runuser -u "$user" -- env -i HOME="/home/$user" PATH=/usr/bin:/bin TAVIK_EXIT_AFTER_START=1 \
    timeout 120 xvfb-run -a /usr/bin/tavik apple || fail "tavik apple under Xvfb: $?"
home="/home/$user/.local/share/tavik"
grep -q '^apple' "$home/OldWord.dat" || fail "the start word was not searched"
[ ! -e "$home/Data" ] && [ ! -e "$home/Skin" ] || fail "the installed data was copied into $home"

# Removed, nothing of it is left.
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq tavik >/dev/null
listing >"$work/after"
if ! diff "$work/before" "$work/after" >"$work/diff"; then
    cat "$work/diff"
    fail "the package left files behind in /usr"
fi
while read -r file; do
    [ "$file" = /. ] || [ ! -f "$file" ] || fail "left behind: $file"
done <"$work/files"
echo "package test passed"
