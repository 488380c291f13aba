#!/usr/bin/env bash
# Instructions per second of the whole handset program while the virtual boat streams sonar
# frames: the program runs offscreen under callgrind, which counts every instruction of every
# thread; two dumps taken SECONDS apart in steady state give the rate.
#   bench/program_instructions.sh [BUILD_DIR] [SECONDS] [RATE]
# BUILD_DIR defaults to build/, SECONDS to 40, RATE (frames per second) to 6.
# KORVEL_CALLGRIND_KEEP=DIR keeps the callgrind files there for callgrind_annotate.
# KORVEL_LAYOUT_CHANGES=N presses "change" N times at start: the program starts in layout 2
# (half-height echogram); 2 presses give layout 0, the full-height echogram.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$top/build}" && pwd)"
seconds="${2:-40}"
rate="${3:-6}"
korvel="$build/app/korvel"
vboat="$build/tools/vboat/korvel-vboat"
command -v valgrind >/dev/null || { echo "valgrind is missing"; exit 2; }
[ -x "$korvel" ] && [ -x "$vboat" ] || { echo "build $build first"; exit 2; }

work="$(mktemp -d)"
root="$work/root"
mkdir -p "$root/dev" "$root/opt" "$root/mnt/sd"
boat_pid=""
prog_pid=""
cleanup() {
    [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null || true
    [ -n "$boat_pid" ] && kill "$boat_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    if [ -n "${KORVEL_CALLGRIND_KEEP:-}" ]; then
        mkdir -p "$KORVEL_CALLGRIND_KEEP" && cp "$work"/callgrind.out.* "$KORVEL_CALLGRIND_KEEP"/ 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

script=()
changes="${KORVEL_LAYOUT_CHANGES:-0}"
if [ "$changes" -gt 0 ]; then
    {
        echo "wait 1000"
        for _ in $(seq "$changes"); do echo "key change"; echo "wait 500"; done
        echo "wait 3600000"
    } >"$work/layout.txt"
    script=(--script "$work/layout.txt")
fi

"$vboat" --socket "$root/dev/vboat.sock" --rate "$rate" >"$work/vboat.log" 2>&1 &
boat_pid=$!
sleep 0.5

(cd "$work" && QT_QPA_PLATFORM=offscreen KORVEL_ROOT="$root" KORVEL_PLATFORM=virtual \
    exec valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out.%p" \
    "$korvel" "${script[@]}" >"$work/korvel.log" 2>&1) &
prog_pid=$!

# Callgrind zeroes its counters at every dump, so the totals of the second dump are the
# instructions between the two dumps.
latest_totals() {
    local f
    f=$(ls -t "$work"/callgrind.out.*.[0-9]* | head -n 1)
    sed -n 's/^\(totals\|summary\): *\([0-9]*\).*/\2/p' "$f" | head -n 1
}

# Start-up under callgrind is slow; let it settle into the steady state.
sleep 25
kill -0 "$prog_pid" 2>/dev/null || { cat "$work/korvel.log"; echo "the program ended"; exit 1; }
callgrind_control -d "$prog_pid" >/dev/null
t0=$(date +%s.%N)
sleep "$seconds"
callgrind_control -d "$prog_pid" >/dev/null
t1=$(date +%s.%N)
sleep 2
count=$(latest_totals)
# The main ticks that ran between the dumps: the timer's calls of the tick slot. Under
# valgrind on a loaded machine the program may fall behind its 8 ticks a second, which lowers
# the figure per second but not the one per tick.
ticks=$(awk '
    /^cfn=/ {
        if ($0 ~ /Korvel::slot_timeout_main\(\)/) { match($0, /\([0-9]+\)/); id = substr($0, RSTART, RLENGTH) }
        want = (id != "" && index($0, "cfn=" id) == 1)
        next
    }
    want && /^calls=/ { split($0, a, /[= ]/); if (a[2] + 0 > max) max = a[2] + 0; want = 0 }
    END { print max + 0 }' "$(ls -t "$work"/callgrind.out.*.[0-9]* | head -n 1)")
awk -v n="$count" -v t0="$t0" -v t1="$t1" -v rate="$rate" -v ticks="$ticks" 'BEGIN {
    s = t1 - t0
    printf "instructions: %d over %.1f s at %s frames/s, %d main ticks (%.1f a second)\n", n, s, rate, ticks, ticks / s
    printf "rate: %.2f M instructions/s, %.3f M per main tick\n", n / s / 1e6, (ticks > 0 ? n / ticks : n / s / 8) / 1e6
}'
