#!/usr/bin/env bash
# Drives the real binary in its own X display: e2e_init "$@" (binary, source folder),
# e2e_start_display, e2e_start_app, e2e_require_window, e2e_check "what" command..., e2e_finish.
set -u

E2E_NAME=$(basename "${BASH_SOURCE[1]:-e2e}" .sh)
E2E_FAILURES=0
E2E_PIDS=""
E2E_EXTRA_DIRS="" # more folders to remove at the end
E2E_APP_TIMEOUT=${E2E_APP_TIMEOUT:-120}

e2e_log() { echo "[$E2E_NAME] $*" >&2; }

e2e_init() {
    E2E_BIN=$(readlink -f "$1")
    E2E_SRC=$(readlink -f "${2:-.}")
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/ventrix-e2e.XXXXXX")
    E2E_WORK="$E2E_TMP/work"
    E2E_SHOTS=${E2E_SHOTS:-"${TMPDIR:-/tmp}/ventrix-e2e-shots/$E2E_NAME"}
    mkdir -p "$E2E_WORK" "$E2E_SHOTS"
    # A sound device that plays nothing, unless the test brings its own configuration.
    if [ -z "${ALSOFT_CONF:-}" ]; then
        printf '[general]\ndrivers=null\n' >"$E2E_TMP/alsoft.conf"
        export ALSOFT_CONF="$E2E_TMP/alsoft.conf"
    fi
    trap e2e_cleanup EXIT
    [ -x "$E2E_BIN" ] || { e2e_log "no binary at $1"; exit 1; }
}

e2e_cleanup() {
    local pid
    for pid in $E2E_PIDS; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$E2E_TMP" $E2E_EXTRA_DIRS
}

# Waits until "$@" succeeds, at most $1 seconds.
e2e_wait_for() {
    local end=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.05
    done
}

e2e_start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS="$! $E2E_PIDS"
    e2e_wait_for 30 grep -q . "$E2E_TMP/display" || { cat "$E2E_TMP/xvfb.log" >&2 && exit 1; }
    export DISPLAY=":$(head -n 1 "$E2E_TMP/display")"
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS="$! $E2E_PIDS"
    e2e_wait_for 30 wmctrl -m || { cat "$E2E_TMP/openbox.log" >&2 && exit 1; }
}

e2e_start_app() {
    (cd "$E2E_WORK" && exec timeout "$E2E_APP_TIMEOUT" ${E2E_RUN_AS:-} "$E2E_BIN" "$@") \
        >"$E2E_TMP/app.out" 2>"$E2E_TMP/app.err" &
    E2E_PID_APP=$!
    E2E_PIDS="$E2E_PID_APP $E2E_PIDS"
}
e2e_app_gone() { ! kill -0 "$E2E_PID_APP" 2>/dev/null; }
e2e_find_window() { E2E_WIN=$(xdotool search --name '^Ventrix$' | head -n 1) && [ -n "$E2E_WIN" ]; }
# Waits for the window (at most $1 seconds) and reads its client size into $WIDTH and $HEIGHT.
e2e_wait_window() {
    e2e_wait_for "${1:-30}" eval 'e2e_find_window || e2e_app_gone'
    e2e_find_window && read_size && return 0
    cat "$E2E_TMP/app.err" >&2
    return 1
}
read_size() {
    read -r WIDTH HEIGHT <<<"$(xdotool getwindowgeometry "$E2E_WIN" |
        sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')"
}
# Without its window nothing else can be checked: the script ends there, failed.
e2e_require_window() {
    e2e_check "the program started and showed its window" e2e_wait_window "$@" || e2e_finish
}

# Keys go to the focused window (synthetic events sent to a window are ignored by SDL).
e2e_focus() { xdotool windowactivate --sync "$E2E_WIN" >/dev/null 2>&1 || xdotool windowfocus --sync "$E2E_WIN"; }
press() { e2e_focus && xdotool key --delay 40 "$@" && sleep "${PAUSE:-0.2}"; }
type_text() { e2e_focus && xdotool type --delay 40 "$1"; }
type_line() { type_text "$1" && press Return; }
move_to() { xdotool mousemove --window "$E2E_WIN" "$1" "$2"; }
# Clicks at window coordinates with y up from the bottom, and at page coordinates (which
# start 26 pixels in from the window's bottom-left corner).
click_window() { move_to "$1" $((HEIGHT - $2)) && xdotool click 1 && sleep "${PAUSE:-0.2}"; }
click_page() { click_window $((26 + $1)) $((26 + $2)); }
# A navigation button of a small page (164 x 41 at x 58) whose bottom is at y.
click_navigation() { click_page 140 $(($1 + 20)); }
# "Yes" of a question box centred in the window (600 x 200, "Yes" at (80, 20), 90 x 30).
click_yes() { click_window $(((WIDTH - 600) / 2 + 131)) $(((HEIGHT - 200) / 2 + 41)); }

window_shot() { xwd -id "$E2E_WIN" -silent | convert xwd:- "$E2E_SHOTS/$1.png"; }
e2e_screenshot() { xwd -root -silent | convert xwd:- "$E2E_SHOTS/$1.png"; }
# Pixels that differ between two shots (by more than the fuzz given), in a crop if given.
changed_pixels() {
    local crop=${4:-100%x100%+0+0} side
    for side in "$1" "$2"; do
        convert "$E2E_SHOTS/$side.png" -crop "$crop" +repage "$E2E_TMP/crop-$side.png"
    done
    compare -metric AE -fuzz "${3:-0%}" "$E2E_TMP/crop-$1.png" "$E2E_TMP/crop-$2.png" null: 2>&1 | sed 's/[ .].*//'
}
mean_of() { convert "$E2E_SHOTS/$1.png" -crop "$3" +repage -format "%[fx:mean.$2]" info:; }
less_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
near() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; exit !(d <= t && -d <= t) }'; }
key_value() { sed -n "s/^$2 = \"\(.*\)\"\$/\1/p" "$1" | head -n 1; }

# Whether the world is drawn with the menu closed: the top of the window is bright sky,
# bluer than it is red, and so is the top of the menu's place (the page is dark).
world_shown() {
    window_shot probe || return 1
    local top="100%x20%+0+0"
    less_than 0.3 "$(mean_of probe b "$top")" && less_than "$(mean_of probe r "$top")" "$(mean_of probe b "$top")" &&
        less_than 0.4 "$(mean_of probe b "200x50+40+$((HEIGHT - 520))")"
}

# Waits for the app to end (at most $1 seconds); its exit status lands in $E2E_STATUS.
e2e_wait_exit() {
    e2e_wait_for "${1:-30}" e2e_app_gone || kill "$E2E_PID_APP" 2>/dev/null
    wait "$E2E_PID_APP" 2>/dev/null
    E2E_STATUS=$?
}
# Closes the window as its close box does (WM_DELETE_WINDOW through the window manager).
e2e_close_app() { wmctrl -c Ventrix && e2e_wait_exit "${1:-30}"; }

e2e_check() {
    local description=$1
    shift
    "$@" && e2e_log "ok: $description" && return 0
    e2e_log "FAILED: $description"
    E2E_FAILURES=$((E2E_FAILURES + 1))
    return 1
}

e2e_finish() {
    e2e_log "$E2E_FAILURES check(s) failed"
    exit $((E2E_FAILURES > 0))
}
