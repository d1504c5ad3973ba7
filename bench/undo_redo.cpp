// Edit > Undo and Redo on the largest project with long descriptions, as the
// user gets them: the real main window offscreen, the project loaded from its
// file as Load does, and each menu item triggered as a click or Ctrl+Z does,
// so that the whole path runs (the tables restored, the counts, CPM, the full
// redraw, the listing) and the window paints what it shows.

#include "editor/main_window.h"
#include "largest_project.h"
#include "model/project_file.h"
#include "platform/scripted_prompts.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>

using namespace arrowplan;

namespace {

// The main window with the largest project loaded and job 1 deleted as the
// card's DELETE deletes it: every later job, long description and all, moves
// down a slot, so undoing and redoing the step moves them all again.
struct WindowAfterADelete {
    testing::ScriptedPrompts prompts;
    ProjectDocument document{prompts};
    Project& project = document.project();
    MainWindow window{document, prompts};
    QTemporaryDir folder;

    WindowAfterADelete() {
        window.show();
        QApplication::processEvents();
        const QString path = folder.filePath("largest.cpm");
        std::ofstream(path.toStdString(), std::ios::binary)
            << storedText(largestProjectWithLongDescriptions());
        window.loadFile(path);
        document.run("Delete", [this] {
            deleteJob(project, 1);
            window.cmdCPM_Click();
        });
    }

    // The menu item's command, until the window has painted what it shows.
    std::chrono::duration<double> timed(const char* item) {
        const auto start = std::chrono::steady_clock::now();
        window.findChild<QAction*>(item)->trigger();
        QApplication::processEvents();
        return std::chrono::steady_clock::now() - start;
    }
};

// Undo and redo alternate; only the item under test is timed. Each must move
// the jobs, or the figure would time a command that did nothing.
void undoRedo(benchmark::State& state, bool timeUndo) {
    WindowAfterADelete shown;
    const std::string firstAfterDelete = longDescription(2);
    if (shown.project.jobNotes[1] != firstAfterDelete) {
        state.SkipWithError("the largest project did not load");
        return;
    }
    for (auto _ : state) {
        const auto undone = shown.timed("mnuUndo");
        const bool restored = shown.project.edgeCount == maxItems;
        const auto redone = shown.timed("mnuRedo");
        const bool deletedAgain = shown.project.jobNotes[1] == firstAfterDelete;
        if (!restored || !deletedAgain || !shown.prompts.asked.isEmpty()) {
            state.SkipWithError("undo or redo did not move the jobs");
            break;
        }
        state.SetIterationTime((timeUndo ? undone : redone).count());
    }
}
BENCHMARK_CAPTURE(undoRedo, undoDeleteOfJob1, true)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(undoRedo, redoDeleteOfJob1, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
