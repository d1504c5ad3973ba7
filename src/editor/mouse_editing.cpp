// The main window's mouse editing: a press on the drawing surface adds a
// node, draws an arrow in two clicks or moves a node in two clicks, as the
// mouse mode says.

#include "editor/chart.h"
#include "editor/main_window.h"
#include "exchange/task_project.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

namespace arrowplan {

namespace {

constexpr double hitRadius = 200;

const QString missedNode = QStringLiteral("Please try again");
const QString tooManyNodes = QStringLiteral("A project holds at most 100 nodes.");
const QString tooManyJobs = QStringLiteral("A project holds at most 100 jobs.");

} // namespace

void MainWindow::Form_MouseDown(Qt::MouseButton button, float x, float y) {
    clickX_ = x;
    // Rounded half to even, as the window delivered whole twips; no surface
    // is taller than the 16-bit range.
    clickY_ = static_cast<std::int16_t>(std::clamp(std::nearbyint(y), -32768.0f, 32767.0f));
    switch (project_.editMode) {
    case EditMode::addNode:
        addNode(x, y);
        break;
    case EditMode::addEdge:
        if (project_.edgeStarted == 0) {
            chooseArrowStart();
        } else {
            chooseArrowEnd(button);
        }
        break;
    case EditMode::moveNode:
        moveNode(x, y);
        break;
    case EditMode::select:
        pressToSelect(button, x, y);
        break;
    case EditMode::none:
        break;
    }
}

void MainWindow::addNode(float x, float y) {
    if (project_.nodeCount >= maxItems) {
        prompts_.message(tooManyNodes, appTitle);
        return;
    }
    const int n = ++project_.nodeCount;
    showNodeCount();
    project_.nodeX[n] = x;
    project_.nodeY[n] = y;
    project_.nodeNumber[n] = static_cast<float>(n);
    drawNode(project_, *surface_, n);
}

void MainWindow::chooseArrowStart() {
    if (project_.edgeCount >= maxItems) {
        prompts_.message(tooManyJobs, appTitle);
        return;
    }
    finder();
    if (foundNode_ != 0) {
        markNode(foundNode_, colours::highlight);
        surface_->setFillColour(colours::nodeFill);
    }
    // The new job is counted from this moment.
    const int job = ++project_.edgeCount;
    project_.edgeFrom[job] = Currency::fromWhole(foundNode_);
    if (nodeMissed_ == 1 || foundNode_ == project_.nodeCount) {
        // No arrow may leave the highest-numbered node.
        if (foundNode_ != 0) {
            markNode(foundNode_, colours::nodeFill);
        }
        project_.edgeStarted = 0;
        project_.edgeFrom[job] = Currency();
        --project_.edgeCount;
        showEdgeCount();
        letPendingEventsRun();
        return;
    }
    showEdgeCount();
    project_.edgeStarted = 1;
}

void MainWindow::chooseArrowEnd(Qt::MouseButton button) {
    const int job = project_.edgeCount;
    const long long start = nodeSlot(project_.edgeFrom[job]);
    finder();
    markNode(static_cast<int>(start), colours::nodeFill);
    letPendingEventsRun();
    if (project_.edgeStarted == 0 || project_.edgeCount != job) {
        return; // a command run meanwhile has taken the arrow back already
    }
    const std::int16_t end = foundNode_;
    const bool missed = nodeMissed_ == 1;
    project_.edgeStarted = 0;
    if (missed || end <= start || button == Qt::RightButton) {
        --project_.edgeCount;
        showEdgeCount();
        return;
    }
    project_.edgeTo[job] = Currency::fromWhole(end);
    drawArrow(project_, *surface_, job);
}

void MainWindow::moveNode(float x, float y) {
    if (moveSelected_ == 0) {
        finder();
        if (nodeMissed_ == 1) {
            return;
        }
        markNode(foundNode_, colours::highlight);
        // Back to the normal fill at once, so a node added before the move
        // is placed is not filled yellow.
        surface_->setFillColour(colours::nodeFill);
        // Kept apart from the hit test's result, so that an Add Edge click in
        // between does not change which node moves.
        movingNode_ = foundNode_;
        moveSelected_ = 1;
        return;
    }
    project_.nodeX[movingNode_] = x;
    project_.nodeY[movingNode_] = y;
    moveSelected_ = 0;
    cmdRedraw_Click();
}

// Reads the jobs, so a half-made arrow is taken back first, as every such
// command does; then only the nodes move.
void MainWindow::mnuTidy_Click() {
    abandonHalfMadeArrow();
    tidyLayout(project_);
    cmdRedraw_Click();
}

void MainWindow::finder() {
    foundNode_ = 0;
    nodeMissed_ = 0;
    // The scan goes on after a hit, so of overlapping nodes the highest-numbered wins.
    for (int i = 1; i <= project_.nodeCount; ++i) {
        const double dx = static_cast<double>(clickX_) - project_.nodeX[i];
        const double dy = static_cast<double>(project_.nodeY[i]) - clickY_;
        if (std::sqrt(dx * dx + dy * dy) < hitRadius) {
            foundNode_ = static_cast<std::int16_t>(i);
        }
    }
    if (foundNode_ == 0) {
        prompts_.message(missedNode, appTitle);
        nodeMissed_ = 1;
    }
}

// A chosen node is filled yellow, and filled back when it is let go; either
// way it is outlined in black.
void MainWindow::markNode(int n, Colour fill) {
    surface_->setFillColour(fill);
    surface_->setDrawColour(colours::black);
    drawNode(project_, *surface_, n);
}

void MainWindow::showDrawing() {
    screen_.finish();
    centralWidget()->update();
}

// Repaints and timers may run here; the user's clicks and keys wait, so no
// other command starts in the middle of this one.
void MainWindow::letPendingEventsRun() {
    showDrawing();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::abandonHalfMadeArrow() {
    if (project_.edgeStarted == 0) {
        return;
    }
    project_.edgeStarted = 0;
    markNode(static_cast<int>(nodeSlot(project_.edgeFrom[project_.edgeCount])), colours::nodeFill);
    --project_.edgeCount;
    showEdgeCount();
}

} // namespace arrowplan
