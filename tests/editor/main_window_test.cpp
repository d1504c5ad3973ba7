#include "editor/main_window.h"
#include "editor/window_harness.h"
#include "model/project_file.h"
#include "platform/qt_text.h"
#include "platform/twips.h"
#include "schedule/cpm.h"
#include "schedule/listing.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <memory>

using namespace arrowplan;
using arrowplan::testing::examples;
using arrowplan::testing::Harness;

namespace {

QColor faceOf(QPushButton* button) {
    return button->grab().toImage().pixelColor(4, 4);
}

QStringList expectedListing(const QString& path) {
    Project project;
    loadProjectFile(toStdString(path), project);
    computeSchedule(project);
    return toQStringList(listingLines(project));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void controlsStandWhereDesigned() {
        Harness h;
        QCOMPARE(h.button("cmdEdge")->text(), QString("Add Edge (Jobs)"));
        QCOMPARE(h.button("cmdRedraw")->toolTip(), QString("Clicking is fun "));
        QCOMPARE(h.button("cmdcoster")->geometry(), twipsRect(8160, 240, 735, 495));
        QCOMPARE(h.window.List1()->geometry(), twipsRect(3840, 5880, 7095, 1635));
        QCOMPARE(h.window.findChild<QLabel*>("Label3")->text(),
                 QString("$ -Expected Delay Will Cause Decreased Slack"));
        QCOMPARE(faceOf(h.button("cmdCPM")), toQColor(0xEDF7E6));
        // Every control lies inside the client area the window starts with.
        for (QWidget* child : h.window.centralWidget()->findChildren<QWidget*>()) {
            QVERIFY2(h.window.centralWidget()->rect().contains(child->geometry()),
                     qPrintable(child->objectName()));
        }
        QCOMPARE(h.project.editMode, EditMode::none);

        // The drawing colour starts as the system highlight, blue in the high byte.
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Highlight, QColor(0x11, 0x22, 0x33));
        QApplication::setPalette(palette);
        MainWindow unshown(h.project, h.prompts);
        QCOMPARE(unshown.surface().drawColour(), Colour{0x332211});
    }

    void modeCommandsSetModeCaptionAndColour() {
        Harness h;
        h.project.nodeCount = 4;
        h.project.edgeCount = 3;
        QTest::mouseClick(h.button("cmdmove"), Qt::LeftButton);
        QCOMPARE(h.project.editMode, EditMode::moveNode);
        QCOMPARE(h.button("cmdNode")->text(), QString("Add Node"));
        QCOMPARE(faceOf(h.button("cmdmove")), QColor(Qt::white));

        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
        QCOMPARE(h.project.editMode, EditMode::addNode);
        QCOMPARE(h.button("cmdNode")->text(), QString("Nodes=4"));
        QCOMPARE(faceOf(h.button("cmdNode")), QColor(Qt::white));
        QCOMPARE(faceOf(h.button("cmdmove")), toQColor(0xEDF7E6));

        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        QCOMPARE(h.project.editMode, EditMode::addEdge);
        QCOMPARE(h.project.edgeStarted, 0);
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=3"));
        QCOMPARE(h.button("cmdNode")->text(), QString("Nodes=4")); // counts stay on their buttons
        QCOMPARE(faceOf(h.button("cmdNode")), toQColor(0xEDF7E6));
        QCOMPARE(faceOf(h.button("cmdEdge")), QColor(Qt::white));
    }

    void shortcutsReachTheirHandlers() {
        Harness h;
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        const auto press = [&](Qt::Key key) {
            QTest::keyClick(&h.window, key, Qt::ControlModifier);
        };

        press(Qt::Key_A);
        QCOMPARE(h.project.editMode, EditMode::addNode);
        press(Qt::Key_C);
        QCOMPARE(h.project.editMode, EditMode::addEdge);

        press(Qt::Key_L); // no file chosen: nothing happens
        QCOMPARE(h.prompts.asked.takeLast(), QString("open: *.cpm"));
        h.prompts.files << examples + "/yard.cpm";
        press(Qt::Key_L);
        QCOMPARE(h.project.edgeCount, 1);

        h.prompts.inputs << "Back yard";
        press(Qt::Key_M);
        QCOMPARE(h.project.projectName, std::string("Back yard"));

        QTemporaryDir dir;
        h.prompts.files << dir.filePath("saved.cpm");
        press(Qt::Key_S);
        QVERIFY(QFile::exists(dir.filePath("saved.cpm")));

        h.window.surface().clear(); // lose the picture; Redraw brings it back
        QCOMPARE(h.at(1500, 1350), toQColor(colours::windowBack));
        press(Qt::Key_R);
        QCOMPARE(h.at(1500, 1350), toQColor(colours::nodeFill));

        press(Qt::Key_T);
        QCOMPARE(h.project.nodeCount, 0);
        h.project.edgeCount = 2;
        press(Qt::Key_N);
        QCOMPARE(h.project.edgeCount, 0);
        press(Qt::Key_X);
        QCOMPARE(h.endings, 1);
    }

    void startOverResetsTheWindow() {
        Harness h;
        h.load(examples + "/house.cpm");
        const QStringList listing = h.listed();
        QTest::mouseClick(h.button("cmdmove"), Qt::LeftButton);

        h.action("mnustartover")->trigger();

        QCOMPARE(h.project.nodeCount, 0);
        QCOMPARE(h.project.edgeCount, 0);
        QVERIFY(h.project.projectName.empty());
        QCOMPARE(h.project.jobTitle[3], JobTitle());
        QCOMPARE(h.project.editMode, EditMode::addNode);
        QCOMPARE(h.button("cmdNode")->text(), QString("Nodes=0"));
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=0"));
        QCOMPARE(faceOf(h.button("cmdNode")), QColor(Qt::white));
        QCOMPARE(h.listed(), listing); // the next CPM run replaces it
        QCOMPARE(h.at(700, 2750), toQColor(colours::windowBack));
    }

