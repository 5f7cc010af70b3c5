# Sourced: starts a virtual X display unless one is given in DISPLAY, and
# stops it again when the calling script ends.
xvfb_start() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
    local n
    for n in $(seq 90 130); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -noreset >/dev/null 2>&1 &
    KORVALIN_XVFB_PID=$!
    trap 'kill $KORVALIN_XVFB_PID 2>/dev/null || true' EXIT
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    setxkbmap us 2>/dev/null || true
}
