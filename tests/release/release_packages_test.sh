#!/usr/bin/env bash
# The release packages as a user and an administrator meet them, in the test
# run's Wine prefix:
# - the setup program, silent: installs into Program Files with the uninstall
#   entry, the Start-menu shortcut and the log-on task; the installed program
#   starts hidden with its icon and carries the version in its resource;
# - a second silent setup over a running program and a changed config.bin:
#   ends the program, keeps config.bin, str.ini, the profiles and a skin of
#   the user's own, and replaces the rest;
# - the silent uninstall: ends the running program first, removes the files,
#   the entry, the shortcut and the task, and keeps the settings;
# - the zip unpacked into a fresh folder runs as it is.
#
#   release_packages_test.sh <setup.exe> <zip> <release_probe.exe> <version>
# Needs DISPLAY and WINEPREFIX of a running session (scripts/wine-session.sh).
set -uo pipefail
version="$4"
work="$(mktemp -d)"
# Copies: a build running meanwhile may write the packages anew.
cp "$1" "$2" "$3" "$work/" || exit 1
setup="$work/$(basename "$1")"; zip="$work/$(basename "$2")"; probe="$work/$(basename "$3")"
program_pid=""
. "$(dirname "$0")/../support/script_checks.sh"
quiet() { "$@" >/dev/null 2>&1; }
run_probe() {  # run_probe <command...>: the probe, its reason shown when it fails
    local reason code
    reason=$(wine "$probe" "$@" 2>&1 >/dev/null | tr -d '\r'); code=$?  # pipefail: the probe's code
    [ "$code" = 0 ] || echo "  $reason"
    return "$code"
}

drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/TRV418"
installed_win='C:\Program Files\TRV418'
task="$drive_c/windows/system32/tasks/TRV418"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/TRV418.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TRV418'

uninstall_leftovers() {
    rm -rf "$installed" "$task" "$shortcut"
    quiet wine reg delete "$key" /f
}
stop_program() {  # never leave a program holding the single-instance mutex
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        run_probe exit || kill "$program_pid" 2>/dev/null
        wait "$program_pid" 2>/dev/null
    fi
    program_pid=""
}
trap 'stop_program; uninstall_leftovers; rm -rf "$work"' EXIT

start_program() {  # start_program <unix folder> <windows path of the exe>
    (cd "$1" && exec wine "$2") >/dev/null 2>&1 &
    program_pid=$!
}
ended_with_zero() {  # the program's process ended, with exit code 0
    local code
    waitfor 15 bash -c "! ps -o stat= -p $program_pid | grep -qv Z" || return 1
    wait "$program_pid"; code=$?
    program_pid=""
    [ "$code" = 0 ] || { echo "  exit code $code"; return 1; }
}
entry() { wine reg query "$key" 2>/dev/null | tr -d '\r'; }
value_is() {  # value_is <entry text> <name> <expected text>
    grep -qxF "    $2    REG_SZ    $3" <<<"$1"
}
has_files() {  # has_files <folder> <relative paths...>
    local folder="$1"; shift
    for f in "$@"; do [ -e "$folder/$f" ] || { echo "  missing: $f"; return 1; }; done
}
no_files() {
    local folder="$1"; shift
    for f in "$@"; do [ ! -e "$folder/$f" ] || { echo "  still there: $f"; return 1; }; done
}
shipped=(TRV418.exe trv418ctl.exe config.bin str.ini TRV418-Guide.html LICENSE.txt
         Skins/Default/main.png Skins/Amber/main.png Skins/Default/@150/main.png
         Skins/Amber/@200/BK-DPI.png)

uninstall_leftovers

# The fresh installation's files are the zip's.
unzip -q "$zip" -d "$work/unzipped"
portable="$work/unzipped/TRV418"
check "the zip holds one TRV418 folder with every file" has_files "$portable" "${shipped[@]}"
check "its config.bin is a new installation's (first run)" \
    test "$(od -An -tu1 -N1 "$portable/config.bin" | tr -d ' ')" = 0

# Fresh silent install.
quiet wine "$setup" /S
check "the silent setup ends with 0" test $? = 0
check "it installs into Program Files\\TRV418" \
    has_files "$installed" "${shipped[@]}" Uninstall.exe
check "with the defaults of a new installation" cmp -s "$portable/config.bin" "$installed/config.bin"
check "and a Start-menu shortcut" test -f "$shortcut"
e=$(entry)
check "uninstall entry: name" value_is "$e" DisplayName TRV418
check "uninstall entry: version" value_is "$e" DisplayVersion "$version"
check "uninstall entry: icon" value_is "$e" DisplayIcon "$installed_win\\TRV418.exe,0"
check "uninstall entry: uninstall command" value_is "$e" UninstallString "\"$installed_win\\Uninstall.exe\""
check "uninstall entry: quiet uninstall command" \
    value_is "$e" QuietUninstallString "\"$installed_win\\Uninstall.exe\" /S"
