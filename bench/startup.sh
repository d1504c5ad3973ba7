#!/usr/bin/env bash
# Start-up time of arrowplan to its first shown window under Xvfb (median of
# 10 runs), and its resident memory after loading the largest project.
set -euo pipefail
build=${1:-build-bench}
app=$build/src/arrowplan
source "$(dirname "$0")/../tests/e2e/xvfb_session.sh"
start_display

now_ms() { date +%s%3N; }
times=()
for _ in $(seq 10); do
    started=$(now_ms)
    "$app" >/dev/null 2>&1 &
    pid=$!
    wait_for 10 bash -c "xdotool search --onlyvisible --name '^Arrowplan\$' >/dev/null" ||
        fail "the window did not show"
    times+=($(($(now_ms) - started)))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 5,6p | awk '{ s += $1 } END { print s / 2 }')
echo "start-up to the first shown window: median ${median} ms of 10 runs (${times[*]})"

"$build/bench/arrowplan-bench" --write-largest "$work/largest.cpm"
"$app" >/dev/null 2>&1 &
pid=$!
pids+=($pid)
main=$(window_named Arrowplan) || fail "the window did not show"
xdotool windowfocus --sync "$main"
xdotool key ctrl+l
answer "Open" "$work/largest.cpm"
sleep 1 # the load, the schedule and the redraw
rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
echo "resident memory after loading the largest project: $((rss / 1024)) MB"
