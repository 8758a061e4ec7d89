#!/usr/bin/env bash
# Start-up time of the editor, from process start until the list is filled and the event loop
# runs, on a drawn stand-in installation of each edition with a warm cache.
# Usage: bench/startup.sh [RUNS] [BUILD_DIR]   (defaults: 15 runs, build/default)
# Each edition gets one unmeasured run first (it also makes the first-run copies of the edit
# archives), then RUNS measured ones; min and median are printed in milliseconds. The editor
# runs on the offscreen platform with a runtime folder of its own, so an editor that is open
# on this desktop is neither disturbed nor mistaken for the one being measured.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=${2:-build/default}
editor="$build/app/kaocg-editor"
tool="$build/tools/kaocg-tool"
for program in "$editor" "$tool"; do
    [[ -x "$program" ]] || { echo "bench/startup.sh: $program is missing; build first" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/kaocg-startup-XXXXXX")
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"

run_once() {
    env WINEPREFIX="$1" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen \
        KAOCG_EXIT_AFTER_LOAD=1 "$editor" >/dev/null 2>&1
}

now_ns() { date +%s%N; }

for edition in base zv; do
    prefix="$work/$edition"
    "$tool" make-demo-install "$prefix" --edition "$edition" >/dev/null
    run_once "$prefix" || { echo "bench/startup.sh: the editor failed on $edition" >&2; exit 1; }
    times=()
    for ((i = 0; i < runs; i++)); do
        start=$(now_ns)
        run_once "$prefix"
        times+=($(( ($(now_ns) - start) / 1000000 )))
    done
    sorted=($(printf '%s\n' "${times[@]}" | sort -n))
    median=${sorted[$(( runs / 2 ))]}
    printf '%-5s runs %d  min %d ms  median %d ms\n' "$edition" "$runs" "${sorted[0]}" "$median"
done