check "uninstall entry: location" value_is "$e" InstallLocation "$installed_win"
check "uninstall entry: a size" grep -qE "    EstimatedSize    REG_DWORD    0x[1-9a-f]" <<<"$e"
check "the log-on task is defined" test -f "$task"
# Wine keeps only part of a task: its description and settings, no trigger.
description=$(grep -o '<Description>.*</Description>' "$task" 2>/dev/null)
check "for the installing user, after a delay ($description)" \
    grep -qE "Starts TRV418 [0-9]+ seconds after .+ logs on" <<<"$description"
check "the task is not ended after a time limit" grep -q '<ExecutionTimeLimit>PT0S<' "$task"
check "and starts on battery" grep -q '<DisallowStartIfOnBatteries>false<' "$task"

versions=$(wine "$probe" version "$installed_win\\TRV418.exe" "$installed_win\\trv418ctl.exe" \
    "Z:$(tr / '\\' <<<"$setup")" 2>&1 | tr -d '\r')
echo "$versions" | sed 's/^/  /'
resource() {  # the probe's lines for one file
    awk -v name="$1" '/^file /{on = index($0, name) > 0; next} on' <<<"$versions"
}
carries_version() {  # file and product version, in words and in numbers
    test "$(resource "$1" | grep -cxE "(File|Product)Version $version|Fixed(File|Product)Version $version\.0")" = 4
}
named_without_maker() {
    resource "$1" | grep -qx "ProductName TRV418" && resource "$1" | grep -q "^FileDescription ." &&
        ! resource "$1" | grep -q "^CompanyName"
}
check "TRV418.exe's version resource holds $version" carries_version TRV418.exe
check "with product name and description, no maker" named_without_maker TRV418.exe
check "trv418ctl.exe's too" carries_version trv418ctl.exe
check "the setup program's too" carries_version setup.exe

start_program "$installed" "$installed_win\\TRV418.exe"
check "the installed TRV418.exe starts hidden with its icon" run_probe started

# Upgrade over the running program with the user's changed settings.
printf '\001' | dd of="$installed/config.bin" conv=notrunc status=none
printf '\xff' | dd of="$installed/config.bin" bs=1 seek=100 conv=notrunc status=none
printf '[Mine]\r\nKey=1\r\n' >>"$installed/str.ini"
cp "$installed/config.bin" "$work/config.bin"; cp "$installed/str.ini" "$work/str.ini"
echo damaged >"$installed/TRV418-Guide.html"
echo damaged >"$installed/Skins/Default/main.png"
mkdir -p "$installed/Skins/Mine"; echo mine >"$installed/Skins/Mine/main.png"
mkdir -p "$installed/Profiles"; printf '[Profile]\r\nFormat=1\r\n' >"$installed/Profiles/FPS.ini"
cp "$installed/Profiles/FPS.ini" "$work/FPS.ini"
quiet wine "$setup" /S
check "a second silent setup ends with 0" test $? = 0
check "it ended the running program first, with code 0" ended_with_zero
check "it keeps the user's config.bin" cmp -s "$work/config.bin" "$installed/config.bin"
check "and str.ini" cmp -s "$work/str.ini" "$installed/str.ini"
check "and a skin of the user's own" test -f "$installed/Skins/Mine/main.png"
check "and the profiles" cmp -s "$work/FPS.ini" "$installed/Profiles/FPS.ini"
check "it replaces the other files" bash -c 'cmp -s "$1/TRV418-Guide.html" "$2/TRV418-Guide.html" &&
    cmp -s "$1/Skins/Default/main.png" "$2/Skins/Default/main.png"' - "$portable" "$installed"
check "the log-on task is still defined" test -f "$task"

# Silent uninstall while the program runs. The uninstaller goes on from a
# copy of itself, so its end is waited for.
start_program "$installed" "$installed_win\\TRV418.exe"
run_probe started
quiet wine "$installed_win\\Uninstall.exe" /S
entry_gone() { ! quiet wine reg query "$key"; }
waitfor 30 bash -c "[ ! -e \"$installed/Uninstall.exe\" ]" && waitfor 15 entry_gone
check "the silent uninstall ended the running program, with code 0" ended_with_zero
check "it removes the program's files" no_files "$installed" TRV418.exe trv418ctl.exe \
    TRV418-Guide.html LICENSE.txt Uninstall.exe Skins/Default Skins/Amber
check "it keeps config.bin and str.ini unchanged" bash -c \
    'cmp -s "$1/config.bin" "$2/config.bin" && cmp -s "$1/str.ini" "$2/str.ini"' - "$work" "$installed"
check "and the profiles" cmp -s "$work/FPS.ini" "$installed/Profiles/FPS.ini"
check "it removes the uninstall entry" entry_gone
check "the log-on task" test ! -e "$task"
check "and the shortcut" test ! -e "$shortcut"
uninstall_leftovers

# The portable folder runs where it was unpacked.
start_program "$portable" "Z:$(tr / '\\' <<<"$portable")\\TRV418.exe"
check "the unzipped TRV418.exe starts hidden with its icon" run_probe started
check "and ends on its Exit command" run_probe exit
check "with code 0" ended_with_zero
ctl=$(wine "$portable/trv418ctl.exe" --version 2>/dev/null | tr -d '\r')
check "the unzipped trv418ctl.exe names version $version" test "$ctl" = "trv418ctl $version"

summary
