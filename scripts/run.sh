#!/usr/bin/env bash
# Builds the Windows program and starts its demo build (a virtual mouse in the
# real mouse's place) under Wine: on your X display when there is one, else in
# a headless X server. Stays in the foreground until the program ends.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"
. "$root/scripts/wine-session.sh"

echo "== Building the Windows program"
cmake --preset windows >/dev/null
cmake --build --preset windows --target stage_demo -- --no-print-directory >build/run-build.log 2>&1 \
    || { tail -n 40 build/run-build.log; exit 1; }
folder="$root/build/windows/stage/demo"

headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    headless=1
    trv_xvfb_start
fi
trap 'trv_wine_stop' EXIT
trv_wine_start build/windows

cat <<EOT
== TRV418 (demo build, virtual mouse) is starting from
   $folder
   It starts hidden: its icon is in the notification area. Under Wine without a
   desktop panel that is the "Wine System Tray" strip at the top left of the
   screen; click the icon to show the window, right-click it for "Exit".
EOT
if [ "$headless" = 1 ]; then
    cat <<EOT
   No X display was found, so it runs in a headless X server on DISPLAY=$DISPLAY.
   From another shell:
     DISPLAY=$DISPLAY xdotool mousemove 11 32 click 1      # click the icon
     DISPLAY=$DISPLAY import -window root screen.png       # take a screenshot
     DISPLAY=$DISPLAY xdotool mousemove 11 32 click 3      # the menu with "Exit"
EOT
fi
echo "   The virtual mouse keeps its configuration in virtual-mouse.bin and logs"
echo "   every frame to virtual-mouse-wire.log in that folder. Ctrl+C stops it."
cd "$folder"
wine ./TRV418.exe
