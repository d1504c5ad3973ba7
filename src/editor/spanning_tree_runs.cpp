// The main window's spanning-tree tools: the two hidden labels run Kruskal's
// algorithm step by step, pausing after every job taken into the tree.

#include "editor/main_window.h"
#include "platform/qt_text.h"

#include <QListWidget>
#include <QTimer>

namespace arrowplan {

void MainWindow::Label2_Click() {
    startKruskal(KruskalVariant::fromCounter);
}

void MainWindow::Label1_Click() {
    startKruskal(KruskalVariant::ownSubtrees);
}

void MainWindow::startKruskal(KruskalVariant variant) {
    if (kruskal_) {
        return; // a run is pausing: one run at a time
    }
    abandonHalfMadeArrow();
    clearList();
    kruskal_ = std::make_unique<KruskalRun>(project_, variant, subtreeCounter_);
    stepKruskal([this] { continueKruskal(); });
}

// A step that fails (a node number beyond the tables) ends the run, so the
// labels start the next one.
void MainWindow::stepKruskal(const std::function<void()>& step) {
    try {
        step();
    } catch (...) {
        kruskal_.reset();
        timer1_->stop();
        throw;
    }
}

// Examines sorted jobs until one goes into the tree, which pauses the run
// until Timer1 ticks; a job that would close a cycle goes on at once.
void MainWindow::continueKruskal() {
    for (;;) {
        const bool intoTree = kruskal_->begin();
        if (intoTree) {
            timer1_->start();
            prompts_.beep();
            listKruskalLines();
            return;
        }
        if (finishKruskalStep()) {
            return;
        }
    }
}

// Lists the step's subtrees; ends the run when it is over.
bool MainWindow::finishKruskalStep() {
    const bool over = kruskal_->end();
    listKruskalLines();
    if (over) {
        kruskal_.reset();
    }
    return over;
}

void MainWindow::listKruskalLines() {
    list_->addItems(toQStringList(kruskal_->takeLines()));
}

// The pause is over: the tree so far in blue, then the run goes on.
void MainWindow::Timer1_Timer() {
    cmdRedraw_Click();
    timer1_->stop();
    if (kruskal_) {
        stepKruskal([this] {
            if (!finishKruskalStep()) {
                continueKruskal();
            }
        });
    }
}

} // namespace arrowplan
