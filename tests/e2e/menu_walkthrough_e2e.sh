#!/usr/bin/env bash
# A user's session through the menu: load the ridge from Scenario -> Load, walk,
# add a spot and save the land, save a game from Scenario -> Save, go to the next
# spot, switch wind and thermals on from Parameters -> General, use the console,
# and quit from the menu.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
e2e_init "$@"
e2e_start_display

cp -r "$E2E_SRC/data/." "$E2E_WORK/"
land="$E2E_WORK/lands/ridge/ridge.map"
cp "$land" "$E2E_TMP/ridge.map.orig"

# The part of a land file before its spot section.
before_spots() { sed '/^\[Spot\]/,$d' "$1"; }
# x, y, wind speed and direction of the spot named $2 in land file $1.
spot_fields() {
    local n
    n=$(sed -n "s/^spot\([0-9]*\)\.name = \"$2\"\$/\1/p" "$1" | head -n 1)
    [ -n "$n" ] || return 1
    echo "$(key_value "$1" "spot$n\.x") $(key_value "$1" "spot$n\.y")" \
        "$(key_value "$1" "spot$n\.wind\.speed") $(key_value "$1" "spot$n\.wind\.dir")"
}

e2e_start_app
e2e_wait_window || exit 1
menu_read_size
sleep 7 # the start-up pictures run for 6 s, then the menu shows
window_shot 01-main-menu

# Scenario -> Load: the list holds field.sav and ridge.sav, in that order.
click_navigation 350
click_navigation 350
window_shot 02-load-page
click_list_row 78 380 1
click_action
sleep 10 # the world is built behind the progress box
window_shot 03-ridge-loaded

# Walk forward with the arrow key, then mark the place and save the land.
e2e_key --delay 60 Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up
sleep 0.5
press v
type_line "e2e walk"
press w
click_yes
e2e_check "the walked spot is written into the land file" \
    e2e_wait_for 20 grep -q '"e2e walk"' "$land"
e2e_check "the land file is unchanged before its spot section" \
    cmp -s <(before_spots "$E2E_TMP/ridge.map.orig") <(before_spots "$land")
e2e_check "the land's own spots are kept" grep -q '"Landing field"' "$land"
read -r walked_x walked_y _ <<<"$(spot_fields "$land" "e2e walk")"
start_x=$(key_value "$E2E_WORK/ridge.sav" 'obs\.x')
start_y=$(key_value "$E2E_WORK/ridge.sav" 'obs\.y')
moved_away() { ! { near "$walked_x" "$start_x" 1 && near "$walked_y" "$start_y" 1; }; }
e2e_check "the arrows walked the observer from ($start_x, $start_y) to ($walked_x, $walked_y)" \
    moved_away

# Scenario -> Save as "mine", then close the menu with Escape.
press Escape
click_navigation 350
click_navigation 200
click_page 138 200 # the name field
e2e_type mine
click_page 152 156 # "Save", 148 wide
e2e_check "Scenario -> Save writes mine.sav" wait_file "$E2E_WORK/mine.sav" 20
window_shot 04-save-page
press Escape
press Escape
press Escape
keys=$(sed -n 's/^\([a-z0-9.]*\) = .*/\1/p' "$E2E_WORK/mine.sav")
e2e_check "mine.sav holds the same keys as the sample, in the same order" \
    [ "$keys" = "$(sed -n 's/^\([a-z0-9.]*\) = .*/\1/p' "$E2E_WORK/ridge.sav")" ]
group_order() {
    # First line of each group: the flags, the date, the land, the wind, the thermals, the observer.
    local previous=0 key line
    for key in 'wind\.show' 'date\.' 'sun\.show' 'wind\.gamma' 'pompe\.' 'obs\.'; do
        line=$(grep -n "^$key" "$E2E_WORK/mine.sav" | head -n 1 | cut -d: -f1)
        [ -n "$line" ] && [ "$line" -gt "$previous" ] || return 1
        previous=$line
    done
}
e2e_check "mine.sav lists its groups in order" group_order
e2e_check "mine.sav keeps the walked position" \
    near "$(key_value "$E2E_WORK/mine.sav" 'obs\.x')" "$walked_x" 1

# Tab goes to the next spot and applies its wind: a spot added there records it.
press Tab
sleep 3
press v
type_line "after tab"
press w
click_yes
e2e_check "the spot added after Tab is written" e2e_wait_for 20 grep -q '"after tab"' "$land"
read -r tab_x tab_y tab_speed tab_dir <<<"$(spot_fields "$land" "after tab")"
matching_spot() {
    local name x y speed dir
    while IFS= read -r name; do
        read -r x y speed dir <<<"$(spot_fields "$E2E_TMP/ridge.map.orig" "$name")"
        if near "$x" "$tab_x" 1 && near "$y" "$tab_y" 1; then
            e2e_log "Tab went to \"$name\": wind $speed m/s from $dir, recorded $tab_speed from $tab_dir"
            near "$speed" "$tab_speed" 0.05 && same_angle "$dir" "$tab_dir" 0.5
            return
        fi
    done < <(sed -n 's/^spot[0-9]*\.name = "\(.*\)"$/\1/p' "$E2E_TMP/ridge.map.orig")
    return 1
}
e2e_check "Tab stands the observer on a spot of the land, with that spot's wind" matching_spot
window_shot 05-next-spot

# Parameters -> General: switch thermals and wind on, then Valid.
press Escape
click_navigation 250
click_navigation 200
window_shot 06-general-page
click_page 150 380 # "Thermals"
click_page 150 355 # "Wind"
click_page 288 61  # "Valid"
press Escape
press Escape
press Escape
sleep 1
window_shot 07-wind-and-thermals
changed_pixels() { compare -metric AE "$E2E_SHOTS/$1.png" "$E2E_SHOTS/$2.png" null: 2>&1; }
pixels=$(changed_pixels 05-next-spot 07-wind-and-thermals)
e2e_check "the picture changes once wind and thermals show ($pixels pixels)" [ "${pixels%%.*}" -gt 2000 ]

# The console: help, then a command, then a save that shows its effect.
press grave
type_line help
window_shot 08-console-help
type_line "savescene shown.sav"
wait_file "$E2E_WORK/shown.sav" 20
type_line "showwind 0"
type_line "savescene hidden.sav"
wait_file "$E2E_WORK/hidden.sav" 20
window_shot 09-console-commands
press Escape
both_on() { grep -qx 'wind.show = "TRUE"' "$1" && grep -qx 'pompes.show = "TRUE"' "$1"; }
e2e_check "General -> Valid switched the wind and the thermals on" both_on "$E2E_WORK/shown.sav"
e2e_check "\"showwind 0\" in the console switched the wind off" \
    grep -qx 'wind.show = "FALSE"' "$E2E_WORK/hidden.sav"
e2e_check "the thermals stay on" grep -qx 'pompes.show = "TRUE"' "$E2E_WORK/hidden.sav"

# Quit -> Yes ends the program and writes the settings.
rm -f "$E2E_WORK/ventrix.ini"
press Escape
click_navigation 150
window_shot 10-quit-question
click_yes
e2e_wait_exit 30
e2e_check "Quit -> Yes ends the program normally (status $E2E_STATUS)" [ "$E2E_STATUS" = 0 ]
e2e_check "the settings file is written at the end" grep -q '^app.width = ' "$E2E_WORK/ventrix.ini"

e2e_finish
