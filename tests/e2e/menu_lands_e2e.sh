#!/usr/bin/env bash
# Each sample land loaded from the menu, one after the other, and the pages a
# new user looks at first; the pictures are the ones the README shows.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menu_lib.sh"
e2e_init "$@"
e2e_start_display

cp -r "$E2E_SRC/data/." "$E2E_WORK/"

changed_pixels() {
    local count
    count=$(compare -metric AE "$E2E_SHOTS/$1.png" "$E2E_SHOTS/$2.png" null: 2>&1)
    echo "${count%%.*}"
}
# Mean brightness of a picture, 0 to 100.
brightness() { convert "$E2E_SHOTS/$1.png" -colorspace Gray -format '%[fx:int(100*mean)]' info:; }
# Share of a picture's pixels that are sky blue (blue clearly above red), in percent.
sky_share() {
    convert "$E2E_SHOTS/$1.png" -fx 'b > r + 0.08 ? 1 : 0' -format '%[fx:int(100*mean)]' info:
}

e2e_start_app
e2e_wait_window || exit 1
menu_read_size
sleep 7
e2e_move 600 300 # away from the page, so that no button shows its hover look
sleep 0.5
window_shot menu-main
e2e_check "the main page shows after the start-up pictures" [ "$(brightness menu-main)" -gt 3 ]

# Before any world exists Escape leaves the menu where it is.
press Escape
window_shot menu-after-escape
e2e_check "Escape without a world keeps the menu" \
    [ "$(changed_pixels menu-main menu-after-escape)" -lt 200 ]

# Help -> Help: the keys.
click_navigation 200
click_navigation 300
window_shot menu-help
press Escape
press Escape

# Parameters -> General before a world: the page opens and shows its controls.
click_navigation 250
click_navigation 200
window_shot menu-general
press Escape
press Escape

# Scenario -> Load -> field.sav, then the same for ridge.sav: the second land replaces the first.
load_game() {
    click_navigation 350
    click_navigation 350
    click_list_row 78 380 "$1"
    click_action
    sleep 10
}
load_game 0
window_shot land-field
press Escape
load_game 1
window_shot land-ridge
between() { [ "$1" -gt "$2" ] && [ "$1" -lt "$3" ]; }
for land in field ridge; do
    share=$(sky_share "land-$land")
    e2e_check "the $land land shows its sky and its ground ($share % sky)" between "$share" 10 90
done
pixels=$(changed_pixels land-field land-ridge)
e2e_check "loading the ridge after the field shows another land ($pixels pixels differ)" \
    [ "$pixels" -gt 100000 ]

# Escape over the world brings the menu back over it; the console opens with its key.
press Escape
e2e_move 600 300
sleep 0.5
window_shot menu-over-ridge
# The main page is opaque: over the world it looks as it did over the empty window.
page_area="256x512+20+$((MENU_HEIGHT - 532))"
for shot in menu-main menu-over-ridge; do
    convert "$E2E_SHOTS/$shot.png" -crop "$page_area" +repage "$E2E_SHOTS/page-of-$shot.png"
done
pixels=$(changed_pixels page-of-menu-main page-of-menu-over-ridge)
e2e_check "Escape over the world opens the main page ($pixels of 131072 pixels differ)" \
    [ "$pixels" -lt 2000 ]
click_navigation 250
click_navigation 200
window_shot general-over-ridge
press Escape
press Escape
press Escape
press grave
type_line help
window_shot console-help
press Escape

e2e_close_app
e2e_check "the program ends normally after the two loads (status $E2E_STATUS)" [ "$E2E_STATUS" = 0 ]
e2e_finish
