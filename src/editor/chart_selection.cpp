// The main window's Select mode: a click chooses a node or a job on the
// chart, which is then edited in place: a job's time, delay and title in one
// small editor, its card, its deletion; a node dragged or nudged. Every change
// is one step of the history, made through the document as every command is.

#include "cards/job_card_window.h"
#include "editor/canvas.h"
#include "editor/chart.h"
#include "editor/chart_hits.h"
#include "editor/main_window.h"
#include "platform/qt_text.h"
#include "platform/twips.h"
#include "platform/typed_number.h"
#include "schedule/cpm.h"

#include <QCursor>
#include <QLocale>
#include <QMenu>

#include <cmath>

namespace arrowplan {

namespace {

// A click this near a job's line picks the job.
constexpr double jobReach = 120;
// The arrow keys move a node this far.
constexpr float nudgeStep = 15;
// A press and a release nearer than this are a click, not a drag.
constexpr double dragThreshold = 2 * twipsPerPixel;
// Significant digits a typed time or delay shows in the editor.
constexpr int shownDigits = 10;

const QString editStep = QStringLiteral("Edit Job");
const QString deleteStep = QStringLiteral("Delete Job");
const QString moveStep = QStringLiteral("Move Node");
const QString cardStep = QStringLiteral("Job Card");
const QString notTyped =
    QStringLiteral("The time and the delay must be numbers the schedule can add up.");

QString shownNumber(double value) {
    return QLocale().toString(value, 'g', shownDigits);
}

} // namespace

void MainWindow::mnuSelect_Click() {
    if (project_.edgeStarted == 1 || moveSelected_ == 1) {
        return; // a half-made arrow or move is finished or taken back first
    }
    project_.editMode = EditMode::select;
    markActiveMode(nullptr);
    canvas_->setFocusPolicy(Qt::ClickFocus);
    canvas_->setFocus();
}

bool MainWindow::selectionHolds() const {
    switch (selection_.kind) {
    case ChartSelection::Kind::node:
        return selection_.index >= 1 && selection_.index <= project_.nodeCount;
    case ChartSelection::Kind::job:
        return selection_.index >= 1 && selection_.index <= project_.edgeCount;
    case ChartSelection::Kind::none:
        break;
    }
    return false;
}

void MainWindow::select(ChartSelection chosen) {
    selection_ = chosen;
    cmdRedraw_Click();
}

void MainWindow::leaveSelection() {
    canvas_->setFocusPolicy(Qt::NoFocus);
    if (selection_.kind != ChartSelection::Kind::none) {
        select({});
    }
}

QString MainWindow::selectionFigures() const {
    if (!selectionHolds()) {
        return {};
    }
    return toQString(selection_.kind == ChartSelection::Kind::node
                         ? nodeFigures(project_, selection_.index)
                         : jobFigures(project_, selection_.index));
}

QString MainWindow::figuresAt(QPointF at) const {
    if (const int node = nodeAt(project_, at.x(), at.y()); node != 0) {
        return toQString(nodeFigures(project_, node));
    }
    if (const int job = jobNear(project_, at.x(), at.y(), jobReach); job != 0) {
        return toQString(jobFigures(project_, job));
    }
    return {};
}

void MainWindow::pressToSelect(Qt::MouseButton button, float x, float y) {
    const int node = nodeAt(project_, x, y);
    const int job = node != 0 ? 0 : jobNear(project_, x, y, jobReach);
    select(node != 0  ? ChartSelection{ChartSelection::Kind::node, node}
           : job != 0 ? ChartSelection{ChartSelection::Kind::job, job}
                      : ChartSelection{});
    dragFrom_.reset();
    if (button == Qt::LeftButton && node != 0) {
        dragFrom_ = QPointF(x, y);
    }
    if (button == Qt::RightButton && selection_.kind != ChartSelection::Kind::none) {
        showSelectionMenu(QCursor::pos());
    }
}

// While a node is dragged the chart shows where it would land; only the
// release moves it.
void MainWindow::dragTo(QPointF at) {
    if (!dragFrom_ || selection_.kind != ChartSelection::Kind::node || !selectionHolds()) {
        return;
    }
    cmdRedraw_Click();
    drawNodeRing(*surface_, at.x(), at.y());
    showDrawing();
}

void MainWindow::dropAt(QPointF at) {
    if (!dragFrom_) {
        return;
    }
    const QPointF from = *dragFrom_;
    dragFrom_.reset();
    if (std::hypot(at.x() - from.x(), at.y() - from.y()) < dragThreshold ||
        selection_.kind != ChartSelection::Kind::node || !selectionHolds()) {
        cmdRedraw_Click();
        return;
    }
    document_.run(moveStep, [&] {
        project_.nodeX[selection_.index] = static_cast<float>(at.x());
        project_.nodeY[selection_.index] = static_cast<float>(at.y());
        cmdRedraw_Click();
    });
}

void MainWindow::nudge(float dx, float dy) {
    document_.run(moveStep, [&] {
        project_.nodeX[selection_.index] += dx;
        project_.nodeY[selection_.index] += dy;
        cmdRedraw_Click();
    });
}

// Tab and Shift+Tab walk the nodes, then the jobs, in number order, round.
void MainWindow::walkSelection(bool forward) {
    const int nodes = project_.nodeCount;
    const int total = nodes + project_.edgeCount;
    if (total == 0) {
        return;
    }
    int place = !selectionHolds()                               ? (forward ? -1 : 0)
                : selection_.kind == ChartSelection::Kind::node ? selection_.index - 1
                                                                : nodes + selection_.index - 1;
    place = ((place + (forward ? 1 : -1)) % total + total) % total;
    select(place < nodes ? ChartSelection{ChartSelection::Kind::node, place + 1}
                         : ChartSelection{ChartSelection::Kind::job, place - nodes + 1});
}

bool MainWindow::selectionKey(int key, Qt::KeyboardModifiers modifiers) {
    if (project_.editMode != EditMode::select) {
        return false;
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        document_.run({}, [&] { walkSelection(key == Qt::Key_Tab); });
        return true;
    }
    if (!selectionHolds()) {
        return false;
    }
    const int index = selection_.index;
    if (selection_.kind == ChartSelection::Kind::job) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (modifiers & Qt::ControlModifier) {
                document_.run(cardStep, [&] { openCardAt(index); });
            } else {
                document_.run(editStep, [&] { editJob(index); });
            }
            return true;
        }
        if (key == Qt::Key_Delete) {
            document_.run(deleteStep, [&] { deleteSelectedJob(index); });
            return true;
        }
        return false;
    }
    const float left = key == Qt::Key_Left ? -nudgeStep : key == Qt::Key_Right ? nudgeStep : 0;
    const float down = key == Qt::Key_Up ? -nudgeStep : key == Qt::Key_Down ? nudgeStep : 0;
    if (left == 0 && down == 0) {
        return false;
    }
    nudge(left, down);
    return true;
}

