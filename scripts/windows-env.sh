# Shared by scripts/windows and its pieces: Wine in a prefix of its own in the
# cache, quiet, without the .NET and HTML engines it would offer to download.
# Source it.

export WINEPREFIX=${WINEPREFIX:-${PEREWAL_WINDOWS_CACHE:-$HOME/.cache/perewal}/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=/usr/lib/wine/wine64

# Creates the prefix once (about 20 s); later calls find it.
windows_wine_ready() {
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    xvfb-run -a "$wine" wineboot --init >/dev/null 2>&1
    "$(dirname "$wine")/wineserver" -w
}
