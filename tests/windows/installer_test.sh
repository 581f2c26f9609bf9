#!/usr/bin/env bash
# The per-user installer under wine, in a prefix of its own whose ComSpec is the tests' recorder:
# a silent install puts the program, its shortcuts and its uninstall entry in place; the installed
# program starts hidden; an upgrade ends the running copy, keeps its booking and the Startup
# shortcut turned off, and starts it again; an upgrade leaves a copy of another folder running;
# a silent uninstall removes program, shortcuts and entry and keeps the booking, and leaves
# another copy's Startup shortcut.
# Usage: installer_test.sh setup.exe recorder.exe probe.exe BUILD_DIR
set -euo pipefail
setup=$1 recorder=$2 probe=$3 build=$4
[ -n "${DISPLAY:-}" ] || { echo "needs a display: run under xvfb-run"; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
export WINEPREFIX="$build/installer-prefix"
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
    [ -n "${KEEP_PREFIX:-}" ] || rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    ps -eo pid,args | grep -i -e '\.exe' | grep -v grep || true
    ls -R "$WINEPREFIX/drive_c/users" 2>/dev/null | grep -i brindle || true
    exit 1
}
source "$here/own_prefix.sh"
source "$here/../support/x_windows.sh"

user="$WINEPREFIX/drive_c/users/$(id -un)"
folder="$user/AppData/Local/Programs/Brindlewhistmoore"
menu="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brindlewhistmoore'
wine "$setup" /S 2>/dev/null
for f in Brindlewhistmoore.exe Brindlewhistmoore.com README.txt uninstall.exe; do
    [ -f "$folder/$f" ] || fail "the install left out $f"
