# Shared by the end-to-end tests: a private X server, the program on it, and
# ways to wait for windows instead of sleeping. Source it; it sets DISPLAY
# and cleans up after itself.

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits until a command succeeds, for at most the given seconds.
wait_for() {
    local seconds=$1; shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

start_display() {
    # -noreset: a program that disconnects must not take the server down with it.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
    pids+=($!)
    wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$work/display")"
    export QT_QPA_PLATFORM=xcb
}

# The id of the visible window whose title is exactly the given one, waiting
# for it to appear.
window_named() {
    wait_for 10 bash -c "xdotool search --onlyvisible --name '^$1\$' 2>/dev/null >'$work/found'" &&
        head -n 1 "$work/found"
}

# Waits for the window of the given title and id to be gone (a dialog that
# was answered; the next one may bear the same title).
wait_gone() {
    wait_for 10 bash -c "! xdotool search --onlyvisible --name '^$1\$' 2>/dev/null | grep -qx '$2'" ||
        fail "the window '$1' stayed open"
}

# Types an answer into the dialog of the given title and presses Enter.
answer() {
    local id
    id=$(window_named "$1") || fail "no window '$1'"
    [ -n "$id" ] || fail "no window '$1'"
    xdotool windowfocus --sync "$id"
    xdotool key --window "$id" ctrl+a
    xdotool type --delay 5 "$2"
    xdotool key Return
    wait_gone "$1" "$id"
}
