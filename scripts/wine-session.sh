# Sourced by the run and test scripts: one private Wine prefix per build folder,
# one headless X server and one persistent wineserver for the whole run, so each
# Windows process starts in a fraction of a second instead of several seconds.
#   trv_wine_env <build-dir>      export WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES
#   trv_xvfb_start                start Xvfb on a free display, export DISPLAY
#                                 (screen TRV_XVFB_SCREEN, 1280x1024x24 unless set)
#   trv_wine_start <build-dir>    create the prefix if needed, start wineserver -p
#   trv_wine_stop                 stop wineserver and the X server we started

trv_wine_env() {
    export WINEPREFIX="$(cd "$1" && pwd)/wineprefix"
    export WINEARCH=win64
    export WINEDEBUG=-all
    # No Mono or Gecko prompts: nothing here needs them, and they cannot be fetched.
    export WINEDLLOVERRIDES="mscoree=;mshtml="
}

trv_xvfb_start() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${TRV_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    TRV_XVFB_PID=$!
    for _ in $(seq 1 100); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
}

trv_wine_start() {
    trv_wine_env "$1"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (once per build folder)"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    wineserver -p
    # The first process after the server starts pays for loading the prefix.
    wine cmd /c exit >/dev/null 2>&1 || true
    # A prefix made before the program's faces last changed gets them now.
    grep -q '"Microsoft JhengHei"="WenQuanYi Zen Hei"' "$WINEPREFIX/system.reg" 2>/dev/null ||
        trv_wine_fonts
}

# Chinese texts need a CJK font that the program's Windows face names reach.
trv_wine_fonts() {
    local reg
    reg=$(mktemp --suffix=.reg)
    printf '\xff\xfe' >"$reg"
    iconv -f UTF-8 -t UTF-16LE >>"$reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"SimSun"="WenQuanYi Zen Hei"
"SimHei"="WenQuanYi Zen Hei"
"Microsoft JhengHei"="WenQuanYi Zen Hei"
"宋体"="WenQuanYi Zen Hei"
"黑体"="WenQuanYi Zen Hei"
REG
    wine regedit /S "$reg" >/dev/null 2>&1 || true
    rm -f "$reg"
}

trv_wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${TRV_XVFB_PID:-}" ]; then
        kill "$TRV_XVFB_PID" 2>/dev/null || true
        wait "$TRV_XVFB_PID" 2>/dev/null || true
    fi
}
