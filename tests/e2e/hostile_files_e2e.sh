#!/usr/bin/env bash
# The real program loads broken files through the real file dialog: each one
# gets a message, and the project loaded before stays, as a Save afterwards
# shows byte for byte. The reader's own tests cover every kind of broken file.
set -euo pipefail
examples=$2
source "$(dirname "$0")/xvfb_session.sh"

mkdir -p "$work/broken"
printf '' >"$work/broken/empty.cpm"
head -n 30 "$examples/house.cpm" >"$work/broken/truncated.cpm"
printf '\x01\xff\xfe\x00garbage\r\n' >"$work/broken/garbage.cpm"
printf '2\r\n1\r\n0\r\n0\r\n0\r\n"x"\r\n0\r\n1\r\n250\r\n' >"$work/broken/node250.cpm"

start_program "$1"
press_key ctrl+l
answer Open "$examples/house.cpm"
for broken in "$work"/broken/*; do
    press_key ctrl+l
    answer Open "$broken"
    answer Arrowplan "" "$main" # the message box: the other window of the program's title
done

save_as "$work/after.cpm"
cmp "$examples/house.cpm" "$work/after.cpm" ||
    fail "the project loaded before the broken files did not survive them"
echo "1 passed, 0 failed"
