#!/usr/bin/env bash
# End-to-end harness: drives the real ventrix binary in its own X display. Source it,
# call e2e_init "$@" (binary, source folder), e2e_start_display, e2e_start_app, then
# e2e_require_window; check with e2e_check "what" command...; end with e2e_finish.
# Everything it started is killed by its own id on exit; screenshots stay in $E2E_SHOTS.
set -u

E2E_NAME=$(basename "${BASH_SOURCE[1]:-e2e}" .sh)
E2E_FAILURES=0
E2E_PIDS_APP=""
E2E_PID_XVFB=""
E2E_PID_WM=""
E2E_WIN=""
E2E_STATUS=""
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

e2e_kill() {
    local pid
    for pid in "$@"; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    return 0
}
e2e_cleanup() {
    e2e_kill $E2E_PIDS_APP $E2E_PID_WM $E2E_PID_XVFB
    rm -rf "$E2E_TMP" $E2E_EXTRA_DIRS
}

# Waits until "$@" succeeds, at most $1 seconds (tenths of a second between tries).
e2e_wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    while [ $tries -gt 0 ]; do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

e2e_free_display() {
    local n
    for n in $(seq $((100 + RANDOM % 300)) 499); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            echo "$n"
            return 0
        fi
    done
    return 1
}

e2e_start_display() {
    local size=${1:-1024x768x24} n attempt
    for attempt in 1 2 3; do
        n=$(e2e_free_display) || break
        Xvfb ":$n" -screen 0 "$size" -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
        E2E_PID_XVFB=$!
        export DISPLAY=":$n"
        if e2e_wait_for 20 xdpyinfo; then
            if e2e_start_window_manager; then
                e2e_log "display $DISPLAY ready"
                return 0
            fi
            e2e_stop_display
            exit 1
        fi
        e2e_stop_display
    done
    e2e_log "no X display could be started"
    cat "$E2E_TMP/xvfb.log" >&2
    exit 1
}

# openbox; its log is shown when it does not come up.
e2e_start_window_manager() {
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PID_WM=$!
    e2e_wait_for 30 e2e_window_manager_settled
    if wmctrl -m >/dev/null 2>&1; then return 0; fi
    e2e_log "openbox did not start:"
    cat "$E2E_TMP/openbox.log" >&2
    return 1
}

# Running and answering, or gone for good.
e2e_window_manager_settled() { wmctrl -m || ! kill -0 "$E2E_PID_WM"; }

e2e_stop_display() {
    e2e_kill $E2E_PID_WM $E2E_PID_XVFB
    E2E_PID_WM="" E2E_PID_XVFB=""
}

# Starts ventrix in $E2E_WORK with the given arguments, output in $E2E_TMP/app.out/.err.
e2e_start_app() {
    E2E_WIN=""
    E2E_STATUS=""
    (cd "$E2E_WORK" && exec timeout "$E2E_APP_TIMEOUT" "$E2E_BIN" "$@") \
        >"$E2E_TMP/app.out" 2>"$E2E_TMP/app.err" &
    E2E_PID_APP=$!
    E2E_PIDS_APP="$E2E_PIDS_APP $E2E_PID_APP"
}

e2e_find_window() { E2E_WIN=$(xdotool search --name '^Ventrix$' 2>/dev/null | head -n 1) && [ -n "$E2E_WIN" ]; }

# Waits for the window, or until the program has ended without one.
e2e_window_or_gone() { e2e_find_window || e2e_app_gone; }
e2e_wait_window() {
    local seconds=${1:-30}
    e2e_wait_for "$seconds" e2e_window_or_gone
    if ! e2e_find_window; then
        e2e_log "no Ventrix window after ${seconds}s; stderr:"
        cat "$E2E_TMP/app.err" >&2
        return 1
    fi
    # Give it a moment to draw its first frames.
    sleep "${E2E_SETTLE:-1}"
    return 0
}

# The program must start and show its window: without it nothing else can be
# checked, so the script ends there, failed.
e2e_require_window() {
    if e2e_wait_window "${1:-30}"; then
        e2e_log "ok: the program started and showed its window"
        return 0
    fi
    e2e_check "the program started and showed its window" false
    e2e_finish
}

e2e_focus() { xdotool windowactivate --sync "$E2E_WIN" >/dev/null 2>&1 || xdotool windowfocus --sync "$E2E_WIN"; }

# Keys go to the focused window (synthetic events sent to a window are ignored by SDL).
e2e_key() { e2e_focus && xdotool key --delay 50 "$@"; }
e2e_type() { e2e_focus && xdotool type --delay 50 "$1"; }
# Client coordinates from the top-left corner of the window, as xdotool counts them.
e2e_move() { xdotool mousemove --window "$E2E_WIN" "$1" "$2"; }
e2e_click() { e2e_move "$1" "$2" && xdotool click "${3:-1}"; }

# Width and height of the window's client area.
e2e_window_size() {
    xdotool getwindowgeometry "$E2E_WIN" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p'
}

e2e_screenshot() {
    local file="$E2E_SHOTS/$1.png"
    xwd -root -silent | convert xwd:- "$file" && e2e_log "screenshot $file"
}

# Waits for the app to end (at most $1 seconds); its exit status lands in $E2E_STATUS.
e2e_wait_exit() {
    local seconds=${1:-30}
    if ! e2e_wait_for "$seconds" e2e_app_gone; then
        e2e_log "ventrix still running after ${seconds}s"
        kill "$E2E_PID_APP" 2>/dev/null
    fi
    wait "$E2E_PID_APP" 2>/dev/null
    E2E_STATUS=$?
}

e2e_app_gone() { ! kill -0 "$E2E_PID_APP" 2>/dev/null; }

# Closes the window as its close box does (WM_DELETE_WINDOW through the window manager).
e2e_close_app() {
    wmctrl -c Ventrix
    e2e_wait_exit "${1:-30}"
}

e2e_check() {
    local description=$1
    shift
    if "$@"; then
        e2e_log "ok: $description"
    else
        e2e_log "FAILED: $description"
        E2E_FAILURES=$((E2E_FAILURES + 1))
        return 1
    fi
}

e2e_finish() {
    if [ "$E2E_FAILURES" -eq 0 ]; then
        e2e_log "all checks passed"
        exit 0
    fi
    e2e_log "$E2E_FAILURES check(s) failed"
    exit 1
}
