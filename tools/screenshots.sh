#!/usr/bin/env bash
# Takes the README's screenshots of the settings page: each skin in English,
# and the default skin in each of the four languages, from the demo build in
# a headless X server. Writes small PNGs to docs/screenshots/.
#
#   tools/screenshots.sh      (after a Windows build: cmake --build --preset windows)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
. scripts/wine-session.sh
stage="$root/build/windows/stage/demo"
defaults="$root/build/windows/host/tools/trv_make_defaults"
out="$root/docs/screenshots"
mkdir -p "$out"

trv_xvfb_start
trap 'trv_wine_stop' EXIT
trv_wine_start build/windows

shoot() {  # shoot <language code or ""> <skin> <name> [list]
    # With "list", button 3's assignment list is open with the DPI sub-list.
    local work pid id
    work="$(mktemp -d)"
    cp -r "$stage/TRV418.exe" "$stage/Skins" "$work/"
    "$defaults" --language "$1" --skin "$2" "$work"
    (cd "$work" && exec wine ./TRV418.exe) >/dev/null 2>&1 &
    pid=$!
    sleep 4
    for x in 11 31 51 71; do
        xdotool mousemove "$x" 32 click 1
        sleep 2
        id=$(xdotool search --onlyvisible --classname trv418.exe 2>/dev/null | head -n1) && break
    done
    xdotool mousemove 0 600
    sleep 1
    if [ "${4:-}" = list ]; then
        eval "$(xdotool getwindowgeometry --shell "$id")"
        xdotool mousemove $((X + 101)) $((Y + 301)); sleep 0.5; xdotool click 1; sleep 0.6
        xdotool mousemove $((X + 263)) $((Y + 158)); sleep 0.6
        xdotool mousemove $((X + 263)) $((Y + 166)); sleep 0.8
    fi
    import -window "$id" "$work/page.png"
    convert "$work/page.png" -resize 75% -colors 192 "$out/$3.png"
    # Its own close button, so that its icon leaves the notification area.
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + 952)) $((Y + 26)) click 1
    wait "$pid" 2>/dev/null || true
    rm -rf "$work"
    echo "$out/$3.png"
}

shoot "" Default page-default-en
shoot "" Default page-assignment-list-en list
shoot "" Amber page-amber-en
shoot CHS Default page-default-chs
shoot CHT Default page-default-cht
shoot BUL Default page-default-bul
