#!/usr/bin/env bash
# The end-to-end tests on a busy machine: the suite run RUNS times in a row (3 by default) with
# two CPU-bound processes of this script's own beside it; fails when any run fails.
# Usage, from the repository: bash tools/test-under-load.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-3}

hogs=()
stop_hogs() { for pid in "${hogs[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap stop_hogs EXIT
for _ in 1 2; do
    bash -c 'while :; do :; done' &
    hogs+=($!)
done

for run in $(seq 1 "$runs"); do
    start=$SECONDS
    if ! ctest --test-dir "$build" -L e2e --output-on-failure; then
        echo "under load: run $run of $runs failed after $((SECONDS - start)) s" >&2
        exit 1
    fi
    echo "under load: run $run of $runs passed in $((SECONDS - start)) s"
done
