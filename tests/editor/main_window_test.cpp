#include "editor/chart.h"
#include "editor/clickable_label.h"
#include "editor/window_harness.h"
#include "platform/qt_text.h"
#include "platform/recording_surface.h"
#include "platform/twips.h"
#include "platform/typed_number.h"
#include "project_builder.h"
#include "schedule/listing.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLocale>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <limits>

using namespace arrowplan;
using arrowplan::testing::contentsOf;
using arrowplan::testing::examples;
using arrowplan::testing::Harness;
using arrowplan::testing::projectOf;

namespace {

QColor nodeFace(Harness& h, int n) {
    return h.at(h.project.nodeX[n], h.project.nodeY[n] + 150);
}

// The lines, circles and texts drawn in a colour since the surface was last
// cleared.
QStringList drawnIn(const RecordingSurface& surface, Colour colour) {
    QStringList drawn;
    bool inColour = false;
    for (const QString& operation : toQStringList(surface.operations())) {
        if (operation == "clear") {
            drawn.clear();
        } else if (operation.startsWith("colour ")) {
            inColour =
                operation == "colour " + QString("%1").arg(colour, 6, 16, QChar('0')).toUpper();
        } else if (inColour &&
                   QRegularExpression("^(line|circle|text) ").match(operation).hasMatch()) {
            drawn << operation;
        }
    }
    return drawn;
}

QStringList arrowLines(const Project& project, int job) {
    RecordingSurface arrow(0, 0, colours::windowBack);
    drawArrow(project, arrow, job);
    return toQStringList(arrow.operations());
}

const float noNumber = std::numeric_limits<float>::quiet_NaN();

// The roles of the controls a screen reader lets the user work; the
// clickable labels are found by their class, the chart by itself.
const QList<QAccessible::Role> controlRoles = {QAccessible::PushButton,  QAccessible::CheckBox,
                                               QAccessible::RadioButton, QAccessible::EditableText,
                                               QAccessible::List,        QAccessible::ComboBox,
                                               QAccessible::Slider,      QAccessible::SpinBox};

QString spoken(QWidget* widget, QAccessible::Text kind = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(widget)->text(kind);
}

} // namespace

