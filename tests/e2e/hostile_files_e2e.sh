#!/usr/bin/env bash
# The real program loads broken files through the real file dialog: each one
# gets a message, and the project loaded before (named on the command line)
# stays, as a Save afterwards shows byte for byte. A broken file named on the
# command line gets the same message, and the program starts empty.
set -euo pipefail
app=$1 examples=$2
source "$(dirname "$0")/xvfb_session.sh"

mkdir -p "$work/broken"
printf '' >"$work/broken/empty.cpm"

head -n 30 "$examples/house.cpm" >"$work/broken/truncated.cpm"
printf '\x01\xff\xfe\x00garbage\r\n' >"$work/broken/garbage.cpm"
printf '99999999999999999999\r\n1\r\n' >"$work/broken/huge.cpm"
printf -- '-1\r\n0\r\n' >"$work/broken/negative.cpm"
printf '101\r\n0\r\n' >"$work/broken/nodes.cpm"
printf '2\r\n1\r\n0\r\n0\r\n0\r\n"x"\r\n0\r\n1\r\n250\r\n' >"$work/broken/node250.cpm"
printf '1\r\n0\r\n10\r\n10\r\n1\r\n"no end\r\n' >"$work/broken/quote.cpm"
printf '1\r\n0\r\n10\r\n10\r\n1e30\r\n""\r\n' >"$work/broken/number.cpm"

start_display
start_app() {
    "$app" "$1" >"$work/app.log" 2>&1 &
    pids+=($!)
    main=$(window_named Arrowplan) || fail "the main window did not open"
    [ -n "$main" ] || fail "the main window did not open"
}
start_app "$examples/house.cpm"

load() {
    xdotool windowfocus --sync "$main"
    xdotool key ctrl+l
    answer Open "$1"
}

# The message box bears the program's title too: the window that is not the main one.
dismiss_message() {
    wait_for 10 bash -c "xdotool search --onlyvisible --name '^Arrowplan\$' 2>/dev/null | grep -vx '$main' >'$work/box'" ||
        fail "no message for $1"
    local box
    box=$(head -n 1 "$work/box")
    xdotool windowfocus --sync "$box"
    xdotool key Return
    wait_gone Arrowplan "$box"
}

for broken in "$work"/broken/*; do
    load "$broken"
    dismiss_message "$(basename "$broken")"
done

xdotool windowfocus --sync "$main"
xdotool key ctrl+s
answer "Save As" "$work/after.cpm"
wait_for 10 test -s "$work/after.cpm" || fail "nothing was saved"
cmp -s "$examples/house.cpm" "$work/after.cpm" ||
    fail "the project named on the command line did not survive the broken files"

kill "${pids[-1]}"
wait_gone Arrowplan "$main"
start_app "$work/broken/truncated.cpm"
dismiss_message "the broken file on the command line"
# Empty: a project without nodes is not saved, and says so.
xdotool windowfocus --sync "$main"
xdotool key ctrl+s
answer "Save As" "$work/empty.cpm"
dismiss_message "saving the empty project"
[ ! -e "$work/empty.cpm" ] || fail "the broken file on the command line left a project behind"
echo "1 passed, 0 failed"
