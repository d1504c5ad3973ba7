#!/usr/bin/env bash
# A real printer queue: our own cupsd on a private configuration, a cups-pdf
# queue on it, and the job cards of the house project printed through Qt's
# native (CUPS) print path. Five printer documents must arrive, each a PDF.
# Skipped, with the reason, where this machine cannot run such a printer.
set -u
print_options_test=$1
source "$(dirname "$0")/../e2e/xvfb_session.sh"
skip() { echo "SKIPPED: $*"; exit 77; }

command -v cupsd >/dev/null || skip "cupsd is not installed"
command -v lpadmin >/dev/null || skip "lpadmin is not installed"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -x /usr/lib/cups/backend/cups-pdf ] && [ -f "$ppd" ] || skip "cups-pdf is not installed"
# cups-pdf runs as root and writes into the printing user's home.
[ "$(id -u)" -eq 0 ] || skip "cups-pdf needs cupsd to run as root"

mkdir -p "$work"/{etc/ppd,spool/tmp,cache,state,log}
# The filters run as the lp user: they must reach the queue's files.
chmod 755 "$work" "$work"/etc "$work"/etc/ppd "$work"/spool
chmod 1777 "$work"/spool/tmp

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
CONF

cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
pids+=($!)
export CUPS_SERVER="$work/cups.sock"
wait_for 10 test -S "$CUPS_SERVER" ||
    skip "cupsd could not start here: $(tail -3 "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null | tr '\n' ' ')"

queue=arrowplan-test
lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" || fail "lpadmin could not add the queue"

# cups-pdf writes into the printing user's home (Out ${HOME}/PDF); a folder
# it had to make for us goes again.
out="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
[ -d "$out" ] || trap 'cleanup; rmdir "$out" 2>/dev/null' EXIT

ARROWPLAN_TEST_PRINTER="$queue" QT_QPA_PLATFORM=offscreen "$print_options_test" cardsToAPrinterQueue ||
    fail "the cards were not printed"

queue_empty() { [ -z "$(lpstat -o "$queue" 2>/dev/null)" ]; }
wait_for 60 queue_empty
completed=$(lpstat -W completed -o "$queue" 2>/dev/null | wc -l)
pdfs=$(find "$out" -newer "$work/cupsd.conf" -name '*.pdf' 2>/dev/null)
for pdf in $pdfs; do
    pdfinfo "$pdf" >/dev/null || fail "$pdf is not a PDF"
    rm -f "$pdf"
done
if [ "$completed" -ne 5 ] || [ "$(echo "$pdfs" | grep -c .)" -ne 5 ]; then
    tail -20 "$work/log/error_log"
    fail "expected 5 printed jobs and 5 PDFs, got $completed jobs and these: $pdfs"
fi
echo "1 passed, 0 failed"
