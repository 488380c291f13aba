#!/usr/bin/env bash
# Instructions of the whole handset program while the virtual boat streams sonar frames, one
# row per screen: the program runs offscreen under callgrind, which counts every instruction of
# every thread; two dumps taken SECONDS apart in steady state give the count, and the calls of
# the main tick between them the ticks that ran. Each row also names the five functions that
# cost the most instructions of their own.
#   bench/program_instructions.sh [BUILD_DIR] [SECONDS] [RATE] [SCENARIO...]
# BUILD_DIR defaults to build/, SECONDS to 40, RATE (frames per second) to 6. SCENARIOs, by
# default all of them:
#   layout0 .. layout3  the main screen in that layout (the program starts in layout 2)
#   map                 layout 1, the map zoomed in so that it follows the boat
#   menu                the main menu open over layout 2
#   replay              layout 2 replaying a recorded log from the card
# "per second" is per tick times the handset's 8 ticks a second: under valgrind on a loaded
# machine the program may fall behind its ticks, which lowers the rate but not the count per
# tick. KORVEL_CALLGRIND_KEEP=DIR keeps the callgrind files there for callgrind_annotate;
# KORVEL_SHOTS=DIR keeps a picture of each row's screen, taken before the counting starts.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$top/build}" && pwd)"
seconds="${2:-40}"
rate="${3:-6}"
shift $(($# > 3 ? 3 : $#))
scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || scenarios=(layout0 layout1 layout2 layout3 map menu replay)
korvel="$build/app/korvel"
vboat="$build/tools/vboat/korvel-vboat"
command -v valgrind >/dev/null || { echo "valgrind is missing"; exit 2; }
[ -x "$korvel" ] && [ -x "$vboat" ] || { echo "build $build first"; exit 2; }

# Start-up under callgrind is slow: the start-up check and the home message are over by then.
settle_ms=22000

# The script of a scenario: the home message closed, the screen reached, a picture, then idle.
scenario_script() {
    local name="$1" shot="$2" changes=0
    case "$name" in
        layout0) changes=2 ;;
        layout1 | map) changes=3 ;;
        layout2 | menu | replay) changes=0 ;;
        layout3) changes=1 ;;
        *) echo "unknown scenario $name" >&2; return 1 ;;
    esac
    echo "wait $settle_ms"
    echo "key esc"
    echo "wait 1500"
    for _ in $(seq "$changes"); do echo "key change"; echo "wait 1500"; done
    case "$name" in
        # Zoom in (the quick menu's zoom key steps through the zoom table) until the boat
        # crosses the map's margin every few seconds.
        map) for _ in 1 2 3; do echo "key zoom"; echo "wait 800"; done ;;
        menu) echo "key menu"; echo "wait 1500" ;;
        replay)
            echo "set workMode 2"
            echo "wait 3000"
            echo "key enter"
            echo "wait 3000"
            ;;
    esac
    echo "shot $shot"
    echo "wait 3600000"
}

latest_dump() {
    ls -t "$1"/callgrind.out.*.[0-9]* | head -n 1
}

# The main ticks in a dump: the calls of the tick slot.
ticks_in() {
    awk '
    # The name stands once, at the first fn= or cfn= of its id; later lines give the id only.
    /^c?fn=/ && id == "" && /Korvel::slot_timeout_main\(\)/ {
        match($0, /\([0-9]+\)/); id = substr($0, RSTART, RLENGTH)
    }
    /^cfn=/ { want = (id != "" && index($0, "cfn=" id) == 1); next }
    want && /^calls=/ { split($0, a, /[= ]/); if (a[2] + 0 > max) max = a[2] + 0; want = 0 }
    END { print max + 0 }' "$1"
}

