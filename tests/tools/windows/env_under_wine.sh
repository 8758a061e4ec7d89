#!/usr/bin/env bash
# kaocg-tool.exe env, without a prefix, finds an installation of the ZV edition whose keys
# were written with Wine's own reg command. The keys are removed again afterwards.
# Usage: env_under_wine.sh WINDOWS_TOOL WINE_SCRIPT WINE_STATE
set -euo pipefail
windows_tool=$1 wine_script=$2 wine_state=$3
wine() { "$wine_script" run "$wine_state" "$@"; }

prefix=$(cat "$wine_state")
key='HKCU\Software\TAVU\Quorvane06ZV Tc'
cleanup() {
    wine reg delete "$key" /f >/dev/null 2>&1 || true
    rm -rf "$prefix/drive_c/KaocgTestGame"
}
trap cleanup EXIT

game="$prefix/drive_c/KaocgTestGame"
mkdir -p "$game/grp"
touch -d '2012-07-01 12:00' "$game/QRVN06ZV.exe"
wine reg add "$key\\Install" /v InstallInfo /t REG_SZ /d 'C:\KaocgTestGame\' /f >/dev/null
wine reg add "$key\\PL" /v 1 /t REG_DWORD /d 2 /f >/dev/null

out=$(wine "$windows_tool" env)
echo "$out"
expect() {
    grep -qxF "$1" <<<"$out" || { echo "FAIL: no line '$1'"; exit 1; }
}
expect "prefix: -"
expect "edition: zv"
expect "update level: 2"
expect "executable year: 2012"
expect "game updated: yes"
grep -q '^install folder: C:\\KaocgTestGame\\ -> C:\\KaocgTestGame\\$' <<<"$out" ||
    { echo "FAIL: install folder"; exit 1; }
