#include "editor/window_harness.h"
#include "platform/qt_text.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace arrowplan;
using arrowplan::testing::examples;
using arrowplan::testing::Harness;

namespace {

QColor faceOf(QPushButton* button) {
    return button->grab().toImage().pixelColor(4, 4);
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void controlsAndModeCommands() {
        Harness h;
        for (QWidget* child : h.window.centralWidget()->findChildren<QWidget*>()) {
            QVERIFY2(h.window.centralWidget()->rect().contains(child->geometry()),
                     qPrintable(child->objectName()));
        }
        h.project.nodeCount = 4;
        h.project.edgeCount = 3;
        struct Step {
            const char* name;
            EditMode mode;
            QString nodes;
            QString edges;
        };
        // The counts stay on their buttons when another mode is chosen.
        const Step steps[] = {{"cmdmove", EditMode::moveNode, "Add Node", "Add Edge (Jobs)"},
                              {"cmdNode", EditMode::addNode, "Nodes=4", "Add Edge (Jobs)"},
                              {"cmdEdge", EditMode::addEdge, "Nodes=4", "Edges=3"}};
        for (const Step& step : steps) {
            QTest::mouseClick(h.button(step.name), Qt::LeftButton);
            QCOMPARE(h.project.editMode, step.mode);
            QCOMPARE(h.button("cmdNode")->text(), step.nodes);
            QCOMPARE(h.button("cmdEdge")->text(), step.edges);
            for (const char* name : {"cmdNode", "cmdEdge", "cmdmove"}) {
                const bool active = qstrcmp(name, step.name) == 0;
                QCOMPARE(faceOf(h.button(name)), active ? QColor(Qt::white) : toQColor(0xEDF7E6));
            }
        }

        h.action("abt")->trigger();
        auto* about = h.window.findChild<QDialog*>("frmAbout");
        QVERIFY(about && about->isVisible());
        QTest::mouseClick(about->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(!about->isVisible());

        // The drawing colour starts as the system highlight, blue in the high byte.
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Highlight, QColor(0x11, 0x22, 0x33));
        QApplication::setPalette(palette);
        MainWindow unshown(h.project, h.prompts);
        QCOMPARE(unshown.surface().drawColour(), Colour{0x332211});
    }

    // Every shortcut reaches its handler; Load and Save share one file dialog.
    void shortcutsReachTheirHandlers() {
        Harness h;
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        const auto press = [&](Qt::Key key) {
            QTest::keyClick(&h.window, key, Qt::ControlModifier);
        };

        h.prompts.files << examples + "/demo.cpm";
        press(Qt::Key_L);
        QCOMPARE(h.prompts.asked.first(), QString("open: *.cpm"));
        QCOMPARE(h.prompts.lastFileDialog.filter, QString("CPM_FILES(*.cpm)"));
        QCOMPARE(h.prompts.lastFileDialog.defaultSuffix, QString("cpm"));
        QCOMPARE(h.listed().size(), h.project.edgeCount + 1);    // scheduled and listed
        QCOMPARE(h.at(1500, 2550), toQColor(colours::nodeFill)); // inside node 1
        QCoreApplication::processEvents();                       // the list box lays its lines out
        QVERIFY(!h.window.List1()->horizontalScrollBar()->isVisible());

        QTemporaryDir dir;
        h.prompts.files << dir.filePath("saved.cpm");
        press(Qt::Key_S);
        QCOMPARE(h.prompts.asked.last(), "save: " + examples + "/demo.cpm");
        QCOMPARE(contentsOf(dir.filePath("saved.cpm")), contentsOf(examples + "/demo.cpm"));

        // A file that fails to load changes nothing.
        QFile bad(dir.filePath("bad.cpm"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("2\r\n1\r\n100\r\n");
        bad.close();
        const Project before = h.project;
        h.prompts.files << bad.fileName();
        press(Qt::Key_L);
        QCOMPARE(h.prompts.asked.last(),
                 "message: The project was not loaded.\n\n"
                 "bad.cpm, line 4: the file ends before the actual time of job 1 | Arrowplan");
        QVERIFY(h.project == before);

        QTest::mouseClick(h.button("cmdcoster"), Qt::LeftButton);
        const QStringList costs = h.listed();
        QCOMPARE(costs.size(), 14);
        QCOMPARE(costs.first(), QString("Total Costs for the Demo Project"));
        h.window.List1()->scrollToBottom(); // a new listing starts at its top again
        QTest::mouseClick(h.button("cmdcoster"), Qt::LeftButton);
        QCOMPARE(h.window.List1()->verticalScrollBar()->value(), 0);

        h.prompts.inputs << "Back yard";
        press(Qt::Key_M);
        QCOMPARE(h.project.projectName, std::string("Back yard"));

        h.window.surface().clear(); // lose the picture; Redraw brings it back
        press(Qt::Key_R);
        QCOMPARE(h.at(1500, 2550), toQColor(colours::nodeFill));

        press(Qt::Key_T); // Start Over keeps the list: the next CPM run replaces it
        QCOMPARE(h.project.editMode, EditMode::addNode);
        QCOMPARE(h.button("cmdNode")->text(), QString("Nodes=0"));
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=0"));
        QCOMPARE(h.listed(), costs);
        QCOMPARE(h.at(1500, 2550), toQColor(colours::windowBack));
        h.prompts.files << dir.filePath("empty.cpm");
        press(Qt::Key_S);
        QVERIFY(h.prompts.asked.last().contains("no nodes"));

        press(Qt::Key_C);
        QCOMPARE(h.project.editMode, EditMode::addEdge);
        press(Qt::Key_A);
        QCOMPARE(h.project.editMode, EditMode::addNode);
        h.project.edgeCount = 2;
        press(Qt::Key_N);
        QCOMPARE(h.project.edgeCount, 0);
        press(Qt::Key_X);
        QTest::mouseClick(h.button("cmdExit"), Qt::LeftButton);
        h.window.close();
        QCOMPARE(h.endings, 3);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
