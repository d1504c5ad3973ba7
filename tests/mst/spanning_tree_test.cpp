#include "editor/window_harness.h"
#include "mst/kruskal.h"
#include "platform/qt_text.h"
#include "project_builder.h"

#include <QTest>
#include <QTimer>

using namespace arrowplan;
using arrowplan::testing::Harness;
using arrowplan::testing::projectOf;

namespace {

// A whole run without pauses; a pause shows as the line "<pause>".
QStringList runOf(Project& project, KruskalVariant variant, int& counter) {
    QStringList lines;
    KruskalRun kruskal(project, variant, counter);
    for (bool over = false; !over; over = kruskal.end()) {
        if (kruskal.begin()) {
            lines << toQStringList(kruskal.takeLines()) << "<pause>";
        }
    }
    lines << toQStringList(kruskal.takeLines());
    return lines;
}

// Jobs 1-2 (4), 2-3 (1), 1-3 (2) on nodes at (1000, 2000), (2000, 2000) and
// (2000, 3500): the tree is 2-3 and 1-3.
void triangle(Harness& h, int pauseMs) {
    h.project = projectOf(3, {{1, 2, 4}, {2, 3, 1}, {1, 3, 2}});
    h.project.nodeX[3] = 2000;
    h.project.nodeY[3] = 3500;
    h.window.findChild<QTimer*>("Timer1")->setInterval(pauseMs);
    h.document.opened({}); // as loaded: Start Over asks nothing
}

} // namespace

// The weight sort and both Kruskal runs, in the core and through the hidden labels.
class SpanningTreeTest : public QObject {
    Q_OBJECT

  private slots:
    // Jobs 1-2 (weight 4), 2-3 (weight 1), 1-3 (weight 2); every node starts
    // in its own subtree.
    void ownSubtreesOnATriangle() {
        Project project = projectOf(3, {{1, 2, 4}, {2, 3, 1}, {1, 3, 2}});
        int counter = 0;
        QCOMPARE(runOf(project, KruskalVariant::ownSubtrees, counter),
                 (QStringList{"Kruskals algorithm2", "Bubble Sort of Weights", "Start End Weight",
                              "   2    3    1", "   1    3    2", "   1    2    4", "<pause>",
                              "Node #Subtree", "   1  1", "   2  3", "   3  3", "<pause>",
                              "Node #Subtree", "   1  3", "   2  3", "   3  3"}));
        QCOMPARE(project.edgeInTree[2], 1);
        QCOMPARE(project.edgeInTree[3], 1);
        QCOMPARE(project.edgeInTree[1], 0); // never examined
        QCOMPARE(counter, 0);
    }

    // 1-2 and 3-4 start subtrees numbered from the counter on, each after its
    // pause; 2-3 then joins the first to the second.
    void subtreesFromTheCounterNumberOn() {
        Project project = projectOf(4, {{1, 2, 1}, {3, 4, 2}, {2, 3, 3}});
        int counter = 0;
        const QStringList first = runOf(project, KruskalVariant::fromCounter, counter);
        QCOMPARE(first.first(), QString("Kruskals algorithm1"));
        QCOMPARE(
            first.mid(6),
            (QStringList{"<pause>", "Node #Subtree", "   1  1", "   2  1", "   3  0", "   4  0",
                         "<pause>", "Node #Subtree", "   1  1", "   2  1", "   3  2", "   4  2",
                         "<pause>", "Node #Subtree", "   1  2", "   2  2", "   3  2", "   4  2"}));
        QCOMPARE(runOf(project, KruskalVariant::fromCounter, counter).last(), QString("   4  4"));
        QCOMPARE(counter, 4);
    }

    void cyclesAndEndings() {
        // 1-3 (weight 0.5) and 1-2 join the first three nodes; every other job
        // would close a cycle. A fourth node with no job keeps the network
        // from being connected, so the walk ends after the last job.
        for (KruskalVariant variant : {KruskalVariant::ownSubtrees, KruskalVariant::fromCounter}) {
            Project project =
                projectOf(4, {{1, 2, 1}, {2, 3, 1}, {1, 3, 0.5f}, {2, 3, 3}, {1, 3, 1}});
            int counter = 0;
            const QStringList lines = runOf(project, variant, counter);
            QCOMPARE(lines.count("<pause>"), 2);
            QCOMPARE(lines.count("Node #Subtree"), 5); // every job examined, then the end
            QCOMPARE(
                lines.mid(3, 5),
                (QStringList{"   1    3  0.5", "   1    2    1", "   2    3    1", "   1    3    1",
                             "   2    3    3"})); // equal weights keep their order
        }
    }

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

QTEST_MAIN(SpanningTreeTest)
#include "spanning_tree_test.moc"
