#!/usr/bin/env bash
# Builds the editor and starts it under Wine. Without a display it starts a
# virtual one, takes a screenshot after the start and says where it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/install-deps.sh"
bash "$root/tools/build-windows.sh"
source "$root/tools/wine-env.sh"
wine_prepare
exe="$root/build/$KORVALIN_TEST_BUILD/Korvalin/Korvalin.exe"
[ "$KORVALIN_TEST_BUILD" = windows ] || echo "This kernel cannot run 32-bit programs: starting the x86-64 build."
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$KORVALIN_WINE" "$exe" "$@"
fi
source "$root/tools/xvfb.sh"
xvfb_start
"$KORVALIN_WINE" "$exe" "$@" &
sleep 5
shot="$root/build/screenshot.png"
import -window root "$shot"
echo "Korvalin runs on the virtual display $DISPLAY; screenshot: $shot"
echo "Press Ctrl+C to end it."
wait
