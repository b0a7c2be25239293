#!/usr/bin/env bash
# Frame-rate benchmark of every sample saved game at 800 x 600 under Xvfb with
# Mesa's software renderer, everything shown, from the land's first spot:
# median frame time and frame rate, the frame's parts, the bare-terrain
# baseline and their ratio, and peak resident memory (bench_frame's own and
# that of the real program running the same game for 20 s).
# Usage: bench/frame/frame.sh [FRAMES]   (default 300)
# Goals: with everything shown but the wind arrows, the frame at most 1.25 x the
# baseline (terrain, sky box and clouds, each one display list); the program's peak
# resident memory at most the bare GL window's + 30 MiB.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${VENTRIX_BUILD_DIR:-$root/build}
frames=${1:-300}
[ -f "$build/build.ninja" ] || "$root/scripts/build" >/dev/null
cmake --build "$build" --target bench_frame ventrix >/dev/null || exit 1

work=$(mktemp -d "${TMPDIR:-/tmp}/ventrix-frame.XXXXXX")
trap 'rm -rf "$work"' EXIT
ln -s "$root/data/lands" "$work/lands"
printf '[general]\ndrivers=null\n' >"$work/alsoft.conf"
export ALSOFT_CONF="$work/alsoft.conf"
xvfb=(xvfb-run -a -s "-screen 0 1024x768x24")

# The real program's peak resident memory with the game and everything shown.
program_peak() {
    local game=$1 shown=$work/shown-$1
    sed -e 's/^\(wind\|pompes\|sun\|clouds\|decors\)\.show = .*/\1.show = "TRUE"/' \
        "$root/data/$game" >"$shown"
    "${xvfb[@]}" bash -c '
        cd "$1" || exit 1
        "$2" --load "$3" >/dev/null 2>&1 &
        app=$!
        sleep 20
        awk "/^VmHWM:/ { printf \"%.1f\", \$2 / 1024 }" /proc/$app/status
        kill $app; wait $app 2>/dev/null' _ "$work" "$build/ventrix" "$shown"
}

echo "frame benchmark, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
"${xvfb[@]}" "$build/bench_frame" --bare-context 2>/dev/null
for path in "$root"/data/*.sav; do
    game=$(basename "$path")
    cp "$path" "$work/$game"
    (cd "$work" && "${xvfb[@]}" "$build/bench_frame" "$game" "$frames" 1) 2>/dev/null |
        grep -v '^RESULT'
    echo "  the program's peak resident memory with $game: $(program_peak "$game") MiB"
done
echo "load average afterwards $(cut -d' ' -f1-3 /proc/loadavg)"
