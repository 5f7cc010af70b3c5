# Sourced: starts a virtual X display unless one is given in DISPLAY, and
# stops it again when the calling script ends.
xvfb_start() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
    # The server picks a free display number itself and writes it to the file.
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset 3>"$number_file" >/dev/null 2>&1 &
    KORVALIN_XVFB_PID=$!
    trap 'kill $KORVALIN_XVFB_PID 2>/dev/null || true' EXIT
    for _ in $(seq 1 100); do
        [ -s "$number_file" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -1 "$number_file")"
    rm -f "$number_file"
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    setxkbmap us 2>/dev/null || true
}
