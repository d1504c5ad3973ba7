// The main window's controls: the toolbar, the list box, the labels and the
// menus, where they stand and which handler each runs.

#include "editor/canvas.h"
#include "editor/caption_button.h"
#include "editor/clickable_label.h"
#include "editor/main_window.h"
#include "platform/twips.h"
#include "platform/window_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QListWidget>
#include <QMenuBar>

namespace arrowplan {

namespace {

constexpr Colour buttonBack = 0xEDF7E6;
constexpr Colour activeButtonBack = colours::white;
constexpr Colour toolbarBack = 0xBA7425;

struct ButtonDesign {
    const char* name;
    const char* caption;
    int left;
    int width;
    const char* tooltip;
    void (MainWindow::*handler)();
};

// All ten stand at top 240 in the toolbar, 495 twips high.
constexpr ButtonDesign toolbarButtons[] = {
    {"cmdNode", "Add Node", 120, 975, "Add Node", &MainWindow::cmdNode_Click},
    {"cmdEdge", "Add Edge (Jobs)", 1320, 975, "Connect a node to another node",
     &MainWindow::cmdEdge_Click},
    {"cmdmove", "Move Node", 2520, 735, "Click to select and again to move",
     &MainWindow::cmdmove_Click},
    {"cmdWeight", "Enter Expected Times", 3480, 1215, "Enter time for highlighted arrow",
     &MainWindow::cmdWeight_Click},
    {"cmdtitle", "Enter Job Titles", 4920, 1095, "Type titles for highlighted jobs",
     &MainWindow::cmdtitle_Click},
    {"cmdRedraw", "Redraw", 6240, 735, "Clicking is fun ", &MainWindow::cmdRedraw_Click},
    {"cmdCPM", "CPM", 7200, 735, "Calculate CPM data", &MainWindow::cmdCPM_Click},
    {"cmdcoster", "Weekly Costs", 8160, 735, "Calculate cost data", &MainWindow::cmdcoster_Click},
    {"cmdedit", "Edit Job List", 9120, 1095, "Edit 3x5 job cards", &MainWindow::cmdedit_Click},
    {"cmdExit", "Exit", 10800, 735, "Exit the program", &MainWindow::cmdExit_Click},
};

const QString toolbarCaption = QStringLiteral("Toolbar");

// What a screen reader says of the controls that show no caption of their
// own: the list box, and the two glyph labels that start the spanning-tree
// runs (the first hands out subtree numbers from a count that runs on from
// run to run, the second starts with every node in a subtree of its own).
const QString listName = QStringLiteral("Job list");
const QString listDescription =
    QStringLiteral("The job listing of the last CPM run, the weekly costs, or the steps of the "
                   "last spanning-tree run");
const QString countedTreeName = QStringLiteral("Spanning tree, subtrees numbered as they form");
const QString ownTreeName = QStringLiteral("Spanning tree, each node its own subtree");

// The hidden labels were drawn in a symbol font; where it is missing a plain
// glyph of the same size stands in.
QFont hiddenLabelFont() {
    QFont font = installedOr("Math A", "DejaVu Sans");
    font.setPointSizeF(20.25);
    return font;
}

} // namespace

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
        b->setStyleSheet(graphicalButtonStyle(buttonBack));
        b->setFont(font()); // a style sheet of its own stops the window's font
        connect(b, &QPushButton::clicked, this,
                document_.guarded(design.caption,
                                  [this, handler = design.handler] { (this->*handler)(); }));
    }
}

