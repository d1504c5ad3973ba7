# Shared by the end-to-end tests: a private X server, the program on it, and
# ways to wait for windows instead of sleeping. Source it; it sets DISPLAY
# and cleans up after itself.

work=$(mktemp -d)
pids=()
# The program's recovery copies go to a state folder of the test's own.
export XDG_STATE_HOME="$work/state"
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; cat "$work/app.log" >&2 2>/dev/null; exit 1; }

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
    # A file of its own for each display: a second one must not read the first's number.
    local number
    number=$(mktemp "$work/display.XXXXXX")
    # -noreset: a program that disconnects must not take the server down with it.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$number" 2>/dev/null &
    pids+=($!)
    wait_for 10 test -s "$number" || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$number")"
    export QT_QPA_PLATFORM=xcb
}

# The program, with its arguments, on a display of its own; $main is its main
# window.
start_program() {
    start_display
    "$@" >"$work/app.log" 2>&1 &
    pids+=($!)
    main=$(window_named Arrowplan) || fail "the main window did not open"
}

# The id of the visible window whose title is exactly the given one, waiting
# for it to appear; a second argument is the id of a window that does not count.
window_named() {
    local search="xdotool search --onlyvisible --name '^$1\$' 2>/dev/null"
    wait_for 10 bash -c "$search | grep -vx '${2:-}' >'$work/found'" && head -n 1 "$work/found"
}

# Types an answer into the dialog of the given title and presses Enter; a
# third argument is the id of a window of that title that is not the dialog.
answer() {
    local id
    id=$(window_named "$1" "${3:-}") || fail "no window '$1'"
    xdotool windowfocus --sync "$id"
    xdotool key --window "$id" ctrl+a
    # A file dialog pops up a list of names that complete the typed path while
    # it reads the folders on it, and keys typed as the list comes or goes are
    # lost. It offers none for a path that starts with //, the same file.
    xdotool type --delay 5 "${2/#\////}"
    xdotool key Return
    # Gone, that one: the next dialog may bear the same title.
    wait_for 10 bash -c "! xdotool search --onlyvisible --name '^$1\$' 2>/dev/null | grep -qx '$id'" ||
        fail "the window '$1' stayed open"
}

# A key, such as a menu's shortcut, pressed on the main window.
press_key() {
    xdotool windowfocus --sync "$main"
    xdotool key "$1"
}

# File > Save through the real file dialog, to the given file.
save_as() {
    press_key ctrl+s
    answer "Save As" "$1"
    wait_for 10 test -s "$1" || fail "nothing was saved"
}
