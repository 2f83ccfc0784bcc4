#!/usr/bin/env bash
# Takes the README's screenshots from the demo build in a headless X server:
# the settings page in each skin and each of the four languages, the page
# with an assignment list open, the keyboard's focus mark on a box, a slider
# and OK in each skin, the Default skin in English and Simplified
# Chinese at 150 % and 200 %, and every assignment dialog in English,
# Simplified Chinese and Bulgarian in each skin (the disabled win_tests case
# *PicturesOfEveryDialog), and the notification icon's menu with its Profiles
# submenu open in the four languages. Each picture is the window at its own
# size (the menu: the notification area's corner with it), stored losslessly
# in docs/screenshots/.
#
#   tools/screenshots.sh [menu]  (after a Windows build: cmake --build --preset windows)
#   With "menu", only the menu's pictures are taken.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
. scripts/wine-session.sh
stage="$root/build/windows/stage/demo"
defaults="$root/build/windows/host/tools/trv_make_defaults"
out="$root/docs/screenshots"
mkdir -p "$out"

# Room for the page at 200 %.
TRV_XVFB_SCREEN=2600x1600x24 trv_xvfb_start
# A scale left in the prefix would run every later test at it.
trap 'wine reg delete "HKCU\\Control Panel\\Desktop" /v LogPixels /f >/dev/null 2>&1; trv_wine_stop' EXIT
trv_wine_start build/windows

store() {  # store <picture> <target>: the same pixels, compressed harder
    convert "$1" -strip -define png:compression-level=9 -define png:compression-filter=5 "$2"
}

desktop='HKCU\Control Panel\Desktop'

shoot() {  # shoot <language code or ""> <skin> <name> [list | tabs N | dpi=<N>]
    # With "list", button 3's assignment list is open with the DPI sub-list;
    # with "tabs N", the focus mark is N Tab presses into the page; with
    # dpi=N the display scale is N/96 while the program starts.
    local work pid id dpi=96
    [[ "${4:-}" == dpi=* ]] && dpi="${4#dpi=}"
    work="$(mktemp -d)"
    cp -r "$stage/TRV418.exe" "$stage/Skins" "$work/"
    "$defaults" --language "$1" --skin "$2" "$work"
    if [ "$dpi" != 96 ]; then
        wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    fi
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
    elif [ "${4:-}" = tabs ]; then
        xdotool windowfocus --sync "$id"
        for _ in $(seq "$5"); do xdotool key Tab; sleep 0.1; done
        sleep 0.8
    fi
    import -window "$id" "$work/page.png"
    store "$work/page.png" "$out/$3.png"
    # Its own close button, so that its icon leaves the notification area.
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + (952 * dpi + 48) / 96)) $((Y + (26 * dpi + 48) / 96)) click 1
    wait "$pid" 2>/dev/null || true
    [ "$dpi" = 96 ] || wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true
    rm -rf "$work"
    echo "$out/$3.png"
}

shoot_menu() {  # shoot_menu <language code or ""> <name>
    # Two profiles, "FPS" applied from the menu first, so that it has its check.
    local work pid x
    work="$(mktemp -d)"
    cp -r "$stage/TRV418.exe" "$stage/Skins" "$work/"
    "$defaults" --language "$1" --skin Default "$work"
    mkdir "$work/Profiles"
    printf '[Profile]\r\nFormat=1\r\n' >"$work/Profiles/FPS.ini"
    printf '[Profile]\r\nFormat=1\r\n' >"$work/Profiles/Work.ini"
    (cd "$work" && exec wine ./TRV418.exe) >/dev/null 2>&1 &
    pid=$!
    sleep 4
    # The icon is the one whose menu applies FPS: the virtual mouse is written.
    for x in 11 31 51 71; do
        xdotool mousemove "$x" 32 click 3; sleep 0.8
        xdotool key Down Right Return; sleep 2
        grep -q "AA CC EE DD" "$work/virtual-mouse-wire.log" 2>/dev/null && break
        xdotool key Escape Escape
    done
    sleep 11  # the balloon that names FPS goes: Wine shows one 10 s at least
    xdotool mousemove "$x" 32 click 3; sleep 0.8
    xdotool key Down Right; sleep 0.3
    xdotool key Down; sleep 0.8  # the pointer's item, Work, highlighted
    import -window root "$work/screen.png"
    # The menus and the notification area over the empty desktop.
    convert "$work/screen.png" -crop 640x200+0+0 +repage -fuzz 2% -trim +repage "$work/menu.png"
    store "$work/menu.png" "$out/$2.png"
    xdotool key Escape Escape; sleep 0.3
    # Exit, the menu's last item, so that the icon leaves the notification area.
    xdotool mousemove "$x" 32 click 3; sleep 0.8; xdotool key Up Return
    wait "$pid" 2>/dev/null || true
    rm -rf "$work"
    echo "$out/$2.png"
}

shoot_menu "" tray-menu-en
shoot_menu CHS tray-menu-chs
shoot_menu CHT tray-menu-cht
shoot_menu BUL tray-menu-bul
[ "${1:-}" = menu ] && exit 0

for skin in Default Amber; do
    name=$(tr '[:upper:]' '[:lower:]' <<<"$skin")
    shoot "" "$skin" "page-$name-en"
    shoot CHS "$skin" "page-$name-chs"
    shoot CHT "$skin" "page-$name-cht"
    shoot BUL "$skin" "page-$name-bul"
    shoot "" "$skin" "page-focus-box-$name-en" tabs 4        # button 2's box
    shoot "" "$skin" "page-focus-slider-$name-en" tabs 16    # DPI stage 2
    shoot "" "$skin" "page-focus-ok-$name-en" tabs 29
done
shoot "" Default page-assignment-list-en list
for dpi in 144 192; do
    shoot "" Default "page-default-en-$((dpi * 100 / 96))" "dpi=$dpi"
    shoot CHS Default "page-default-chs-$((dpi * 100 / 96))" "dpi=$dpi"
done

dialogs="$(mktemp -d)"
for skin in Default Amber; do
    TRV_SHOTS_SKIN="$(winepath -w "$stage/Skins/$skin")" TRV_SHOTS_OUT="$(winepath -w "$dialogs")" \
        wine "$root/build/windows/tests/win_tests.exe" --gtest_also_run_disabled_tests \
        --gtest_filter='*PicturesOfEveryDialog' >/dev/null 2>&1 || echo "dialog pictures of $skin failed" >&2
done
for picture in "$dialogs"/*.png; do
    store "$picture" "$out/$(basename "$picture")"
    echo "$out/$(basename "$picture")"
done
rm -rf "$dialogs"
