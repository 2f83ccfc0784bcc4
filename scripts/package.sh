#!/usr/bin/env bash
# Makes a release of the version in CMakeLists.txt: builds the shipped build
# (the real mouse's, preset "windows", optimised for size) and writes
#   dist/TRV418-<version>-win64.zip     unpack anywhere and run
#   dist/TRV418-<version>-setup.exe     the setup program
# ./scripts/test.sh tries both packages under Wine (test release_packages).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"

echo "== Building the release packages"
mkdir -p build
cmake --preset windows >/dev/null
cmake --build --preset windows --target packages -- --no-print-directory >build/package-build.log 2>&1 \
    || { tail -n 40 build/package-build.log; exit 1; }
mkdir -p dist
cp build/windows/dist/* dist/
for f in build/windows/dist/*; do
    printf '   dist/%s  %s bytes\n' "$(basename "$f")" "$(stat -c %s "$f")"
done
