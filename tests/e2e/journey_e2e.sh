#!/usr/bin/env bash
# A user's session in one run: start-up pictures, main page, Scenario -> Load, a walk, a spot
# saved, a game saved, Tab, General's Reset and Valid, the console, Quit and the settings
# written; then a fatal error.
E2E_APP_TIMEOUT=300 # the whole session is one run
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_start_display

cp -r "$E2E_SRC/data/." "$E2E_WORK/"
ini="$E2E_WORK/ventrix.ini"
land="$E2E_WORK/lands/ridge/ridge.map"
orig="$E2E_TMP/ridge.map.orig"
cp "$land" "$orig"
printf '// my servers\nserver1 = "alpha.example.org"\n' >"$ini"

spot_fields() {
    local n
    n=$(sed -n "s/^spot\([0-9]*\)\.name = \"$2\"\$/\1/p" "$1" | head -n 1)
    [ -n "$n" ] && echo "$(key_value "$1" "spot$n\.x") $(key_value "$1" "spot$n\.y")" \
        "$(key_value "$1" "spot$n\.wind\.speed") $(key_value "$1" "spot$n\.wind\.dir")"
}
# Adds a spot named $1 where the observer stands and saves the land (v, name, w, Yes).
add_spot() {
    press v
    type_line "$1"
    press w
    click_yes
    e2e_check "the spot \"$1\" is written into the land file" e2e_wait_for 20 grep -q "\"$1\"" "$land"
}
gray_mean() { convert "$E2E_SHOTS/$1.png" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:; }

# ---------------------------------------------------------------- start and menu
xdotool mousemove 1023 767 # out of the way until the scene has the input
e2e_start_app
e2e_require_window
splash_shown() { window_shot 01-splash && less_than 0.1 "$(gray_mean 01-splash 300x300+320+100)"; }
e2e_check "the start-up pictures show at once, in the middle of the window" e2e_wait_for 2 splash_shown
move_to 600 300 # away from the page, so that no button shows its hover look
main_page_shown() {
    window_shot 02-main && less_than 0.1 "$(gray_mean 02-main "256x512+20+$((HEIGHT - 532))")" &&
        less_than "$(gray_mean 02-main 300x300+320+100)" 0.02
}
e2e_check "the main page follows the start-up pictures" e2e_wait_for 20 main_page_shown

# ---------------------------------------------------------------- load a game
# Scenario -> Load lists field.sav and ridge.sav; the second row's rests under a
# 5-pixel margin and a 20-pixel row.
click_navigation 350
click_navigation 350
click_page 98 345
click_page 142 156 # "Load"
e2e_check "loading ridge.sav closes the menu and shows a world" e2e_wait_for 60 world_shown

# ---------------------------------------------------------------- walk, add a spot
press Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up
add_spot "e2e walk"
read -r walked_x walked_y _ <<<"$(spot_fields "$land" "e2e walk")"
start_x=$(key_value "$E2E_WORK/ridge.sav" 'obs\.x')
moved() { [ -n "$walked_x" ] && ! near "$walked_x" "$start_x" 1; }
e2e_check "the arrows walked the observer from x $start_x to ($walked_x, $walked_y)" moved

# ---------------------------------------------------------------- save a game
press Escape
click_navigation 350 # Scenario
click_navigation 200 # Save
click_page 138 200   # the name field
type_text mine
click_page 152 156 # "Save"
mine_saved() { near "$(key_value "$E2E_WORK/mine.sav" 'obs\.x')" "${walked_x:-nowhere}" 1; }
e2e_check "Scenario -> Save writes mine.sav, where the walk ended" e2e_wait_for 20 mine_saved
press Escape Escape Escape

