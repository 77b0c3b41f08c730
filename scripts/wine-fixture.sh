#!/usr/bin/env bash
# Test-time Wine environment, used by ctest as a fixture:
#   wine-fixture.sh start PREFIX DISPLAY   fresh prefix (once), persistent wineserver, Xvfb
#   wine-fixture.sh stop  PREFIX DISPLAY   stops both again
# The Windows tests run with LANG=zh_CN.UTF-8 so Wine's ANSI code page is 936.
set -euo pipefail
action=$1 prefix=$2 display=$3
export WINEPREFIX=$prefix WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 DISPLAY=$display
state=$prefix.state
mkdir -p "$state"

case $action in
start)
    if [ ! -f "$prefix/system.reg" ]; then
        rm -rf "$prefix"
        wineboot -i >"$state/wineboot.log" 2>&1 || true
        wineserver -w
        [ -f "$prefix/system.reg" ] || { echo "wine prefix was not created"; cat "$state/wineboot.log"; exit 1; }
    fi
    # A display for the tests that open windows; reuse one that is already up.
    n=${display#:}
    if ! [ -e "/tmp/.X11-unix/X$n" ]; then
        Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
        echo $! >"$state/xvfb.pid"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
    # A persistent wineserver makes each test exe start in tens of milliseconds.
    (setsid wineserver -p >"$state/wineserver.log" 2>&1 &)
    wine cmd /c exit 0 >/dev/null 2>&1 || true
    echo "wine ready: prefix $prefix, display $display"
    ;;
stop)
    wineserver -k >/dev/null 2>&1 || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid"
    fi
    echo "wine stopped"
    ;;
*)
    echo "usage: $0 start|stop PREFIX DISPLAY" >&2
    exit 2
    ;;
esac
