#!/usr/bin/env bash
# A crash loses nothing since the last step: the real program is killed with
# SIGKILL right after an edit and started again; it offers the unsaved
# project, restores it, and a Save writes it byte for byte as the edit made
# it. The copy goes once the work is saved.
set -euo pipefail
examples=$2
source "$(dirname "$0")/xvfb_session.sh"
copies="$XDG_STATE_HOME/arrowplan"

cp "$examples/yard.cpm" "$work/yard.cpm"
start_program "$1" "$work/yard.cpm"
eval "$(xdotool getwindowgeometry --shell "$main")"
press() { xdotool mousemove $((X + $1)) $((Y + HEIGHT - 545 + $2)) click 1; }
press 40 24   # Add Node
press 100 300 # node 3, at 1500, 4500 twips
wait_for 10 bash -c "ls '$copies'/*.cpm >/dev/null 2>&1" || fail "no recovery copy was written"
kill -KILL "${pids[-1]}"

# yard.cpm with a third node: the count, and the node's three lines before the name.
{
    printf '3\r\n'
    sed -n '2,18p' "$work/yard.cpm"
    printf '1500\r\n4500\r\n3\r\n'
    sed -n '19p' "$work/yard.cpm"
} >"$work/expected.cpm"

# Started again: the main window and the question share the program's title;
# the question is the narrower one.
start_display
"$1" >"$work/app.log" 2>&1 &
pids+=($!)
both() { [ "$(xdotool search --onlyvisible --name '^Arrowplan$' 2>/dev/null | wc -l)" -eq 2 ]; }
wait_for 10 both || fail "the program did not offer the unsaved project"
main=$(for id in $(xdotool search --onlyvisible --name '^Arrowplan$'); do
    echo "$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^WIDTH=//p') $id"
done | sort -n | tail -n 1 | cut -d' ' -f2)
answer Arrowplan "" "$main" # Restore, the default button
save_as "$work/restored.cpm"
cmp "$work/expected.cpm" "$work/restored.cpm" || fail "the restored project differs from the edit"
wait_for 10 bash -c "! ls '$copies'/*.cpm >/dev/null 2>&1" || fail "the copy stayed after the save"
echo "1 passed, 0 failed"
