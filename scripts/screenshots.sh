#!/usr/bin/env bash
# Screenshots of the three windows at 96, 120, 144 and 192 DPI, on a virtual display:
#   scripts/screenshots.sh [OUTDIR]      (default build/screenshots)
# INKWARDEN_SHOTS_DPIS picks other scales (e.g. "168 288"), INKWARDEN_SHOTS_DISPLAY
# names the X display it starts (default :94).
# Each DPI gets its own Wine prefix; the windows are opened with clicks at the
# controls' places, computed from their twips as the program lays them out.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=${1:-$root/build/screenshots}
mkdir -p "$out"

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target scribbet

px() { echo $(( ($1 * dpi + 720) / 1440 )); }  # twips -> pixels, rounded

click() {  # click X Y: Wine needs the pointer to arrive before the press
    xdotool mousemove "$1" "$2"
    sleep 0.3
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
}

# Under Wine without a window manager the first press after a window appears can
# reach the window beneath it; press again (up to three times) until the effect shows.
click_until() {  # click_until X Y TEST...: click until the TEST command succeeds
    local x=$1 y=$2
    shift 2
    for _ in 1 2 3; do
        click "$x" "$y"
        sleep 1
        "$@" && return 0
    done
    return 1
}
opened() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
closed() { ! opened "$1"; }

shoot() {  # shoot NAME X Y W H: crop of the root window
    import -window root -crop "${4}x${5}+${2}+${3}" +repage "$out/$1-$dpi.png"
}

for dpi in ${INKWARDEN_SHOTS_DPIS:-96 120 144 192}; do
    export WINEPREFIX=$root/build/wineprefix-shots-$dpi WINEDEBUG=-all LANG=zh_CN.UTF-8 DISPLAY=${INKWARDEN_SHOTS_DISPLAY:-:94}
    Xvfb "$DISPLAY" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    sleep 1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w

    app=$root/build/shots-app-$dpi
    rm -rf "$app" && mkdir -p "$app"
    cp build/windows/scribbet.exe "$app/"
    # A Chinese author, so the shots show how the inputs and the preview draw ideographs.
    iconv -f UTF-16LE -t UTF-8 assets/scribbet.ini | sed 's/^writer=.*\r$/writer=张三\r/' |
        iconv -f UTF-8 -t UTF-16LE >"$app/scribbet.ini"
    wine "$app/scribbet.exe" >/dev/null 2>&1 &
    for _ in $(seq 100); do
        win=$(xdotool search --name '^Inkwarden$' 2>/dev/null | head -n 1) && [ -n "$win" ] && break
        sleep 0.1
    done
    sleep 1.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    mx=$X my=$Y mw=$WIDTH mh=$HEIGHT
    shoot main "$mx" "$my" "$mw" "$mh"

    # A confirm in the function panel opens the result window over the main window.
    click_until $((mx + $(px 6607))) $((my + $(px 5467))) opened Form2
    # The pointer off the window, so no tooltip of 复制注释 (under it now) is in the shot.
    xdotool mousemove 0 0
    sleep 1
    shoot result "$mx" "$my" "$mw" "$mh"
    click_until $((mx + $(px 5527))) $((my + $(px 5587))) closed Form2  # 返回

    # The first template of one's own (接口说明, five fields), chosen in the 其他模板 list.
    click $((mx + $(px 5730))) $((my + $(px 1245)))
    sleep 0.5
    xdotool key Down Return
    sleep 1
    shoot main-own "$mx" "$my" "$mw" "$mh"

    # The settings label opens the settings window, centred on the screen.
    click_until $((mx + $(px 6847))) $((my + $(px 1387))) opened Form1
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name '^Form1$' | head -n 1)")"
    shoot settings "$X" "$Y" "$WIDTH" "$HEIGHT"

    wineserver -k >/dev/null 2>&1 || true
    kill $xvfb 2>/dev/null || true
    wait $xvfb 2>/dev/null || true
done
ls -1 "$out"
