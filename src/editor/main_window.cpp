#include "editor/main_window.h"

#include "cards/job_card_window.h"
#include "editor/about_box.h"
#include "editor/canvas.h"
#include "editor/caption_button.h"
#include "editor/chart.h"
#include "editor/clickable_label.h"
#include "model/project_file.h"
#include "platform/locale_currency.h"
#include "platform/printer_surface.h"
#include "platform/qt_text.h"
#include "platform/twips.h"
#include "platform/window_font.h"
#include "print/print_options_window.h"
#include "schedule/cpm.h"
#include "schedule/listing.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace arrowplan {

namespace {

constexpr Colour buttonBack = 0xEDF7E6;
constexpr Colour activeButtonBack = colours::white;
constexpr Colour toolbarBack = 0xBA7425;

// The client area that shows every control: the toolbar is 11895 twips wide
// and the bottom labels reach down to 8055.
constexpr int clientWidth = 12000;
constexpr int clientHeight = 8175;

struct ButtonDesign {
    const char* name;
    const char* caption;
    int left;
    int width;
    const char* tooltip;
};

// All ten stand at top 240 in the toolbar, 495 twips high.
constexpr ButtonDesign toolbarButtons[] = {
    {"cmdNode", "Add Node", 120, 975, "Add Node"},
    {"cmdEdge", "Add Edge (Jobs)", 1320, 975, "Connect a node to another node"},
    {"cmdmove", "Move Node", 2520, 735, "Click to select and again to move"},
    {"cmdWeight", "Enter Expected Times", 3480, 1215, "Enter time for highlighted arrow"},
    {"cmdtitle", "Enter Job Titles", 4920, 1095, "Type titles for highlighted jobs"},
    {"cmdRedraw", "Redraw", 6240, 735, "Clicking is fun "},
    {"cmdCPM", "CPM", 7200, 735, "Calculate CPM data"},
    {"cmdcoster", "Weekly Costs", 8160, 735, "Calculate cost data"},
    {"cmdedit", "Edit Job List", 9120, 1095, "Edit 3x5 job cards"},
    {"cmdExit", "Exit", 10800, 735, "Exit the program"},
};

// The pause after each job taken into the spanning tree.
constexpr int pauseLength = 2000;

const QString toolbarCaption = QStringLiteral("Toolbar");
const QString namePrompt = QStringLiteral("Enter the Project Name");
const QString notLoaded = QStringLiteral("The project was not loaded.\n\n");
const QString commandStopped = QStringLiteral("The command was stopped: %1.");

const char* const nodesCaption = "Nodes=";
const char* const edgesCaption = "Edges=";

QString backColourStyle(Colour colour) {
    return QString("QPushButton { background-color: %1; border: 1px solid #7a7a7a; }"
                   "QPushButton:pressed { border-style: inset; }")
        .arg(toQColor(colour).name());
}

// The hidden labels were drawn in a symbol font; where it is missing a plain
// glyph of the same size stands in.
QFont hiddenLabelFont() {
    QFont font = installedOr("Math A", "DejaVu Sans");
    font.setPointSizeF(20.25);
    return font;
}

} // namespace

MainWindow::MainWindow(Project& project, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), project_(project), prompts_(prompts),
      surface_(colours::windowBack, fromQColor(QApplication::palette().color(QPalette::Highlight)),
               [this] { return frameGeometry().size(); }),
      fileDialog_{"CPM_FILES(*.cpm)", "cpm", "*.cpm"},
      endProgram_([] { QCoreApplication::exit(0); }) {
    setObjectName("frmCPM");
    setWindowTitle(appTitle);
    setFont(windowFont());

    canvas_ = new Canvas(surface_, this);
    canvas_->setObjectName("canvas");
    setCentralWidget(canvas_);
    connect(canvas_, &Canvas::pictureLost, this,
            [this] { runCommand([this] { cmdRedraw_Click(); }); });
    connect(canvas_, &Canvas::pressed, this, [this](Qt::MouseButton button, QPointF at) {
        runCommand([&] {
            Form_MouseDown(button, static_cast<float>(at.x()), static_cast<float>(at.y()));
        });
    });

    buildToolbar();
    buildListAndLabels();
    buildMenus();

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(pauseLength);
    timer1_->setSingleShot(true);
    connect(timer1_, &QTimer::timeout, this, guarded([this] { Timer1_Timer(); }));

    // Start-up: the window's fill colour, no mouse mode, no nodes.
    surface_.setFillColour(colours::nodeFill);
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
    surface_.finish();
    return canvas_->image();
}

