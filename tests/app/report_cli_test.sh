#!/usr/bin/env bash
# End-to-end checks of arrowplan-report: real files in, exact lines out.
set -u
export LC_ALL=C # the reference money form, $1,234.50
report=$1 examples=$2 expected=$3
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check() { # name, command output file, expected file
    if ! diff -u "$3" "$2" >"$work/diff"; then
        echo "FAIL: $1"; cat "$work/diff"; failures=$((failures + 1))
    fi
}
status_is() { # name, expected status, actual status
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1: exit status $3, expected $2"; failures=$((failures + 1))
    fi
}

"$report" listing "$examples/yard.cpm" >"$work/yard.out"
status_is "yard listing" 0 $?
cat >"$work/yard.expected" <<'LINES'
 Job   EStart LFinish     Title        CP?  Time(D) Slack  Cost
 1, 2      0     4      Dig            cp      4     0     100
LINES
check "yard listing" "$work/yard.out" "$work/yard.expected"

"$report" costs "$examples/demo.cpm" >"$work/demo.out"
status_is "demo costs" 0 $?
cat >"$work/demo.expected" <<'LINES'
Total Costs for the Demo Project
week=  0,  costs=     $100.00   Total=  $100.00
week=  1,  costs=     $100.00   Total=  $200.00
week=  2,  costs=      $50.00   Total=  $250.00
 
Job: Dig             Payout/(in)    Job#(  1,  2)     
week=  0,  costs=     $100.00   Total=  $100.00
week=  1,  costs=     $100.00   Total=  $200.00
week=  2,  costs=       $0.00   Total=  $200.00
 
Job: Pour            Payout/(in)    Job#(  2,  3)     
week=  0,  costs=       $0.00   Total=    $0.00
week=  1,  costs=       $0.00   Total=    $0.00
week=  2,  costs=      $50.00   Total=   $50.00
LINES
check "demo costs" "$work/demo.out" "$work/demo.expected"

"$report" listing "$examples/house.cpm" >"$work/house.out"
status_is "house listing" 0 $?
check "house listing" "$work/house.out" "$expected/house.listing"

# The chart: a PNG of the window's drawing area (800 x 545 pixels).
"$report" chart "$examples/house.cpm" "$work/house.png" 2>"$work/chart.err"
status_is "chart" 0 $?
[ "$(head -c 8 "$work/house.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] ||
    { echo "FAIL: chart is not a PNG"; failures=$((failures + 1)); }
[ "$(od -An -tu1 -j16 -N8 "$work/house.png" | tr -s ' ')" = " 0 0 3 32 0 0 2 33" ] ||
    { echo "FAIL: chart size: $(od -An -tu1 -j16 -N8 "$work/house.png")"; failures=$((failures + 1)); }
[ ! -s "$work/chart.err" ] || { echo "FAIL: chart chatter: $(cat "$work/chart.err")"; failures=$((failures + 1)); }
"$report" chart "$work/missing.cpm" "$work/missing.png" 2>/dev/null
status_is "chart of a broken file" 1 $?
# The suffix chooses the image format; one Qt cannot write is refused.
"$report" chart "$examples/yard.cpm" "$work/yard.JPG"
status_is "chart as JPEG" 0 $?
[ "$(head -c 3 "$work/yard.JPG" | od -An -tx1 | tr -d ' \n')" = "ffd8ff" ] ||
    { echo "FAIL: yard.JPG is not a JPEG"; failures=$((failures + 1)); }
"$report" chart "$examples/yard.cpm" "$work/yard.doc" 2>"$work/doc.err"
status_is "chart as .doc" 2 $?
grep -q 'cannot write a chart to ".*yard.doc"' "$work/doc.err" && [ ! -e "$work/yard.doc" ] ||
    { echo "FAIL: .doc not refused: $(head -n 1 "$work/doc.err")"; failures=$((failures + 1)); }
"$report" listing --format xml "$examples/yard.cpm" >/dev/null 2>&1
status_is "unknown format" 2 $?

