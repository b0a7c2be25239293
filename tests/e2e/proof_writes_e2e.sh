#!/usr/bin/env bash
# Interrupted and failed writes. The program is killed while it saves a game
# ("savescene" from the console) half way through writing, and while it saves
# the land's spots ("savemap") just before the new file replaces the old one
# (both files go through the same writer, so each point is met once). Each time
# the old file must still be there, whole and readable. Then saves into
# read-only folders must be reported and lose nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
e2e_init "$@"
e2e_start_display

cp -r "$E2E_SRC/data/." "$E2E_WORK/"
mkdir -p "$E2E_WORK/games"
mv "$E2E_WORK/ridge.sav" "$E2E_WORK/games/ridge.sav"
game="$E2E_WORK/games/ridge.sav"
land="$E2E_WORK/lands/ridge/ridge.map"

shim="$E2E_TMP/kill_during_write.so"
cc -shared -fPIC -o "$shim" "$E2E_SRC/tests/proof/kill_during_write.c" -ldl ||
    { e2e_check "the kill helper builds" false; e2e_finish; }

checksum() { md5sum "$1" | cut -d' ' -f1; }
game_sum=$(checksum "$game")
land_sum=$(checksum "$land")

# A saved game is whole when every group from the first key to the last is there.
game_whole() { grep -q '^wind.show = ' "$1" && grep -q '^obs.betaspeed = "[-0-9.]*"$' "$1"; }
# A land file is whole when its geometry and its spot section are there.
land_whole() {
    grep -q '^terrain.points = ' "$1" && grep -q '^terrain.tree = ' "$1" && grep -q '^\[Spot\]$' "$1"
}
temporaries() { find "$E2E_WORK/games" "$E2E_WORK/lands/ridge" -name '*.tmp*' | wc -l; }

start_world() {
    xdotool mousemove 1023 767
    e2e_start_app --load games/ridge.sav
    e2e_require_window
    menu_read_size
    e2e_wait_for 90 world_shown
}

# Opens the console and keeps the pointer over it, so the keys go there.
open_console() {
    press grave
    e2e_move $((MENU_WIDTH / 2)) $((MENU_HEIGHT - MENU_HEIGHT / 6))
    sleep 0.3
}
console() {
    e2e_move $((MENU_WIDTH / 2)) $((MENU_HEIGHT - MENU_HEIGHT / 6))
    type_line "$1"
}
still_running() { kill -0 "$E2E_PID_APP" 2>/dev/null; }

# Runs a command with the helper asked to kill at a point; the program must die by SIGKILL.
kill_during() {
    local point=$1 file=$2 command=$3
    export VENTRIX_KILL_FILE=$file VENTRIX_KILL_AT=$point
    E2E_APP_TIMEOUT=180 LD_PRELOAD="$shim" start_world ||
        e2e_check "the world is up before '$command' ($point)" false
    unset VENTRIX_KILL_FILE VENTRIX_KILL_AT
    open_console
    console "$command"
    [ "$command" = savemap ] && click_yes
    e2e_wait_exit 60
    e2e_check "'$command' killed $point: the program died by SIGKILL (status $E2E_STATUS)" \
        [ "$E2E_STATUS" = 137 ]
    e2e_check "'$command' killed $point: the kill came while saving" \
        grep -q "kill_during_write: killing" "$E2E_TMP/app.err"
}

kill_during write ridge.sav "savescene games/ridge.sav"
e2e_check "the saved game is unchanged after a kill half way" [ "$(checksum "$game")" = "$game_sum" ]
e2e_check "and whole" game_whole "$game"

kill_during rename ridge.map savemap
e2e_check "the land file is unchanged after a kill before the swap" [ "$(checksum "$land")" = "$land_sum" ]
e2e_check "and whole" land_whole "$land"
e2e_log "temporary files left by the kills: $(temporaries)"
find "$E2E_WORK" -name '*.tmp*' -delete

