#!/usr/bin/env python3
"""Plants single-spot faults one at a time in a scratch copy of the project,
runs the whole suite against each, and says which tests caught it.

Usage: scripts/mutants.py SCRATCH [NAME ...]

SCRATCH is a folder for the copy and its build (made when missing). With
names, only those faults are planted. A fault whose text is not found exactly
once in its file is reported as stale, never silently skipped.
"""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

# name, file, the text as it is, the text with the fault
FAULTS = [
    ("table-bound", "src/model/table.h",
     "index < tableSlots", "index <= tableSlots"),
    ("currency-rounding", "src/model/currency.cpp",
     "twiceRest > denominator ||", "twiceRest >= denominator ||"),
    ("money-cents-truncated", "src/model/currency_text.cpp",
     "(magnitude + 50) / 100", "magnitude / 100"),
    ("number-text-small", "src/model/number_text.cpp",
     "std::size_t>(-exponent - 1), '0')", "std::size_t>(-exponent), '0')"),
    ("delete-forgets-notes", "src/model/project.cpp",
     "project.jobNotes[i] = project.jobNotes[i + 1];", ""),
    ("start-over-last-slot", "src/model/project.cpp",
     "for (int i = 1; i <= maxItems; ++i) {", "for (int i = 1; i < maxItems; ++i) {"),
    ("file-writer-swaps-fields", "src/model/project_file.cpp",
     "line(plainText(project.jobAmount[k]));\n        line(plainText(project.jobActualTime[k]));",
     "line(plainText(project.jobActualTime[k]));\n        line(plainText(project.jobAmount[k]));"),
    ("file-count-limit", "src/model/project_file.cpp",
     "value < 0 || value > maxItems", "value < 0 || value >= maxItems"),
    ("load-forgets-delay", "src/model/project_file.cpp",
     "current.jobDelay = loaded.jobDelay;", ""),
    ("cpm-first-node-late", "src/schedule/cpm.cpp",
     "n >= 1; --n", "n > 1; --n"),
    ("critical-loose", "src/schedule/cpm.cpp",
     "project.earlyTime[to] - project.earlyTime[from] == duration(project, job)",
     "project.earlyTime[to] - project.earlyTime[from] >= duration(project, job)"),
    ("listing-slack-without-delay", "src/schedule/listing.cpp",
     "lateFinish - earlyStart - length,",
     "lateFinish - earlyStart - Currency::fromFloat(project.edgeWeight[j]),"),
    ("costs-even-last-week", "src/schedule/weekly_costs.cpp",
     "startWeek <= week && week <= endWeek", "startWeek <= week && week < endWeek"),
    ("costs-floor-sign", "src/schedule/weekly_costs.cpp",
     "units % Currency::scale != 0 && units < 0", "units % Currency::scale != 0 && units > 0"),
    ("costs-end-week", "src/schedule/weekly_costs.cpp",
     "Currency::fromFloat(weight) - oneWeek", "Currency::fromFloat(weight)"),
    ("chart-arrow-tip", "src/editor/chart.cpp",
     "from.x + (length - nodeRadius) * ux", "from.x + length * ux"),
    ("chart-thick-critical", "src/editor/chart.cpp",
     "!dummy ? 3 : 1", "!dummy ? 2 : 1"),
    ("chart-star", "src/editor/chart.cpp",
     'label.pieces.emplace_back("*");', 'label.pieces.emplace_back("+");'),
    ("readability-clearance", "src/model/chart_geometry.h",
     "nodeRadius + 60", "nodeRadius + 40"),
    ("readability-padded-titles", "src/editor/chart_readability.cpp",
     "    run.erase(run.find_last_not_of(' ') + 1);\n", ""),
    ("readability-own-ends", "src/editor/chart_readability.cpp",
     "node != s.from && node != s.to &&", "node != s.from &&"),
    ("mouse-self-arrow", "src/editor/mouse_editing.cpp",
     "missed || end <= start ||", "missed || end < start ||"),
    ("mouse-node-limit", "src/editor/mouse_editing.cpp",
     "project_.nodeCount >= maxItems", "project_.nodeCount > maxItems"),
    ("walk-title-length", "src/editor/entry_walks.cpp",
     "typedTitleLength = 10", "typedTitleLength = 14"),
    ("walk-cancel-runs-cpm", "src/editor/entry_walks.cpp",
     "ends the walk.\n            stopWalk(j);\n            return;",
     "ends the walk.\n            stopWalk(j);\n            break;"),
    ("title-cancel-blanks", "src/editor/entry_walks.cpp",
     "if (!answer) {\n            stopWalk(j);\n            return;\n        }\n"
     "        const JobTitle typed(toStdString(*answer));",
     "const JobTitle typed(toStdString(answer.value_or(QString())));"),
    ("walk-repaint-drops-red", "src/editor/main_window.cpp",
     "        highlightJob(askedJob_); // the user is typing its value\n", ""),
    ("counts-stale-after-command", "src/editor/main_window.cpp",
     "        refreshShownCounts();\n        showDrawing();", "        showDrawing();"),
    ("card-swapped-boxes", "src/cards/job_card_window.cpp",
     "readBox(text_[8], project_.jobActualTime[j])", "readBox(text_[9], project_.jobActualTime[j])"),
    ("card-next-past-last", "src/cards/job_card_window.cpp",
     "if (job > project_.edgeCount) {", "if (job > project_.edgeCount + 1) {"),
    ("card-focus-reason", "src/cards/job_card_window.cpp",
     "reason != Qt::ActiveWindowFocusReason && ", ""),
    ("print-description-lines", "src/print/printed_text.cpp",
     "descriptionLines = 11", "descriptionLines = 12"),
    ("print-pay-texts", "src/print/printed_text.cpp",
     'return "Pay at start of job";', 'return "Pay at end of job";'),
    ("print-cost-page", "src/print/printed_text.cpp",
     "costLinesPerPage = 50", "costLinesPerPage = 51"),
    ("print-options-swapped", "src/print/print_options_window.cpp",
     ".costTotals = box(4)->isChecked(),\n            .costJobs = box(6)->isChecked()",
     ".costTotals = box(6)->isChecked(),\n            .costJobs = box(4)->isChecked()"),
    ("mst-unstable-sort", "src/mst/kruskal.cpp",
     "jobs[j].weight > jobs[j + 1].weight", "jobs[j].weight >= jobs[j + 1].weight"),
    ("mst-relabel-direction", "src/mst/kruskal.cpp",
     "relabel(a, b); // the start", "relabel(b, a); // the start"),
    ("history-redo-keeps-old-start", "src/document/history.cpp",
     "if (canRedo()) {\n            steps_[position_].delta.absorb(delta);", "if (canRedo()) {"),
    ("history-limit", "src/document/history.cpp",
     "steps_.size() > kept", "steps_.size() >= kept"),
    ("history-arrow-slot-kept", "src/document/project_document.cpp",
     "withoutArrow.edgeFrom[job] = history_.state().edgeFrom[job];",
     "withoutArrow.edgeFrom[job] = project_.edgeFrom[job];"),
    ("save-leaves-unsaved", "src/document/project_document.cpp",
     "void ProjectDocument::saved(const QString& fileName) {\n    savedText_ = storedText(project_);",
     "void ProjectDocument::saved(const QString& fileName) {"),
    ("load-asks-nothing", "src/editor/file_commands.cpp",
     "void MainWindow::loa_Click() {\n    if (!unsavedWorkMayGo()) {",
     "void MainWindow::loa_Click() {\n    if (false) {"),
    ("restore-forgets-file", "src/editor/file_commands.cpp",
     "fileDialog_.fileName = fileName;", ""),
    ("broken-copy-offered-again", "src/document/left_copies.cpp",
     "QFile::rename(files_.project, aside);", ""),
    ("print-replaces-unasked", "src/print/print_target.cpp",
     "QFileInfo::exists(name)", "!QFileInfo::exists(name)"),
    ("card-indicator-unmarked", "src/cards/plain_indicator.cpp",
     "painter.drawRect(box);\n    if (button.isChecked()) {", "painter.drawRect(box);\n    if (false) {"),
    ("reader-job-to-itself", "src/model/project_file.cpp",
     "if (nodeSlot(to) <= nodeSlot(from)) {", "if (nodeSlot(to) < nodeSlot(from)) {"),
    ("load-keeps-tree-marks", "src/model/project_file.cpp",
     "current.edgeInTree.fill(0);", ""),
    ("network-merges-freely", "src/exchange/arrow_network.cpp",
     "return (onlyOut || onlyIn) && keepsStart", "return keepsStart"),
    ("network-covers-with-any-set", "src/exchange/arrow_network.cpp",
     "!std::includes(set.begin(), set.end(), part.begin(), part.end())) {", "false) {"),
    ("network-keeps-implied-links", "src/exchange/arrow_network.cpp",
     "{ return earlier[other][candidate]; }",
     "{ return earlier[other][candidate] && other == candidate; }"),
    ("numbers-by-height", "src/exchange/task_project.cpp",
     "std::pair(places[a].x, places[a].y) < std::pair(places[b].x, places[b].y)",
     "std::pair(places[a].y, places[a].x) < std::pair(places[b].y, places[b].x)"),
    ("csv-no-decimal-comma", "src/exchange/task_csv.cpp",
     "if (separator == ';' && std::count", "if (separator == '?' && std::count"),
    ("export-dummies-as-tasks", "src/exchange/task_project.cpp",
     "if (!isDummy(project, before)) {", "if (true) {"),
    ("import-refusal-status", "src/app/report_main.cpp",
     "describe(error, args.file) << '\\n';\n        return exitRefused;",
     "describe(error, args.file) << '\\n';\n        return exitUnwritten;"),
    ("unwritten-chart-refused", "src/app/report_main.cpp",
     "outcome == WindowOutcome::notLoaded ? exitRefused : exitUnwritten", "exitRefused"),
    ("export-drops-milestones", "src/exchange/task_project.cpp",
     "(title.empty() || title == \"...\")", "true"),
    ("export-negative-time", "src/exchange/task_project.cpp",
     "if (total < Currency()) {", "if (false) {"),
    ("history-keeps-undone-steps", "src/document/history.cpp",
     "        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());\n",
     ""),
    ("failed-save-clears-mark", "src/editor/file_commands.cpp",
     "    if (const auto failure = saveProjectFile(toStdString(path), project_)) {",
     "    document_.saved(path);\n    if (const auto failure = saveProjectFile(toStdString(path), project_)) {"),
    ("recovery-forgets-file", "src/document/project_document.cpp",
     "recovery_->keep(text, fileName_)", "recovery_->keep(text, {})"),
    ("import-counts-as-saved", "src/editor/file_commands.cpp",
     "document_.tookIn(QString());", "document_.opened(QString());"),
    ("taken-in-keeps-history", "src/document/project_document.cpp",
     "    history_ = History(project_);\n", ""),
    ("selection-lost-on-repaint", "src/editor/main_window.cpp",
     "if (project_.editMode == EditMode::select && selectionHolds()) {",
     "if (false) {"),
    ("zoomed-click-unscaled", "src/editor/canvas.cpp",
     "return (pixel + offset_) / zoom_ * twipsPerPixel;", "return (pixel + offset_) * twipsPerPixel;"),
    ("job-hit-farthest", "src/editor/chart_hits.cpp",
     "distance <= within && distance < nearest", "distance <= within && distance * 0 < nearest"),
    ("tidy-moves-nothing", "src/editor/mouse_editing.cpp", "    tidyLayout(project_);\n", ""),
    ("layout-ignores-arrows-over-nodes", "src/exchange/layout_refinement.cpp",
     "constexpr double clearance = chart_geometry::arrowClearance + 2;",
     "constexpr double clearance = 0;"),
    ("layout-arrow-upright", "src/exchange/layout_refinement.cpp",
     "last = std::min(last, columnOf_[end] - 1);", "last = std::min(last, columnOf_[end]);"),
    ("layout-stretch-off-centre", "src/exchange/network_layout.cpp",
     "const double top = box.top + (box.height - span * stretch) / 2;",
     "const double top = box.top + (box.height + span * stretch) / 2;"),
    ("layout-no-last-clearing", "src/exchange/layout_refinement.cpp",
     "    refiner.clearArrows();\n", ""),
    ("dummies-search-skips-one", "src/exchange/fewest_dummies.cpp",
     "best.dummyCount() - 1, anyCount", "best.dummyCount() - 2, anyCount"),
    ("dummies-search-never", "src/exchange/arrow_network.cpp",
     "constexpr std::size_t searchedExactly = 8;", "constexpr std::size_t searchedExactly = 0;"),
    ("xml-accrual-at-start-prorated", "src/exchange/ms_project_xml.cpp",
     "{payEvenly, payAtStart, payEvenly,", "{payEvenly, payEvenly, payEvenly,"),
    ("risk-triangular-branches-swapped", "src/risk/sampling.cpp",
     "if (u < modeShare_) {", "if (u > modeShare_) {"),
    ("risk-beta-shapes-swapped", "src/risk/sampling.cpp",
     "alphaGamma_ = GammaSampler(1 + 4 * belowShare);",
     "alphaGamma_ = GammaSampler(1 + 4 * aboveShare);"),
    ("risk-one-stream-for-all-blocks", "src/risk/sampling.cpp",
     "seed + (block + 1) * 0x9E3779B97F4A7C15u", "seed + (block * 0 + 1) * 0x9E3779B97F4A7C15u"),
    ("risk-exact-slack", "src/risk/risk_network.cpp",
     "return 1e-14 * static_cast<double>", "return 0 * static_cast<double>"),
    ("risk-early-below-zero", "src/risk/network_passes.cpp",
     "early.assign(finish_ + 1, 0.0);", "early.assign(finish_ + 1, -1e300);\n    early[1] = 0;"),
    ("risk-pert-least-variance", "src/risk/classic_pert.cpp",
     "variance > pathVariance[arc.to]", "variance < pathVariance[arc.to]"),
    ("risk-sensitivity-without-criticality", "src/risk/monte_carlo.cpp",
     "risk.criticality * risk.sigma / result.sigma", "risk.sigma / result.sigma"),
    ("risk-percentile-rank", "src/risk/monte_carlo.cpp",
     "(percent * runs + 99) / 100", "(percent * runs) / 100 + 1"),
    ("xml-count-after-reading", "src/exchange/ms_project_xml.cpp",
     "refuseTaskBeyondTables(++works, task.line);", "++works;"),
    ("import-jobs-floor-skipped", "src/exchange/task_project.cpp",
     "least > std::size_t{maxItems}) {", "least > std::size_t{maxItems} * 100) {"),
    ("import-first-problem-only", "src/exchange/task_list.h",
     "most = 20;", "most = 1;"),
    ("csv-column-hint-one-letter", "src/exchange/task_csv.cpp",
     "slip = 2;", "slip = 1;"),
    ("xml-inactive-links-dropped", "src/exchange/ms_project_xml.cpp",
     "row == Row::inactive ? place : none", "none"),
    ("risk-window-stores-waiting-row", "src/risk_window/risk_window.cpp",
     "waiting.arg(job).arg(waitingRows_[row]));\n        return;", "waiting.arg(job).arg(waitingRows_[row]));"),
    ("risk-window-never-refuses", "src/risk_window/risk_window.cpp",
     "            refuseWaitingRows(row);", ""),
    ("risk-window-cancel-ignored", "src/risk_window/risk_window.cpp",
     "    control_.cancel = true;\n}", "}"),
    ("risk-figures-never-stale", "src/risk/risk_report.cpp",
     "return drawnAlike(one) == drawnAlike(other);",
     "return drawnAlike(one).nodeCount == drawnAlike(other).nodeCount;"),
    ("use-estimates-most-likely", "src/risk/project_estimates.cpp",
     "static_cast<float>(pertMean(*estimate))", "static_cast<float>(estimate->mostLikely)"),
    ("plot-p50-mark-at-p80", "src/risk/risk_plots.cpp",
     "drawMark(surface, scale, p.p50,", "drawMark(surface, scale, p.p80,"),
    ("print-risk-box-ignored", "src/print/print_options_window.cpp",
     ".risk = box(7)->isChecked()", ".risk = false"),
    ("risk-report-seed-ignored", "src/app/report_main.cpp",
     "            settings.seed = *seed;", ""),
    ("crash-cell-emptied-keeps-cost", "src/crashing/time_cost_window.cpp",
     "            project_.jobCrashCost[j] = Currency();\n", ""),
    ("export-keeps-crash-beyond-time", "src/exchange/task_project.cpp",
     "crash.time >= 0 && crash.time <= task.time", "crash.time >= 0"),
    ("export-drops-indirect-silently", "src/exchange/task_project.cpp",
     "if (project.indirectCostPerWeek != Currency()) {",
     "if (project.indirectCostPerWeek < Currency()) {"),
    ("csv-half-given-columns", "src/exchange/task_csv.cpp",
     "if (given != 0 && static_cast", "if (given > 1 && static_cast"),
    ("floats-window-double-text", "src/schedule/floats_window.cpp",
     "new SortedItem(toQString(plainText(value)), value.toDouble())",
     "new SortedItem(QString::number(value.toDouble()), value.toDouble())"),
    ("free-float-share-of-time", "src/editor/free_float_marks.cpp",
     "length * free / (duration + free)", "length * free / (duration + free + 1)"),
    ("shading-outlives-window", "src/schedule/floats_window.cpp",
     "    shade_->setChecked(false);\n", ""),
    ("print-floats-option-refused", "src/app/report_main.cpp",
     '{"--cards", "--list", "--floats",', '{"--cards", "--list",'),
    ("print-floats-box-ignored", "src/print/print_options_window.cpp",
     ".floats = box(8)->isChecked()", ".floats = false"),
    ("layout-never-clears-off-grid", "src/exchange/network_layout.cpp",
     "nodeCount <= clearedUpTo", "nodeCount < 0"),
    ("annealing-ignores-arrows-over-nodes", "src/exchange/layout_refinement.cpp",
     "annealingOverNode = 3 * crossing;", "annealingOverNode = 0;"),
    ("annealing-one-run-only", "src/exchange/layout_refinement.cpp",
     "work + steps * static_cast<double>(arrows_.size()) <= annealingWork;", "work == 0;"),
    ("extras-always-version-2", "src/model/file_extras.cpp",
     "(crashes || indirect ? 2 : 1)", "2"),
]
ROOT = Path(__file__).resolve().parent.parent


