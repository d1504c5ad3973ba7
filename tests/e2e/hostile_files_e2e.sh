#!/usr/bin/env bash
# The real program loads broken files through the real file dialog: each one
# gets a message, and the project loaded before stays, as a Save afterwards
# shows byte for byte: one file cut short, one whose numbers are out of
# range. The reader's own tests cover every kind of broken file.
set -euo pipefail
examples=$2
source "$(dirname "$0")/xvfb_session.sh"

head -n 30 "$examples/house.cpm" >"$work/truncated.cpm"
printf '2\r\n1\r\n0\r\n0\r\n0\r\n"x"\r\n0\r\n1\r\n250\r\n' >"$work/node250.cpm"

start_program "$1"
press_key ctrl+l
answer Open "$examples/house.cpm"
for broken in "$work"/*.cpm; do
    press_key ctrl+l
    answer Open "$broken"
    answer Arrowplan "" "$main" # the message box: the other window of the program's title
done

save_as "$work/after.cpm"
cmp "$examples/house.cpm" "$work/after.cpm" ||
    fail "the project loaded before the broken files did not survive them"
echo "1 passed, 0 failed"
