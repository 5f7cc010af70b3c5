#!/usr/bin/env bash
# Runs one Windows program under the project's Wine setup.
source "$(dirname "$0")/wine-env.sh"
wine_prepare
exec timeout "${KORVALIN_WINE_TIMEOUT:-300}" "$KORVALIN_WINE" "$@"