def run(args, cwd, env=None):
    return subprocess.run(args, cwd=cwd, env=env, capture_output=True, text=True)


def refresh_copy(scratch):
    """Copies the tracked files of the work tree (uncommitted changes too)."""
    files = run(["git", "ls-files", "-z"], ROOT).stdout.split("\0")
    for name in filter(None, files):
        source = ROOT / name
        if not source.is_file():
            continue
        target = scratch / name
        target.parent.mkdir(parents=True, exist_ok=True)
        if not target.exists() or target.read_bytes() != source.read_bytes():
            # A new time, so that the build sees the file changed even where an
            # interrupted run left the copy newer than its source.
            shutil.copy(source, target)


def build_and_test(scratch):
    build = scratch / "build"
    if not (build / "build.ninja").exists():
        made = run(["cmake", "-S", ".", "-B", "build", "-G", "Ninja"], scratch)
        if made.returncode != 0:
            sys.exit("cmake failed:\n" + made.stdout + made.stderr)
    built = run(["cmake", "--build", "build"], scratch)
    if built.returncode != 0:
        return None
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    tested = run(["ctest", "--timeout", "120"], build, env)
    return sorted(set(re.findall(r"\d+ - (\S+) \(", tested.stdout)))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    scratch = Path(sys.argv[1]).resolve()
    wanted = set(sys.argv[2:])
    scratch.mkdir(parents=True, exist_ok=True)
    refresh_copy(scratch)
    clean = build_and_test(scratch)
    if clean is None or clean:
        sys.exit(f"the suite does not pass without a fault: {clean}")
    for name, file, before, after in FAULTS:
        if wanted and name not in wanted:
            continue
        path = scratch / file
        original = path.read_text()
        if original.count(before) != 1:
            print(f"{name:30} stale: the text is not found exactly once in {file}", flush=True)
            continue
        path.write_text(original.replace(before, after))
        try:
            failed = build_and_test(scratch)
        finally:
            path.write_text(original)
        if failed is None:
            verdict = "does not build"
        elif failed:
            verdict = "caught by " + " ".join(failed)
        else:
            verdict = "NOT CAUGHT"
        print(f"{name:30} {verdict}", flush=True)
    build_and_test(scratch)  # leaves the copy built without a fault


if __name__ == "__main__":
    main()