# Printing to PDF files, named after the prefix and the report.
"$report" print "$examples/house.cpm" "$work/house" --cards --costs-jobs --chart --no-costs \
    >"$work/print.out" 2>/dev/null
status_is "print" 0 $?
printf '%s\n' "$work"/house-cards-{1,2,3,4,5}.pdf "$work"/house-{costs,chart}.pdf >"$work/print.expected"
check "printed files" "$work/print.out" "$work/print.expected"
pdftotext -layout "$work/house-costs.pdf" - | grep -q "Total Costs" &&
    { echo "FAIL: the totals were printed though not asked for"; failures=$((failures + 1)); }
pdftotext -layout "$work/house-cards-1.pdf" - | grep -q "Amount" &&
    { echo "FAIL: --no-costs printed the amounts"; failures=$((failures + 1)); }
# One money form in one run, the locale's: on the cards as in the costs.
LC_ALL=de_DE.UTF-8 "$report" print "$examples/house.cpm" "$work/de" --cards --costs-totals \
    >/dev/null 2>&1
for printed in cards-1 costs; do
    pdftotext -layout "$work/de-$printed.pdf" - | grep -q "1\.500,00 €" ||
        { echo "FAIL: $printed not in the German money form"; failures=$((failures + 1)); }
done
"$report" chart "$examples/house.cpm" "$work/chart.pdf" 2>/dev/null
status_is "chart page" 0 $?
pdfinfo "$work/chart.pdf" | awk '/^Page size:/ { exit !($3 > $5) }' ||
    { echo "FAIL: the chart page is not landscape"; failures=$((failures + 1)); }
"$report" print "$examples/house.cpm" "$work/x" --colour >/dev/null 2>&1
status_is "unknown print option" 2 $?

"$report" kruskal2 "$examples/demo.cpm" >"$work/tree.out"
status_is "kruskal2" 0 $?
printf '%s\n' "Kruskals algorithm2" "Bubble Sort of Weights" "Start End Weight" \
    "   2    3    1" "   1    2    2" "Node #Subtree" "   1  1" "   2  3" "   3  3" \
    "Node #Subtree" "   1  3" "   2  3" "   3  3" >"$work/tree.expected"
check "kruskal2" "$work/tree.out" "$work/tree.expected"

out=$("$report" check "$examples/house.cpm")
status_is "check" 0 $?
[ "$out" = "ok" ] || { echo "FAIL: check printed '$out'"; failures=$((failures + 1)); }

head -n 20 "$examples/house.cpm" >"$work/cut.cpm"
"$report" listing "$work/cut.cpm" >"$work/cut.out" 2>"$work/cut.err"
status_is "truncated file" 1 $?
grep -q "cut.cpm, line [0-9]*: the file ends before" "$work/cut.err" ||
    { echo "FAIL: truncated file message: $(cat "$work/cut.err")"; failures=$((failures + 1)); }
[ ! -s "$work/cut.out" ] || { echo "FAIL: output for a broken file"; failures=$((failures + 1)); }

printf '2\r\n1\r\n0\r\n0\r\n0\r\n"x"\r\n0\r\n1\r\n2\r\n1e30\r\n""\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n2\r\n""\r\n' >"$work/huge.cpm"
"$report" listing "$work/huge.cpm" >/dev/null 2>"$work/huge.err"
status_is "overflowing schedule" 1 $?
grep -q "too large" "$work/huge.err" ||
    { echo "FAIL: overflow message: $(cat "$work/huge.err")"; failures=$((failures + 1)); }

"$report" >/dev/null 2>&1
status_is "no arguments" 2 $?
"$report" sing "$examples/yard.cpm" >/dev/null 2>&1
status_is "unknown command" 2 $?
"$report" --help | grep -q "^Usage: arrowplan-report"
status_is "--help" 0 $?
"$report" --help | tr -s ' \n' ' ' | grep -q " \.svg .* \.jpg "
status_is "--help names the chart's formats" 0 $?

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all report checks passed"