# ---------------------------------------------------------------- Tab
press Tab
add_spot "after tab"
read -r tab_x tab_y tab_speed tab_dir <<<"$(spot_fields "$land" "after tab")"
matching_spot() {
    local name x y speed dir
    while IFS= read -r name; do
        read -r x y speed dir <<<"$(spot_fields "$orig" "$name")"
        if near "$x" "$tab_x" 1 && near "$y" "$tab_y" 1; then
            near "$speed" "$tab_speed" 0.05 && near 0 "$(awk -v a="$dir" -v b="$tab_dir" \
                'BEGIN { d = (a - b) % 360; if (d < 0) d += 360; print (d > 180 ? 360 - d : d) }')" 0.5
            return
        fi
    done < <(sed -n 's/^spot[0-9]*\.name = "\(.*\)"$/\1/p' "$orig")
    return 1
}
e2e_check "Tab stands the observer on a spot of the land, with that spot's wind" matching_spot

# ---------------------------------------------------------------- Parameters -> General
press Escape
click_navigation 250 # Parameters
click_navigation 200 # General
move_to 600 60
sleep 0.2
toggles="80x45+136+$((HEIGHT - 416))" # "Thermals" and "Wind"
window_shot 06-general
click_page 150 380 # "Thermals"
click_page 150 355 # "Wind"
window_shot 07-toggled
click_page 418 61 # "Reset"
window_shot 08-reset
toggled=$(changed_pixels 06-general 07-toggled 0% "$toggles")
e2e_check "the toggles show their new state ($toggled pixels)" [ "$toggled" -gt 100 ]
pixels=$(changed_pixels 06-general 08-reset 0% "$toggles")
e2e_check "Reset shows the world's state again ($pixels pixels)" [ "$toggled" -gt 100 -a "$pixels" -lt 20 ]
click_page 150 380
click_page 150 355
click_page 288 61 # "Valid"
press Escape Escape Escape

# ---------------------------------------------------------------- the console
press grave
window_shot 09-console
type_line help
window_shot 10-console-help
pixels=$(changed_pixels 09-console 10-console-help 10% "100%x33%+0+$((HEIGHT * 2 / 3))")
e2e_check "the console's help fills its page ($pixels pixels)" [ "$pixels" -gt 1500 ]
type_line "savescene shown.sav"
e2e_wait_for 20 test -s "$E2E_WORK/shown.sav"
type_line "showwind 0"
type_line "savescene hidden.sav"
e2e_wait_for 20 test -s "$E2E_WORK/hidden.sav"
press Escape
shown() { grep -qx "wind.show = \"$2\"" "$1" && grep -qx "pompes.show = \"$3\"" "$1"; }
e2e_check "General -> Valid switched the wind and the thermals on" shown "$E2E_WORK/shown.sav" TRUE TRUE
e2e_check "\"showwind 0\" switched the wind off, the thermals stay on" shown "$E2E_WORK/hidden.sav" FALSE TRUE
e2e_check "no temporary file is left by the saves" [ -s "$E2E_WORK/hidden.sav" -a -z "$(find "$E2E_WORK" -name '*.tmp*')" ]

# ---------------------------------------------------------------- Quit
xdotool windowsize "$E2E_WIN" 700 500
e2e_wait_for 10 eval 'read_size; [ "$WIDTH" = 700 ]'
press Escape
click_navigation 150
click_yes
e2e_wait_exit 30
e2e_check "Quit -> Yes ends the program normally (status $E2E_STATUS)" [ "$E2E_STATUS" = 0 ]
e2e_check "the settings file keeps the server entry and holds the new size" [ "$(cat "$ini")" = \
    $'// my servers\nserver1 = "alpha.example.org"\napp.width = "700"\napp.height = "500"\napp.colorbits = "32"\napp.fullscreen = "FALSE"' ]

# A window that cannot be made is a fatal error: box text on stderr, status 1.
fatal=$(cd "$E2E_WORK" && DISPLAY=:nowhere timeout 30 "$E2E_BIN" 2>&1 >/dev/null; echo "status $?")
e2e_check "a fatal error is told under \"Error\" and exits with status 1" \
    [ "$(grep -cx -e 'Error: Failed To Register The Window Class\.' -e 'status 1' <<<"$fatal")" = 2 ]

e2e_finish
