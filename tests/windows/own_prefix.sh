# Sourced by the tests that need a wine prefix of their own: a fresh copy of the prefixes'
# template (tests/support/wine_run.sh), whose ComSpec is the tests' recorder. Needs
# build, here, recorder, probe, scratch, a fail function and WINEPREFIX (the copy's place); puts
# the recorder and the probe in the scratch folder, sets interpreter and BWM_RECORDER_LOG, and
# refuses to go on when ComSpec is not the recorder.
export WINEDEBUG=-all
# No menu entries or autostart files of wine's in the real home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
# prefix_pids PATTERN: the processes of this prefix whose command line matches PATTERN; another
# test's or a user's wine on the machine is none of them.
prefix_pids() {
    local pid
    for pid in $(pgrep -f "$1"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
            echo "$pid"
    done
    true
}
rm -rf "$WINEPREFIX"
BWM_BUILD="$build" BWM_PREFIX="$WINEPREFIX" bash "$here/../support/wine_run.sh" cmd /c exit
cp "$recorder" "$probe" "$scratch/"
interpreter=$(winpath "$scratch/$(basename "$recorder")")
export BWM_RECORDER_LOG="$scratch/recorded.log"
wine reg add 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v ComSpec \
    /d "$interpreter" /f >/dev/null 2>&1
wineserver -w
[ "$(wine "$scratch/$(basename "$probe")" env ComSpec 2>/dev/null)" = "$interpreter" ] ||
    fail "refusing: ComSpec is not the recorder"
