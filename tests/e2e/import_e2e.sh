#!/usr/bin/env bash
# File > Import through the real menu shortcut and file dialog: the README's
# example task list comes in, and a Save writes byte for byte the project that
# arrowplan-report import makes of the same table.
set -euo pipefail
report=$2
source "$(dirname "$0")/xvfb_session.sh"

sed -n '/^```csv$/,/^```$/p' "$3" | sed '1d;$d' >"$work/plan.csv"
[ "$(wc -l <"$work/plan.csv")" -eq 5 ] || fail "the README's example is not five lines"
"$report" import "$work/plan.csv" "$work/expected.cpm"

start_program "$1"
press_key ctrl+i
answer Open "$work/plan.csv"
save_as "$work/imported.cpm"
cmp "$work/expected.cpm" "$work/imported.cpm" || fail "the window imported another project"
echo "1 passed, 0 failed"
