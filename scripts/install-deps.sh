#!/usr/bin/env bash
# Installs the Debian packages Tavik needs to build, run and test, when missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config python3
    libwxgtk3.2-dev fonts-nanum
    libgtest-dev libgmock-dev xvfb xauth
    zlib1g-dev desktop-file-utils nlohmann-json3-dev unicode-data
    dpkg-dev file appstream man-db
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
