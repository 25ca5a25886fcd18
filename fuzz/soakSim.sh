#!/usr/bin/env bash
# Soak of the headless simulation: vorn-sim plays STEPS steps (default 100,000) of a crowd of
# 1,000 long-lived units (crawlers, crystals, pillars and turrets, no player) under the sanitizer
# build, resident memory sampled every few seconds. Fails on a sanitizer report or when memory
# grew by 5 % or more between the end of the warm-up (the first tenth of the run) and the end.
# Usage: fuzz/soakSim.sh [SIM] [STEPS]
set -euo pipefail
sim=${1:-build-asan/tools/vorn-sim}
steps=${2:-100000}
samples=$(mktemp)
out=$(mktemp)
trap 'rm -f "$samples" "$out"' EXIT
ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=4:abort_on_error=1 \
    "$sim" --units 1000 --steps "$steps" --seed 3 --frame-ratio 10 --types Grub,Crystal,Pillar,Turret \
    --character none >"$out" 2>&1 &
pid=$!
while kill -0 "$pid" 2>/dev/null; do
    awk '/VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null >>"$samples" || true
    sleep 5
done
status=0
wait "$pid" || status=$?
cat "$out"
[ "$status" = 0 ] || { echo "vorn-sim ended with status $status" >&2; exit 1; }
n=$(wc -l <"$samples")
[ "$n" -ge 10 ] || { echo "too short a run to judge memory ($n samples)"; exit 0; }
warm=$(sed -n "$((n / 10 + 1))p" "$samples")
end=$(tail -1 "$samples")
awk -v w="$warm" -v e="$end" -v n="$n" 'BEGIN {
    g = 100 * (e - w) / w
    printf "resident memory: %d kB after warm-up, %d kB at the end (%+.2f %%, %d samples)\n", w, e, g, n
    exit (g < 5 ? 0 : 1)
}'
