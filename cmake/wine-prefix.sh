#!/bin/sh
# wine-prefix.sh up|down WINE_ENV
# up: create the prefix if needed (null graphics driver, so message boxes
#     exist as windows without a display) and keep its server running.
# down: stop that prefix's server, and only that one.
set -e
. "$2"
log="$WINEPREFIX.log"

case "$1" in
up)
    if [ ! -f "$WINEPREFIX/.ready" ]; then
        rm -rf "$WINEPREFIX"
        # No Mono or Gecko installer prompts: the tests need neither.
        WINEDLLOVERRIDES="mscoree,mshtml=" "$WINELOADER" wineboot -i >"$log" 2>&1
        "$WINELOADER" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >>"$log" 2>&1
        "$WINESERVER" -k || true
        "$WINESERVER" -w
        touch "$WINEPREFIX/.ready"
    fi
    "$WINESERVER" -p >>"$log" 2>&1
    # Start the desktop and service manager now, outside any test's output.
    "$WINELOADER" cmd /c exit >>"$log" 2>&1
    ;;
down)
    "$WINESERVER" -k >/dev/null 2>&1 || true
    ;;
*)
    echo "usage: $0 up|down WINE_ENV" >&2
    exit 2
    ;;
esac
