#!/usr/bin/env bash
# Each sample saved game opened with "ventrix --load": the world appears with
# sky above ground, moving the pointer turns the view, and the first motion
# after the scene takes the input does not make the view jump.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_start_display

cp -r "$E2E_SRC/data/." "$E2E_WORK/"
games=$(cd "$E2E_SRC/data" && ls -- *.sav 2>/dev/null)
e2e_check "the data folder holds sample games" [ -n "$games" ]

# Client area of the window as WIDTHxHEIGHT+X+Y on the root window.
window_box() {
    xdotool getwindowgeometry "$E2E_WIN" |
        awk '/Position/ {split($2, p, ","); x = p[1]; y = p[2]}
             /Geometry/ {print $2 "+" x "+" y}'
}

# A screenshot of the client area without the info bar's rows at the bottom.
shot_view() {
    local name=$1 box w h x y
    e2e_screenshot "$name" >/dev/null
    box=$(window_box)
    IFS='x+' read -r w h x y <<<"$box"
    convert "$E2E_SHOTS/$name.png" -crop "${w}x$((h - 60))+$x+$y" +repage "$E2E_SHOTS/$name-view.png"
}

# Mean of one channel (0..1) over a band of rows given in percent of the height.
band_mean() {
    local file=$1 channel=$2 from=$3 to=$4 w h
    read -r w h <<<"$(identify -format '%w %h' "$file")"
    convert "$file" -crop "${w}x$((h * (to - from) / 100))+0+$((h * from / 100))" +repage \
        -format "%[fx:mean.$channel]" info:
}

# Number of pixels that differ by more than 8 % between two pictures.
pixels_changed() { compare -metric AE -fuzz 8% "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
pixel_count() { identify -format '%[fx:w*h]' "$1"; }

less_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# Whether the world is drawn: the top of the view is bright sky, bluer than it
# is red.
world_shown() {
    shot_view probe
    local red blue
    red=$(band_mean "$E2E_SHOTS/probe-view.png" r 0 20)
    blue=$(band_mean "$E2E_SHOTS/probe-view.png" b 0 20)
    less_than 0.3 "$blue" && less_than "$red" "$blue"
}
no_world_shown() { ! world_shown; }

for game in $games; do
    name=${game%.sav}
    xdotool mousemove 1023 767 # out of the way until the scene has the input
    e2e_start_app --load "$game"
    e2e_wait_window 30 || { e2e_check "$game opens a window" false; continue; }
    e2e_check "$game: the world appears (splash, build, menu closed)" e2e_wait_for 60 world_shown
    sleep 1
    shot_view "$name-loaded"
    view="$E2E_SHOTS/$name-loaded-view.png"
    sky_blue=$(band_mean "$view" b 0 20)
    ground_blue=$(band_mean "$view" b 75 95)
    e2e_log "$game: blue in the sky $sky_blue, in the ground $ground_blue"
    e2e_check "$game: the ground below is less blue than the sky above" \
        less_than "$ground_blue" "$sky_blue"

    # The first motion over the scene only records where the pointer is.
    read -r width height <<<"$(e2e_window_size)"
    e2e_move $((width / 2)) $((height / 2))
    sleep 1.5
    shot_view "$name-first-move"
    total=$(pixel_count "$view")
    jumped=$(pixels_changed "$view" "$E2E_SHOTS/$name-first-move-view.png")
    e2e_log "$game: $jumped of $total pixels changed on the first motion"
    e2e_check "$game: the first motion does not turn the view" less_than "$jumped" $((total / 50))

    # Later motion turns: 80 pixels to the right is one radian.
    e2e_move $((width / 2 + 80)) $((height / 2))
    sleep 1.5
    shot_view "$name-turned"
    turned=$(pixels_changed "$E2E_SHOTS/$name-first-move-view.png" "$E2E_SHOTS/$name-turned-view.png")
    e2e_log "$game: $turned of $total pixels changed after turning"
    e2e_check "$game: moving the pointer turns the view" less_than $((total / 5)) "$turned"

    e2e_close_app
    e2e_check "$game: a normal close exits with status 0 (got $E2E_STATUS)" [ "$E2E_STATUS" = 0 ]
done

# A saved game that cannot be read leaves the menu up with an error and no world.
printf '' >"$E2E_WORK/empty.sav"
e2e_start_app --load empty.sav
e2e_wait_window 30
sleep 9
shot_view empty
e2e_check "an empty saved game does not make a world" no_world_shown
e2e_check "and the reason is told on the error output" grep -q "empty.sav" "$E2E_TMP/app.err"
e2e_close_app

# A game naming a land that is not there: the error is told, not an empty screen.
printf 'terrain.name = "atlantis"\n' >"$E2E_WORK/lost.sav"
e2e_start_app --load lost.sav
e2e_wait_window 30
e2e_check "a missing land is reported" e2e_wait_for 30 grep -q 'atlantis' "$E2E_TMP/app.err"
shot_view lost
e2e_close_app
e2e_check "and the program still closes normally (got $E2E_STATUS)" [ "$E2E_STATUS" = 0 ]

e2e_finish
