#!/usr/bin/env bash
# The Wine prefix that the cross build's tests run in: made fresh in a temporary folder, so
# that the Windows code meets Wine's own registry, mutexes and files and never the user's.
# Usage: wine-prefix.sh init STATE | run STATE PROGRAM [ARGS...] | remove STATE
#   STATE  a file that holds the prefix's path between the three steps
set -euo pipefail

# No desktop integration, and no prompt to install the .NET or HTML engines.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY

command=${1:?usage: wine-prefix.sh init|run|remove STATE ...}
state=${2:?usage: wine-prefix.sh init|run|remove STATE ...}
shift 2

case "$command" in
    init)
        if [[ -f "$state" ]]; then
            "$0" remove "$state"
        fi
        prefix=$(mktemp -d "${TMPDIR:-/tmp}/kaocg-wine.XXXXXX")
        WINEPREFIX="$prefix" wineboot --init >/dev/null 2>&1
        WINEPREFIX="$prefix" wineserver -w
        echo "$prefix" >"$state"
        ;;
    run)
        [[ -f "$state" ]] || { echo "wine-prefix.sh: no prefix; run the init step first" >&2; exit 1; }
        WINEPREFIX=$(cat "$state") exec wine "$@"
        ;;
    remove)
        [[ -f "$state" ]] || exit 0
        prefix=$(cat "$state")
        WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
        case "$prefix" in
            "${TMPDIR:-/tmp}"/kaocg-wine.*) rm -rf "$prefix" ;;
        esac
        rm -f "$state"
        ;;
    *)
        echo "wine-prefix.sh: unknown step '$command'" >&2
        exit 2
        ;;
esac
