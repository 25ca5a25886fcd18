#!/usr/bin/env bash
# Types in the worked example of docs/CONTENT.md as an author does, over a copy of the shipped data
# set: a block tagged file=PATH is a new file, append=PATH goes at its end, insert=PATH above=[X]
# above the header [X] (and the blank lines before it), and expect=PATH is what the file must be by
# then. It makes the mistake the guide warns about (the inserted lines appended at the end
# instead) on a scratch copy and checks that vorn-check says what the guide quotes; then it runs
# the guide's session of step 6 and checks that the tools print the lines the guide states, that
# vorn-sim plays the example's round and that the music it borrows stays the tutorial's.
#   content_example_check.sh <vorn-check> <vorn-sim> <composeMusic> <playTest>
set -u
check=$1 sim=$2 compose=$3 playtest=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -rL "$(pwd)/data" "$work/data" # the data set the build made, run from the test folder
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
    /^```[a-z]* (vorn-check-when-appended|session)$/ { kind = $2; path = ""; inside = 1; body = ""; next }
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

# The mistake on a scratch copy: vorn-check must say what the guide quotes, word for word.
mistaken=$(cat "$work/guide/appended.path")
mkdir "$work/mistake" && cp -r "$work/data" "$work/mistake/data" &&
    cp "$work/guide/appended" "$work/mistake/${mistaken#"$work"/}" || exit 1
out=$(cd "$work/mistake" && "$check" data)
quote=$(cat "$work/guide/vorn-check-when-appended")
[[ -n "$quote" && "$out" == *"$quote"* ]] ||
    { echo "vorn-check on the mistake does not say what the guide quotes:"; echo "$out"; exit 1; }

music=$("$compose" "$work") || { echo "$music"; exit 1; }
grep -qx "data/music/tutorial.ogg: 40.0 s at 96 beats per minute" <<<"$music" &&
    grep -qx "data/music/tutorial.ogg is shared by the campaigns Quarry, Tutorial: all play Tutorial's tune" <<<"$music" ||
    { echo "composeMusic on the example:"; echo "$music"; exit 1; }

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