void MainWindow::editSelectedAt(QPointF at) {
    if (project_.editMode == EditMode::select && selection_.kind == ChartSelection::Kind::job &&
        selectionHolds() && jobNear(project_, at.x(), at.y(), jobReach) == selection_.index) {
        const int job = selection_.index;
        document_.run(editStep, [&] { editJob(job); });
    }
}

// The time and the delay as the walk reads a typed time; the title cut to
// a job title's width. All three or nothing, then the schedule.
void MainWindow::editJob(int job) {
    abandonHalfMadeArrow();
    const JobEntry shown{shownNumber(project_.edgeWeight[job]),
                         shownNumber(project_.jobDelay[job].toDouble()),
                         toQString(project_.jobTitle[job].trimmed())};
    const std::optional<JobEntry> typed = prompts_.editJob(shown, "Job " + QString::number(job));
    if (!typed) {
        return;
    }
    const std::optional<float> time = typedSingle(typed->time);
    const std::optional<float> delay = typedSingle(typed->delay);
    if (!time || !delay || !fitsSchedule(*time, Currency::fromFloat(*delay))) {
        prompts_.message(notTyped, appTitle);
        return;
    }
    project_.edgeWeight[job] = *time;
    project_.jobDelay[job] = Currency::fromFloat(*delay);
    project_.jobTitle[job] = JobTitle(toStdString(typed->title));
    cmdCPM_Click();
}

void MainWindow::openCardAt(int job) {
    cmdedit_Click();
    project_.currentJob = static_cast<std::int16_t>(job);
    cards_->process();
}

void MainWindow::deleteSelectedJob(int job) {
    abandonHalfMadeArrow();
    if (!deleteConfirmed(prompts_)) {
        return;
    }
    deleteJob(project_, job);
    selection_ = {};
    refreshShownCounts();
    cmdCPM_Click();
}

// The menu is shown without waiting for it: each of its commands runs as a
// command of its own, and a new right click replaces it.
void MainWindow::showSelectionMenu(QPoint where) {
    if (!selectionHolds()) {
        return;
    }
    const int index = selection_.index;
    if (!selectionMenu_) {
        selectionMenu_ = new QMenu(this);
        selectionMenu_->setObjectName("selectionMenu");
    }
    selectionMenu_->clear();
    if (selection_.kind == ChartSelection::Kind::node) {
        selectionMenu_->addAction(selectionFigures())->setEnabled(false);
    } else {
        const auto item = [&](const char* name, const QString& caption, const QString& step,
                              const QKeySequence& keys, const std::function<void()>& command) {
            QAction* action = selectionMenu_->addAction(caption);
            action->setObjectName(name);
            action->setShortcut(keys);
            connect(action, &QAction::triggered, this, document_.guarded(step, command));
        };
        item("editJob", "&Edit Job...", editStep, QKeySequence(Qt::Key_Return),
             [this, index] { editJob(index); });
        item("jobCard", "Job &Card", cardStep, QKeySequence(Qt::CTRL | Qt::Key_Return),
             [this, index] { openCardAt(index); });
        item("deleteJob", "&Delete Job", deleteStep, QKeySequence(Qt::Key_Delete),
             [this, index] { deleteSelectedJob(index); });
    }
    selectionMenu_->popup(where);
}

} // namespace arrowplan
