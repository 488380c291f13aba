#!/usr/bin/env bash
# The main tick's and the screen paint's wall time, and the resident memory, of the handset
# program while the virtual boat streams, with the screen in the board's pixel format: Qt's
# framebuffer code on a 16-bit (RGB565) screen, as linuxfb drives /dev/fb0 on the board (the
# "vnc" platform shares that code and needs no device; no client connects). For an armel build
# (scripts/test --arm or scripts/run-armel made it) both programs run as the ARM926 under
# qemu-arm -cpu arm926, and the memory is the emulator's.
#   bench/screen_timing.sh [BUILD_DIR] [SECONDS] [LAYOUT...]
# BUILD_DIR defaults to build/, SECONDS (of streaming, after the start) to 60, the layouts to
# 2 (the start layout). Prints per layout the tick and paint summaries (count, median, slowest).
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
build="$(cd "${1:-$KORVEL_TOP/build}" && pwd)"
seconds="${2:-60}"
shift $(($# > 2 ? 2 : $#))
layouts=("$@")
[ ${#layouts[@]} -gt 0 ] || layouts=(2)

emulator=()
kind="x86-64"
if [ -x "$build/armel-qemu" ]; then
    korvel_armel_emulator "$build"
    emulator=("${KORVEL_ARMEL_EMULATOR[@]}")
    kind="armel under qemu-arm -cpu arm926"
fi
[ -x "$build/app/korvel" ] && [ -x "$build/tools/vboat/korvel-vboat" ] ||
    { echo "build $build first (korvel, korvel-vboat)"; exit 2; }

port=5930
run_layout() {
    local layout="$1" work root boat_pid prog_pid changes
    work="$(mktemp -d)"
    root="$work/root"
    mkdir -p "$root/dev" "$root/opt" "$root/mnt/sd"
    changes=$(((layout - 2 + 4) % 4))  # the program starts in layout 2; change steps 2, 3, 0, 1
    {
        echo "wait 12000"
        echo "key esc"
        for _ in $(seq "$changes"); do echo "key change"; echo "wait 500"; done
        echo "wait $((seconds * 1000))"
        echo "quit"
    } >"$work/script.txt"
    "${emulator[@]}" "$build/tools/vboat/korvel-vboat" --socket "$root/dev/vboat.sock" \
        >"$work/vboat.log" 2>&1 &
    boat_pid=$!
    for _ in $(seq 50); do [ -S "$root/dev/vboat.sock" ] && break; sleep 0.2; done
    (cd "$work" && KORVEL_ROOT="$root" KORVEL_PLATFORM=virtual \
        QT_QPA_PLATFORM="vnc:size=272x480:depth=16:port=$port" \
        QT_LOGGING_RULES="korvel.tick.info=true" \
        exec "${emulator[@]}" "$build/app/korvel" --script "$work/script.txt" \
        >"$work/korvel.log" 2>&1) &
    prog_pid=$!
    port=$((port + 1))
    # The memory half-way through the streaming.
    sleep $((12 + seconds / 2))
    local rss
    rss="$(awk '/^VmRSS/ { printf "%.1f MB", $2 / 1024 }' "/proc/$prog_pid/status" 2>/dev/null || true)"
    wait "$prog_pid" || true
    kill "$boat_pid" 2>/dev/null || true
    wait "$boat_pid" 2>/dev/null || true
    echo "layout $layout ($kind, RGB565 screen, ${seconds} s of frames): resident ${rss:-?}"
    sed -n 's/^korvel.tick: /    /p' "$work/korvel.log"
    grep -q "main tick:" "$work/korvel.log" || { echo "    no timing:"; tail -n 5 "$work/korvel.log"; }
    rm -rf "$work"
}

for l in "${layouts[@]}"; do
    run_layout "$l"
done
