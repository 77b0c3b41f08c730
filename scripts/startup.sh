#!/usr/bin/env bash
# Start-up time of scribbet.exe against a bare Win32 window (a program that registers a
# class, creates one visible window and pumps messages) and the same bare window with
# the program's manifest and common controls 6 (the floor for any program with themed
# standard controls): all started cold under the same warm Wine, in turn, 7 times each
# by default; each time runs from process creation until the program's window is visible
# and WaitForInputIdle returns. Prints the medians, their ratios to both yardsticks and
# the program's own part (from wWinMain on, measured on a build that marks its start),
# twice: on the host as it is, and with one core kept busy by a spinning process. Under
# Wine every round trip to wineserver and the X server costs several times more on an
# idle core than on a busy one, so the two states differ by far more than noise.
#   scripts/startup.sh [RUNS]
# INKWARDEN_STARTUP_DISPLAY picks the virtual display (default :95).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-7}

scripts/setup.sh >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target scribbet_marked bare_window themed_window startup_probe >/dev/null

export WINEPREFIX=$root/build/wineprefix-startup WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export DISPLAY=${INKWARDEN_STARTUP_DISPLAY:-:95}
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
spinner=
trap '[ -n "$spinner" ] && kill $spinner 2>/dev/null; wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
sleep 1
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
fi
wineserver -p # persistent: every start below finds the same warm Wine

app=$root/build/startup-app
rm -rf "$app" && mkdir -p "$app"
# The marked build under the program's own name: the same code but for the mark.
cp build/windows/scribbet_marked.exe "$app/scribbet.exe"
cp build/windows/bare_window.exe build/windows/themed_window.exe assets/scribbet.ini "$app/"
probe() {
    wine build/windows/startup_probe.exe "$runs" "$(winepath -w "$app/bare_window.exe")" \
        "$(winepath -w "$app/themed_window.exe")" "$(winepath -w "$app/scribbet.exe")"
}

echo "== host as it is (load average $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores)"
probe
bash -c 'while :; do :; done' &
spinner=$!
echo "== one core kept busy by a spinning process (load average $(cut -d' ' -f1-3 /proc/loadavg))"
probe
kill $spinner
spinner=
