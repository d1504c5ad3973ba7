#include "mst/kruskal.h"
#include "platform/qt_text.h"
#include "project_builder.h"

#include <QTest>

using namespace arrowplan;
using arrowplan::testing::projectOf;

namespace {

struct Run {
    QStringList lines;
    int pauses = 0;
};

// A whole run without pauses; a pause shows as the line "<pause>".
Run runOf(Project& project, KruskalVariant variant, int& counter) {
    Run run;
    KruskalRun kruskal(project, variant, counter);
    const auto take = [&] { run.lines << toQStringList(kruskal.takeLines()); };

    for (bool over = false; !over;) {
        if (kruskal.begin()) {
            ++run.pauses;
            take();
            run.lines << "<pause>";
        }
        over = kruskal.end();
    }
    take();
    return run;
}

// Jobs 1-2 (weight 4), 2-3 (weight 1), 1-3 (weight 2).
Project triangle() {
    return projectOf(3, {{1, 2, 4}, {2, 3, 1}, {1, 3, 2}});
}

const QStringList sortedTriangle{"Bubble Sort of Weights", "Start End Weight", "   2    3    1",
                                 "   1    3    2", "   1    2    4"};

} // namespace

class KruskalTest : public QObject {
    Q_OBJECT

  private slots:
    void ownSubtreesOnATriangle() {
        Project project = triangle();
        int counter = 0;
        const Run run = runOf(project, KruskalVariant::ownSubtrees, counter);
        const QStringList steps{"<pause>", "Node #Subtree", "   1  1", "   2  3", "   3  3",
                                "<pause>", "Node #Subtree", "   1  3", "   2  3", "   3  3"};
        QCOMPARE(run.lines, QStringList{"Kruskals algorithm2"} + sortedTriangle + steps);
        QCOMPARE(project.edgeInTree[2], 1);
        QCOMPARE(project.edgeInTree[3], 1);
        QCOMPARE(project.edgeInTree[1], 0); // never examined
        QCOMPARE(counter, 0);
    }

    void subtreesFromTheCounterNumberOn() {
        Project project = triangle();
        int counter = 0;
        const Run first = runOf(project, KruskalVariant::fromCounter, counter);
        QCOMPARE(first.pauses, 2);
        QCOMPARE(first.lines.mid(6),
                 (QStringList{"<pause>", "Node #Subtree", "   1  0", "   2  1", "   3  1",
                              "<pause>", "Node #Subtree", "   1  1", "   2  1", "   3  1"}));
        const Run second = runOf(project, KruskalVariant::fromCounter, counter);
        QCOMPARE(second.lines.last(), QString("   3  2"));
        QCOMPARE(counter, 2);
    }

    void aJoinTakesTheEndNodesSubtree() {
        // 1-2 and 3-4 start subtrees 1 and 2; 2-3 then joins the first to the second.
        Project project = projectOf(4, {{1, 2, 1}, {3, 4, 2}, {2, 3, 3}});
        int counter = 0;
        const Run run = runOf(project, KruskalVariant::fromCounter, counter);
        QCOMPARE(run.lines.mid(run.lines.size() - 4),
                 (QStringList{"   1  2", "   2  2", "   3  2", "   4  2"}));
    }

    void cyclesAndEndings() {
        // 1-3 (weight 0.5) and 1-2 join the first three nodes; every other job
        // would close a cycle. A fourth node with no job keeps the network
        // from being connected, so the walk ends after the last job.
        Project project = projectOf(4, {{1, 2, 1}, {2, 3, 1}, {1, 3, 0.5f}, {2, 3, 3}, {1, 3, 1}});
        int counter = 0;
        const Run run = runOf(project, KruskalVariant::ownSubtrees, counter);
        QCOMPARE(run.pauses, 2);
        QCOMPARE(run.lines.count("Node #Subtree"), 5); // every job examined, then the end
        QCOMPARE(
            run.lines.mid(3, 5),
            (QStringList{"   1    3  0.5", "   1    2    1", "   2    3    1", "   1    3    1",
                         "   2    3    3"})); // equal weights keep their order

        Project empty;
        const Run none = runOf(empty, KruskalVariant::fromCounter, counter);
        QCOMPARE(none.lines, (QStringList{"Kruskals algorithm1", "Bubble Sort of Weights",
                                          "Start End Weight"}));
    }

    void aChangedProjectEndsTheRun() {
        Project project = triangle();
        int counter = 0;
        KruskalRun run(project, KruskalVariant::ownSubtrees, counter);
        QVERIFY(run.begin());
        project.edgeWeight[1] = 9; // a card edit while the run pauses
        QVERIFY(run.end());
        QVERIFY(!run.begin());
        QCOMPARE(toQString(run.takeLines().back()),
                 QString("The run stopped: the jobs or nodes changed."));
    }
};

QTEST_APPLESS_MAIN(KruskalTest)
#include "kruskal_test.moc"
