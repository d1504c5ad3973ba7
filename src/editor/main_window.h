#pragma once

#include "document/chart_commands.h"
#include "document/project_document.h"
#include "editor/selection_mark.h"
#include "model/project.h"
#include "mst/kruskal.h"
#include "platform/prompts.h"
#include "platform/screen_surface.h"
#include "schedule/weekly_costs.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QMenu;
class QSessionManager;
class QListWidget;
class QPrinter;
class QTimer;
class QPushButton;

namespace arrowplan {

class AboutBox;
class Canvas;
class FloatsWindow;
class LeftCopy;
class JobCardWindow;
class PrintOptionsWindow;
class RiskWindow;
class TimeCostWindow;

// frmCPM, the main window: its client area is the chart's drawing surface,
// a toolbar runs along the top, the list box shows the last listing. Every
// handler works on the document's one Project in place, and runs through the
// document, which makes a step of the history of what it changed. The
// handlers keep their design names; the tests call them directly.
class MainWindow : public QMainWindow, public ChartCommands {
    Q_OBJECT

  public:
    // The client area that shows every control, in twips: the toolbar is
    // 11895 twips wide and the bottom labels reach down to 8055.
    static constexpr int clientWidth = 12000;
    static constexpr int clientHeight = 8175;

    MainWindow(ProjectDocument& document, Prompts& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    ScreenSurface& surface() { return screen_; }
    // Where the chart is drawn from here on, instead of the screen: tests
    // read what a command drew on a recording surface.
    void drawOn(Surface& surface) { surface_ = &surface; }
    const QImage& canvasImage();
    QListWidget* List1() const { return list_; }
    // What ending the program does; tests replace it.
    void setEndProgram(std::function<void()> end) { endProgram_ = std::move(end); }

    // Mode commands.
    void cmdNode_Click();
    void cmdEdge_Click();
    void cmdmove_Click();
    // Chart and schedule.
    void cmdRedraw_Click();
    void cmdCPM_Click() override;
    void cmdcoster_Click() override;
    std::vector<std::string> listedLines() const override;
    // Shows the job card without waiting and disables this window.
    void cmdedit_Click();
    // The print options window, made when first wanted; while printingCosts
    // is 1 its ticks choose the weekly cost sections.
    PrintOptionsWindow& printOptions();
    // File and project commands.
    void mnustartover_Click();
    void nw_Click() { mnustartover_Click(); }
    void sav_Click();
    void loa_Click();
    // Load once the file is chosen; also the file named when the program starts.
    void loadFile(const QString& path);
    // File > Import: a task list (CSV or MS Project XML) becomes the project.
    void mnuImport_Click();
    // Commands > Tidy Layout: every node moved to its place in layers.
    void mnuTidy_Click();
    // At start: each recovery copy in folder left by a program that ended
    // without a clean end (a crash, a power cut) is offered, newest first,
    // until one is restored as unsaved work or none is left; then the file
    // named on the command line, if any, is loaded, after the question when
    // restored work would go.
    void startWith(const QString& recoveryFolder, const QString& file);
    // The desktop session is ending.
    void commitData(QSessionManager& manager);
    void namen_Click();
    void abt_Click();
    void cmdExit_Click();
    // Edit > Select (Escape from any mode with nothing half-made): a click
    // chooses a node or a job, which the keys, a drag, a double click or a
    // right click's menu then edit in place.
    void mnuSelect_Click();
    const ChartSelection& selection() const { return selection_; }
    // What the chart shows of the node or job at a point (twips): the text
    // of the tooltip there; none when nothing is there.
    QString figuresAt(QPointF twips) const;
    // View > Zoom In, Zoom Out, Actual Size and Fit: the chart shown larger
    // or smaller; the project keeps its twips.
    void mnuZoomIn_Click();
    void mnuZoomOut_Click();
    void mnuActualSize_Click();
    void mnuFit_Click();
    // Edit > Undo and Redo: the tables of the step before or after, shown as
    // after a Load.
    void mnuUndo_Click();
    void mnuRedo_Click();
    // View > Floats: the CPM command, then the four floats of every job in a
    // window of their own, shown without waiting.
    void mnuFloats_Click();
    // Commands > Time and Cost: the crash data and the least-cost curve in a
    // window of their own, shown without waiting.
    void mnuTimeCost_Click();
    // The two hidden labels: Kruskal's spanning tree, step by step, the tree
    // growing blue on the chart after a beep and a pause for each job taken.
    void Label2_Click();
    void Label1_Click();
    // The one-shot timer that ends such a pause: redraw, then the next step.
    void Timer1_Timer();
    // Commands > Schedule Risk: the risk window, made when first wanted and
    // shown without waiting; this window stays usable beside it.
    void mnuRisk_Click();
    RiskWindow& riskWindow();
    RiskFigures riskFigures() override;
    void shadeFreeFloats(bool shaded) override;
    // File > Print: the print options, shown without waiting.
    void pr_Click();
    void prnt(QPrinter& printer) override;
    // A job counted by the first click of Add Edge whose end is still to be
    // chosen is taken back before any command that reads or replaces the
    // jobs, so that no command sees a job that ends at node 0.
    void abandonHalfMadeArrow() override;
    // Mouse editing: a press on the drawing surface, at twips x, y.
    void Form_MouseDown(Qt::MouseButton button, float x, float y);
    // Expected-time and title entry: walk every job with an input box.
    void cmdWeight_Click();
    void cmdtitle_Click();

  signals:
    // The window system shows the window where it has placed it: a
    // question asked from now on stands over it.
    void exposed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The risk window is disabled with this one while the card is open.
    void changeEvent(QEvent* event) override;
    // An expose of the window runs the full redraw.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildToolbar();
    void buildMenus();
    void buildListAndLabels();
    // The Edit menu's items name the steps they would take, or stand greyed.
    void showHistory();
    // The card, the print options and the about box: made when first
    // wanted, and shown where the window manager keeps them above this one.
    template <typename Window, typename... Args>
    Window& ownWindow(std::unique_ptr<Window>& window, Args&&... args);
    void showAbove(QWidget& window);
    QString chooseProjectFile(bool save);
    // Save, with its file dialog and checks; false when nothing was saved.
    bool saveProject();
    // Before unsaved work would be dropped: the user saves it (true once it
    // is saved), discards it (true) or cancels (false). True at once when
    // nothing is unsaved.
    bool unsavedWorkMayGo();
    // Exit, File > Exit and the close box: the program ends, and its
    // recovery copy goes, once unsaved work is saved or discarded. False
    // when the user keeps it.
    bool endOnceWorkMayGo();
    void offerLeftWork(const QString& folder);
    // Takes in the work a left recovery copy holds.
    void restore(LeftCopy& copy, const Project& work);
    void clearList();
    // The list box and the labels under it keep their distance to the
    // bottom edge as the window grows.
    void keepBottomControlsDown();
    // The part of the chart the nodes, their figures and titles take.
    QRectF chartExtent() const;

    // Select mode.
    bool selectionHolds() const;
    void select(ChartSelection chosen);
    // Another mode was chosen: the selection goes, and the chart stops
    // taking the keys.
    void leaveSelection();
    QString selectionFigures() const;
    void pressToSelect(Qt::MouseButton button, float x, float y);
    void dragTo(QPointF at);
    void dropAt(QPointF at);
    void nudge(float dx, float dy);
    void walkSelection(bool forward);
    bool selectionKey(int key, Qt::KeyboardModifiers modifiers);
    void editSelectedAt(QPointF at);
    void editJob(int job);
    void openCardAt(int job);
    void deleteSelectedJob(int job);
    void showSelectionMenu(QPoint where);

    void markActiveMode(QPushButton* active);
    void showNodeCount();
    void showEdgeCount();
    // One step back (undo) or forth (redo), scheduled as after a Load.
    void stepThroughHistory(bool back);
    // After every command, whatever changed the counts (a card's Delete,
    // Load, Import, undo, redo): the buttons that show a count show the
    // project's; a button showing its name keeps it.
    void refreshShownCounts();
    QPushButton* button(const char* name) const;

    // Mouse editing.
    void addNode(float x, float y);
    void chooseArrowStart();
    void chooseArrowEnd(Qt::MouseButton button);
    void moveNode(float x, float y);
    void finder();
    void markNode(int n, Colour fill);
    // Asks for the drawing so far to be shown at the next paint.
    void showDrawing();
    // The chart's description for a screen reader, after every command.
    void describeChart();
    void letPendingEventsRun();

    // The spanning-tree runs.
    void startKruskal(KruskalVariant variant);
    void stepKruskal(const std::function<void()>& step);
    void continueKruskal();
    bool finishKruskalStep();
    void listKruskalLines();

    // Expected-time and title entry.
    void highlightJob(int j);
    // The input box for job j, its arrow red while it asks.
    std::optional<QString> askAbout(int j, const QString& prompt, const QString& title);
    void redrawJob(int j);
    void stopWalk(int j);
    void printAtMidpoint(int j, double raise, const std::string& text);

    ProjectDocument& document_;
    Project& project_;
    Prompts& prompts_;
    ScreenSurface screen_;
    Surface* surface_ = &screen_;
    Canvas* canvas_ = nullptr;
    QListWidget* list_ = nullptr;
    // The controls under the chart, with their designed places.
    std::vector<std::pair<QWidget*, QRect>> bottomControls_;
    // The end node's early time at the last CPM run, if one ran since the
    // project was last empty.
    std::optional<Currency> projectLength_;
    // Windows of their own, not children: a disabled main window (while the
    // card is open) would disable its children. Each stays above this one.
    std::unique_ptr<AboutBox> about_;
    std::unique_ptr<JobCardWindow> cards_;
    std::unique_ptr<PrintOptionsWindow> printOptions_;
    std::unique_ptr<RiskWindow> risk_;
    std::unique_ptr<FloatsWindow> floats_;
    std::unique_ptr<TimeCostWindow> timeCost_;
    FileDialogSettings fileDialog_;
    FileDialogSettings importDialog_;

    // The job whose value a walk's input box is asking for: a repaint
    // meanwhile draws its arrow red again. 0 outside the walks.
    int askedJob_ = 0;

    // The mouse handler's last click, its hit test and the Move Node selection.
    float clickX_ = 0;
    std::int16_t clickY_ = 0;
    std::int16_t foundNode_ = 0;
    std::int16_t nodeMissed_ = 0;
    std::int16_t moveSelected_ = 0;
    std::int16_t movingNode_ = 0;
    // Select mode: what is chosen, and where a drag of it began.
    ChartSelection selection_;
    std::optional<QPointF> dragFrom_;
    bool freeFloatsShaded_ = false;  // by the Floats window, over every redraw
    QMenu* selectionMenu_ = nullptr; // a right click's menu, made when first wanted

    // The spanning-tree tools: the run that is pausing until Timer1 ticks,
    // if any; the subtree numbers handed out so far (never reset, so a
    // second run numbers on).
    QTimer* timer1_ = nullptr;
    std::unique_ptr<KruskalRun> kruskal_;
    int subtreeCounter_ = 0;

    std::function<void()> endProgram_;
};

} // namespace arrowplan
