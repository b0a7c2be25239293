#!/usr/bin/env bash
# A user's whole session in one run of the program: the start-up pictures, the
# main page, two lands loaded from Scenario -> Load, turning and walking, a spot
# added and the land saved, a game saved, Tab to the next spot, Parameters ->
# General's Reset and Valid, the console, Quit, and the settings file written.
# Then a start that carries the window size over and meets a missing land, one
# asking for full screen, a fatal error, and --help.
E2E_APP_TIMEOUT=300 # the whole session is one run
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
e2e_init "$@"
e2e_start_display

cp -r "$E2E_SRC/data/." "$E2E_WORK/"
ini="$E2E_WORK/ventrix.ini"
land="$E2E_WORK/lands/ridge/ridge.map"
cp "$land" "$E2E_TMP/ridge.map.orig"
printf '// my servers\nserver1 = "alpha.example.org"\n' >"$ini"

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
# The main page's area (256 x 512 at (20, 20) from the bottom-left corner).
page_of() {
    convert "$E2E_SHOTS/$1.png" -crop "256x512+20+$((MENU_HEIGHT - 532))" +repage "$E2E_SHOTS/page-$1.png"
}
# Adds a spot named $1 where the observer stands and saves the land (v, name, w, Yes).
add_spot() {
    press v
    type_line "$1"
    press w
    click_yes
}
# The Save page of Scenario, writing the game named $1.
save_game() {
    press Escape
    click_navigation 350
    click_navigation 200
    click_page 138 200 # the name field
    e2e_type "$1"
    click_page 152 156 # "Save", 148 wide
}

# ---------------------------------------------------------------- start and menu
xdotool mousemove 1023 767 # out of the way until the scene has the input
e2e_start_app
E2E_SETTLE=0.5 e2e_require_window
menu_read_size
# The main page: its area lit, the middle of the window (where the pictures were) dark.
region_mean() { convert "$E2E_SHOTS/$1.png" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:; }
main_page_shown() {
    window_shot probe >/dev/null 2>&1 &&
        less_than 0.1 "$(region_mean probe "256x512+20+$((MENU_HEIGHT - 532))")" &&
        less_than "$(region_mean probe "300x300+320+100")" 0.02
}
window_shot 01-splash
e2e_check "the start-up pictures show at once, in the middle of the window" \
    less_than 0.1 "$(region_mean 01-splash "300x300+320+100")"
e2e_move 600 300 # away from the page, so that no button shows its hover look
e2e_check "the main page follows the start-up pictures" e2e_wait_for 20 main_page_shown
sleep 0.5
window_shot 02-main
press Escape
window_shot 02-main-escape
e2e_check "Escape without a world keeps the menu" [ "$(changed_pixels 02-main 02-main-escape)" -lt 200 ]

# ---------------------------------------------------------------- two lands
# Scenario -> Load lists field.sav and ridge.sav in that order; the second replaces the first.
load_game() {
    click_navigation 350
    click_navigation 350
    [ "$1" = 0 ] && window_shot 03-load-page
    click_list_row 78 380 "$1"
    click_action
    e2e_wait_for 60 world_shown
    sleep 1
}
load_game 0
window_shot 04-field
press Escape
load_game 1
window_shot 05-ridge
for shot in 04-field 05-ridge; do
    share=$(sky_share "$shot")
    e2e_check "$shot: the land shows its sky and its ground ($share % sky)" between "$share" 10 90
done
pixels=$(changed_pixels 04-field 05-ridge)
e2e_check "loading the ridge after the field shows another land ($pixels pixels differ)" \
    [ "$pixels" -gt 100000 ]
e2e_check "the ground is less blue than the sky" \
    less_than "$(band_mean 05-ridge b 75 90)" "$(band_mean 05-ridge b 0 20)"

