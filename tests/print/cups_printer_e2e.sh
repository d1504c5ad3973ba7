#!/usr/bin/env bash
# A real printer queue: our own cupsd on a private configuration, a raw queue
# on it that prints into /dev/null, and the job cards of the house project
# printed through Qt's native (CUPS) print path: five printer documents must
# be printed. Skipped, with the reason, where this machine cannot run cupsd.
set -u
print_test=$1
source "$(dirname "$0")/../e2e/xvfb_session.sh"
skip() { echo "SKIPPED: $*"; exit 77; }

command -v cupsd >/dev/null && command -v lpadmin >/dev/null || skip "cupsd is not installed"
mkdir -p "$work"/{etc,spool/tmp,cache,state,log}

# No authentication: only this test reaches the private socket.
cat >"$work/cupsd.conf" <<CONF
Listen $work/cups.sock
<Policy default>
  <Limit All>
  </Limit>
</Policy>
CONF
cat >"$work/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
FileDevice Yes
CONF

cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
pids+=($!)
export CUPS_SERVER="$work/cups.sock"
wait_for 10 test -S "$CUPS_SERVER" ||
    skip "cupsd could not start here: $(tail -3 "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null | tr '\n' ' ')"

queue=arrowplan-test
lpadmin -p "$queue" -E -v file:/dev/null || fail "lpadmin could not add the queue"
ARROWPLAN_TEST_PRINTER="$queue" QT_QPA_PLATFORM=offscreen "$print_test" cardsToAPrinterQueue ||
    fail "the cards were not printed"

queue_empty() { [ -z "$(lpstat -o "$queue" 2>/dev/null)" ]; }
wait_for 60 queue_empty || fail "the queue kept these jobs: $(lpstat -o "$queue")"
completed=$(lpstat -W completed -o "$queue" 2>/dev/null | wc -l)
[ "$completed" -eq 5 ] || fail "expected 5 printed jobs, got $completed: $(tail -5 "$work/log/error_log")"
echo "1 passed, 0 failed"
