#include "editor/main_window.h"

#include "cards/job_card_window.h"
#include "crashing/time_cost_window.h"
#include "editor/about_box.h"
#include "editor/canvas.h"
#include "editor/chart.h"
#include "editor/free_float_marks.h"
#include "platform/locale_currency.h"
#include "platform/printer_surface.h"
#include "platform/qt_text.h"
#include "platform/twips.h"
#include "platform/window_font.h"
#include "print/print_options_window.h"
#include "risk_window/risk_window.h"
#include "schedule/cpm.h"
#include "schedule/floats_window.h"
#include "schedule/listing.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace arrowplan {

namespace {

// The pause after each job taken into the spanning tree.
constexpr int pauseLength = 2000;

const QString redrawStep = QStringLiteral("Redraw");
const QString exitStep = QStringLiteral("Exit");

// A press on the drawing surface is a step named after the mouse mode.
QString pressStep(EditMode mode) {
    switch (mode) {
    case EditMode::addNode:
        return QStringLiteral("Add Node");
    case EditMode::addEdge:
        return QStringLiteral("Add Edge");
    case EditMode::moveNode:
        return QStringLiteral("Move Node");
    case EditMode::select:
        return QStringLiteral("Select");
    case EditMode::none:
        break;
    }
    return {};
}

const char* const nodesCaption = "Nodes=";
const char* const edgesCaption = "Edges=";

} // namespace

MainWindow::MainWindow(ProjectDocument& document, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), document_(document), project_(document.project()), prompts_(prompts),
      screen_(colours::windowBack, fromQColor(QApplication::palette().color(QPalette::Highlight)),
              [this] { return frameGeometry().size(); }),
      fileDialog_{"CPM_FILES(*.cpm)", "cpm", "*.cpm"},
      importDialog_{"Task lists (*.csv *.xml);;CSV tables (*.csv);;MS Project XML (*.xml);;All "
                    "files (*)",
                    "", ""},
      endProgram_([] { QCoreApplication::exit(0); }) {
    setObjectName("frmCPM");
    setWindowTitle(appTitle + "[*]"); // the mark of unsaved work
    setFont(windowFont());

    canvas_ = new Canvas(screen_, this);
    canvas_->setObjectName("canvas");
    setCentralWidget(canvas_);
    connect(canvas_, &Canvas::pictureLost, this,
            document_.guarded(redrawStep, [this] { cmdRedraw_Click(); }));
    connect(canvas_, &Canvas::pressed, this, [this](Qt::MouseButton button, QPointF at) {
        document_.run(pressStep(project_.editMode), [&] {
            Form_MouseDown(button, static_cast<float>(at.x()), static_cast<float>(at.y()));
        });
    });
    connect(canvas_, &Canvas::resized, this, [this] { keepBottomControlsDown(); });
    connect(canvas_, &Canvas::dragged, this, [this](QPointF at) { dragTo(at); });
    connect(canvas_, &Canvas::released, this, [this](QPointF at) { dropAt(at); });
    connect(canvas_, &Canvas::doubleClicked, this, [this](QPointF at) { editSelectedAt(at); });
    canvas_->setKeyHandler(
        [this](int key, Qt::KeyboardModifiers modifiers) { return selectionKey(key, modifiers); });
    canvas_->setFiguresAt([this](QPointF at) { return figuresAt(at); });
    connect(&document_, &ProjectDocument::commandEnded, this, [this] {
        refreshShownCounts();
        canvas_->setChartExtent(chartExtent());
        showDrawing();
        describeChart();
    });
    connect(&document_, &ProjectDocument::stateChanged, this, [this] { showHistory(); });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        document_.run(exitStep, [&] { commitData(manager); });
    });

    buildToolbar();
    buildListAndLabels();
    buildMenus();

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(pauseLength);
    timer1_->setSingleShot(true);
    connect(timer1_, &QTimer::timeout, this,
            document_.guarded(QStringLiteral("Spanning Tree"), [this] { Timer1_Timer(); }));

    // Start-up: the window's fill colour, no mouse mode, no nodes.
    surface_->setFillColour(colours::nodeFill);
    project_.editMode = EditMode::none;
    project_.nodeCount = 0;
    project_.edgeStarted = 0;

    resize(pixels(clientWidth), pixels(clientHeight) + menuBar()->sizeHint().height());

    // The window system asks for the window to be painted (first show,
    // uncovered, restored from an icon) with an expose of its native window;
    // a repaint the program asks for itself comes as an update and only
    // shows the picture.
    create();
    windowHandle()->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

const QImage& MainWindow::canvasImage() {
    screen_.finish();
    return canvas_->image();
}

QPushButton* MainWindow::button(const char* name) const {
    return findChild<QPushButton*>(name);
}

// Each new listing shows from its first line, wherever the last one was scrolled to.
void MainWindow::clearList() {
    list_->clear();
    list_->scrollToTop();
}

// Every paint request of the window system redraws the chart from the
// tables before Qt paints the exposed part (from its backing store, with no
// paint event), so marks drawn since the last redraw are gone, as the design
// has it.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        document_.run(redrawStep, [this] { cmdRedraw_Click(); });
        emit exposed();
    }
    return QMainWindow::eventFilter(watched, event);
}

// The window's close box: as Exit, and the window stays when the user keeps
// the unsaved work.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (!isEnabled()) {
        // The job card is open: it has the user's typing, and keeps it.
        event->ignore();
        cards_->raise();
        cards_->activateWindow();
        return;
    }
    bool ended = false;
    document_.run(exitStep, [&] { ended = endOnceWorkMayGo(); });
    event->setAccepted(ended);
}

