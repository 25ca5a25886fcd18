#!/usr/bin/env bash
# Runs vorn-check on every case of tests/broken-data, laid over the trial campaign, and checks
# that it reports the problems the case's check-expect.txt lists, each with a fix, and that it
# exits with 1 exactly when an error is expected. The data folder is given by another name, as
# an absolute path, which the report must write in place of data/ so its lines open from here.
#   broken_data_check.sh <vorn-check> <makeTestCampaign> <makeBrokenCase>
set -u
check=$1 maker=$2 breaker=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
failed=0
for case in "$root"/tests/broken-data/*/; do
    name=$(basename "$case")
    expect="$case/check-expect.txt"
    if [ ! -f "$expect" ]; then
        echo "$name: no check-expect.txt"; failed=1; continue
    fi
    work=$(mktemp -d)
    "$maker" "$work" >/dev/null 2>&1 && "$breaker" "$case" "$work" >/dev/null 2>&1 || {
        echo "$name: the case could not be laid out"; failed=1; rm -rf "$work"; continue; }
    mv "$work/data" "$work/set"
    out=$("$check" "$work/set"); status=$?
    rm -rf "$work"
    wantError=0
    while read -r severity file section key; do
        case "$severity" in ''|'#'*) continue ;; esac
        [ "$severity" = error ] && wantError=1
        pattern="^${work}/set/${file#data/}(:[0-9]+)?: ${severity}: "
        [ "$section" != - ] && pattern+="\\[${section}\\] "
        [ "$key" != - ] && pattern+="${key}: "
        if ! grep -Eq "$pattern" <<<"$out"; then
            echo "$name: expected \"$severity $file $section $key\", got:"; echo "$out"; failed=1
        fi
    done < "$expect"
    problems=$(grep -Ec ': (error|warning): ' <<<"$out")
    fixes=$(grep -c '^    fix:  .' <<<"$out")
    if [ "$problems" != "$fixes" ]; then
        echo "$name: $problems problems but $fixes fixes"; failed=1
    fi
    if [ "$status" != "$wantError" ]; then
        echo "$name: exit status $status, expected $wantError"; failed=1
    fi
done
exit $failed