    void loadSchedulesListsAndDraws() {
        Harness h;
        h.load(examples + "/yard.cpm");
        QCOMPARE(h.prompts.lastFileDialog.filter, QString("CPM_FILES(*.cpm)"));
        QCOMPARE(h.prompts.lastFileDialog.defaultSuffix, QString("cpm"));
        QCOMPARE(h.listed(), expectedListing(examples + "/yard.cpm"));
        QCOMPARE(h.button("cmdNode")->text(), QString("Add Node")); // Load leaves the captions

        // Inside node 1 below its number, on the critical arrow, and clear surface.
        QCOMPARE(h.at(1500, 1350), toQColor(colours::nodeFill));
        bool yellow = false;
        for (double y = 1185; y <= 1215; y += 15) {
            yellow = yellow || h.at(1975, y) == toQColor(colours::highlight);
        }
        QVERIFY(yellow);
        QCOMPARE(h.at(300, 4500), toQColor(colours::windowBack));

        // The dialog remembers the last file chosen.
        h.load(examples + "/house.cpm");
        QCOMPARE(h.prompts.asked.last(), "open: " + examples + "/yard.cpm");
        QCOMPARE(h.listed(), expectedListing(examples + "/house.cpm"));
        QCoreApplication::processEvents(); // the list box lays its lines out
        QVERIFY(!h.window.List1()->horizontalScrollBar()->isVisible());
    }

    void aBadFileChangesNothing_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("asked");
        QTest::newRow("truncated")
            << QByteArray("2\r\n1\r\n100\r\n")
            << "message: The project was not loaded.\n\n"
               "bad.cpm, line 4: the file ends before the actual time of job 1 | Arrowplan";
        QTest::newRow("no nodes") << QByteArray("0\r\n5\r\n") << "beep";
    }
    void aBadFileChangesNothing() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, asked);
        QTemporaryDir dir;
        QFile bad(dir.filePath("bad.cpm"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(contents);
        bad.close();

        Harness h;
        h.load(examples + "/house.cpm");
        const Project before = h.project;
        const QStringList listing = h.listed();
        h.load(bad.fileName());
        QCOMPARE(h.prompts.asked.last(), asked);
        QVERIFY(h.project == before);
        QCOMPARE(h.listed(), listing);
    }

    void saveWritesTheExactFile() {
        Harness h;
        h.load(examples + "/yard.cpm");
        QTemporaryDir dir;
        h.prompts.files << dir.filePath("copy.cpm");
        h.action("sav")->trigger();
        QFile original(examples + "/yard.cpm");
        QFile copy(dir.filePath("copy.cpm"));
        QVERIFY(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), original.readAll());

        h.action("mnustartover")->trigger();
        h.prompts.files << dir.filePath("empty.cpm");
        h.action("sav")->trigger();
        QVERIFY(h.prompts.asked.last().contains("no nodes"));
        QVERIFY(!QFile::exists(dir.filePath("empty.cpm")));
    }

    void nameTheProject() {
        Harness h;
        h.prompts.inputs << "Garage";
        h.action("namen")->trigger();
        QCOMPARE(h.prompts.asked.last(), QString("input: Enter the Project Name | Arrowplan"));
        QCOMPARE(h.project.projectName, std::string("Garage"));
        h.action("namen")->trigger(); // cancelled
        QVERIFY(h.project.projectName.empty());
    }

    void aRangeErrorEndsOnlyTheCommand() {
        Harness h;
        h.load(examples + "/yard.cpm");
        h.project.edgeFrom[1] = Currency::fromWhole(250);
        QTest::mouseClick(h.button("cmdCPM"), Qt::LeftButton);
        QVERIFY(h.prompts.asked.last().startsWith("message: The command was stopped"));
        QVERIFY(h.window.isVisible());
        QCOMPARE(h.project.edgeCount, 1);
        QCOMPARE(h.endings, 0);
    }

    void weeklyCostsFillTheList() {
        Harness h;
        h.load(examples + "/demo.cpm");
        QTest::mouseClick(h.button("cmdcoster"), Qt::LeftButton);
        QCOMPARE(h.listed().size(), 14);
        QCOMPARE(h.listed().first(), QString("Total Costs for the Demo Project"));
        h.window.List1()->scrollToBottom(); // a new listing starts at its top again
        QTest::mouseClick(h.button("cmdcoster"), Qt::LeftButton);
        QCOMPARE(h.window.List1()->verticalScrollBar()->value(), 0);
        h.project.jobAmount[1] = Currency::fromUnits(std::numeric_limits<std::int64_t>::max());
        h.project.jobPayMode[2] = payAtStart;
        h.project.jobAmount[2] = Currency::fromWhole(1);
        QTest::mouseClick(h.button("cmdcoster"), Qt::LeftButton);
        QVERIFY(h.prompts.asked.last().startsWith("message: The command was stopped"));
        QVERIFY(h.listed().isEmpty());
    }

    void aboutBoxAndExit() {
        Harness h;
        h.action("abt")->trigger();
        auto* about = h.window.findChild<QDialog*>("frmAbout");
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), QString("The Official About Box"));
        QTest::mouseClick(about->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(!about->isVisible());
        h.action("abt")->trigger();
        QCOMPARE(h.window.findChild<QDialog*>("frmAbout"), about);
        QVERIFY(about->isVisible());

        QTest::mouseClick(h.button("cmdExit"), Qt::LeftButton);
        h.window.close();
        QCOMPARE(h.endings, 2);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
