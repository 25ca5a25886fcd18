#!/usr/bin/env bash
# Makes the binary part of data/: runs the picture, sound and music generators and packs the
# pictures into Allegro datafiles with `dat`. Called by the build (target vorndata):
#   make-data.sh <repository root> <stage folder> <paintUnits> <paintScreens> <synthSounds> <composeMusic>
# The painters write <stage>/<datafile path>/<object>.bmp; every such folder becomes the
# datafile at <datafile path>, its objects named after the bitmap files without extension.
set -euo pipefail
root=$1 stage=$2 paintUnits=$3 paintScreens=$4 synthSounds=$5 composeMusic=$6

rm -rf "$stage"
mkdir -p "$stage"
"$paintUnits" "$root" "$stage"
"$paintScreens" "$root" "$stage"

packed=0
while IFS= read -r -d '' folder; do
    datafile="$root/${folder#"$stage"/}"
    mkdir -p "$(dirname "$datafile")"
    rm -f "$datafile"
    (cd "$folder" && dat -a -k -t BMP -bpp 32 -transparency "$datafile" ./*.bmp >/dev/null)
    # -k keeps "idle0.bmp" as the name; the game looks objects up by "idle0".
    for bmp in "$folder"/*.bmp; do
        file=$(basename "$bmp")
        dat "$datafile" "$file" "NAME=${file%.bmp}" >/dev/null
    done
    dat -s1 -c2 "$datafile" >/dev/null
    packed=$((packed + 1))
done < <(find "$stage" -type d -name '*.dat' -print0)
echo "packed $packed datafiles"

"$synthSounds" "$root"
"$composeMusic" "$root"
