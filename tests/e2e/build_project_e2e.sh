#!/usr/bin/env bash
# A user builds a project from an empty window: three nodes, two arrows, their
# times and titles typed into the input boxes, then File > Save through the
# real file dialog. The saved file must be exactly the expected one.
set -euo pipefail
source "$(dirname "$0")/xvfb_session.sh"
start_program "$1"

# A press at a point of the drawing surface given in pixels. The client area
# is 545 pixels high; the menu bar takes the rest.
eval "$(xdotool getwindowgeometry --shell "$main")"
press() { xdotool mousemove $((X + $1)) $((Y + HEIGHT - 545 + $2)) click 1; }

press 40 24                       # Add Node
press 100 200; press 300 200; press 500 300
press 120 24                      # Add Edge (Jobs)
press 100 200; press 300 200      # 1 -> 2
press 300 200; press 500 300      # 2 -> 3

press 272 24                      # Enter Expected Times
answer Weight 4
answer Weight 2.5
press 364 24                      # Enter Job Titles
answer Title Dig
answer Title "Pour concrete"

save_as "$work/built.cpm"
printf '%s\r\n' 3 2 \
    0 0 0 '"Dig           "' 0 1 2 4 '""' 0 \
    0 0 0 '"Pour concr    "' 0 2 3 2.5 '""' 0 \
    1500 3000 1 4500 3000 2 7500 4500 3 '""' >"$work/expected.cpm"
cmp "$work/expected.cpm" "$work/built.cpm" || fail "the saved project differs from the expected one"

# The job card stays above the main window, and its delete question above the card.
above() { xprop -id "$1" WM_TRANSIENT_FOR | grep -q "# $(printf '%#x' "$2")\$"; }
press 640 24 # Edit Job List
card=$(window_named "Job Card") || fail "the job card did not open"
above "$card" "$main" || fail "the job card is not kept above the main window"
eval "$(xdotool getwindowgeometry --shell "$card")"
xdotool mousemove $((X + 117)) $((Y + 8)) click 1 # DELETE
question=$(window_named "Delete[?][?][?]") || fail "no delete question"
above "$question" "$card" || fail "the delete question is not kept above the card"
echo "1 passed, 0 failed"
