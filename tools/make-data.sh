#!/usr/bin/env bash
# Makes the data set in the build folder: copies the text files of the repository's data/ (the
# lists, campaigns and unit files) to <build folder>/data, runs the picture, sound and music
# generators on them and packs the pictures into Allegro datafiles with `dat`. A player's settings
# and replays there are kept. Called by the build (target vorndata):
#   make-data.sh <repository root> <build folder> <stage folder> <paintUnits> <paintScreens> <synthSounds> <composeMusic>
# The painters write <stage>/<datafile path>/<object>.bmp; every such folder becomes the
# datafile at <datafile path>, its objects named after the bitmap files without extension.
set -euo pipefail
source=$1 root=$2 stage=$3 paintUnits=$4 paintScreens=$5 synthSounds=$6 composeMusic=$7

mkdir -p "$root/data"
find "$root/data" -mindepth 1 -maxdepth 1 ! -name gameSettings ! -name 'gameSettings.new' ! -name replays \
    -exec rm -rf {} +
for folder in "" campaigns unit; do
    mkdir -p "$root/data/$folder"
    find "$source/data/$folder" -maxdepth 1 -type f ! -name 'gameSettings*' ! -name '*.dat' \
        -exec cp -p {} "$root/data/$folder/" \;
done

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
