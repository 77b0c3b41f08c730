#!/usr/bin/env bash
# Start-up time of scribbet.exe against a bare Win32 window (a program that registers a
# class, creates one visible window and pumps messages) and the same bare window with
# the program's manifest and common controls 6 (the floor for any program with themed
# standard controls): all started cold under the same warm Wine, in turn, 7 times each
# by default; each time runs from process creation until the program's window is visible
# and WaitForInputIdle returns. Prints the medians and their ratios to the bare window.
#   scripts/startup.sh [RUNS]
# INKWARDEN_STARTUP_DISPLAY picks the virtual display (default :95).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-7}

scripts/setup.sh >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target scribbet bare_window themed_window startup_probe >/dev/null

export WINEPREFIX=$root/build/wineprefix-startup WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export DISPLAY=${INKWARDEN_STARTUP_DISPLAY:-:95}
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
sleep 1
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
fi
wineserver -p # persistent: every start below finds the same warm Wine

app=$root/build/startup-app
rm -rf "$app" && mkdir -p "$app"
cp build/windows/scribbet.exe build/windows/bare_window.exe build/windows/themed_window.exe assets/scribbet.ini \
    "$app/"
wine build/windows/startup_probe.exe "$runs" "$(winepath -w "$app/bare_window.exe")" \
    "$(winepath -w "$app/themed_window.exe")" "$(winepath -w "$app/scribbet.exe")"
