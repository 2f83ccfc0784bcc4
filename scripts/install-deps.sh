#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the run command need,
# only those that are missing. Needs root (or sudo) on Debian 12.
set -euo pipefail

packages=(
    cmake make g++ libgtest-dev libgmock-dev googletest
    clang libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64
    xvfb xauth x11-utils x11-xkb-utils xdotool imagemagick librsvg2-bin cmark-gfm
    nsis zip unzip
    fonts-wqy-zenhei
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