// The main window: its commands, its mouse editing and its time and title walks.
class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // Every button and shortcut reaches its handler; Load and Save share one
    // file dialog.
    void commandsReachTheirHandlers() {
        Harness h;
        h.project.nodeCount = 4;
        h.project.edgeCount = 3;
        h.document.opened({});
        for (const char* active : {"cmdNode", "cmdEdge", "cmdmove"}) {
            QTest::mouseClick(h.button(active), Qt::LeftButton);
            for (const char* name : {"cmdNode", "cmdEdge", "cmdmove"}) {
                const QColor face = h.button(name)->grab().toImage().pixelColor(4, 4);
                QCOMPARE(face, qstrcmp(name, active) == 0 ? QColor(Qt::white) : toQColor(0xEDF7E6));
            }
        }
        // The counts show when their mode is chosen, and stay when another one is.
        QCOMPARE(h.button("cmdNode")->text(), QString("Nodes=4"));
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=3"));
        h.action("abt")->trigger();
        QVERIFY(h.windowNamed("frmAbout")->isVisible());

        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));

        h.prompts.files << examples + "/demo.cpm";
        QTest::keyClick(&h.window, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(h.prompts.asked.first(), QString("open: *.cpm"));
        QCOMPARE(h.prompts.lastFileDialog.filter, QString("CPM_FILES(*.cpm)"));
        QCOMPARE(h.prompts.lastFileDialog.defaultSuffix, QString("cpm"));
        QCOMPARE(h.listed().size(), h.project.edgeCount + 1);      // scheduled and listed
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=2")); // a count shown is the new one
        QCOMPARE(h.at(1500, 2550), toQColor(colours::nodeFill));   // inside node 1
        QCoreApplication::processEvents(); // the list box lays its lines out
        QVERIFY(!h.window.List1()->horizontalScrollBar()->isVisible());

        QTemporaryDir dir;
        h.prompts.files << dir.filePath("saved.cpm");
        QTest::keyClick(&h.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(h.prompts.asked.last(), "save: " + examples + "/demo.cpm");
        QCOMPARE(contentsOf(dir.filePath("saved.cpm")), contentsOf(examples + "/demo.cpm"));

        // A file that fails to load: the message names it; one without nodes only beeps.
        h.prompts.files << dir.filePath("missing.cpm");
        QTest::keyClick(&h.window, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(h.prompts.asked.last().startsWith(
            "message: The project was not loaded.\n\nmissing.cpm: the file cannot be opened"));
        h.prompts.files << examples + "/house.xml";
        QTest::keyClick(&h.window, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(h.prompts.asked.last().contains("task list") &&
                h.prompts.asked.last().contains("File > Import"));
        QVERIFY(arrowplan::testing::writeFile(dir.filePath("nodeless.cpm"), "0\r\n5\r\n"));
        h.prompts.files << dir.filePath("nodeless.cpm");
        QTest::keyClick(&h.window, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(h.prompts.asked.last(), QString("beep"));

        QTest::mouseClick(h.button("cmdcoster"), Qt::LeftButton);
        const QStringList costs = h.listed();
        QCOMPARE(costs.size(), 14);
        h.window.List1()->scrollToBottom(); // a new listing starts at its top again
        QTest::mouseClick(h.button("cmdcoster"), Qt::LeftButton);
        QCOMPARE(h.window.List1()->verticalScrollBar()->value(), 0);

        h.prompts.inputs << "Back yard";
        QTest::keyClick(&h.window, Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(h.project.projectName, std::string("Back yard"));

        h.window.surface().clear(); // lose the picture; Redraw brings it back
        QTest::keyClick(&h.window, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(h.at(1500, 2550), toQColor(colours::nodeFill));

        // Start Over keeps the list: the next CPM run replaces it.
        h.prompts.saveAnswers << SaveAnswer::discard; // the name is unsaved
        QTest::keyClick(&h.window, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(h.project.editMode, EditMode::addNode);
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=0"));
        QCOMPARE(h.listed(), costs);
        QCOMPARE(h.at(1500, 2550), toQColor(colours::windowBack));
        h.prompts.files << dir.filePath("empty.cpm");
        QTest::keyClick(&h.window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(h.prompts.asked.last().contains("no nodes"));

        QTest::keyClick(&h.window, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(h.project.editMode, EditMode::addEdge);

        // The drawing colour starts as the system highlight, blue in the high byte.
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Highlight, QColor(0x11, 0x22, 0x33));
        QApplication::setPalette(palette);
        MainWindow unshown(h.document, h.prompts);
        QCOMPARE(unshown.surface().drawColour(), Colour{0x332211});
    }

    void addNodesArrowsAndMoveANode() {
        Harness h;
        h.press(900, 900); // no mode yet: nothing happens
        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
        // On the list box's border: only the surface takes presses.
        QTest::mouseClick(h.window.List1(), Qt::LeftButton, {}, QPoint(0, 0));
        QCOMPARE(h.project.nodeCount, 0);
        // A double click's second press comes as a double click; it counts too.
        QTest::mouseDClick(h.window.centralWidget(), Qt::LeftButton, {}, QPoint(100, 200));
        h.press(3000, 3000, Qt::RightButton); // any button adds a node
        h.press(4500, 4500);
        QCOMPARE(h.button("cmdNode")->text(), QString("Nodes=3"));

        // Node 2 is chosen to move, and still moves after Add Edge clicks.
        QTest::mouseClick(h.button("cmdmove"), Qt::LeftButton);
        h.press(9000, 5000);
        QCOMPARE(h.prompts.asked.takeLast(), QString("message: Please try again | Arrowplan"));
        h.press(3000, 3000);
        QCOMPARE(nodeFace(h, 2), toQColor(colours::highlight));
        h.window.hide(); // shown again: redrawn from the tables, still selected
        h.window.show();
        QTRY_COMPARE(nodeFace(h, 2), toQColor(colours::nodeFill));

        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        h.press(1500, 3000, Qt::RightButton); // a right first click chooses as a left one
        QCOMPARE(nodeFace(h, 1), toQColor(colours::highlight));
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=1"));
        h.press(4500, 4500, Qt::RightButton); // a right second click takes the arrow back
        QCOMPARE(h.project.edgeCount, 0);

        QTest::mouseClick(h.button("cmdmove"), Qt::LeftButton);
        h.press(6000, 1500);
        QCOMPARE(h.project.nodeX[2], 6000.0f);
        QCOMPARE(h.project.nodeY[2], 1500.0f);
        QCOMPARE(h.at(3000, 3150), toQColor(colours::windowBack)); // redrawn from the tables

        // A half-made arrow is taken back when Add Edge is chosen again.
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        h.press(1500, 3000);
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=0"));
        QCOMPARE(nodeFace(h, 1), toQColor(colours::nodeFill));
        // Commands that read the jobs never see one that ends at node 0.
        h.press(1500, 3000);
        h.action("sav")->trigger(); // cancelled: it changes nothing
        QCOMPARE(h.project.edgeStarted, 1);
        QTest::mouseClick(h.button("cmdCPM"), Qt::LeftButton);
        QCOMPARE(h.listed(), QStringList{toQString(listingHeader)});
        // Queued before the second click, Start Over runs while the window
        // lets pending events through, and wins.
        h.press(1500, 3000);
        h.prompts.saveAnswers << SaveAnswer::discard;
        QTimer::singleShot(0, &h.window, [&] { h.window.mnustartover_Click(); });
        h.press(4500, 4500);
        QCOMPARE(h.project.edgeCount, 0);
    }

    // Nodes 1..4 at x = 1500, 1700, 4500 and 6000 (y = 3000); an arrow's first
    // click, then its second one unless that is at 0, and the start of the job
    // made (0 for none). A hit lies strictly within the radius; y is rounded
    // half to even (199.5 down is 200), x is not. Of overlapping nodes the
    // higher number wins.
    void arrowsFromTwoClicks_data() {
        QTest::addColumn<QLineF>("clicks");
        QTest::addColumn<int>("from");
        QTest::newRow("199.9 left") << QLineF(1300.1, 3000, 4500, 3000) << 1;
        QTest::newRow("199.5 down") << QLineF(1500, 3199.5, 0, 0) << 0;
        QTest::newRow("diagonal out") << QLineF(1358, 3142, 0, 0) << 0;
        QTest::newRow("overlap") << QLineF(1590, 3000, 4500, 3000) << 2;
        QTest::newRow("start at the highest") << QLineF(6000, 3000, 0, 0) << 0;
        QTest::newRow("end below") << QLineF(4500, 3000, 1700, 3000) << 0;
        QTest::newRow("end on the start") << QLineF(4500, 3000, 4500, 3000) << 0;
    }
    void arrowsFromTwoClicks() {
        QFETCH(QLineF, clicks);
        QFETCH(int, from);
        Harness h;
        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
        for (float x : {1500.0f, 1700.0f, 4500.0f, 6000.0f}) {
            h.window.Form_MouseDown(Qt::LeftButton, x, 3000);
        }
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        h.window.Form_MouseDown(Qt::LeftButton, static_cast<float>(clicks.x1()),
                                static_cast<float>(clicks.y1()));
        if (clicks.x2() > 0) {
            h.window.Form_MouseDown(Qt::LeftButton, static_cast<float>(clicks.x2()), 3000);
        }
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=%1").arg(from == 0 ? 0 : 1));
        QCOMPARE(h.project.edgeStarted, 0);
        QVERIFY(from == 0 || nodeSlot(h.project.edgeFrom[1]) == from);
        for (int n = 1; n <= 4; ++n) {
            QCOMPARE(h.at(h.project.nodeX[n], 3150), toQColor(colours::nodeFill));
        }
    }

    // The hundredth node is taken, the next one refused; so is a 101st job.
    void theTablesHoldAHundred() {
        Harness h;
        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
        h.project.nodeCount = 99;
        h.window.Form_MouseDown(Qt::LeftButton, 3000, 3000);
        h.window.Form_MouseDown(Qt::LeftButton, 4500, 3000);
        QVERIFY(h.prompts.asked.takeLast().contains("at most 100 nodes"));
        QCOMPARE(h.project.nodeCount, 100);

        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        h.project.edgeCount = 100;
        h.window.Form_MouseDown(Qt::LeftButton, 3000, 3000);
        QVERIFY(h.prompts.asked.takeLast().contains("at most 100 jobs"));
        QCOMPARE(h.project.edgeCount, 100);
    }

    // Select mode on nodes 1 (1000, 2000), 2 (2000, 2000), 3 (2000, 4250) and
    // jobs 1-2, 2-3, 1-3: what a click selects and how it shows, Tab, the
    // figures on hover, a drag; and a click at 200 % lands where it is drawn.
    void editingOnTheChart() {
        Harness h;
        h.project = projectOf(3, {{1, 2, 7, 0, 0, "Dig"}, {2, 3, 7}, {1, 3, 7}});
        h.project.nodeX[3] = 2000;
        h.project.nodeY[3] = 4250;
        h.document.opened({});
        h.window.cmdCPM_Click();
        QTest::keyClick(&h.window, Qt::Key_Escape);
        QCOMPARE(h.project.editMode, EditMode::select);
        const auto job = [](int j) { return ChartSelection{ChartSelection::Kind::job, j}; };
        const auto node = [](int n) { return ChartSelection{ChartSelection::Kind::node, n}; };
        h.press(1500, 2100); // within 120 twips of job 1's line
        QCOMPARE(h.window.selection(), job(1));
        QCOMPARE(h.at(1300, 2030), toQColor(colours::selection));
        h.window.cmdRedraw_Click(); // a repaint keeps it
        QCOMPARE(h.at(1300, 2030), toQColor(colours::selection));
        h.press(1500, 2150);
        QCOMPARE(h.window.selection(), ChartSelection{});
        QCOMPARE(h.at(1300, 2030), toQColor(colours::windowBack));
        for (const ChartSelection& next : {node(1), node(2), node(3), job(1)}) {
            QTest::keyClick(h.window.centralWidget(), Qt::Key_Tab);
            QCOMPARE(h.window.selection(), next);
        }
        QTest::keyClick(h.window.centralWidget(), Qt::Key_Backtab);
        QCOMPARE(h.window.selection(), node(3));
        QCOMPARE(h.window.figuresAt({1500, 2000}),
                 QString("Job 1 (1 to 2) Dig\ntime 7, delay 0\nearly start 0, late finish 7\n"
                         "total slack 0, free slack 0\ncritical\namount 0, Pay Evenly"));
        QCOMPARE(h.window.figuresAt({2000, 4250}), QString("Node 3\nearly time 14, late time "
                                                           "14\ncritical"));
        QCOMPARE(h.window.figuresAt({4000, 4000}), QString());

        QWidget* chart = h.window.centralWidget();
        QTest::mousePress(chart, Qt::LeftButton, {}, QPoint(pixels(2000), pixels(2000)));
        QTest::mouseMove(chart, QPoint(pixels(2700), pixels(2400)));
        QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(pixels(2700), pixels(2400)));
        QCOMPARE(h.project.nodeX[2], 2700.0f);
        QCOMPARE(h.project.nodeY[2], 2400.0f);
        QCOMPARE(h.action("mnuUndo")->text(), QString("&Undo Move Node"));
        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton); // another mode: nothing selected
        QCOMPARE(h.window.selection(), ChartSelection{});

        // Empty, the chart cannot scroll: at 200 % a pixel is 7.5 twips from
        // the corner, and a node's circle is twice as wide.
        h.prompts.saveAnswers << SaveAnswer::discard;
        h.window.mnustartover_Click();
        for (int step = 0; step < 3; ++step) {
            h.action("mnuZoomIn")->trigger();
        }
        QTest::mouseClick(chart, Qt::LeftButton, {}, QPoint(300, 200));
        QCOMPARE(h.project.nodeX[1], 2250.0f);
        QCOMPARE(h.project.nodeY[1], 1500.0f);
        const QImage& image = h.window.canvasImage();
        QCOMPARE(image.pixelColor(300, 220), toQColor(colours::nodeFill));
        QCOMPARE(image.pixelColor(300, 230), toQColor(colours::windowBack));
        h.action("mnuActualSize")->trigger();
        QCOMPARE(h.at(2250, 1650), toQColor(colours::nodeFill));
        QCOMPARE(h.at(2250, 1500 + 220 * 1.5), toQColor(colours::windowBack));
    }

    // Nodes 1 (1000, 2000), 2 (2000, 2000), 3 (2000, 4250); jobs 1-2, 2-3, 1-3.
    void timesAndTitles() {
        Harness h;
        h.project = projectOf(3, {{1, 2, 7}, {2, 3, 7}, {1, 3, 7}});
        h.project.nodeX[3] = 2000;
        h.project.nodeY[3] = 4250;
        // A time beyond the schedule's sums stops the walk: no schedule run,
        // and job 2's red arrow black again.
        h.prompts.inputs = {"4", "1e15"};
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QTest::keyClick(&h.window, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(h.prompts.asked.size(), 2);
        QCOMPARE(h.project.edgeWeight[2], 7.0f);
        QVERIFY(h.listed().isEmpty());
        QCOMPARE(h.at(2000, 2500), toQColor(colours::black));

        // Every input box shows its job's arrow as the last thing drawn red,
        // and after a repaint meanwhile as the only thing red.
        RecordingSurface drawn(12000, 9000, colours::windowBack);
        h.window.drawOn(drawn);
        QList<int> askedJobs{1, 2, 3, 1, 3, 1};
        h.prompts.whileAsking = [&] {
            const QStringList arrow = arrowLines(h.project, askedJobs.takeFirst());
            const QStringList red = drawnIn(drawn, colours::red);
            QCOMPARE(red.mid(red.size() - arrow.size()), arrow);
            QExposeEvent expose(QRegion(h.window.rect()));
            QCoreApplication::sendEvent(h.window.windowHandle(), &expose);
            QCOMPARE(drawnIn(drawn, colours::red), arrow);
        };
        h.prompts.asked.clear();
        h.prompts.inputs = {"4", " 0 ", "2.5"};
        QTest::mouseClick(h.button("cmdWeight"), Qt::LeftButton);
        QCOMPARE(h.prompts.asked, QStringList(3, "input: Enter Weight | Weight"));
        QCOMPARE(h.prompts.lastInputPosition, std::optional<QPoint>(QPoint(6000, 9000)));
        QCOMPARE(h.project.edgeWeight[2], 0.0f);
        QCOMPARE(h.listed().size(), 4); // the schedule ran

        // A dummy is titled "..." without asking; a title keeps its first ten
        // characters; an empty answer blanks it.
        h.prompts.asked.clear();
        h.prompts.inputs = {"Foundation work", ""};
        QTest::mouseClick(h.button("cmdtitle"), Qt::LeftButton);
        QCOMPARE(h.prompts.asked, QStringList(2, "input: Enter Job Title | Title"));
        QCOMPARE(h.project.jobTitle[1].text(), std::string("Foundation    "));
        QCOMPARE(h.project.jobTitle[2].text(), std::string("...           "));
        QVERIFY(h.listed().at(1).contains("Foundation    "));
        // Cancel ends the walk and keeps every title.
        h.prompts.inputs = {QString()};
        QTest::mouseClick(h.button("cmdtitle"), Qt::LeftButton);
        QCOMPARE(h.project.jobTitle[1].text(), std::string("Foundation    "));
        QVERIFY(askedJobs.isEmpty());
    }

    // Every control of every window has a name a screen reader can say, words
    // rather than a glyph; the chart's description follows the project.
    void everyControlHasAName() {
        Harness h;
        QWidget* chart = h.window.centralWidget();
        h.load(examples + "/house.cpm");
        QCOMPARE(spoken(chart, QAccessible::Description),
                 QString("House: 12 nodes, 14 jobs, 23 weeks long"));
        QVERIFY(spoken(h.window.List1(), QAccessible::Description).contains("CPM run"));
        // Start Over forgets the length: a new drawing has none until CPM runs.
        h.action("mnustartover")->trigger();
        QCOMPARE(spoken(chart, QAccessible::Description), QString("Unnamed project: no nodes"));
        h.press(1500, 2500);
        QCOMPARE(spoken(chart, QAccessible::Description),
                 QString("Unnamed project: 1 node, 0 jobs, not scheduled yet"));
        h.prompts.saveAnswers << SaveAnswer::discard;
        h.load(examples + "/house.cpm");

        QTest::mouseClick(h.button("cmdedit"), Qt::LeftButton);
        h.window.pr_Click();
        h.window.abt_Click();
        h.window.mnuRisk_Click();
        h.window.mnuFloats_Click();
        h.window.mnuTimeCost_Click();
        for (const char* window : {"frmCPM", "frmJobsList", "frmPrint", "frmAbout", "frmRisk",
                                   "frmFloats", "frmTimeCost"}) {
            for (QWidget* w : Harness::windowNamed(window)->findChildren<QWidget*>()) {
                const QAccessible::Role role = QAccessible::queryAccessibleInterface(w)->role();
                if (controlRoles.contains(role) || qobject_cast<ClickableLabel*>(w) || w == chart) {
                    QVERIFY2(spoken(w).size() > 1, qPrintable(window + ("/" + w->objectName())));
                }
            }
        }
    }

    // View > Floats lists every job's floats, sorted by any column. Time and
    // Cost takes each crash figure typed in as a step of its own, shows why
    // a curve cannot be had, and crashes the project to a length of its
    // curve in one step, scheduled.
    void floatsAndTimeCost() {
        Harness h;
        h.load(examples + "/house.cpm");
        h.action("mnuFloats")->trigger();
        auto* floats = Harness::windowNamed("frmFloats")->findChild<QTableWidget*>();
        QCOMPARE(floats->rowCount(), h.project.edgeCount);
        floats->sortByColumn(4, Qt::DescendingOrder); // the free float
        QCOMPARE(floats->item(0, 1)->text(), QString("Landscaping"));
        QCOMPARE(floats->item(0, 4)->text(), QString("15"));
        floats->sortByColumn(0, Qt::AscendingOrder); // by job, not by its text
        QCOMPARE(floats->item(13, 0)->text(), QString("11-12"));
        // Ticked, the free floats are shaded on the chart: three jobs have
        // one, and Landscaping's 15 weeks lie beside the head of its arrow,
        // 15/21 of it with its time and delay. They go with the tick and with
        // the window.
        RecordingSurface drawn(12000, 9000, colours::windowBack);
        h.window.drawOn(drawn);
        auto* shade = Harness::windowNamed("frmFloats")->findChild<QCheckBox*>("chkShadeFloats");
        shade->setChecked(true);
        const QStringList green = drawnIn(drawn, colours::freeFloat);
        QCOMPARE(green.size(), 3);
        const QRegularExpressionMatch line =
            QRegularExpression(R"(^line ([-\d.]+),([-\d.]+) ([-\d.]+),([-\d.]+)$)")
                .match(green.last());
        QVERIFY2(line.hasMatch(), qPrintable(green.last()));
        const auto at = [&](int i) { return line.captured(i).toDouble(); };
        const double arrow = std::hypot(h.project.nodeX[12] - h.project.nodeX[2],
                                        h.project.nodeY[12] - h.project.nodeY[2]) -
                             400;
        QVERIFY(std::hypot(at(3) - h.project.nodeX[12], at(4) - h.project.nodeY[12]) < 300);
        QCOMPARE(qRound(std::hypot(at(3) - at(1), at(4) - at(2)) * 21), qRound(arrow * 15));
        shade->setChecked(false);
        QVERIFY(drawnIn(drawn, colours::freeFloat).isEmpty());
        shade->setChecked(true);
        Harness::windowNamed("frmFloats")->close();
        QVERIFY(drawnIn(drawn, colours::freeFloat).isEmpty());

        h.load(examples + "/plant.cpm");
        h.action("mnuTimeCost")->trigger();
        QWidget* window = Harness::windowNamed("frmTimeCost");
        auto* curve = window->findChild<QTableWidget*>("curve");
        auto* crash = window->findChild<QPushButton*>("crashTo");
        QCOMPARE(curve->rowCount(), 17);
        QCOMPARE(crash->text(), QString("Crash to 42 weeks")); // the least total cost
        curve->setCurrentCell(4, 0);
        crash->click();
        QCOMPARE(h.action("mnuUndo")->text(), QString("&Undo Crash to 40 weeks"));
        QCOMPARE(h.project.earlyTime[h.project.nodeCount], Currency::fromWhole(40));
        QCOMPARE(curve->item(0, 1)->text(), QString("4690000")); // the curve goes on from there
        h.action("mnuUndo")->trigger();
        QCOMPARE(h.project.earlyTime[h.project.nodeCount], Currency::fromWhole(44));

        auto* jobs = window->findChild<QTableWidget*>("crashData");
        jobs->item(0, 4)->setText("1.5");
        QCOMPARE(h.project.jobCrashTime[1], 1.5f);
        QCOMPARE(h.action("mnuUndo")->text(), QString("&Undo Crash Time"));
        jobs->item(0, 4)->setText("soon"); // no number: the time stays, and shows again
        QCOMPARE(jobs->item(0, 4)->text(), QString("1.5"));
        jobs->item(0, 5)->setText("1000");
        QCOMPARE(window->findChild<QLabel*>("timeCostStatus")->text(),
                 QString("job 1's crash cost (1000) is below its amount (180000)"));
        QVERIFY(!crash->isEnabled());
        jobs->item(0, 4)->setText(""); // no crash time: no crash data, not a crash to nothing
        QVERIFY(!hasCrashData(h.project, 1));
        QCOMPARE(jobs->item(0, 5)->text(), QString());

        // A job into an event that leads nowhere floats up to the late time's
        // sentinel, shown in full as the listing shows it.
        h.project = projectOf(3, {{1, 3, 1}, {1, 2, 1}});
        h.action("mnuFloats")->trigger();
        QCOMPARE(floats->item(1, 3)->text(), QString("9999999"));
    }

    void typedNumbersFollowTheLocale_data() {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<float>("value");
        QTest::newRow("German comma") << true << "2,5" << 2.5f;
        QTest::newRow("German, plain full stop") << true << "2.5" << 2.5f;
        QTest::newRow("letters") << false << "abc" << noNumber;
        QTest::newRow("too large") << false << "3.5e38" << noNumber;
    }
    void typedNumbersFollowTheLocale() {
        QFETCH(bool, german);
        QFETCH(QString, typed);
        QFETCH(float, value);
        QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany)
                                   : QLocale(QLocale::English, QLocale::UnitedStates));
        const std::optional<float> read = typedSingle(typed);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(read.value_or(noNumber), value);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