done
user_path() { wine reg query 'HKCU\Environment' /v Path 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_EXPAND_SZ *//p'; }
[ "$(user_path)" = 'C:\users\'"$(id -un)"'\AppData\Local\Programs\Brindlewhistmoore' ] ||
    fail "the user's PATH is \"$(user_path)\""
ls "$menu"/Brindlewhistmoore*.lnk >/dev/null 2>&1 || fail "no Start-menu shortcut"
# Wine spells the folder "StartUp".
startup() { find "$menu" -maxdepth 2 -ipath "$menu/startup/brindlewhistmoore.lnk"; }
[ -n "$(startup)" ] || fail "no Startup shortcut"
entry=$(wine reg query "$key" 2>/dev/null | tr -d '\r')
for value in 'DisplayName    REG_SZ    Brindlewhistmoore' 'Publisher    REG_SZ    Brindlewhistmoore' \
    'DisplayVersion    REG_SZ' 'DisplayIcon    REG_SZ' 'EstimatedSize    REG_DWORD' \
    'UninstallString    REG_SZ'; do
    grep -q "$value" <<<"$entry" || fail "the uninstall entry lacks $value: $entry"
done
echo "a silent install put the program, its shortcuts and its uninstall entry in place"

# A booking that never fires, in the folder the shortcuts start the program in.
printf '%s\r\n' "毎日,午前,３時,00分,終了,停止" | iconv -f UTF-8 -t CP932 >"$folder/SetTimeData.txt"
booking=$(od -An -tx1 "$folder/SetTimeData.txt")
main_window() { x_search --name '^Brindlewhistmoore$' | head -1; }
wait_for_main() {
    for _ in $(seq 150); do
        [ -n "$(main_window)" ] && return 0
        sleep 0.2
    done
    return 1
}
(cd "$folder" && exec wine Brindlewhistmoore.exe >/dev/null 2>&1) &
wait_for_main || fail "the installed program did not start"
[ -z "$(x_search --onlyvisible --name '^Brindlewhistmoore$')" ] ||
    fail "the installed program showed its window at start"
echo "the installed program started hidden"

# A new copy is a new process (X may give its window the old one's id again).
program_pid() { prefix_pids 'Brindlewhistmoore\.exe' | head -1 || true; }
before=$(program_pid)
# The user turned ログオン時に起動する off: the upgrade keeps it off.
rm -f "$(startup)"
wine "$setup" /S 2>/dev/null
for _ in $(seq 150); do
    now=$(program_pid)
    [ -n "$now" ] && [ "$now" != "$before" ] && [ -n "$(main_window)" ] && break
    sleep 0.2
done
[ -n "$now" ] && [ "$now" != "$before" ] && [ -n "$(main_window)" ] ||
    fail "the upgrade did not start the program again"
[ "$(od -An -tx1 "$folder/SetTimeData.txt")" = "$booking" ] || fail "the upgrade changed the booking"
[ -z "$(startup)" ] || fail "the upgrade brought back the Startup shortcut the user had removed"
echo "an upgrade ended the running copy, kept its booking and the user's choice, and started it again"

# Ends the running copy as its close box does, and waits for its process to go.
close_program() {
    wine "$scratch/$(basename "$probe")" close TForm1 Brindlewhistmoore >/dev/null 2>&1 || true
    for _ in $(seq 50); do
        [ -z "$(program_pid)" ] && return 0
        sleep 0.2
    done
    return 1
}
# Run from the install folder as the system names it, as the uninstall entry starts it.
uninstall() {
    wine "$folder/uninstall.exe" /S \
        "_?=C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Brindlewhistmoore" 2>/dev/null
}

# A copy run from another folder is not the installed one: an upgrade leaves it running.
close_program || fail "the installed copy did not end"
mkdir -p "$scratch/other"
cp "$folder/Brindlewhistmoore.exe" "$scratch/other/"
(cd "$scratch/other" && exec wine Brindlewhistmoore.exe >/dev/null 2>&1) &
wait_for_main || fail "the other folder's copy did not start"
other=$(program_pid)
wine "$setup" /S 2>/dev/null
kill -0 "$other" 2>/dev/null || fail "the upgrade ended a copy of another folder"
[ "$(program_pid)" = "$other" ] || fail "the upgrade started the installed copy beside the other one"
close_program || fail "the other folder's copy did not end"
echo "an upgrade left a copy of another folder running"

# This copy's Startup shortcut, as the settings dialog makes it: the uninstall removes it.
cp "$(ls "$menu"/Brindlewhistmoore*.lnk | head -1)" \
    "$(find "$menu" -maxdepth 1 -iname startup)/Brindlewhistmoore.lnk"
[ -n "$(startup)" ] || fail "no Startup shortcut to remove"

uninstall
for _ in $(seq 50); do
    [ -z "$(main_window)" ] && break
    sleep 0.2
done
[ -z "$(main_window)" ] || fail "the uninstall left the program running"
[ -z "$(user_path)" ] || fail "the uninstall left the user's PATH \"$(user_path)\""
for f in Brindlewhistmoore.exe Brindlewhistmoore.com README.txt; do
    [ ! -e "$folder/$f" ] || fail "the uninstall left $f"
done
# Run with _?= the uninstaller stays where it is, to be deleted after it.
rm -f "$folder/uninstall.exe"
! ls "$menu"/Brindlewhistmoore*.lnk >/dev/null 2>&1 || fail "the uninstall left the Start-menu shortcut"
[ -z "$(startup)" ] || fail "the uninstall left the Startup shortcut"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstall left its entry"
[ "$(od -An -tx1 "$folder/SetTimeData.txt")" = "$booking" ] || fail "the uninstall removed the booking"
echo "a silent uninstall removed program, shortcuts and entry, and kept the booking"

# Another copy's Startup shortcut is that copy's: installed and uninstalled again, it stays. A PATH
# of 3,000 characters with references gets the install folder at its end and loses it again, and
# is otherwise left as it was.
long_path='%SystemRoot%\system32;%SystemRoot%;%USERPROFILE%\bin'
for n in $(seq 200); do long_path="$long_path;C:\Tools\Tool$n\bin"; done
long_path=${long_path:0:2999}x
wine reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "$long_path" /f >/dev/null 2>&1
[ "$(user_path)" = "$long_path" ] || fail "the long PATH was not set: $(user_path | head -c 80)"
wine "$setup" /S 2>/dev/null
[ "$(user_path)" = "$long_path;C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Brindlewhistmoore" ] ||
    fail "the install left the long PATH as: $(user_path | tail -c 200)"
wine "$scratch/$(basename "$probe")" startup-shortcut 'C:\Other\Brindlewhistmoore.exe' 2>/dev/null
uninstall
[ "$(user_path)" = "$long_path" ] || fail "the uninstall left the long PATH as: $(user_path | tail -c 200)"
echo "a PATH of ${#long_path} characters got the install folder and lost it, and was otherwise kept"
[ -n "$(startup)" ] || fail "the uninstall removed another copy's Startup shortcut"
[ ! -s "$scratch/recorded.log" ] || fail "a power request was made: $(cat "$scratch/recorded.log")"
echo "an uninstall left another copy's Startup shortcut"
# A PATH that held the install folder before the install keeps it after the uninstall.
own_path="C:\\Tools;C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Brindlewhistmoore"
wine reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "$own_path" /f >/dev/null 2>&1
wine "$setup" /S 2>/dev/null
uninstall
[ "$(user_path)" = "$own_path" ] || fail "the uninstall took off a PATH entry the user had made: $(user_path)"
echo "a PATH entry the user had made before the install stayed after the uninstall"
