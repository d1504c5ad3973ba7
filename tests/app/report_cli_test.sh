#!/usr/bin/env bash
# End-to-end checks of arrowplan-report: real files in, exact lines out.
set -u
export LC_ALL=C # the reference money form, $1,234.50
report=$1 examples=$2 expected=$3
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Runs arrowplan-report into $work/out and $work/err: name, exit status, arguments.
run() {
    local name=$1 status=$2
    shift 2
    "$report" "$@" >"$work/out" 2>"$work/err"
    local actual=$?
    [ "$actual" = "$status" ] || fail "$name: exit status $actual, expected $status"
}
# The output of the last run must be exactly the lines of a file: name, file.
same() { diff -u "$2" "$work/out" || fail "$1"; }
# Its standard error must hold the message.
said() { grep -q "$@" "$work/err" || fail "no message '$*': $(cat "$work/err")"; }

run listing 0 listing "$examples/house.cpm"
same listing "$expected/house.listing"

# The four floats of each job, worked out by hand.
run floats 0 floats "$examples/house.cpm"
same floats "$expected/house.floats"
# The plant's curve where it is published, and where its total cost is least.
run crash 0 crash "$examples/plant.cpm"
grep -q '^     40\*    4690000     1400000     6090000  6 Int. plumbing: 2, 10 Wallboard: 2$' \
    "$work/out" || fail "crash: the plan for 40 weeks"
grep -q '^Least total cost 6080000 at 42$' "$work/out" || fail "crash: the least total cost"
run "crash chart" 0 crash-chart "$examples/plant.cpm" "$work/plant.png"
[ "$(identify -format '%m %wx%h' "$work/plant.png")" = "PNG 800x533" ] || fail "crash chart size"
[ "$(identify -format '%k' "$work/plant.png")" -gt 3 ] || fail "crash chart: nothing drawn"
run "crash chart page" 0 crash-chart "$examples/plant.cpm" "$work/plant.pdf"
pdftotext "$work/plant.pdf" - | grep -q "Project length (weeks)" || fail "crash chart page"

run kruskal2 0 kruskal2 "$examples/demo.cpm"
same kruskal2 <(printf '%s\n' "Kruskals algorithm2" "Bubble Sort of Weights" "Start End Weight" \
    "   2    3    1" "   1    2    2" "Node #Subtree" "   1  1" "   2  3" "   3  3" \
    "Node #Subtree" "   1  3" "   2  3" "   3  3")

# The chart: a PNG of the window's drawing area, and the printed page.
run chart 0 chart "$examples/house.cpm" "$work/house.png"
[ "$(identify -format '%m %wx%h' "$work/house.png")" = "PNG 800x545" ] || fail "chart image"
[ ! -s "$work/err" ] || fail "chart chatter: $(cat "$work/err")"
run "chart page" 0 chart "$examples/house.cpm" "$work/chart.pdf"
pdfinfo "$work/chart.pdf" | awk '/^Page size:/ { exit !($3 > $5) }' || fail "chart page shape"

# Printing to PDF files, named after the prefix and the report.
run print 0 print "$examples/house.cpm" "$work/house" --cards --floats --costs-jobs --chart --risk \
    --no-costs
same "printed files" <(printf '%s\n' "$work"/house-{cards-{1,2,3,4,5},floats,costs,chart,risk}.pdf)
pdftotext "$work/house-costs.pdf" - | grep -q "Total Costs" && fail "totals printed unasked"
pdftotext "$work/house-cards-1.pdf" - | grep -q "Amount" && fail "--no-costs printed amounts"
# One money form in one run, the locale's: on the cards as in the costs.
LC_ALL=de_DE.UTF-8 run "German print" 0 print "$examples/house.cpm" "$work/de" --cards --costs-totals
for printed in cards-1 costs; do
    pdftotext "$work/de-$printed.pdf" - | grep -q "1\.500,00 €" || fail "$printed: not in German"
done

# The suffix chooses the image format; one Qt cannot write is refused.
run "chart as JPEG" 0 chart "$examples/yard.cpm" "$work/yard.JPG"
[ "$(identify -format '%m' "$work/yard.JPG")" = "JPEG" ] || fail "yard.JPG is not a JPEG"
run "chart as .doc" 2 chart "$examples/yard.cpm" "$work/yard.doc"
said 'cannot write a chart to ".*yard.doc"'
[ ! -e "$work/yard.doc" ] || fail ".doc written"
run "unknown format" 2 listing --format xml "$examples/yard.cpm"
# Money in JSON is the program's own text, to the last of its four decimals.
printf '%s\r\n' 2 1 922337203685477.5807 0 0 '"x"' 0 1 2 1 '""' 0 0 0 1 0 0 2 '""' >"$work/rich.cpm"
run "exact money" 0 listing --format json "$work/rich.cpm"
grep -q '"amount": 922337203685477.5807' "$work/out" || fail "JSON money rounded: $(cat "$work/out")"