QPushButton* MainWindow::button(const char* name) const {
    return findChild<QPushButton*>(name);
}

void MainWindow::buildToolbar() {
    auto* frame = new QGroupBox(toolbarCaption, canvas_);
    // Presses on the toolbar and the labels never reach the drawing surface.
    frame->setAttribute(Qt::WA_NoMousePropagation);
    frame->setObjectName("frmButtons");
    frame->setGeometry(twipsRect(0, 0, 11895, 855));
    frame->setStyleSheet(QString("QGroupBox { background-color: %1; border: 1px solid #404040; "
                                 "margin: 0px; padding-top: 8px; }"
                                 "QGroupBox::title { color: %2; subcontrol-origin: padding; "
                                 "left: 4px; top: 0px; }")
                             .arg(toQColor(toolbarBack).name(),
                                  QApplication::palette().color(QPalette::HighlightedText).name()));
    for (const ButtonDesign& design : toolbarButtons) {
        auto* b = new CaptionButton(design.caption, frame);
        b->setObjectName(design.name);
        b->setToolTip(design.tooltip);
        b->setGeometry(twipsRect(design.left, 240, design.width, 495));
        b->setStyleSheet(backColourStyle(buttonBack));
        b->setFont(font()); // a style sheet of its own stops the window's font
    }

    const auto on = [this](const char* name, void (MainWindow::*handler)()) {
        connect(button(name), &QPushButton::clicked, this,
                guarded([this, handler] { (this->*handler)(); }));
    };
    on("cmdNode", &MainWindow::cmdNode_Click);
    on("cmdEdge", &MainWindow::cmdEdge_Click);
    on("cmdmove", &MainWindow::cmdmove_Click);
    on("cmdWeight", &MainWindow::cmdWeight_Click);
    on("cmdtitle", &MainWindow::cmdtitle_Click);
    on("cmdRedraw", &MainWindow::cmdRedraw_Click);
    on("cmdCPM", &MainWindow::cmdCPM_Click);
    on("cmdcoster", &MainWindow::cmdcoster_Click);
    on("cmdedit", &MainWindow::cmdedit_Click);
    on("cmdExit", &MainWindow::cmdExit_Click);
}

