#!/usr/bin/env bash
# Seeds the fuzz corpora from the shipped data (run from the repository root after a build made
# build/data). Existing corpus files are kept; libFuzzer's -merge=1 then keeps only what adds
# coverage. The seeds go to build-fuzz/seeds.
set -euo pipefail
seeds=build-fuzz/seeds
rm -rf "$seeds"
cd build
mkdir -p "$seeds"/{unitfile,campaign,lists,settings,ogg,datafile,replay}
cp data/unit/[A-Z]* "../$seeds/unitfile/"
cp data/campaigns/* "../$seeds/campaign/"
cp data/listOfCampaigns.txt data/listOfCharacters.txt "../$seeds/lists/"
printf '[Gfx]\nResX = 800\nResY = 600\nDepth = 32\nDriver = 2\n\n[Controls]\nUp = 84\nDown = 85\nLeft = 82\nRight = 83\nHyper = 75\nRestart = 56\nPause = 64\nMenu = 59\nTaunt = 26\nMouseThreshold = 30\n\n[Sound]\nGlobal = 200\nMusic = 100\nSfx = 255\n\n[StartGame]\npc = 2\ncamp = 1\n' >"../$seeds/settings/full"
printf '[Controls]\nUp = 84\n' >"../$seeds/settings/controls-only"
for f in data/sound/*.ogg; do
    [ "$(stat -c %s "$f")" -le 8192 ] && cp "$f" "../$seeds/ogg/"
done
# Datafiles as the dat tool writes them without compression, so mutations reach the objects.
for f in data/unit/gfx/blessing.dat data/unit/gfx/aegisorb.dat data/unit/gfx/furyorb.dat; do
    cp "$f" "../$seeds/datafile/"
    dat -c0 "../$seeds/datafile/$(basename "$f")" >/dev/null
done
# One datafile holding every object name the datafile target's unit and campaign files ask for.
pics=$(mktemp -d)
for name in arena title splashScreen victoryScreen stand d0 d1 r0 r1 run1 a0 a1; do
    convert -size 12x9 xc:'#c04080' "BMP3:$pics/$name.bmp"
done
(cd "$pics" && dat -a -k -t BMP -bpp 32 named.dat ./*.bmp >/dev/null)
for f in "$pics"/*.bmp; do
    n=$(basename "$f" .bmp)
    (cd "$pics" && dat named.dat "$n.bmp" "NAME=$n" >/dev/null)
done
(cd "$pics" && dat -c0 named.dat >/dev/null)
cp "$pics/named.dat" "../$seeds/datafile/"
# The same with objects of types the game skips, compressed object by object.
(cd "$pics" && dat -a -t RLE -bpp 32 named.dat arena.bmp >/dev/null && dat -c1 named.dat >/dev/null)
cp "$pics/named.dat" "../$seeds/datafile/named-c1.dat"
rm -rf "$pics"
