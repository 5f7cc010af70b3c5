#!/usr/bin/env bash
# Builds the editor and starts it under Wine. Without a display it starts a
# virtual one, takes a screenshot once the window is there and says where it
# is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/install-deps.sh"
bash "$root/tools/build-windows.sh"
source "$root/tools/wine-env.sh"
virtual=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    source "$root/tools/xvfb.sh"
    xvfb_start
    virtual=1
fi
# The prefix is made with the display there: Wine's desktop process, which
# outlives the set-up, would otherwise run without one and the first start
# of the program fail.
wine_prepare
exe="$root/build/$KORVALIN_TEST_BUILD/Korvalin/Korvalin.exe"
[ "$KORVALIN_TEST_BUILD" = windows ] || echo "This kernel cannot run 32-bit programs: starting the x86-64 build."
[ "$virtual" = 1 ] || exec "$KORVALIN_WINE" "$exe" "$@"
"$KORVALIN_WINE" "$exe" "$@" &
program=$!
for _ in $(seq 1 300); do
    xdotool search --name "Korvalin V1.21" >/dev/null 2>&1 && break
    kill -0 "$program" 2>/dev/null || { echo "Korvalin ended at once"; exit 1; }
    sleep 0.1
done
sleep 1
shot="$root/build/screenshot.png"
import -window root "$shot"
echo "Korvalin runs on the virtual display $DISPLAY; screenshot: $shot"
echo "Press Ctrl+C to end it."
wait "$program"