# Read-only folders: the save fails, a box says so, and both files stay as they were.
# Root writes anywhere, so the program then runs as an ordinary user, from a copy
# of the binary and the work folder in a folder of its own that this user can
# enter (the checkout may sit in a private folder).
run_as=()
if [ "$(id -u)" = 0 ]; then
    shared=$(mktemp -d /tmp/ventrix-e2e-user.XXXXXX)
    E2E_EXTRA_DIRS="$E2E_EXTRA_DIRS $shared"
    chmod 755 "$shared"
    cp "$E2E_BIN" "$shared/ventrix"
    cp "$ALSOFT_CONF" "$shared/alsoft.conf"
    mv "$E2E_WORK" "$shared/work"
    E2E_WORK="$shared/work"
    E2E_BIN="$shared/ventrix"
    export ALSOFT_CONF="$shared/alsoft.conf"
    chown -R 65534:65534 "$E2E_WORK"
    run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$E2E_WORK")
    game="$E2E_WORK/games/ridge.sav"
    land="$E2E_WORK/lands/ridge/ridge.map"
fi
chmod 555 "$E2E_WORK/games" "$E2E_WORK/lands/ridge"
game_sum=$(checksum "$game")
land_sum=$(checksum "$land")

box_left=$(((MENU_WIDTH - 600) / 2))
box_top=$(((MENU_HEIGHT - 200) / 2))
# Pixels that differ between two shots in the area of a centred box (600 x 200).
box_changed() {
    convert "$1" -crop "600x200+$box_left+$box_top" +repage "$E2E_TMP/box-a.png"
    convert "$2" -crop "600x200+$box_left+$box_top" +repage "$E2E_TMP/box-b.png"
    compare -metric AE -fuzz 10% "$E2E_TMP/box-a.png" "$E2E_TMP/box-b.png" null: 2>&1 | cut -d' ' -f1
}
# Whether a box now covers most of that area, compared with the shot named.
box_over() {
    window_shot "$1-now" >/dev/null 2>&1
    local changed
    changed=$(box_changed "$E2E_SHOTS/$1.png" "$E2E_SHOTS/$1-now.png")
    [ "${changed:-0}" -gt 60000 ]
}
box_gone() { ! box_over "$1"; }
# Closes the message box with its button at (200, 10), 80 x 30: it must have been there.
close_box() {
    box_over "$1" || { e2e_check "a box is there to close" false; return; }
    click_window $((box_left + 6 + 200 + 40)) $((box_top + 6 + 10 + 15))
    e2e_check "the box closes" e2e_wait_for 20 box_gone "$1"
}

xdotool mousemove 1023 767
(cd "$E2E_WORK" && exec timeout 180 "${run_as[@]}" "$E2E_BIN" --load games/ridge.sav) \
    >"$E2E_TMP/app.out" 2>"$E2E_TMP/app.err" &
E2E_PID_APP=$!
E2E_PIDS_APP="$E2E_PIDS_APP $E2E_PID_APP"
e2e_require_window
menu_read_size
e2e_check "the world is up for the failing saves" e2e_wait_for 90 world_shown
open_console
window_shot before-game
console "savescene games/ridge.sav"
e2e_check "'savescene' into a read-only folder shows a box" e2e_wait_for 40 box_over before-game &&
    game_told=1
sleep 2 # the saving notice leaves a frame after the error box comes
window_shot game-told
close_box before-game

window_shot before-land
console savemap
e2e_wait_for 40 box_over before-land
sleep 1
click_yes
# The same error box as the saved game's, once the question box has gone.
same_box() {
    window_shot land-told >/dev/null 2>&1
    box_diff=$(box_changed "$E2E_SHOTS/game-told.png" "$E2E_SHOTS/land-told.png")
    [ "${box_diff:-120000}" -lt 6000 ]
}
e2e_check "'savemap' into a read-only folder shows the same error box" e2e_wait_for 20 same_box && land_told=1
e2e_log "the two failure boxes differ in $box_diff of 120000 pixels"
close_box before-land
e2e_check "the program goes on after the failed saves" still_running
e2e_close_app
e2e_check "and closes normally (status $E2E_STATUS)" [ "$E2E_STATUS" = 0 ]
# Only a save that was tried and told can leave its file unchanged.
unchanged() { [ "$1" = 1 ] && [ "$(checksum "$2")" = "$3" ]; }
e2e_check "the saved game is unchanged" unchanged "${game_told:-0}" "$game" "$game_sum"
e2e_check "the land file is unchanged" unchanged "${land_told:-0}" "$land" "$land_sum"
no_temporaries() { [ "${game_told:-0}${land_told:-0}" = 11 ] && [ "$(temporaries)" = 0 ]; }
e2e_check "no temporary file is left in the read-only folders" no_temporaries
chmod 755 "$E2E_WORK/games" "$E2E_WORK/lands/ridge"

e2e_finish
