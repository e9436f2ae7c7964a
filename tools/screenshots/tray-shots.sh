#!/bin/sh
# The two tray pictures of the README, on a real X server: Xvfb as the screen, trayer as the
# notification area (Qt's icon docks into it) and dunst as the notification service on a
# private session bus. The simulated printer reports a toner running low, so the first round
# of watching brings a notification, and hovering over the icon its tooltip.
#   tools/screenshots/tray-shots.sh [BUILD_DIR [OUT_DIR]]
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build}
out=${2:-$top/docs/screenshots/en-US}
work=$(mktemp -d)
display=:77
xvfb=
cleanup() {
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

printf '{ "replies": { "9": "X=000000,302008\\r\\n" } }\n' > "$work/printer.json"
mkdir -p "$work/config/remote-panel" "$work/runtime"
chmod 700 "$work/runtime"
printf '[General]\nwatch=true\ninterval=60\n' > "$work/config/remote-panel/rpanel.conf"

Xvfb "$display" -screen 0 640x400x24 -nolisten tcp &
xvfb=$!
sleep 1
export DISPLAY="$display" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export WORK="$work" OUT="$out" RPANEL="$build/bin/rpanel"
mkdir -p "$out"
xsetroot -solid '#3B5B7A' 2>/dev/null || true
dbus-run-session -- sh -c '
    dunst &
    dunst=$!
    trayer --edge bottom --align right --widthtype request --height 28 --tint 0xDDDDDD \
        --transparent true --alpha 0 &
    trayer=$!
    sleep 1
    "$RPANEL" --simulate "$WORK/printer.json" --lang en-US &
    rpanel=$!
    sleep 4
    import -window root -crop 360x130+280+0 "$OUT/tray-notification.png"
    # The icon sits in the bottom right corner; Qt shows the tooltip once the pointer moves
    # over it and then rests.
    xdotool mousemove 620 380
    sleep 1
    xdotool mousemove 627 387
    sleep 3
    import -window root -crop 360x150+280+250 "$OUT/tray-tooltip.png"
    kill "$rpanel" "$trayer" "$dunst" 2>/dev/null || true
'
echo "tray pictures in $out"