void MainWindow::buildListAndLabels() {
    list_ = new QListWidget(canvas_);
    list_->setObjectName("List1");
    // A press on its border, outside the lines, is no press on the surface.
    list_->setAttribute(Qt::WA_NoMousePropagation);
    list_->setGeometry(twipsRect(3840, 5880, 7095, 1635));
    QFont listFont("Courier New");
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setPointSize(9);
    list_->setFont(listFont);
    // A list box of the design has no horizontal scroll bar; its lines fit,
    // and a line that reaches the vertical bar is cut there, never shortened
    // with an ellipsis.
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setTextElideMode(Qt::ElideNone);

    const QString windowBack = toQColor(colours::windowBack).name();
    const auto label = [&](const char* name, const QString& text, QRect place) {
        auto* l = new ClickableLabel(text, canvas_);
        l->setObjectName(name);
        l->setGeometry(place);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setWordWrap(true);
        l->setStyleSheet(QString("background-color: %1;").arg(windowBack));
        return l;
    };
    label("Label4", "*-critical path", twipsRect(10440, 960, 1335, 255));
    label("Label3", "$ -Expected Delay Will Cause Decreased Slack",
          twipsRect(4200, 7680, 3855, 375));
    const bool symbolFont = QFontDatabase::hasFamily("Math A");
    auto* label2 =
        label("Label2", symbolFont ? "h" : QString(QChar(0x2234)), twipsRect(9600, 7560, 255, 495));
    auto* label1 = label("Label1", symbolFont ? "o" : QString(QChar(0x2218)),
                         twipsRect(10320, 7560, 375, 375));
    for (ClickableLabel* hidden : {label1, label2}) {
        hidden->setFont(hiddenLabelFont());
        hidden->setAlignment(Qt::AlignCenter);
    }
    connect(label2, &ClickableLabel::clicked, this, guarded([this] { Label2_Click(); }));
    connect(label1, &ClickableLabel::clicked, this, guarded([this] { Label1_Click(); }));

    // The tab order of the design, the list box between Redraw and CPM.
    const char* order[] = {"cmdNode", "cmdEdge", "cmdExit", "cmdWeight", "cmdRedraw"};
    QWidget* previous = nullptr;
    for (const char* name : order) {
        if (previous) {
            setTabOrder(previous, button(name));
        }
        previous = button(name);
    }
    setTabOrder(previous, list_);
    previous = list_;
    for (const char* name : {"cmdCPM", "cmdmove", "cmdedit", "cmdtitle", "cmdcoster"}) {
        setTabOrder(previous, button(name));
        previous = button(name);
    }
}

void MainWindow::buildMenus() {
    const auto item = [this](QMenu* menu, const char* name, const char* caption,
                             QKeySequence shortcut, void (MainWindow::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this,
                guarded([this, handler] { (this->*handler)(); }));
    };
    QMenu* file = menuBar()->addMenu("File");
    file->setObjectName("mnuFile");
    item(file, "nw", "&New", Qt::CTRL | Qt::Key_N, &MainWindow::nw_Click);
    item(file, "sav", "&Save", Qt::CTRL | Qt::Key_S, &MainWindow::sav_Click);
    item(file, "loa", "&Load", Qt::CTRL | Qt::Key_L, &MainWindow::loa_Click);
    item(file, "pr", "&Print", Qt::CTRL | Qt::Key_P, &MainWindow::pr_Click);
    item(file, "mnuExit", "&Exit", Qt::CTRL | Qt::Key_X, &MainWindow::cmdExit_Click);

    QMenu* commands = menuBar()->addMenu("Commands");
    commands->setObjectName("mnuProgram");
    item(commands, "namen", "Na&me the Project", Qt::CTRL | Qt::Key_M, &MainWindow::namen_Click);
    item(commands, "mnuAddNode", "&Add Node", Qt::CTRL | Qt::Key_A, &MainWindow::cmdNode_Click);
    item(commands, "mnuCreateEdge", "&Create Edge", Qt::CTRL | Qt::Key_C,
         &MainWindow::cmdEdge_Click);
    item(commands, "mnuWeight", "Add &Weights", Qt::CTRL | Qt::Key_W, &MainWindow::cmdWeight_Click);
    item(commands, "mnuRedraw", "&Redraw", Qt::CTRL | Qt::Key_R, &MainWindow::cmdRedraw_Click);
    item(commands, "mnustartover", "S&tart Over", Qt::CTRL | Qt::Key_T,
         &MainWindow::mnustartover_Click);

    QAction* about = menuBar()->addAction("About");
    about->setObjectName("abt");
    connect(about, &QAction::triggered, this, [this] { abt_Click(); });
}