# ---------------------------------------------------------------- turn and walk
# The first motion over the scene only records where the pointer is; later motion
# turns. The ground is compared (the clouds drift, the info bar counts frames).
e2e_move $((MENU_WIDTH / 2)) $((MENU_HEIGHT / 2))
sleep 1
window_shot 06-first-move
ground=$((MENU_WIDTH * MENU_HEIGHT * 28 / 100))
pixels=$(band_changed 05-ridge 06-first-move 60 88 8%)
e2e_check "the first motion does not turn the view ($pixels of $ground pixels)" less_than "$pixels" $((ground / 50))
e2e_move $((MENU_WIDTH / 2 + 80)) $((MENU_HEIGHT / 2))
sleep 1
window_shot 07-turned
pixels=$(band_changed 06-first-move 07-turned 60 88 8%)
e2e_check "moving the pointer turns the view ($pixels of $ground pixels)" less_than $((ground / 5)) "$pixels"

e2e_key --delay 60 Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up
sleep 0.5
add_spot "e2e walk"
e2e_check "the walked spot is written into the land file" e2e_wait_for 20 grep -q '"e2e walk"' "$land"
land_kept() {
    cmp -s <(before_spots "$E2E_TMP/ridge.map.orig") <(before_spots "$land") && grep -q '"Landing field"' "$land"
}
e2e_check "the land's own spots and everything before them are kept" land_kept
read -r walked_x walked_y _ <<<"$(spot_fields "$land" "e2e walk")"
start_x=$(key_value "$E2E_WORK/ridge.sav" 'obs\.x')
start_y=$(key_value "$E2E_WORK/ridge.sav" 'obs\.y')
moved_away() { [ -n "$walked_x" ] && ! { near "$walked_x" "$start_x" 1 && near "$walked_y" "$start_y" 1; }; }
e2e_check "the arrows walked the observer from ($start_x, $start_y) to ($walked_x, $walked_y)" moved_away

# ---------------------------------------------------------------- save a game
save_game mine
e2e_check "Scenario -> Save writes mine.sav" wait_file "$E2E_WORK/mine.sav" 20
window_shot 08-save-page
press Escape
press Escape
press Escape
keys_of() { sed -n 's/^\([a-z0-9.]*\) = .*/\1/p' "$1"; }
e2e_check "mine.sav holds the sample's keys in the sample's order" \
    [ "$(keys_of "$E2E_WORK/mine.sav")" = "$(keys_of "$E2E_WORK/ridge.sav")" ]
e2e_check "mine.sav keeps the walked position" \
    near "$(key_value "$E2E_WORK/mine.sav" 'obs\.x')" "${walked_x:-nowhere}" 1

# ---------------------------------------------------------------- Tab
# Tab goes to the next spot and applies its wind: a spot added there records it.
press Tab
sleep 1.5
window_shot 09-next-spot
add_spot "after tab"
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

# ---------------------------------------------------------------- Parameters -> General
# Reset puts the controls back to the world's state; Valid applies them.
general_page() {
    press Escape
    click_navigation 250
    click_navigation 200
    e2e_move 600 60
    sleep 0.3
}
general_page
window_shot 10-general
click_page 150 380 # "Thermals"
click_page 150 355 # "Wind"
window_shot 11-general-toggled
click_page 418 61 # "Reset"
window_shot 12-general-reset
# Pixels that differ in the two toggles' area (80 x 45 at page (110, 345)).
toggles_changed() {
    local shot
    for shot in "$1" "$2"; do
        convert "$E2E_SHOTS/$shot.png" -crop "80x45+136+$((MENU_HEIGHT - 416))" +repage "$E2E_SHOTS/toggles-$shot.png"
    done
    changed_pixels "toggles-$1" "toggles-$2"
}
pixels=$(toggles_changed 10-general 11-general-toggled)
e2e_check "the toggles show their new state ($pixels pixels)" [ "$pixels" -gt 100 ]
pixels=$(toggles_changed 10-general 12-general-reset)
e2e_check "Reset shows the world's state again ($pixels pixels)" [ "$pixels" -lt 20 ]
click_page 150 380
click_page 150 355
click_page 288 61 # "Valid"
press Escape
press Escape
press Escape
sleep 1
window_shot 13-wind-and-thermals
pixels=$(changed_pixels 09-next-spot 13-wind-and-thermals)
e2e_check "the picture changes once wind and thermals show ($pixels pixels)" [ "$pixels" -gt 2000 ]

