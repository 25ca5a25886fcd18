#!/usr/bin/env bash
# Types in the worked example of docs/CONTENT.md as an author does, over a copy of the shipped data
# set: a block tagged file=PATH is a new file, append=PATH goes at its end, insert=PATH above=[X]
# above the header [X] (and the blank lines before it), and expect=PATH is what the file must be by
# then. Then it makes the data set again from the typed files, as the build does, and checks that
# every datafile the game ships is as it was and the borrowed music stays the tutorial's. It makes
# the mistake the guide warns about (the inserted lines appended at the end instead) and the two
# slips of the guide's sample report on scratch copies and checks that vorn-check says what the
# guide quotes; then it runs the guide's session of step 6 and checks that the tools print the
# lines the guide states and that vorn-sim plays the example's round.
#   content_example_check.sh <vorn-check> <vorn-sim> <composeMusic> <playTest> <paintUnits> <paintScreens> <synthSounds>
set -u
check=$1 sim=$2 compose=$3 playtest=$4 paintUnits=$5 paintScreens=$6 synth=$7
root=$(cd "$(dirname "$0")/../.." && pwd)
shipped=$(pwd)/data # the data set the build made, run from the test folder
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -rL "$shipped" "$work/data"
rm -f "$work/data/gameSettings"
mkdir "$work/guide"

