#!/usr/bin/env bash
# Interrupted and failed writes: killed half way through "savescene" and just before
# "savemap"'s new file replaces the old (one writer, so each point is met once), the old
# file stays unchanged; saves into read-only folders are reported and lose nothing.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_start_display

cp -r "$E2E_SRC/data/." "$E2E_WORK/"
mkdir -p "$E2E_WORK/games"
mv "$E2E_WORK/ridge.sav" "$E2E_WORK/games/ridge.sav"
shim="$E2E_TMP/kill_during_write.so"
cc -shared -fPIC -o "$shim" "$E2E_SRC/tests/proof/kill_during_write.c" -ldl ||
    { e2e_check "the kill helper builds" false; e2e_finish; }

checksum() { md5sum "$1" | cut -d' ' -f1; }
sums() {
    game="$E2E_WORK/games/ridge.sav"
    land="$E2E_WORK/lands/ridge/ridge.map"
    game_sum=$(checksum "$game")
    land_sum=$(checksum "$land")
}
sums
temporaries() { find "$E2E_WORK/games" "$E2E_WORK/lands/ridge" -name '*.tmp*' | wc -l; }

start_world() {
    xdotool mousemove 1023 767
    e2e_start_app --load games/ridge.sav
    e2e_require_window
    e2e_check "the world is up" e2e_wait_for 90 world_shown
    press grave
}
# A console line, with the pointer kept over the console so the keys go there.
console() {
    move_to $((WIDTH / 2)) $((HEIGHT - HEIGHT / 6))
    type_line "$1"
}

kill_during() {
    VENTRIX_KILL_FILE=$2 VENTRIX_KILL_AT=$1 E2E_APP_TIMEOUT=180 LD_PRELOAD="$shim" start_world
    console "$3"
    [ "$3" = savemap ] && click_yes
    e2e_wait_exit 60
    e2e_check "'$3' killed at $1: died by SIGKILL (status $E2E_STATUS)" [ "$E2E_STATUS" = 137 ]
    e2e_check "'$3' killed at $1: the kill came while saving" grep -q "kill_during_write: killing" "$E2E_TMP/app.err"
}
kill_during write ridge.sav "savescene games/ridge.sav"
e2e_check "the saved game is unchanged (so whole) after a kill half way" [ "$(checksum "$game")" = "$game_sum" ]
kill_during rename ridge.map savemap
e2e_check "the land file is unchanged (so whole) after a kill before the swap" [ "$(checksum "$land")" = "$land_sum" ]
find "$E2E_WORK" -name '*.tmp*' -delete

# Read-only folders: the save fails, a box says so, and both files stay as they were.
# Root writes anywhere, so the program then runs as an ordinary user, from a copy of the
# binary and the work folder in a folder of its own that this user can enter.
if [ "$(id -u)" = 0 ]; then
    shared=$(mktemp -d /tmp/ventrix-e2e-user.XXXXXX)
    E2E_EXTRA_DIRS="$shared"
    chmod 755 "$shared"
    cp "$E2E_BIN" "$shared/ventrix"
    cp "$ALSOFT_CONF" "$shared/alsoft.conf"
    mv "$E2E_WORK" "$shared/work"
    E2E_WORK="$shared/work"
    E2E_BIN="$shared/ventrix"
    export ALSOFT_CONF="$shared/alsoft.conf"
    chown -R 65534:65534 "$E2E_WORK"
    E2E_RUN_AS="setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=$E2E_WORK"
fi
chmod 555 "$E2E_WORK/games" "$E2E_WORK/lands/ridge"
sums

box="600x200+$(((WIDTH - 600) / 2))+$(((HEIGHT - 200) / 2))" # a centred box
# Whether a box covers most of that area now, compared with the shot named.
box_over() { window_shot "$1-now" && [ "$(changed_pixels "$1" "$1-now" 10% "$box")" -gt 60000 ]; }
# Closes the message box with its button at (200, 10), 80 x 30: it must have been there.
close_box() {
    box_over "$1" || { e2e_check "a box is there to close" false; return; }
    click_window $(((WIDTH - 600) / 2 + 246)) $(((HEIGHT - 200) / 2 + 31))
    e2e_check "the box closes" e2e_wait_for 20 eval "! box_over $1"
}
E2E_APP_TIMEOUT=180 start_world
window_shot before-game
console "savescene games/ridge.sav"
e2e_check "'savescene' into a read-only folder shows a box" e2e_wait_for 40 box_over before-game && game_told=1
sleep 1 # the saving notice leaves a frame after the error box comes
window_shot game-told
close_box before-game

window_shot before-land
console savemap
e2e_wait_for 40 box_over before-land
click_yes
same_box() { window_shot land-told && [ "$(changed_pixels game-told land-told 10% "$box")" -lt 6000 ]; }
e2e_check "'savemap' into a read-only folder shows the same error box" e2e_wait_for 20 same_box && land_told=1
close_box before-land
e2e_close_app
e2e_check "the program goes on after the failed saves and closes normally (status $E2E_STATUS)" [ "$E2E_STATUS" = 0 ]
# Only a save that was tried and told can leave its file unchanged.
e2e_check "the saved game is unchanged" [ "${game_told:-0}" = 1 -a "$(checksum "$game")" = "$game_sum" ]
e2e_check "the land file is unchanged" [ "${land_told:-0}" = 1 -a "$(checksum "$land")" = "$land_sum" ]
e2e_check "no temporary file is left in the read-only folders" \
    [ "${game_told:-0}${land_told:-0}" = 11 -a "$(temporaries)" = 0 ]
chmod 755 "$E2E_WORK/games" "$E2E_WORK/lands/ridge"
e2e_finish
