#!/usr/bin/env bash
# Times the program itself from its start to its main window on screen, and
# measures its resident memory then, with the benchmarks' master list of each
# size sorted and shuffled as its master file:
#   bash bench/startup_timing.sh BUILD_DIR [COUNT...]   (default 50000 500000)
# BUILD_DIR is a build folder holding ui/quillmark and bench/make_master_file
# (a Release build, for figures that mean something). Each case runs three
# times on a virtual display; the median start and the largest memory are
# shown. The program reads its master file "MASTER.DAT" from the folder it is
# started in, so each case runs in a folder of its own.
set -euo pipefail

if [ -z "${QUILL_STARTUP_INNER:-}" ]; then
    [ $# -ge 1 ] || { echo "usage: startup_timing.sh BUILD_DIR [COUNT...]"; exit 2; }
    export QUILL_STARTUP_INNER=1
    # -noreset: the display would otherwise reset each time its last client
    # (one of the many xdotool calls) leaves, and a program starting just
    # then could not connect.
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi

BUILD="$(cd "$1" && pwd)"
shift
COUNTS=("$@")
[ ${#COUNTS[@]} -gt 0 ] || COUNTS=(50000 500000)
WORK="$(mktemp -d /tmp/quillmark-startup.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT
cp "$BUILD/ui/quillmark" "$WORK/"
cp "$BUILD/ui/Quillmark.HLP" "$WORK/" 2>/dev/null || true

now_ms() { echo $(($(date +%s%N) / 1000000)); }

frame_shown() {
    local id WIDTH=0
    for id in $(xdotool search --onlyvisible --pid "$1" --name '^Quillmark$' 2> /dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2> /dev/null)"
        [ "$WIDTH" -ge 1000 ] && return 0
    done
    return 1
}

# One start: prints "milliseconds resident-kB peak-kB".
start_once() {
    local folder="$1" started shown pid rss hwm
    started="$(now_ms)"
    (cd "$folder" && exec "$WORK/quillmark") > "$WORK/output.txt" 2>&1 &
    pid=$!
    # The main window is the one of the screen's width (it is maximized); the
    # working notice shown while the master file loads is small.
    until frame_shown "$pid"; do
        kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing its window:" >&2; cat "$WORK/output.txt" >&2; return 1; }
    done
    shown="$(now_ms)"
    # Memory once the start's work is done: the first paint and what queued behind it.
    sleep 1
    rss="$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")"
    hwm="$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$((shown - started)) $rss $hwm"
}

printf "%-10s %-9s %12s %14s %14s\n" "spells" "order" "start (ms)" "resident (MB)" "peak (MB)"
for count in "${COUNTS[@]}"; do
    for order in sorted shuffled; do
        folder="$WORK/$count-$order"
        mkdir -p "$folder"
        "$BUILD/bench/make_master_file" "$count" "$order" "$folder/MASTER.DAT"
        times=()
        rss=0
        hwm=0
        for _ in 1 2 3; do
            read -r ms r h < <(start_once "$folder")
            times+=("$ms")
            [ "$r" -gt "$rss" ] && rss="$r"
            [ "$h" -gt "$hwm" ] && hwm="$h"
        done
        median="$(printf "%s\n" "${times[@]}" | sort -n | sed -n 2p)"
        printf "%-10s %-9s %12s %14.1f %14.1f\n" "$count" "$order" "$median" "$(echo "$rss/1024" | bc -l)" \
            "$(echo "$hwm/1024" | bc -l)"
    done
done