# The five functions with the most instructions of their own, as "share% name". A dump taken
# while the program runs gives the frames on the stack (main, the event loop, a thread's start)
# their whole inclusive cost as their own: lines with one of those counts are left out.
# Functions of Qt's without a symbol are named by their library and address.
top_five() {
    local total="$2"
    callgrind_annotate --inclusive=no --threshold=100 "$1" 2>/dev/null |
        awk -v total="$total" '
        /^-+$/ { part++; next }
        part >= 3 && /^ *[0-9,]+ / { ir = $1; gsub(",", "", ir); line[++lines] = $0; cost[lines] = ir
            if ($0 ~ /QCoreApplication::exec[(][)]|:start_thread |:clone |PROGRAM TOTALS/) stack[ir] = 1 }
        END { for (i = 1; i <= lines && n < 5; i++) {
            ir = cost[i]; if (ir in stack) continue
            name = line[i]; sub(/^ *[0-9,]+ +/, "", name); sub(/^[(][^)]*[)] +/, "", name)
            lib = ""; b = index(name, " [")
            if (b > 0) { lib = substr(name, b + 2); name = substr(name, 1, b - 1) }
            sub(/[]]$/, "", lib); sub(/^.*[/]/, "", lib); sub(/^[^:]*:/, "", name)
            if (name ~ /^0x/) name = lib " " name
            if (length(name) > 70) name = substr(name, 1, 67) "..."
            printf "      %5.1f%%  %s\n", 100 * ir / total, name; n++
        } }'
}

run_scenario() {
    local name="$1"
    local work root boat_pid prog_pid
    work="$(mktemp -d)"
    root="$work/root"
    mkdir -p "$root/dev" "$root/opt" "$root/mnt/sd/Korvel/Record"
    if [ "$name" = replay ]; then
        "$vboat" --record-log "$root/mnt/sd/Korvel/Record/Sablo_History_0121-1759.kvlw" \
            --minutes 5 --rate 8 >/dev/null 2>&1
    fi
    scenario_script "$name" "$work/shot.png" >"$work/script.txt"
    "$vboat" --socket "$root/dev/vboat.sock" --rate "$rate" >"$work/vboat.log" 2>&1 &
    boat_pid=$!
    sleep 0.5
    (cd "$work" && QT_QPA_PLATFORM=offscreen KORVEL_ROOT="$root" KORVEL_PLATFORM=virtual \
        exec valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out.%p" \
        "$korvel" --script "$work/script.txt" >"$work/korvel.log" 2>&1) &
    prog_pid=$!

    # Callgrind zeroes its counters at every dump, so the totals of the second dump are the
    # instructions between the two dumps.
    local waited=0
    while [ ! -f "$work/shot.png" ] && [ $waited -lt 240 ]; do
        kill -0 "$prog_pid" 2>/dev/null || break
        sleep 1
        waited=$((waited + 1))
    done
    if [ ! -f "$work/shot.png" ]; then
        echo "$name: the program did not reach its screen"; cat "$work/korvel.log"
        kill "$prog_pid" "$boat_pid" 2>/dev/null || true
        return 1
    fi
    sleep 3
    callgrind_control -d "$prog_pid" >/dev/null 2>&1
    local t0 t1
    t0=$(date +%s.%N)
    sleep "$seconds"
    callgrind_control -d "$prog_pid" >/dev/null 2>&1
    t1=$(date +%s.%N)
    sleep 2
    local dump count ticks
    dump="$(latest_dump "$work")"
    count=$(sed -n 's/^\(totals\|summary\): *\([0-9]*\).*/\2/p' "$dump" | head -n 1)
    ticks=$(ticks_in "$dump")
    awk -v name="$name" -v n="$count" -v t0="$t0" -v t1="$t1" -v ticks="$ticks" 'BEGIN {
        s = t1 - t0
        per = ticks > 0 ? n / ticks : 0
        printf "%-8s %6.3f M/tick %6.2f M/s  (%d instructions, %d ticks in %.1f s)\n", name,
            per / 1e6, 8 * per / 1e6, n, ticks, s
    }'
    top_five "$dump" "$count"
    [ -n "${KORVEL_CALLGRIND_KEEP:-}" ] && mkdir -p "$KORVEL_CALLGRIND_KEEP" &&
        cp "$dump" "$KORVEL_CALLGRIND_KEEP/callgrind.$name"
    [ -n "${KORVEL_SHOTS:-}" ] && mkdir -p "$KORVEL_SHOTS" && cp "$work/shot.png" "$KORVEL_SHOTS/$name.png"
    kill "$prog_pid" "$boat_pid" 2>/dev/null || true
    wait "$prog_pid" "$boat_pid" 2>/dev/null || true
    rm -rf "$work"
}

echo "instructions of the whole program at $rate frames/s, counted over $seconds s; per second = 8 ticks"
for s in "${scenarios[@]}"; do
    run_scenario "$s"
done
