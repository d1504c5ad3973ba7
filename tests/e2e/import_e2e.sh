#!/usr/bin/env bash
# File > Import through the real menu shortcut and file dialog: a list of
# 130,000 tasks is refused with a message and the program goes on; the
# README's example task list comes in, and a Save writes byte for byte the
# project that arrowplan-report import makes of the same table.
set -euo pipefail
report=$2
source "$(dirname "$0")/xvfb_session.sh"

sed -n '/^```csv$/,/^```$/p' "$3" | sed '1d;$d' >"$work/plan.csv"
[ "$(wc -l <"$work/plan.csv")" -eq 5 ] || fail "the README's example is not five lines"
"$report" import "$work/plan.csv" "$work/expected.cpm"

awk 'BEGIN { print "id,duration,predecessors"; for (t = 1; t <= 130000; t++) print t ",1," t + 1 }' \
    >"$work/long.csv"

start_program "$1"
press_key ctrl+i
answer Open "$work/long.csv"
answer Arrowplan "" "$main" # the message box: the other window of the program's title
press_key ctrl+i
answer Open "$work/plan.csv"
save_as "$work/imported.cpm"
cmp "$work/expected.cpm" "$work/imported.cpm" || fail "the window imported another project"
echo "1 passed, 0 failed"