void MainWindow::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        // A node or job number outside the tables, or a sum beyond the
        // currency range: the command ends here and the project stays.
        prompts_.message(commandStopped.arg(toQString(error.what())), appTitle);
    }
    showDrawing();
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
        runCommand([this] { cmdRedraw_Click(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram_();
}

// The active mode's button white, the other two in the normal colour; the
// count buttons show their new captions at once.
void MainWindow::markActiveMode(QPushButton* active) {
    for (const char* name : {"cmdNode", "cmdEdge", "cmdmove"}) {
        QPushButton* b = button(name);
        b->setStyleSheet(backColourStyle(b == active ? activeButtonBack : buttonBack));
    }
    button("cmdNode")->repaint();
    button("cmdEdge")->repaint();
}

void MainWindow::showNodeCount() {
    button("cmdNode")->setText(nodesCaption + QString::number(project_.nodeCount));
}

void MainWindow::showEdgeCount() {
    button("cmdEdge")->setText(edgesCaption + QString::number(project_.edgeCount));
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
    drawChart(project_, surface_);
}

void MainWindow::cmdCPM_Click() {
    abandonHalfMadeArrow();
    clearList();
    computeSchedule(project_);
    cmdRedraw_Click();
    list_->addItems(toQStringList(listingLines(project_)));
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

void MainWindow::cmdedit_Click() {
    abandonHalfMadeArrow();
    if (!cards_) {
        cards_ = std::make_unique<JobCardWindow>(project_, prompts_, *this);
    }
    cards_->show();
    cards_->raise();
    cards_->activateWindow();
    setEnabled(false);
}

void MainWindow::mnustartover_Click() {
    abandonHalfMadeArrow();
    startOver(project_);
    surface_.clear();
    showNodeCount();
    showEdgeCount();
    cmdNode_Click();
}

// The shared file dialog: it remembers the last name chosen. Empty when no
// file was chosen; a cancelled dialog changes nothing, not even a half-made
// arrow, which is taken back only before a file is written or read.
QString MainWindow::chooseProjectFile(bool save) {
    const QString path =
        save ? prompts_.chooseFileToSave(fileDialog_) : prompts_.chooseFileToOpen(fileDialog_);
    if (!path.isEmpty()) {
        fileDialog_.fileName = path;
        abandonHalfMadeArrow();
    }
    return path;
}

void MainWindow::sav_Click() {
    const QString path = chooseProjectFile(true);
    if (path.isEmpty()) {
        return;
    }
    if (const auto failure = saveProjectFile(toStdString(path), project_)) {
        prompts_.message(toQString(*failure), appTitle);
    }
}

void MainWindow::loa_Click() {
    const QString path = chooseProjectFile(false);
    if (path.isEmpty()) {
        return;
    }
    loadFile(path);
}

void MainWindow::loadFile(const QString& path) {
    fileDialog_.fileName = path;
    if (const auto problem = loadProjectFile(toStdString(path), project_)) {
        if (problem->noNodes) {
            prompts_.beep();
        } else {
            prompts_.message(
                notLoaded + toQString(describe(*problem, toStdString(QFileInfo(path).fileName()))),
                appTitle);
        }
        return;
    }
    cmdCPM_Click();
}

void MainWindow::namen_Click() {
    project_.projectName = toStdString(prompts_.inputBox(namePrompt, appTitle, std::nullopt));
}

void MainWindow::abt_Click() {
    if (!about_) {
        about_ = new AboutBox(this);
    }
    about_->show();
    about_->raise();
}

void MainWindow::cmdExit_Click() {
    endProgram_();
}

PrintOptionsWindow& MainWindow::printOptions() {
    if (!printOptions_) {
        printOptions_ = new PrintOptionsWindow(project_, prompts_, *this);
    }
    return *printOptions_;
}

void MainWindow::pr_Click() {
    printOptions().show();
    printOptions().raise();
}

void MainWindow::prnt(QPrinter& printer) {
    prompts_.beep();
    // Portrait again afterwards, also when the printer fails.
    struct Portrait {
        QPrinter& printer;
        ~Portrait() { printer.setPageOrientation(QPageLayout::Portrait); }
    } portraitAfterwards{printer};
    printer.setPageOrientation(QPageLayout::Landscape);
    PrinterSurface page(printer, surface_.outerWidth(), surface_.outerHeight());
    try {
        drawChart(project_, page, ChartTarget::page);
    } catch (...) {
        printer.abort(); // a page that failed half-way is not sent
        throw;
    }

    surface_.setDrawColour(colours::black);
    page.finish();
}

} // namespace arrowplan