# ---------------------------------------------------------------- the console
press grave
type_line help
window_shot 14-console-help
type_line "savescene shown.sav"
wait_file "$E2E_WORK/shown.sav" 20
type_line "showwind 0"
type_line "savescene hidden.sav"
wait_file "$E2E_WORK/hidden.sav" 20
window_shot 15-console-commands
press Escape
e2e_check "the console's help fills its page ($(changed_pixels 13-wind-and-thermals 14-console-help) pixels)" \
    [ "$(changed_pixels 13-wind-and-thermals 14-console-help)" -gt 20000 ]
both_on() { grep -qx 'wind.show = "TRUE"' "$1" && grep -qx 'pompes.show = "TRUE"' "$1"; }
e2e_check "General -> Valid switched the wind and the thermals on" both_on "$E2E_WORK/shown.sav"
wind_off() { grep -qx 'wind.show = "FALSE"' "$1" && grep -qx 'pompes.show = "TRUE"' "$1"; }
e2e_check "\"showwind 0\" switched the wind off, the thermals stay on" wind_off "$E2E_WORK/hidden.sav"
e2e_check "no temporary file is left by the saves" \
    [ -z "$(find "$E2E_WORK" -name '*.tmp*')" ]

# ---------------------------------------------------------------- Quit
# The window resized by the user is written with the settings; unknown lines are kept.
xdotool windowsize "$E2E_WIN" 700 500
sleep 1
menu_read_size
press Escape
click_navigation 150
window_shot 16-quit-question
click_yes
e2e_wait_exit 30
e2e_check "Quit -> Yes ends the program normally (status $E2E_STATUS)" [ "$E2E_STATUS" = 0 ]
e2e_check "the settings file keeps the server entry and holds the new size" [ "$(cat "$ini")" = \
    $'// my servers\nserver1 = "alpha.example.org"\napp.width = "700"\napp.height = "500"\napp.colorbits = "32"\napp.fullscreen = "FALSE"' ]

# ---------------------------------------------------------------- other starts
# The next start opens at that size; a game naming a missing land is told, not drawn.
printf 'terrain.name = "atlantis"\n' >"$E2E_WORK/lost.sav"
e2e_start_app --load lost.sav
e2e_require_window
read -r width height <<<"$(e2e_window_size)"
e2e_check "the next start opens at 700 x 500 (got ${width}x$height)" [ "${width}x$height" = 700x500 ]
e2e_check "a missing land is reported" e2e_wait_for 30 grep -q 'atlantis' "$E2E_TMP/app.err"
menu_read_size
window_shot 17-lost
e2e_check "and no world is drawn" no_world_shown
e2e_close_app
e2e_check "the program still closes normally (status $E2E_STATUS)" [ "$E2E_STATUS" = 0 ]

# Full screen asked for on the command line, even glued to other letters, is written back.
e2e_start_app -fullscreenX
e2e_require_window
e2e_close_app
full_screen_kept() { grep -qx 'app.fullscreen = "TRUE"' "$ini" && grep -qx 'server1 = "alpha.example.org"' "$ini"; }
e2e_check "-fullscreenX ends with app.fullscreen TRUE, the server entry kept" full_screen_kept

# A window that cannot be made is a fatal error: box text on stderr, status 1.
(cd "$E2E_WORK" && DISPLAY=:nowhere timeout 30 "$E2E_BIN" >/dev/null 2>"$E2E_TMP/fatal.err")
status=$?
fatal_told() { [ "$status" = 1 ] && grep -q '^Error: Failed To Register The Window Class\.$' "$E2E_TMP/fatal.err"; }
e2e_check "a fatal error exits with status 1 (got $status), told under \"Error\"" fatal_told
"$E2E_BIN" --help >"$E2E_TMP/help.out"
e2e_check "--help exits 0 and shows the options" grep -q -- '--load FILE.sav' "$E2E_TMP/help.out"

e2e_finish
