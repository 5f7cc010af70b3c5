# Sourced by the scripts that run Windows programs: one pinned Wine setup.
#
# The product is the 32-bit program. Where the kernel cannot execute 32-bit
# Linux programs (no IA-32 emulation), 32-bit Wine cannot start at all; the
# tests then run the same sources built for x86-64 under 64-bit Wine.
# KORVALIN_WINEPREFIX may name another prefix; WINEPREFIX is never left unset.
: "${KORVALIN_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    export WINEARCH=win32 KORVALIN_WINE=/usr/lib/wine/wine KORVALIN_TEST_BUILD=windows
else
    export WINEARCH=win64 KORVALIN_WINE=/usr/lib/wine/wine64 KORVALIN_TEST_BUILD=windows64
fi
export WINEPREFIX="${KORVALIN_WINEPREFIX:-$KORVALIN_ROOT/build/wineprefix-$WINEARCH}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=C.UTF-8 LC_ALL=C.UTF-8
# An ALSA null device: sounds "play" silently and for their full length, so
# that a cue that waits really waits.
export HOME="$KORVALIN_ROOT/build/home"
mkdir -p "$HOME"
echo 'pcm.!default { type null }' > "$HOME/.asoundrc"

# Creates the prefix once and keeps a wineserver running so that every
# further start costs a fraction of a second.
wine_prepare() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        timeout 300 "$KORVALIN_WINE" wineboot -i >/dev/null 2>&1 || true
    fi
    wineserver -p >/dev/null 2>&1 || true
    timeout 60 "$KORVALIN_WINE" cmd /c exit >/dev/null 2>&1 || true
}
