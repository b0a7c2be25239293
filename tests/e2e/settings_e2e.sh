#!/usr/bin/env bash
# The settings file: written at close, every unknown line kept, full screen from the
# command line, the window size carried to the next start; exit status and fatal errors.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_start_display

ini="$E2E_WORK/ventrix.ini"

# Runs ventrix with the given arguments until its window shows, then closes it.
run_and_close() {
    e2e_start_app "$@"
    e2e_wait_window || return 1
    e2e_close_app
}

expected_fresh=$'app.width = "800"\napp.height = "600"\napp.colorbits = "32"\napp.fullscreen = "FALSE"'

# A fresh folder: the four keys, in order, with their defaults.
run_and_close
e2e_check "a normal close exits with status 0 (got $E2E_STATUS)" [ "$E2E_STATUS" = 0 ]
e2e_check "a fresh settings file holds the four window keys in order" \
    [ "$(cat "$ini" 2>/dev/null)" = "$expected_fresh" ]
e2e_check "no temporary file is left next to the settings" \
    [ "$(ls -A "$E2E_WORK")" = "ventrix.ini" ]

# Comments and server entries survive; the missing keys are appended after them.
printf '// my servers\nserver1 = "alpha.example.org"\n' >"$ini"
run_and_close
e2e_check "comment and server entry are kept, the window keys appended" \
    [ "$(cat "$ini")" = $'// my servers\nserver1 = "alpha.example.org"\n'"$expected_fresh" ]

# Full screen asked for on the command line, even glued to other letters, is written back.
run_and_close -fullscreenX
e2e_check "-fullscreenX ends with app.fullscreen TRUE" grep -qx 'app.fullscreen = "TRUE"' "$ini"
e2e_check "the server entry is still there" grep -qx 'server1 = "alpha.example.org"' "$ini"
run_and_close
e2e_check "the next start without the switch stays full screen" \
    grep -qx 'app.fullscreen = "TRUE"' "$ini"

# A window resized by the user opens at that size next time.
printf 'app.fullscreen = "FALSE"\n' >"$ini"
e2e_start_app
e2e_wait_window
e2e_screenshot running-window
xdotool windowsize "$E2E_WIN" 700 500
sleep 1
e2e_close_app
size_written() { grep -qx 'app.width = "700"' "$ini" && grep -qx 'app.height = "500"' "$ini"; }
e2e_check "the new size is written" size_written
e2e_start_app
e2e_wait_window
read -r width height <<<"$(e2e_window_size)"
e2e_check "the next start opens at 700 x 500 (got ${width}x$height)" \
    [ "${width}x$height" = 700x500 ]
e2e_close_app

# "True" is not a spelling of true.
printf 'app.fullscreen = "True"\n' >"$ini"
run_and_close
e2e_check "\"True\" reads as false" grep -qx 'app.fullscreen = "FALSE"' "$ini"

# A window that cannot be made is a fatal error: box text on stderr, status 1.
(cd "$E2E_WORK" && DISPLAY=:nowhere timeout 30 "$E2E_BIN" >/dev/null 2>"$E2E_TMP/fatal.err")
status=$?
e2e_check "a fatal error exits with status 1 (got $status)" [ "$status" = 1 ]
e2e_check "the fatal error text is reported under \"Error\"" \
    grep -q '^Error: Failed To Register The Window Class\.$' "$E2E_TMP/fatal.err"

"$E2E_BIN" --help >"$E2E_TMP/help.out"
e2e_check "--help exits 0 and shows the options" grep -q -- '--load FILE.sav' "$E2E_TMP/help.out"

e2e_finish
