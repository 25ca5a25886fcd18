#!/usr/bin/env bash
# The long fuzzing run: each target for SECONDS (default 600) from its kept corpus and the seeds
# of the shipped data, then the corpus is minimised back into fuzz/corpus/<target>. Findings
# land in build-fuzz/findings/; once mended, copy each to fuzz/regressions/<target>/, which the
# tests replay with the corpus. Usage: fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(unitfile campaign lists settings ogg datafile replay)
# Absolute paths: the targets work in a folder of their own.
root=$(pwd)
bin=$root/build-fuzz/fuzz
logs=$root/build-fuzz/logs
findings=$root/build-fuzz/findings
mkdir -p "$logs" "$findings"
[ -d build-fuzz/seeds ] || bash fuzz/seed.sh
# The targets read a copy of the data set the ordinary build made, so a rebuild meanwhile cannot
# tear a file.
rm -rf build-fuzz/data-copy && mkdir -p build-fuzz/data-copy && cp -r build/data build-fuzz/data-copy/
export VORN_ROOT=$root/build-fuzz/data-copy
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp
for t in "${targets[@]}"; do
    work=$root/build-fuzz/corpus-$t
    mkdir -p "$work" "fuzz/corpus/$t"
    echo "fuzzing $t for ${seconds}s"
    "$bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -artifact_prefix="$findings/$t-" -print_final_stats=1 \
        "$work" "$root/fuzz/corpus/$t" "$root/build-fuzz/seeds/$t" >"$logs/$t.log" 2>&1 || echo "  $t stopped: see $logs/$t.log"
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|cov: " "$logs/$t.log" | tail -3 || true
    # Keep a small corpus: only the inputs that reach code no other one reaches.
    rm -rf "$work.min" && mkdir -p "$work.min"
    "$bin/fuzz_$t" -merge=1 -use_counters=0 "$work.min" "$root/fuzz/corpus/$t" "$work" "$root/build-fuzz/seeds/$t" >>"$logs/$t.log" 2>&1
    rm -rf "fuzz/corpus/$t" && mv "$work.min" "fuzz/corpus/$t"
done
