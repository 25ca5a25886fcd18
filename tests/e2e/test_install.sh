#!/usr/bin/env bash
# Installed as a package installs it: `cmake --install` into a temporary prefix puts the game,
# its tools, data, desktop entry, icons, manual pages and licence in place; the installed game,
# started from another folder with an empty HOME, finds its data beside itself (as its checker
# does), plays a round, keeps the setting it saves and the round's replay in ~/.config/vorn, and
# writes nothing under the prefix. The Debian package installs into a throw-away root.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
build=$(dirname "$game")
prefix="$E2E_TMP/prefix"
cmake --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log" || { cat "$E2E_TMP/install.log"; fail "cmake --install failed"; }
for f in bin/vorn bin/vorn-check bin/vorn-sim bin/vorn-edit bin/playTest share/vorn/data/listOfCampaigns.txt \
    share/vorn/data/generalData.dat share/applications/vorn.desktop share/icons/hicolor/16x16/apps/vorn.png \
    share/icons/hicolor/256x256/apps/vorn.png share/man/man6/vorn.6.gz share/man/man1/vorn-check.1.gz \
    share/man/man1/vorn-sim.1.gz share/man/man1/vorn-edit.1.gz share/doc/vorn/copyright; do
    [ -s "$prefix/$f" ] || fail "not installed: $f"
done
[ ! -e "$prefix/share/vorn/data/gameSettings" ] && [ ! -e "$prefix/share/vorn/data/replays" ] ||
    fail "a player's settings or replays were installed"
desktop-file-validate "$prefix/share/applications/vorn.desktop" || fail "the desktop entry does not validate"
"$prefix/bin/vorn" --version | grep -q "^vorn " || fail "the installed game has no version"
chmod -R a-w "$prefix" # as an installed game's files are to a player
find "$prefix" -printf '%p %s %T@\n' | sort >"$E2E_TMP/before"

start_x
export HOME="$E2E_TMP/home"
unset XDG_CONFIG_HOME VORN_DATA
mkdir -p "$HOME" "$E2E_TMP/elsewhere"
# A sound card that records to a file, given to ALSA without a file in HOME, which stays empty.
printf 'pcm.!default {\n type file\n slave.pcm "null"\n file "%s"\n format "raw"\n}\n' "$E2E_TMP/sound.raw" \
    >"$E2E_TMP/asound.conf"
export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$E2E_TMP/asound.conf"
cd "$E2E_TMP/elsewhere"
start_game "$prefix/bin/vorn" || { cat "$E2E_TMP/game.log"; fail "the installed game did not start"; }

# A setting saved: the global volume five steps from the left, then back to the main menu.
click $((250 + MAIN_DX)) $((100 + MAIN_DY)) # "Vid/Aud"
wait_colour 5 5 $GFX_BG || { cp "$E2E_TMP/shot.png" /tmp/install-fail.png; cat "$E2E_TMP/game.log"; xdotool search --name . getwindowname %@ 2>/dev/null; fail "no graphics screen"; }
click $((218 + GFX_DX)) $((50 + GFX_DY))
press Home
for _ in 1 2 3 4 5; do press Right; done
click $((260 + GFX_DX)) $((200 + GFX_DY)) # "Main Menu"
wait_colour 5 5 $MAIN_BG

# Into a round of the first campaign, and back.
for try in 1 2 3 4 5; do
    click $((150 + MAIN_DX)) $((40 + MAIN_DY)) # "Start"
    wait_for 2 is_colour 5 5 $START_BG && break
done
click $((300 + START_DX)) $((110 + START_DY)) # "Start"
wait_for 15 in_battle || fail "the installed game did not start a round: $(cat "$E2E_TMP/game.log")"
hold d 0.5
press Escape
wait_colour 5 5 $MAIN_BG
click $((150 + MAIN_DX)) $((90 + MAIN_DY)) # "Quit"
expect_exit 0

settings="$HOME/.config/vorn/gameSettings"
grep -Eq "^Global *= *5" "$settings" 2>/dev/null || fail "the setting did not land in $settings"
ls "$HOME/.config/vorn/replays/"*.vornreplay >/dev/null 2>&1 || fail "the round's replay is not in ~/.config/vorn"
# The checker, given no folder, checks the data the game plays.
checked=$("$prefix/bin/vorn-check" 2>&1) && [ "$(tail -1 <<<"$checked")" = "0 errors, 0 warnings" ] ||
    fail "the installed vorn-check does not check the installed data: $checked"
find "$prefix" -printf '%p %s %T@\n' | sort >"$E2E_TMP/after"
diff "$E2E_TMP/before" "$E2E_TMP/after" >&2 || fail "something was written under the prefix"
echo "the installed game plays from elsewhere and keeps its settings in ~/.config/vorn"

# The Debian package, installed into a root of its own (the libraries it needs are not there).
chmod -R u+w "$prefix"
(cd "$build" && cpack -G DEB >"$E2E_TMP/cpack.log") || { cat "$E2E_TMP/cpack.log"; fail "cpack failed"; }
deb=$(ls "$build"/package/vorn_*.deb | tail -1)
root="$E2E_TMP/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" >"$E2E_TMP/dpkg.log" 2>&1 ||
    { cat "$E2E_TMP/dpkg.log"; fail "the package does not install"; }
for f in usr/bin/vorn usr/share/vorn/data/listOfCampaigns.txt usr/share/applications/vorn.desktop \
    usr/share/man/man6/vorn.6.gz usr/share/doc/vorn/copyright; do
    [ -s "$root/$f" ] || fail "the package lacks /$f"
done
desktop-file-validate "$root/usr/share/applications/vorn.desktop" || fail "the package's desktop entry does not validate"
echo "the Debian package installs: $(basename "$deb")"
