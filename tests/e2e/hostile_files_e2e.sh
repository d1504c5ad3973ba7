#!/usr/bin/env bash
# The real program loads broken files through the real file dialog: each one
# gets a message, and the project loaded before (named on the command line)
# stays, as a Save afterwards shows byte for byte. A broken file named on the
# command line gets the same message, and the program starts empty. The
# reader's own tests cover every kind of broken file.
set -euo pipefail
examples=$2
source "$(dirname "$0")/xvfb_session.sh"

head -n 30 "$examples/house.cpm" >"$work/truncated.cpm"
printf '2\r\n1\r\n0\r\n0\r\n0\r\n"x"\r\n0\r\n1\r\n250\r\n' >"$work/node250.cpm"

start_program "$1" "$examples/house.cpm"
for broken in "$work"/*.cpm; do
    press_key ctrl+l
    answer Open "$broken"
    answer Arrowplan "" "$main" # the message box: the other window of the program's title
done
save_as "$work/after.cpm"
cmp "$examples/house.cpm" "$work/after.cpm" ||
    fail "the project named on the command line did not survive the broken files"

start_program "$1" "$work/truncated.cpm" # on a display of its own
answer Arrowplan "" "$main"
press_key ctrl+s # a project without nodes is not saved, and says so
answer "Save As" "$work/empty.cpm"
answer Arrowplan "" "$main"
[ ! -e "$work/empty.cpm" ] || fail "the broken file on the command line left a project behind"
echo "1 passed, 0 failed"
