#include "editor/window_harness.h"
#include "project_builder.h"

#include <QTimer>

using namespace arrowplan;
using arrowplan::testing::Harness;
using arrowplan::testing::projectOf;

namespace {

// Jobs 1-2 (4), 2-3 (1), 1-3 (2) on nodes at x = 1500, 4500, 7500 (y 3000,
// 3000, 4500): the tree is 2-3 and 1-3.
void triangle(Harness& h, int pauseMs) {
    h.project = projectOf(3, {{1, 2, 4}, {2, 3, 1}, {1, 3, 2}});
    const float x[] = {1500, 4500, 7500};
    const float y[] = {3000, 3000, 4500};
    for (int i = 1; i <= 3; ++i) {
        h.project.nodeX[i] = x[i - 1];
        h.project.nodeY[i] = y[i - 1];
    }
    h.window.findChild<QTimer*>("Timer1")->setInterval(pauseMs);
}

void clickLabel(Harness& h, const char* name) {
    QTest::mouseClick(h.window.findChild<QWidget*>(name), Qt::LeftButton);
}

} // namespace

class SpanningTreeWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void theTreeGrowsBlueStepByStep() {
        Harness h;
        triangle(h, 0);
        h.project.edgeFrom[2] = Currency::fromWhole(250); // a failed step ends the run
        clickLabel(h, "Label1");
        QVERIFY(h.prompts.asked.takeLast().startsWith("message: The command was stopped"));
        h.project.edgeFrom[2] = Currency::fromWhole(2);
        clickLabel(h, "Label1");
        QCOMPARE(h.prompts.asked, QStringList{"beep"}); // the first job taken: a pause
        QTRY_COMPARE(h.listed().count("Node #Subtree"), 2);
        QCOMPARE(h.prompts.asked.size(), 2);
        QCOMPARE(h.listed().first(), QString("Kruskals algorithm2"));
        QCOMPARE(h.listed().last(), QString("   3  3"));
        // Job 2-3 is blue on the chart; job 1-2 is not in the tree.
        QCOMPARE(h.at(6000, 3750), toQColor(colours::treeArrow));
        QCOMPARE(h.at(3000, 3000), toQColor(colours::black));
        h.window.cmdRedraw_Click();
        QCOMPARE(h.at(6000, 3750), toQColor(colours::treeArrow));
    }

    // A second start while a run pauses is ignored; a run whose project
    // changed in the pause stops when the pause ends.
    void oneRunAtATimeUntilTheProjectChanges() {
        Harness h;
        triangle(h, 60000);
        clickLabel(h, "Label2");
        clickLabel(h, "Label1");
        clickLabel(h, "Label2");
        QCOMPARE(h.prompts.asked, QStringList{"beep"});
        QCOMPARE(h.listed().first(), QString("Kruskals algorithm1"));
        h.action("mnustartover")->trigger();
        h.window.Timer1_Timer();
        QCOMPARE(h.listed().last(), QString("The run stopped: the jobs or nodes changed."));
        QCOMPARE(h.prompts.asked, QStringList{"beep"});
        clickLabel(h, "Label1"); // the next run starts afresh
        QCOMPARE(h.listed().first(), QString("Kruskals algorithm2"));
    }
};

QTEST_MAIN(SpanningTreeWindowTest)
#include "spanning_tree_window_test.moc"