// The card writes back every figure it shows: a time changed meanwhile in
// the risk window (Use the Estimates) would be overwritten.
void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && risk_) {
        risk_->setEnabled(isEnabled());
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::showNodeCount() {
    button("cmdNode")->setText(nodesCaption + QString::number(project_.nodeCount));
}

void MainWindow::showEdgeCount() {
    button("cmdEdge")->setText(edgesCaption + QString::number(project_.edgeCount));
}

void MainWindow::refreshShownCounts() {
    if (button("cmdNode")->text().startsWith(nodesCaption)) {
        showNodeCount();
    }
    if (button("cmdEdge")->text().startsWith(edgesCaption)) {
        showEdgeCount();
    }
}

void MainWindow::cmdNode_Click() {
    project_.editMode = EditMode::addNode;
    showNodeCount();
    markActiveMode(button("cmdNode"));
}

void MainWindow::cmdEdge_Click() {
    project_.editMode = EditMode::addEdge;
    abandonHalfMadeArrow();
    showEdgeCount();
    markActiveMode(button("cmdEdge"));
}

void MainWindow::cmdmove_Click() {
    project_.editMode = EditMode::moveNode;
    markActiveMode(button("cmdmove"));
}

void MainWindow::cmdRedraw_Click() {
    drawChart(project_, *surface_);
    if (askedJob_ != 0) {
        highlightJob(askedJob_); // the user is typing its value
    }
    if (project_.editMode == EditMode::select && selectionHolds()) {
        drawSelectionMark(project_, *surface_, selection_);
    }
    if (freeFloatsShaded_) {
        drawFreeFloats(project_, *surface_);
    }
}

void MainWindow::shadeFreeFloats(bool shaded) {
    freeFloatsShaded_ = shaded;
    document_.run(redrawStep, [this] { cmdRedraw_Click(); });
}

void MainWindow::cmdCPM_Click() {
    abandonHalfMadeArrow();
    clearList();
    projectLength_.reset(); // a schedule that fails has no length
    computeSchedule(project_);
    projectLength_ = project_.earlyTime[project_.nodeCount];
    cmdRedraw_Click();
    list_->addItems(toQStringList(listingLines(project_)));
}

// An emptied project (New, Start Over) has no length until the next CPM run.
void MainWindow::describeChart() {
    if (project_.nodeCount == 0) {
        projectLength_.reset();
    }
    canvas_->describe(project_, projectLength_, selectionFigures());
}

std::vector<std::string> MainWindow::listedLines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < list_->count(); ++i) {
        lines.push_back(toStdString(list_->item(i)->text()));
    }
    return lines;
}

void MainWindow::cmdcoster_Click() {
    abandonHalfMadeArrow();
    clearList();
    CostSections sections;
    if (project_.printingCosts == 1) {
        const PrintChoices ticked = printOptions().choices();
        sections = {ticked.costTotals, ticked.costJobs};
    }
    list_->addItems(
        toQStringList(weeklyCostLines(project_, sections, currencyFormatOf(QLocale()))));
}

// The window system keeps a dialog-type window above the one it is
// transient for; a window of another type gets no such hint.
template <typename Window, typename... Args>
Window& MainWindow::ownWindow(std::unique_ptr<Window>& window, Args&&... args) {
    if (!window) {
        window = std::make_unique<Window>(std::forward<Args>(args)...);
        window->setWindowFlag(Qt::Dialog);
        window->winId();
        window->windowHandle()->setTransientParent(windowHandle());
    }
    return *window;
}

void MainWindow::showAbove(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

void MainWindow::cmdedit_Click() {
    abandonHalfMadeArrow();
    showAbove(ownWindow(cards_, document_, prompts_, *this, *this));
    setEnabled(false);
}

void MainWindow::abt_Click() {
    showAbove(ownWindow(about_));
}

void MainWindow::mnuFloats_Click() {
    cmdCPM_Click();
    FloatsWindow& window = ownWindow(floats_, document_, *this);
    window.refill();
    showAbove(window);
}

void MainWindow::mnuTimeCost_Click() {
    abandonHalfMadeArrow();
    TimeCostWindow& window = ownWindow(timeCost_, document_, *this);
    window.refill();
    showAbove(window);
}

void MainWindow::mnuUndo_Click() {
    stepThroughHistory(true);
}

void MainWindow::mnuRedo_Click() {
    stepThroughHistory(false);
}

// An undo or redo while an arrow is half-made drops the arrow first.
void MainWindow::stepThroughHistory(bool back) {
    abandonHalfMadeArrow();
    if (back ? !document_.canUndo() : !document_.canRedo()) {
        return;
    }
    back ? document_.undo() : document_.redo();
    selection_ = {}; // its node or job may be another one now, or gone
    cmdCPM_Click();
}

PrintOptionsWindow& MainWindow::printOptions() {
    return ownWindow(printOptions_, document_, prompts_, *this);
}

RiskWindow& MainWindow::riskWindow() {
    return ownWindow(risk_, document_, prompts_, *this);
}

void MainWindow::mnuRisk_Click() {
    abandonHalfMadeArrow();
    showAbove(riskWindow());
}

RiskFigures MainWindow::riskFigures() {
    abandonHalfMadeArrow();
    if (const RiskFigures* shown = risk_ ? risk_->currentFigures() : nullptr) {
        return *shown;
    }
    return *analyseRisk(project_, risk_ ? risk_->lastSettings() : MonteCarloOptions{});
}

void MainWindow::pr_Click() {
    showAbove(printOptions());
}

void MainWindow::prnt(QPrinter& printer) {
    prompts_.beep();
    printLandscape(printer, QSizeF(screen_.outerWidth(), screen_.outerHeight()),
                   [this](Surface& page) { drawChart(project_, page, ChartTarget::page); });
    surface_->setDrawColour(colours::black);
}

} // namespace arrowplan
