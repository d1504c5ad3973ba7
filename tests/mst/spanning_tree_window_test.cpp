#include "editor/window_harness.h"
#include "project_builder.h"

#include <QTimer>

using namespace arrowplan;
using arrowplan::testing::Harness;
using arrowplan::testing::projectOf;

namespace {

// Jobs 1-2 (4), 2-3 (1), 1-3 (2) on nodes at (1000, 2000), (2000, 2000) and
// (2000, 3500): the tree is 2-3 and 1-3.
void triangle(Harness& h, int pauseMs) {
    h.project = projectOf(3, {{1, 2, 4}, {2, 3, 1}, {1, 3, 2}});
    h.project.nodeX[3] = 2000;
    h.project.nodeY[3] = 3500;
    h.window.findChild<QTimer*>("Timer1")->setInterval(pauseMs);
}

} // namespace

class SpanningTreeWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // One run at a time; a run whose project changed in a pause stops when
    // the pause ends, and so does a run whose step fails.
    void theTreeGrowsBlueStepByStep() {
        Harness h;
        triangle(h, 60000);
        QTest::mouseClick(h.window.findChild<QWidget*>("Label2"), Qt::LeftButton);
        QTest::mouseClick(h.window.findChild<QWidget*>("Label1"), Qt::LeftButton);
        QCOMPARE(h.prompts.asked, QStringList{"beep"}); // the first job taken: a pause
        QCOMPARE(h.listed().first(), QString("Kruskals algorithm1"));
        h.action("mnustartover")->trigger();
        h.window.Timer1_Timer();
        QCOMPARE(h.listed().last(), QString("The run stopped: the jobs or nodes changed."));
        QCOMPARE(h.prompts.asked, QStringList{"beep"});

        triangle(h, 0);
        h.project.edgeFrom[2] = Currency::fromWhole(250);
        QTest::mouseClick(h.window.findChild<QWidget*>("Label1"), Qt::LeftButton);
        QVERIFY(h.prompts.asked.takeLast().startsWith("message: The command was stopped"));
        h.project.edgeFrom[2] = Currency::fromWhole(2);
        QTest::mouseClick(h.window.findChild<QWidget*>("Label1"), Qt::LeftButton);
        QTRY_COMPARE(h.listed().count("Node #Subtree"), 2);
        QCOMPARE(h.prompts.asked, QStringList(3, "beep"));
        QCOMPARE(h.listed().first(), QString("Kruskals algorithm2"));
        QCOMPARE(h.listed().last(), QString("   3  3"));
        QCOMPARE(h.at(2000, 2750), toQColor(colours::treeArrow)); // job 2-3 on the chart
    }
};

QTEST_MAIN(SpanningTreeWindowTest)
#include "spanning_tree_window_test.moc"
