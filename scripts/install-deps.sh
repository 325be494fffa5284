#!/usr/bin/env bash
# Installs the Debian packages Tavik needs to build, run and test, when missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config python3
    libwxgtk3.2-dev fonts-nanum
    libgtest-dev libgmock-dev xvfb xauth
    zlib1g-dev desktop-file-utils nlohmann-json3-dev unicode-data
    dpkg-dev file appstream man-db
    gettext locales openbox xdotool xclip imagemagick
)

# The window is tested in Korean, English and French desktops.
ensure_locales() {
    local wanted=(en_US.UTF-8 ko_KR.UTF-8 fr_FR.UTF-8) missing_locales=() l
    for l in "${wanted[@]}"; do
        locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || missing_locales+=("$l")
    done
    [ ${#missing_locales[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    for l in "${missing_locales[@]}"; do
        $sudo sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
    done
    $sudo locale-gen >/dev/null
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    ensure_locales
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
ensure_locales
