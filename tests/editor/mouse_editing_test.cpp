#include "editor/window_harness.h"
#include "platform/qt_text.h"
#include "schedule/listing.h"

#include <QTimer>

using namespace arrowplan;
using arrowplan::testing::Harness;

namespace {

// A press on the canvas at a point given in twips (a multiple of 15 lands
// exactly on a pixel).
void click(Harness& h, double x, double y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(h.window.centralWidget(), button, {}, QPoint(pixels(x), pixels(y)));
}

QColor nodeFace(Harness& h, int n) {
    return h.at(h.project.nodeX[n], h.project.nodeY[n] + 150);
}

} // namespace

class MouseEditingTest : public QObject {
    Q_OBJECT

  private slots:
    void addNodesArrowsAndMoveANode() {
        Harness h;
        click(h, 900, 900); // no mode yet: nothing happens
        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
        // On the list box's border: only the surface takes presses.
        QTest::mouseClick(h.window.List1(), Qt::LeftButton, {}, QPoint(0, 0));
        QCOMPARE(h.project.nodeCount, 0);
        // A double click's second press comes as a double click; it counts too.
        QTest::mouseDClick(h.window.centralWidget(), Qt::LeftButton, {}, QPoint(100, 200));
        click(h, 3000, 3000, Qt::RightButton); // any button adds a node
        click(h, 4500, 4500);
        QCOMPARE(h.button("cmdNode")->text(), QString("Nodes=3"));

        // Node 2 is chosen to move, and still moves after Add Edge clicks.
        QTest::mouseClick(h.button("cmdmove"), Qt::LeftButton);
        click(h, 9000, 5000);
        QCOMPARE(h.prompts.asked.takeLast(), QString("message: Please try again | Arrowplan"));
        click(h, 3000, 3000);
        QCOMPARE(nodeFace(h, 2), toQColor(colours::highlight));
        h.window.hide(); // shown again: redrawn from the tables, still selected
        h.window.show();
        QTRY_COMPARE(nodeFace(h, 2), toQColor(colours::nodeFill));

        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        click(h, 1500, 3000, Qt::RightButton); // a right first click chooses as a left one
        QCOMPARE(nodeFace(h, 1), toQColor(colours::highlight));
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=1"));
        click(h, 4500, 4500, Qt::RightButton); // a right second click takes the arrow back
        QCOMPARE(h.project.edgeCount, 0);

        QTest::mouseClick(h.button("cmdmove"), Qt::LeftButton);
        click(h, 6000, 1500);
        QCOMPARE(h.project.nodeX[2], 6000.0f);
        QCOMPARE(h.project.nodeY[2], 1500.0f);
        QCOMPARE(h.at(3000, 3150), toQColor(colours::windowBack)); // redrawn from the tables

        // A half-made arrow is taken back when Add Edge is chosen again.
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        click(h, 1500, 3000);
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=0"));
        QCOMPARE(nodeFace(h, 1), toQColor(colours::nodeFill));
        // Commands that read the jobs never see one that ends at node 0.
        click(h, 1500, 3000);
        h.action("sav")->trigger(); // cancelled: it changes nothing
        QCOMPARE(h.project.edgeStarted, 1);
        QTest::mouseClick(h.button("cmdCPM"), Qt::LeftButton);
        QCOMPARE(h.listed(), QStringList{toQString(listingHeader)});
        // Queued before the second click, Start Over runs while the window
        // lets pending events through, and wins.
        click(h, 1500, 3000);
        QTimer::singleShot(0, &h.window, [&] { h.window.mnustartover_Click(); });
        click(h, 4500, 4500);
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
};

QTEST_MAIN(MouseEditingTest)
#include "mouse_editing_test.moc"
