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

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // Every button and shortcut reaches its handler; Load and Save share one
    // file dialog.
    void commandsReachTheirHandlers() {
        Harness h;
        h.project.nodeCount = 4;
        h.project.edgeCount = 3;
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
        QVERIFY(h.window.findChild<QDialog*>("frmAbout")->isVisible());

        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));

        h.prompts.files << examples + "/demo.cpm";
        QTest::keyClick(&h.window, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(h.prompts.asked.first(), QString("open: *.cpm"));
        QCOMPARE(h.prompts.lastFileDialog.filter, QString("CPM_FILES(*.cpm)"));
        QCOMPARE(h.prompts.lastFileDialog.defaultSuffix, QString("cpm"));
        QCOMPARE(h.listed().size(), h.project.edgeCount + 1);    // scheduled and listed
        QCOMPARE(h.at(1500, 2550), toQColor(colours::nodeFill)); // inside node 1
        QCoreApplication::processEvents();                       // the list box lays its lines out
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
        QFile nodeless(dir.filePath("nodeless.cpm"));
        QVERIFY(nodeless.open(QIODevice::WriteOnly));
        nodeless.write("0\r\n5\r\n");
        nodeless.close();
        h.prompts.files << nodeless.fileName();
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
        // New starts over, in Add Node mode.
        QTest::keyClick(&h.window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(h.project.editMode, EditMode::addNode);
        QTest::keyClick(&h.window, Qt::Key_X, Qt::ControlModifier);
        QTest::mouseClick(h.button("cmdExit"), Qt::LeftButton);
        h.window.close();
        QCOMPARE(h.endings, 3);

        // The drawing colour starts as the system highlight, blue in the high byte.
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Highlight, QColor(0x11, 0x22, 0x33));
        QApplication::setPalette(palette);
        MainWindow unshown(h.project, h.prompts);
        QCOMPARE(unshown.surface().drawColour(), Colour{0x332211});
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