# Writes each typed block into place; the expected files, the inserted lines, the quoted mistake
# and the session go to $work/guide.
awk -v out="$work" '
    function flush(   n, i, line, lines, at) {
        if (kind == "file" || kind == "append") {
            if (kind == "file") printf "" > path
            printf "%s", body >> path
        } else if (kind == "insert") {
            n = 0
            while ((getline line < path) > 0) lines[++n] = line
            close(path)
            for (at = 1; at <= n && lines[at] != above; at++) ;
            if (at > n) { print "no " above " in " path > "/dev/stderr"; failed = 1 }
            while (at > 1 && lines[at - 1] == "") at--
            printf "" > path
            for (i = 1; i <= n; i++) {
                if (i == at) printf "%s", body >> path
                print lines[i] >> path
            }
            # The mistake: the same lines at the end of the file as it stood.
            for (i = 1; i <= n; i++) print lines[i] > (out "/guide/appended")
            printf "%s", body > (out "/guide/appended"); close(out "/guide/appended")
            print path > (out "/guide/appended.path"); close(out "/guide/appended.path")
        } else if (kind == "expect") {
            expects++
            printf "%s", body > (out "/guide/expect" expects); close(out "/guide/expect" expects)
            while ((getline line < path) > 0) print line > (out "/guide/typed" expects)
            close(path); close(out "/guide/typed" expects)
            print path > (out "/guide/expect" expects ".path"); close(out "/guide/expect" expects ".path")
        } else {
            printf "%s", body > (out "/guide/" kind); close(out "/guide/" kind)
        }
        close(path)
    }
    /^```[a-z]* (file|append|insert|expect)=/ {
        split($2, tag, "="); kind = tag[1]; path = out "/" tag[2]
        above = $3; sub(/^above=/, "", above)
        inside = 1; body = ""; blocks++; next
    }
    /^```[a-z]* (vorn-check-when-appended|vorn-check-slips|session)$/ { kind = $2; path = ""; inside = 1; body = ""; next }
    inside && /^```$/ { flush(); inside = 0; next }
    inside { body = body $0 "\n" }
    END { exit failed || blocks < 5 || !expects }
' "$root/docs/CONTENT.md" || { echo "the worked example of the guide could not be typed in"; exit 1; }

for f in data/unit/Pebbler data/unit/Pebble data/unit/Mason data/unit/MasonChip data/campaigns/Quarry; do
    [ -s "$work/$f" ] || { echo "the example did not make $f"; exit 1; }
done
for e in "$work"/guide/expect*.path; do
    n=${e%.path}; n=${n##*expect}
    diff -u "$work/guide/expect$n" "$work/guide/typed$n" ||
        { echo "what was typed differs from the guide's $(cat "$e")"; exit 1; }
done

# The data set made again with the example in it, as the build makes it, into a copy: what the
# game ships must not change, whatever the example borrows.
made=$(bash "$root/tools/make-data.sh" "$work" "$work/built" "$work/stage" "$paintUnits" "$paintScreens" \
    "$synth" "$compose" 2>&1) || { echo "$made"; exit 1; }
(cd "$shipped" && find . -name '*.dat') | while read -r dat; do
    cmp -s "$shipped/$dat" "$work/built/data/$dat" || echo "rebuilt with the example, data/${dat#./} changed"
done | grep . && exit 1
grep -qx "data/music/tutorial.ogg: 40.0 s at 96 beats per minute" <<<"$made" &&
    grep -qx "data/music/tutorial.ogg is shared by the campaigns Quarry, Tutorial: all play Tutorial's tune" <<<"$made" ||
    { echo "the data step on the example:"; echo "$made"; exit 1; }
rm -rf "$work/data" && mv "$work/built/data" "$work/data"

# The mistake and the slips on scratch copies: vorn-check must say what the guide quotes, word
# for word.
mistaken=$(cat "$work/guide/appended.path")
mkdir "$work/mistake" "$work/slips" && cp -r "$work/data" "$work/mistake/data" &&
    cp "$work/guide/appended" "$work/mistake/${mistaken#"$work"/}" && cp -r "$work/data" "$work/slips/data" || exit 1
out=$(cd "$work/mistake" && "$check" data)
quote=$(cat "$work/guide/vorn-check-when-appended")
[[ -n "$quote" && "$out" == *"$quote"* ]] ||
    { echo "vorn-check on the mistake does not say what the guide quotes:"; echo "$out"; exit 1; }
sed -i 's/^attackDistMax/attackDistMx/' "$work/slips/data/unit/Pebbler"
sed -i 's/^Spawn1 = Pebbler/Spawn1 = Pebblr/' "$work/slips/data/campaigns/Quarry"
out=$(cd "$work/slips" && "$check" data)
diff -u "$work/guide/vorn-check-slips" - <<<"$out" || { echo "vorn-check on the slips differs from the guide"; exit 1; }

cd "$work"
# Without a player the enemies of the first wave must be there and stay.
run=$("$sim" --campaign Quarry --character none --no-script --steps 300 --frame-ratio 1) || {
    echo "$run"; exit 1; }
grep -Eq 'enemy [1-9]' <<<"$run" || { echo "no Pebbler appeared:"; echo "$run"; exit 1; }

# Whether the output (file $2) shows the guide's lines (file $1) in order, "..." standing for any
# lines; without a "..." at an end the first or last line must be the output's.
shows() {
    awk 'NR == FNR { want[++n] = $0; next } { got[++m] = $0 }
         END {
             for (i = 1; i <= n; i++) {
                 if (want[i] == "...") { skip = 1; continue }
                 while (j < m && got[j + 1] != want[i] && skip) j++
                 if (j >= m || got[j + 1] != want[i]) exit 1
                 j++; skip = 0
             }
             exit !skip && j < m
         }' "$1" "$2"
}
# Step 6 as the guide has it, each command run here as typed and printing what the guide states.
# The scripted mason must win (its attacks fire on a click: a press and a let-go), in playTest too.
grep -q '^round: won' guide/session && grep -Eq '^Quarry +0 +Mason +1/1 w' guide/session ||
    { echo "the guide's step 6 no longer states that the mason wins"; exit 1; }
mkdir tools && ln -s "$check" tools/vorn-check && ln -s "$sim" tools/vorn-sim && ln -s "$playtest" tools/playTest
awk '/^\$ / { n++; print substr($0, 3) > ("guide/command" n); next } { print > ("guide/want" n) }' guide/session
for c in guide/command*; do
    bash -c "$(cat "$c")" >guide/got 2>&1
    shows "${c/command/want}" guide/got || { echo "$(cat "$c") prints, not what the guide states:"; cat guide/got; exit 1; }
done
cat guide/got
