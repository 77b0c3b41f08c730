#!/usr/bin/env bash
# Builds Inkwarden for Windows and starts it under Wine. Without a display it starts a
# virtual one and saves a screenshot of what the program shows to build/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target scribbet

app=$root/build/app
mkdir -p "$app"
cp build/windows/scribbet.exe "$app/"
# The settings file lives beside the exe; start from the reset values the first time.
[ -f "$app/scribbet.ini" ] || cp assets/scribbet.ini "$app/"

export WINEPREFIX=$root/build/wineprefix-app WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix (first run only)"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
fi

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$app/scribbet.exe"
fi

export DISPLAY=:93
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
sleep 1
wine "$app/scribbet.exe" &
sleep "${INKWARDEN_SHOT_DELAY:-6}"
import -window root "$root/build/screenshot.png"
echo "Inkwarden is running on the virtual display $DISPLAY; screenshot: build/screenshot.png"
echo "Press Enter to stop it."
read -r _ || true