void MainWindow::buildListAndLabels() {
    list_ = new QListWidget(canvas_);
    list_->setObjectName("List1");
    list_->setAccessibleName(listName);
    list_->setAccessibleDescription(listDescription);
    // A press on its border, outside the lines, is no press on the surface.
    list_->setAttribute(Qt::WA_NoMousePropagation);
    list_->setGeometry(twipsRect(3840, 5880, 7095, 1635));
    bottomControls_.emplace_back(list_, list_->geometry());
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
    auto* label3 = label("Label3", "$ -Expected Delay Will Cause Decreased Slack",
                         twipsRect(4200, 7680, 3855, 375));
    const bool symbolFont = QFontDatabase::hasFamily("Math A");
    auto* label2 =
        label("Label2", symbolFont ? "h" : QString(QChar(0x2234)), twipsRect(9600, 7560, 255, 495));
    auto* label1 = label("Label1", symbolFont ? "o" : QString(QChar(0x2218)),
                         twipsRect(10320, 7560, 375, 375));
    for (QWidget* below : {static_cast<QWidget*>(label3), static_cast<QWidget*>(label2),
                           static_cast<QWidget*>(label1)}) {
        bottomControls_.emplace_back(below, below->geometry());
    }
    label2->setAccessibleName(countedTreeName);
    label1->setAccessibleName(ownTreeName);
    for (ClickableLabel* hidden : {label1, label2}) {
        hidden->setFont(hiddenLabelFont());
        hidden->setAlignment(Qt::AlignCenter);
    }
    const QString treeStep = QStringLiteral("Spanning Tree");
    connect(label2, &ClickableLabel::clicked, this,
            document_.guarded(treeStep, [this] { Label2_Click(); }));
    connect(label1, &ClickableLabel::clicked, this,
            document_.guarded(treeStep, [this] { Label1_Click(); }));

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
    // An item's step in the history is named after its caption.
    const auto item = [this](QMenu* menu, const char* name, const QString& caption,
                             QList<QKeySequence> shortcuts, void (MainWindow::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcuts(shortcuts);
        connect(action, &QAction::triggered, this,
                document_.guarded(QString(caption).remove('&'),
                                  [this, handler] { (this->*handler)(); }));
    };
    QMenu* file = menuBar()->addMenu("File");
    file->setObjectName("mnuFile");
    item(file, "nw", "&New", {Qt::CTRL | Qt::Key_N}, &MainWindow::nw_Click);
    item(file, "sav", "&Save", {Qt::CTRL | Qt::Key_S}, &MainWindow::sav_Click);
    item(file, "loa", "&Load", {Qt::CTRL | Qt::Key_L}, &MainWindow::loa_Click);
    item(file, "mnuImport", "&Import...", {Qt::CTRL | Qt::Key_I}, &MainWindow::mnuImport_Click);
    item(file, "pr", "&Print", {Qt::CTRL | Qt::Key_P}, &MainWindow::pr_Click);
    item(file, "mnuExit", "&Exit", {Qt::CTRL | Qt::Key_X}, &MainWindow::cmdExit_Click);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    item(edit, "mnuUndo", "&Undo", {Qt::CTRL | Qt::Key_Z}, &MainWindow::mnuUndo_Click);
    item(edit, "mnuRedo", "&Redo", {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y},
         &MainWindow::mnuRedo_Click);
    item(edit, "mnuSelect", "&Select", {Qt::CTRL | Qt::Key_E, Qt::Key_Escape},
         &MainWindow::mnuSelect_Click);

    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("mnuView");
    item(view, "mnuZoomIn", "Zoom &In", {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal},
         &MainWindow::mnuZoomIn_Click);
    item(view, "mnuZoomOut", "Zoom &Out", {Qt::CTRL | Qt::Key_Minus},
         &MainWindow::mnuZoomOut_Click);
    item(view, "mnuActualSize", "&Actual Size", {Qt::CTRL | Qt::Key_0},
         &MainWindow::mnuActualSize_Click);
    item(view, "mnuFit", "&Fit", {Qt::CTRL | Qt::Key_F}, &MainWindow::mnuFit_Click);
    item(view, "mnuFloats", "F&loats", {}, &MainWindow::mnuFloats_Click);

    QMenu* commands = menuBar()->addMenu("Commands");
    commands->setObjectName("mnuProgram");
    item(commands, "namen", "Na&me the Project", {Qt::CTRL | Qt::Key_M}, &MainWindow::namen_Click);
    item(commands, "mnuAddNode", "&Add Node", {Qt::CTRL | Qt::Key_A}, &MainWindow::cmdNode_Click);
    item(commands, "mnuCreateEdge", "&Create Edge", {Qt::CTRL | Qt::Key_C},
         &MainWindow::cmdEdge_Click);
    item(commands, "mnuWeight", "Add &Weights", {Qt::CTRL | Qt::Key_W},
         &MainWindow::cmdWeight_Click);
    item(commands, "mnuRedraw", "&Redraw", {Qt::CTRL | Qt::Key_R}, &MainWindow::cmdRedraw_Click);
    item(commands, "mnuTidy", "T&idy Layout", {}, &MainWindow::mnuTidy_Click);
    item(commands, "mnuRisk", "Schedule &Risk...", {}, &MainWindow::mnuRisk_Click);
    item(commands, "mnuTimeCost", "Time and C&ost...", {}, &MainWindow::mnuTimeCost_Click);
    item(commands, "mnustartover", "S&tart Over", {Qt::CTRL | Qt::Key_T},
         &MainWindow::mnustartover_Click);

    QAction* about = menuBar()->addAction("About");
    about->setObjectName("abt");
    connect(about, &QAction::triggered, this, [this] { abt_Click(); });
    showHistory();
}

// The active mode's button white, the other two in the normal colour (all
// three in Select mode); the count buttons show their new captions at once.
void MainWindow::markActiveMode(QPushButton* active) {
    leaveSelection();
    for (const char* name : {"cmdNode", "cmdEdge", "cmdmove"}) {
        QPushButton* b = button(name);
        b->setStyleSheet(graphicalButtonStyle(b == active ? activeButtonBack : buttonBack));
    }
    button("cmdNode")->repaint();
    button("cmdEdge")->repaint();
}

// The undo and redo items keep the captions given here; showHistory adds
// the step's name.
void MainWindow::showHistory() {
    auto* undo = findChild<QAction*>("mnuUndo");
    auto* redo = findChild<QAction*>("mnuRedo");
    undo->setEnabled(document_.canUndo());
    undo->setText(document_.canUndo() ? "&Undo " + document_.undoName() : "&Undo");
    redo->setEnabled(document_.canRedo());
    redo->setText(document_.canRedo() ? "&Redo " + document_.redoName() : "&Redo");
    setWindowModified(document_.unsaved());
}

} // namespace arrowplan
