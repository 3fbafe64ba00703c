# A Wine session for the Windows tests: an Xvfb display and a fresh Wine
# prefix set up so that runs neither hang nor stall. The sourcing script
# sets `work` (a scratch directory, deleted by its exit trap) and calls
# stop_wine_session in that trap.
# shellcheck shell=bash

source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"

# start_wine_session: exports DISPLAY, WINEPREFIX, WINEDEBUG and
# WINEDLLOVERRIDES, with a persistent wineserver running. Exits 1 if the
# prefix cannot be made.
start_wine_session() {
    # The display and the variables come first: a wineserver started
    # without a display cannot open windows later.
    start_display 1280x1024x24
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX=$work/pfx
    if ! wine wineboot -i >"$work/wineboot.log" 2>&1; then
        echo "FAILED: wineboot could not make a prefix"
        cat "$work/wineboot.log"
        exit 1
    fi
    # The Japanese menu needs a font with its glyphs; a crash must not wait
    # in a dialog; without a window manager, unmanaged windows close at once.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ \
        /d IPAPGothic /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    # A server that stays: runs through a pipe then neither wait for
    # lingering processes nor hang.
    wineserver -p </dev/null >/dev/null 2>&1
    wine wineboot </dev/null >/dev/null 2>&1
}

stop_wine_session() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    stop_display
}
