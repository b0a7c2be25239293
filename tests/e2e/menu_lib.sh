#!/usr/bin/env bash
# Helpers for driving the menu as a user does, on top of lib.sh.
#
# Positions are the pages' own: page coordinates start 26 pixels in from the
# window's bottom-left corner (the menu at (20, 20), page contents 6 further in),
# with y upwards. xdotool counts y down from the top, so every click converts.

# The client size of the window, read once the window is up.
menu_read_size() {
    read -r MENU_WIDTH MENU_HEIGHT <<<"$(e2e_window_size)"
}

# Clicks at window coordinates with y up from the bottom.
click_window() {
    e2e_click "$1" $((MENU_HEIGHT - $2))
    sleep "${MENU_PAUSE:-0.3}"
}

# Clicks at page coordinates.
click_page() {
    click_window $((26 + $1)) $((26 + $2))
}

# A navigation button of a small page (164 x 41 at x 58) whose bottom is at y.
click_navigation() {
    click_page 140 $(($1 + 20))
}

# The action button of a small page at (78, 140).
click_action() {
    click_page 142 156
}

# The row-th line (from 0) of a list whose top edge is at page y `top`.
click_list_row() {
    local x=$1 top=$2 row=$3
    # Rows are the fixed-pitch font's height plus 4 apart, under a 5-pixel margin.
    click_page $((x + 20)) $((top - 5 - 10 - row * ${MENU_ROW_PITCH:-20}))
}

# "Yes" of a question box centred in the window (600 x 200, "Yes" at (80, 20), 90 x 30).
click_yes() {
    local left=$(((MENU_WIDTH - 600) / 2)) bottom=$(((MENU_HEIGHT - 200) / 2))
    click_window $((left + 6 + 80 + 45)) $((bottom + 6 + 20 + 15))
}

# Keys and text go to the focused window.
press() {
    e2e_key "$@"
    sleep "${MENU_PAUSE:-0.3}"
}
type_line() {
    e2e_type "$1"
    press Return
}

# A picture of the window alone.
window_shot() {
    local file="$E2E_SHOTS/$1.png"
    xwd -id "$E2E_WIN" -silent | convert xwd:- "$file" && e2e_log "screenshot $file"
}

# Waits until a file exists (at most $2 seconds).
wait_file() {
    e2e_wait_for "${2:-30}" test -s "$1"
}

# The value of a key in a key-value file.
key_value() {
    sed -n "s/^$2 = \"\(.*\)\"\$/\1/p" "$1" | head -n 1
}

# True when two numbers differ by at most a tolerance.
near() {
    awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'
}

# True when two angles in degrees are the same direction, within a tolerance.
same_angle() {
    awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN {
        d = (a - b) % 360; if (d < 0) d += 360; if (d > 180) d = 360 - d; exit !(d <= t) }'
}

# Pictures: names are window shots in $E2E_SHOTS (without ".png").
# Pixels that differ between two shots (by more than the fuzz given, default none).
changed_pixels() {
    local count
    count=$(compare -metric AE -fuzz "${3:-0%}" "$E2E_SHOTS/$1.png" "$E2E_SHOTS/$2.png" null: 2>&1)
    count=${count%% *}
    echo "${count%%.*}"
}
# The same over a band of rows given in percent of the height (from the top).
band_changed() {
    local band="100%x$(($4 - $3))%+0+$((MENU_HEIGHT * $3 / 100))" side
    for side in "$1" "$2"; do
        convert "$E2E_SHOTS/$side.png" -crop "$band" +repage "$E2E_SHOTS/band-$side.png"
    done
    changed_pixels "band-$1" "band-$2" "${5:-0%}"
}
# Share of a shot's pixels that are sky blue (blue clearly above red), in percent.
sky_share() { convert "$E2E_SHOTS/$1.png" -fx 'b > r + 0.08 ? 1 : 0' -format '%[fx:int(100*mean)]' info:; }
# Mean of one channel (0..1) over a band of rows given in percent of the height.
band_mean() {
    convert "$E2E_SHOTS/$1.png" -crop "100%x$(($4 - $3))%+0+$((MENU_HEIGHT * $3 / 100))" +repage \
        -format "%[fx:mean.$2]" info:
}
less_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
between() { [ "$1" -gt "$2" ] && [ "$1" -lt "$3" ]; }
# Whether the world is drawn with the menu closed: the top of the window is bright
# sky, bluer than it is red, and so is the top of the menu's place (the page is dark).
world_shown() {
    window_shot probe >/dev/null 2>&1 || return 1
    local red blue page
    red=$(band_mean probe r 0 20)
    blue=$(band_mean probe b 0 20)
    page=$(convert "$E2E_SHOTS/probe.png" -crop "200x50+40+$((MENU_HEIGHT - 520))" +repage -format '%[fx:mean.b]' info:)
    less_than 0.3 "$blue" && less_than "$red" "$blue" && less_than 0.4 "$page"
}
no_world_shown() { ! world_shown; }
