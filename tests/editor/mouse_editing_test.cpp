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
        QCOMPARE(h.project.nodeCount, 0);

        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
        for (const char* name : {"Label4", "Label3", "Label2", "frmButtons", "List1"}) {
            // At the top left corner: on the list box, its border.
            QTest::mouseClick(h.window.findChild<QWidget*>(name), Qt::LeftButton, {}, QPoint(0, 0));
        }
        QCOMPARE(h.project.nodeCount, 0); // only the surface takes presses
        // A double click's second press comes as a double click; it counts too.
        QTest::mouseDClick(h.window.centralWidget(), Qt::LeftButton, {}, QPoint(100, 200));
        QCOMPARE(h.project.nodeCount, 1);
        click(h, 3000, 3000, Qt::RightButton); // any button adds a node
        click(h, 4500, 4500);
        QCOMPARE(h.button("cmdNode")->text(), QString("Nodes=3"));
        QCOMPARE(nodeFace(h, 2), toQColor(colours::nodeFill));

        // Node 2 is chosen to move, and still moves after arrows are drawn.
        QTest::mouseClick(h.button("cmdmove"), Qt::LeftButton);
        click(h, 9000, 5000);
        QCOMPARE(h.prompts.asked.takeLast(), QString("message: Please try again | Arrowplan"));
        click(h, 3000, 3000);
        QCOMPARE(nodeFace(h, 2), toQColor(colours::highlight));
        h.window.hide(); // shown again: redrawn from the tables, still selected
        h.window.show();
        QTRY_COMPARE(nodeFace(h, 2), toQColor(colours::nodeFill));

        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        click(h, 1500, 3000);
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=1"));
        QCOMPARE(nodeFace(h, 1), toQColor(colours::highlight));
        click(h, 3000, 3000);
        QCOMPARE(nodeFace(h, 1), toQColor(colours::nodeFill));
        click(h, 3000, 3000, Qt::RightButton); // a right first click chooses as a left one
        click(h, 4500, 4500);
        QCOMPARE(h.project.edgeCount, 2);
        QVERIFY(h.prompts.asked.isEmpty());

        QTest::mouseClick(h.button("cmdmove"), Qt::LeftButton);
        click(h, 6000, 1500);
        QCOMPARE(h.project.nodeX[2], 6000.0f);
        QCOMPARE(h.project.nodeY[2], 1500.0f);
        QCOMPARE(h.project.nodeY[3], 4500.0f);
        QCOMPARE(nodeFace(h, 2), toQColor(colours::nodeFill));
        QCOMPARE(h.at(3000, 3150), toQColor(colours::windowBack)); // redrawn from the tables
    }

    // Nodes 1..4 at x = 1500, 1700, 4500 and 6000 (y = 3000) and job 1-3;
    // a second arrow's first click, then its second one unless that is at 0,
    // and the job made, if any. A hit lies strictly within the radius (y is
    // rounded half to even: 199.5 down is 200); of overlapping nodes the
    // higher number wins.
    void arrowsFromTwoClicks_data() {
        QTest::addColumn<QLineF>("clicks");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("job");
        QTest::addColumn<bool>("missed");
        QTest::newRow("200 left") << QLineF(1300, 3000, 0, 0) << false << "" << true;
        QTest::newRow("199.9 left") << QLineF(1300.1, 3000, 4500, 3000) << false << "1-3" << false;
        QTest::newRow("199.5 down") << QLineF(1500, 3199.5, 0, 0) << false << "" << true;
        QTest::newRow("198.5 down") << QLineF(1500, 3198.5, 4500, 3000) << false << "1-3" << false;
        QTest::newRow("diagonal in") << QLineF(1359, 3141, 4500, 3000) << false << "1-3" << false;
        QTest::newRow("diagonal out") << QLineF(1358, 3142, 0, 0) << false << "" << true;
        QTest::newRow("overlap") << QLineF(1590, 3000, 4500, 3000) << false << "2-3" << false;
        QTest::newRow("start at the highest") << QLineF(6000, 3000, 0, 0) << false << "" << false;
        QTest::newRow("end below") << QLineF(4500, 3000, 1700, 3000) << false << "" << false;
        QTest::newRow("end on the start") << QLineF(4500, 3000, 4500, 3000) << false << "" << false;
        QTest::newRow("right on an end") << QLineF(1500, 3000, 4500, 3000) << true << "" << false;
        QTest::newRow("right on nothing") << QLineF(1500, 3000, 8000, 3000) << true << "" << true;
    }
    void arrowsFromTwoClicks() {
        QFETCH(QLineF, clicks);
        QFETCH(bool, right);
        QFETCH(QString, job);
        QFETCH(bool, missed);
        Harness h;
        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
        for (float x : {1500.0f, 1700.0f, 4500.0f, 6000.0f}) {
            h.window.Form_MouseDown(Qt::LeftButton, x, 3000);
        }
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        h.window.Form_MouseDown(Qt::LeftButton, 1500, 3000);
        h.window.Form_MouseDown(Qt::LeftButton, 4500, 3000);
        h.window.Form_MouseDown(Qt::LeftButton, static_cast<float>(clicks.x1()),
                                static_cast<float>(clicks.y1()));
        if (clicks.x2() > 0) {
            h.window.Form_MouseDown(right ? Qt::RightButton : Qt::LeftButton,
                                    static_cast<float>(clicks.x2()), 3000);
        }
        QCOMPARE(h.project.edgeCount, job.isEmpty() ? 1 : 2);
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=%1").arg(h.project.edgeCount));
        QCOMPARE(h.project.edgeStarted, 0);
        const long long from = nodeSlot(h.project.edgeFrom[2]);
        QVERIFY(job.isEmpty() ||
                QString("%1-%2").arg(from).arg(nodeSlot(h.project.edgeTo[2])) == job);
        QCOMPARE(h.prompts.asked.isEmpty(), !missed);
        for (int n = 1; n <= 4; ++n) {
            QCOMPARE(h.at(h.project.nodeX[n], 3150), toQColor(colours::nodeFill));
        }
    }

    void aHalfMadeArrowIsTakenBack() {
        Harness h;
        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
        for (double x : {1500, 3000, 4500}) {
            click(h, x, 3000);
        }
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        click(h, 1500, 3000);
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton); // chosen again
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=0"));
        QCOMPARE(h.project.edgeStarted, 0);
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
        click(h, 3000, 3000);
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=0"));
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        click(h, 1500, 3000); // a first click again, not a second one
        QCOMPARE(h.project.edgeCount, 0);
    }

    void theTablesHoldAHundred() {
        Harness h;
        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
        h.project.nodeCount = 99;
        h.project.nodeX[1] = 600;
        h.project.nodeY[1] = 1500;
        h.window.Form_MouseDown(Qt::LeftButton, 3000, 3000);
        QCOMPARE(h.project.nodeCount, 100);
        const Project full = h.project;
        h.window.Form_MouseDown(Qt::LeftButton, 4500, 3000);
        QVERIFY(h.prompts.asked.takeLast().contains("at most 100 nodes"));
        QVERIFY(h.project == full);

        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        h.project.edgeCount = 99;
        h.window.Form_MouseDown(Qt::LeftButton, 600, 1500);
        h.window.Form_MouseDown(Qt::LeftButton, 3000, 3000);
        QCOMPARE(h.project.edgeCount, 100);
        const Project hundredJobs = h.project;
        h.window.Form_MouseDown(Qt::LeftButton, 600, 1500);
        QVERIFY(h.prompts.asked.takeLast().contains("at most 100 jobs"));
        QVERIFY(h.project == hundredJobs);
    }
};

QTEST_MAIN(MouseEditingTest)
#include "mouse_editing_test.moc"