# Schedule risk: the same seed gives the same JSON, byte for byte; another
# seed other figures. Without estimates every run takes the schedule's weeks.
run "risk as JSON" 0 risk --format json --seed 5 --by 24 "$examples/house-estimated.cpm"
mv "$work/out" "$work/risk.json"
grep -q '"optimistic": 1.5, "mostLikely": 2, "pessimistic": 4' "$work/risk.json" || fail "risk JSON"
run "risk as JSON again" 0 risk --format=json --seed=5 --by=24 "$examples/house-estimated.cpm"
cmp -s "$work/risk.json" "$work/out" || fail "the same seed gave other JSON"
run "risk, another seed" 0 risk --format json --seed 6 --by 24 "$examples/house-estimated.cpm"
cmp -s "$work/risk.json" "$work/out" && fail "another seed gave the same JSON"
run "risk without estimates" 0 risk --runs 500 --distribution pert "$examples/house.cpm"
grep -q "P10 / P50 / P80 *23.00 / 23.00 / 23.00$" "$work/out" || fail "risk text: $(cat "$work/out")"
run "risk of no runs" 2 risk --runs 0 "$examples/house.cpm"
said -- "--runs takes a whole number from 1 to 1000000"
run "risk of another distribution" 2 risk --distribution beta "$examples/house.cpm"
run "risk without the seed" 2 risk "$examples/house.cpm" --seed
printf '%s\r\n' 0 0 '"Empty"' >"$work/empty.cpm"
run "risk of no nodes" 2 risk "$work/empty.cpm"
run "risk chart" 0 risk-chart --by 24 "$examples/house-estimated.cpm" "$work/risk.png"
[ "$(identify -format '%m %wx%h' "$work/risk.png")" = "PNG 1056x816" ] || fail "risk chart image"
run "risk chart page" 0 risk-chart --by 24 "$examples/house-estimated.cpm" "$work/risk.pdf"
pdftotext "$work/risk.pdf" - | grep -q "P50 " || fail "risk chart page without P50"
run "risk chart drawing" 0 risk-chart "$examples/house-estimated.cpm" "$work/risk.svg"
grep -q "Jobs by criticality" "$work/risk.svg" || fail "risk chart drawing"
run "risk chart as .doc" 2 risk-chart "$examples/house-estimated.cpm" "$work/risk.doc"
run "risk chart to nowhere" 1 risk-chart "$examples/house-estimated.cpm" "$work/no/such/folder.pdf"

run check 0 check "$examples/house.cpm"
same check <(echo ok)
# Three titles over circles, three over node times, two over each other.
run readability 0 readability "$examples/house.cpm"
same readability <(printf '%s\n' "crossings 0" "arrowsThroughNodes 0" "overlaps 0" "textCollisions 7")

# Refusals: a message on standard error, nothing on standard output.
head -n 20 "$examples/house.cpm" >"$work/cut.cpm"
run "truncated file" 2 listing "$work/cut.cpm"
said "cut.cpm, line [0-9]*: the file ends before"
same "output of a broken file" /dev/null
printf '%s\r\n' 2 1 0 0 0 '"x"' 0 1 2 1e30 '""' 0 0 0 1 0 0 2 '""' >"$work/huge.cpm"
run "overflowing schedule" 2 listing "$work/huge.cpm"
said "too large"
printf '%s\r\n' 2 1 0 0 0 '"x"' 0 1 2 1 '""' 0 0 0 1 0 0 2 '""' '[arrowplan extras 2]' \
    'crash 1 3 0' '[end]' >"$work/slow.cpm"
run "crash time above the time" 2 crash "$work/slow.cpm"
said "slow.cpm: job 1's crash time (3) is above its time (1)$"

# Task lists: the two hand-made houses come in with the schedule of house.cpm
# (early start, late finish, title, critical mark, slack and cost of each job
# but the dummy; the XML folds the delays into the times), and so does its
# export.
columns() { awk 'NR > 1 && substr($0, 25, 14) !~ /^(\.\.\.)? *$/ {
    print substr($0, 6, 36) substr($0, 49, 6) substr($0, 56) }' "$1"; }
run "export" 0 export "$examples/house.cpm" "$work/out.xml"
said "Foundation.*Pay 50/50"
for tasks in "$examples/house.csv" "$examples/house.xml" "$work/out.xml"; do
    run "import $tasks" 0 import "$tasks" "$work/in.cpm"
    "$report" listing "$work/in.cpm" >"$work/in.listing"
    diff <(columns "$work/in.listing") <(columns "$expected/house.listing") ||
        fail "$tasks: another schedule"
done
printf 'id,duration,predecessors\na,1,c\nb,1,a\nc,1,b\n' >"$work/circle.csv"
run "import a circle" 2 import "$work/circle.csv" "$work/circle.cpm"
said "/circle.csv, line 2: the tasks a, c, b wait for each other in a circle$"
[ ! -e "$work/circle.cpm" ] || fail "a refused task list left a project file"
# A job that would take negative time cannot be a task; nothing is written.
printf '%s\r\n' 2 1 0 0 -3 '"Pour"' 0 1 2 1 '""' 0 1000 1200 1 3000 1200 2 '"x"' >"$work/minus.cpm"
run "export of a negative time" 2 export "$work/minus.cpm" "$work/minus.xml"
said 'minus.cpm: job 1 ("Pour") takes -2 weeks'
[ ! -e "$work/minus.xml" ] || fail "a refused export left a task list"
# An output that cannot be written, whatever the command.
run "import to nowhere" 1 import "$examples/house.csv" "$work/no/such/folder.cpm"
run "export to nowhere" 1 export "$examples/house.cpm" "$work/no/such/folder.xml"
run "chart to nowhere" 1 chart "$examples/house.cpm" "$work/no/such/folder.png"
run "crash chart to nowhere" 1 crash-chart "$examples/plant.cpm" "$work/no/such/folder.svg"

run "no arguments" 2
run "unknown command" 2 sing "$examples/yard.cpm"
run "unknown print option" 2 print "$examples/house.cpm" "$work/x" --colour
run --help 0 --help
grep -q "^Usage: arrowplan-report" "$work/out" || fail "--help text"
tr -s ' \n' ' ' <"$work/out" | grep -q " \.svg .* \.jpg " || fail "--help: chart formats"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all report checks passed"
