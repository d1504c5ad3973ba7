#!/usr/bin/env bash
# A real printer queue: our own cupsd on a private configuration, a cups-pdf
# queue on it, and the job cards of a four-job project printed through Qt's
# native (CUPS) print path. Two printer documents must arrive, each a PDF.
# Skipped, with the reason, where this machine cannot run such a printer.
set -u
test_binary=$1
skip() { echo "SKIPPED: $*"; exit 77; }

command -v cupsd >/dev/null || skip "cupsd is not installed"
command -v lpadmin >/dev/null || skip "lpadmin is not installed"
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend is not installed"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd" ] || skip "the cups-pdf PPD is not installed"
# cups-pdf runs as root and writes into the printing user's home.
[ "$(id -u)" -eq 0 ] || skip "cups-pdf needs cupsd to run as root"

work=$(mktemp -d)
cupsd_pid=""
cleanup() {
    [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work"/{etc/ppd,spool/tmp,cache,state,log}
# The filters run as the lp user: they must reach the queue's files.
chmod 755 "$work" "$work"/etc "$work"/etc/ppd "$work"/spool
chmod 1777 "$work"/spool/tmp

cat >"$work/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$work/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
FileDevice No
CONF

cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER="$work/cups.sock"
for _ in $(seq 100); do
    [ -S "$work/cups.sock" ] && lpstat -r >/dev/null 2>&1 && break
    kill -0 "$cupsd_pid" 2>/dev/null || break
    sleep 0.1
done
lpstat -r >/dev/null 2>&1 ||
    skip "cupsd could not start here: $(tail -3 "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null | tr '\n' ' ')"

queue=arrowplan-test
lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" || { echo "FAIL: lpadmin could not add the queue"; exit 1; }

# cups-pdf writes into the printing user's home (Out ${HOME}/PDF); a folder
# it had to make for us goes again.
out="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"

[ -d "$out" ] || trap 'cleanup; rmdir "$out" 2>/dev/null' EXIT

ARROWPLAN_TEST_PRINTER="$queue" QT_QPA_PLATFORM=offscreen "$test_binary" || exit 1

# Wait for both jobs to be done.
for _ in $(seq 200); do
    [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && break
    sleep 0.1
done
completed=$(lpstat -W completed -o "$queue" 2>/dev/null | wc -l)
pdfs=$(find "$out" -newer "$work/cupsd.conf" -name '*.pdf' 2>/dev/null)
count=$(printf '%s\n' "$pdfs" | grep -c . || true)
if [ "$completed" -ne 2 ] || [ "$count" -ne 2 ]; then
    echo "FAIL: expected 2 printed jobs and 2 PDFs, got $completed jobs and $count PDFs"
    tail -20 "$work/log/error_log" 2>/dev/null
    exit 1
fi
for pdf in $pdfs; do
    pdfinfo "$pdf" >/dev/null || { echo "FAIL: $pdf is not a PDF"; exit 1; }
    rm -f "$pdf"
done
echo "1 passed, 0 failed"
