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
    sleep "${MENU_PAUSE:-0.4}"
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
    sleep "${MENU_PAUSE:-0.4}"
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
