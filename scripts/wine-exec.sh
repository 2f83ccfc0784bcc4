#!/usr/bin/env bash
# Runs one Windows executable under Wine in the build folder's private prefix.
# ctest calls this for every Windows test executable; the test script has
# already started the X server and the persistent wineserver.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
exe="$1"; shift
build_dir="$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)"
# shellcheck source=wine-session.sh
. "$here/wine-session.sh"
trv_wine_env "$build_dir"
exec wine "$exe" "$@"
