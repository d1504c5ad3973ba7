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

// Nodes at (1500 + 1500 i, 3000) for i = 0..count-1, placed with the mouse.
void placeNodes(Harness& h, int count) {
    QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
    for (int i = 0; i < count; ++i) {
        click(h, 1500 + 1500 * i, 3000);
    }
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
        click(h, 1500, 3000);
        click(h, 3000, 3000, Qt::RightButton); // any button adds a node
        click(h, 4500, 4500);
        QCOMPARE(h.button("cmdNode")->text(), QString("Nodes=3"));
        QCOMPARE(h.project.nodeX[3], 4500.0f);
        QCOMPARE(h.project.nodeNumber[3], 3.0f);
        QCOMPARE(nodeFace(h, 2), toQColor(colours::nodeFill));

        // Node 2 is chosen to move, and still moves after arrows are drawn.
        QTest::mouseClick(h.button("cmdmove"), Qt::LeftButton);
        click(h, 9000, 5000);
        QCOMPARE(h.prompts.asked.takeLast(), QString("message: Please try again | Arrowplan"));
        click(h, 3000, 3000);
        QCOMPARE(nodeFace(h, 2), toQColor(colours::highlight));

        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        click(h, 1500, 3000);
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=1"));
        QCOMPARE(nodeFace(h, 1), toQColor(colours::highlight));
        click(h, 3000, 3000);
        QCOMPARE(nodeFace(h, 1), toQColor(colours::nodeFill));
        click(h, 3000, 3000, Qt::RightButton); // a right first click chooses as a left one
        click(h, 4500, 4500);
        QCOMPARE(h.project.edgeCount, 2);
        QVERIFY(h.project.edgeFrom[2] == Currency::fromWhole(2));
        QVERIFY(h.project.edgeTo[2] == Currency::fromWhole(3));
        QVERIFY(h.prompts.asked.isEmpty());

        QTest::mouseClick(h.button("cmdmove"), Qt::LeftButton);
        click(h, 6000, 1500);
        QCOMPARE(h.project.nodeX[2], 6000.0f);
        QCOMPARE(h.project.nodeY[2], 1500.0f);
        QCOMPARE(h.project.nodeY[3], 4500.0f);
        QCOMPARE(nodeFace(h, 2), toQColor(colours::nodeFill));
        QCOMPARE(h.at(3000, 3150), toQColor(colours::windowBack)); // redrawn from the tables
    }

    // Nodes 1, 2 and 3 at x = 1500, 1700 and 6000 (y = 3000); a click at
    // (1500 + dx, 3000 + dy) starts an arrow from the node given, 0 a miss.
    void hitsLieStrictlyWithinTheRadius_data() {
        QTest::addColumn<float>("dx");
        QTest::addColumn<float>("dy");
        QTest::addColumn<int>("node");
        QTest::newRow("200 across") << -200.0f << 0.0f << 0;
        QTest::newRow("199.9 across") << -199.9f << 0.0f << 1;
        QTest::newRow("199.5 down rounds to 200") << 0.0f << 199.5f << 0;
        QTest::newRow("198.5 down rounds to 198") << 0.0f << 198.5f << 1;
        QTest::newRow("diagonal inside") << -141.0f << 141.0f << 1;
        QTest::newRow("diagonal outside") << -142.0f << 142.0f << 0;
        QTest::newRow("overlap: the higher number") << 90.0f << 0.0f << 2;
    }
    void hitsLieStrictlyWithinTheRadius() {
        QFETCH(float, dx);
        QFETCH(float, dy);
        QFETCH(int, node);
        Harness h;
        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
        for (float x : {1500.0f, 1700.0f, 6000.0f}) {
            h.window.Form_MouseDown(Qt::LeftButton, x, 3000);
        }
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        h.window.Form_MouseDown(Qt::LeftButton, 1500 + dx, 3000 + dy);
        QCOMPARE(h.project.edgeStarted, node != 0 ? 1 : 0);
        QVERIFY(h.project.edgeFrom[1] == Currency::fromWhole(node));
        QCOMPARE(h.prompts.asked.isEmpty(), node != 0);
    }

    void arrowsThatAreDropped_data() {
        QTest::addColumn<double>("startX");
        QTest::addColumn<double>("endX");
        QTest::addColumn<bool>("rightButton");
        QTest::addColumn<QString>("message");
        // Nodes 1..4 stand at x = 1500, 3000, 4500, 6000.
        QTest::newRow("start at the highest node") << 6000.0 << -1.0 << false << "";
        QTest::newRow("end below the start") << 4500.0 << 3000.0 << false << "";
        QTest::newRow("end on the start") << 4500.0 << 4500.0 << false << "";
        QTest::newRow("right button on a good end") << 3000.0 << 4500.0 << true << "";
        QTest::newRow("right button on nothing")
            << 3000.0 << 8000.0 << true << "message: Please try again | Arrowplan";
    }
    void arrowsThatAreDropped() {
        QFETCH(double, startX);
        QFETCH(double, endX);
        QFETCH(bool, rightButton);
        QFETCH(QString, message);
        Harness h;
        placeNodes(h, 4);
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        click(h, startX, 3000);
        if (endX > 0) {
            click(h, endX, 3000, rightButton ? Qt::RightButton : Qt::LeftButton);
        }
        QCOMPARE(h.project.edgeCount, 0);
        QCOMPARE(h.project.edgeStarted, 0);
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=0"));
        QCOMPARE(h.prompts.asked.join(""), message);
        for (int n = 1; n <= 4; ++n) {
            QCOMPARE(nodeFace(h, n), toQColor(colours::nodeFill));
        }
    }

    void aHalfMadeArrowIsTakenBack() {
        Harness h;
        placeNodes(h, 3);
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        click(h, 1500, 3000);
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton); // chosen again
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=0"));
        QCOMPARE(h.project.edgeStarted, 0);
        QCOMPARE(nodeFace(h, 1), toQColor(colours::nodeFill));

        // Commands that read the jobs never see one that ends at node 0.
        click(h, 1500, 3000);
        QTest::mouseClick(h.button("cmdCPM"), Qt::LeftButton);
        QCOMPARE(h.listed(), QStringList{toQString(listingHeader)});
        click(h, 1500, 3000);
        h.action("mnustartover")->trigger();
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        click(h, 1500, 3000); // a first click again, not a second one
        QCOMPARE(h.project.edgeCount, 0);
        QCOMPARE(h.prompts.asked.last(), QString("message: Please try again | Arrowplan"));
    }

    void aCommandRunWhileTheEndIsChosenWins() {
        Harness h;
        placeNodes(h, 3);
        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        click(h, 1500, 3000);
        // Queued before the second click, it runs while the window lets
        // pending events through.
        QTimer::singleShot(0, &h.window, [&] { h.window.mnustartover_Click(); });
        click(h, 3000, 3000);
        QCOMPARE(h.project.edgeCount, 0);
        QCOMPARE(h.button("cmdEdge")->text(), QString("Edges=0"));
    }

    void onlyTheSurfaceTakesPresses() {
        Harness h;
        QTest::mouseClick(h.button("cmdNode"), Qt::LeftButton);
        for (const char* name : {"Label4", "Label3", "Label2", "frmButtons"}) {
            QTest::mouseClick(h.window.findChild<QWidget*>(name), Qt::LeftButton, {}, QPoint(3, 3));
        }
        QCOMPARE(h.project.nodeCount, 0);
        QTest::mouseDClick(h.window.centralWidget(), Qt::LeftButton, {}, QPoint(100, 200));
        // The second press of a double click comes as a double click; it counts too.
        QCOMPARE(h.project.nodeCount, 1);
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
        QCOMPARE(h.prompts.asked.takeLast(),
                 QString("message: A project holds at most 100 nodes. | Arrowplan"));
        QVERIFY(h.project == full);

        QTest::mouseClick(h.button("cmdEdge"), Qt::LeftButton);
        for (int j = 1; j <= 99; ++j) {
            h.project.edgeCount = static_cast<std::int16_t>(j);
            h.project.edgeFrom[j] = Currency::fromWhole(1);
            h.project.edgeTo[j] = Currency::fromWhole(100);
        }
        h.window.Form_MouseDown(Qt::LeftButton, 600, 1500);
        h.window.Form_MouseDown(Qt::LeftButton, 3000, 3000);
        QCOMPARE(h.project.edgeCount, 100);
        const Project hundredJobs = h.project;
        h.window.Form_MouseDown(Qt::LeftButton, 600, 1500);
        QCOMPARE(h.prompts.asked.takeLast(),
                 QString("message: A project holds at most 100 jobs. | Arrowplan"));
        QVERIFY(h.project == hundredJobs);
    }
};

QTEST_MAIN(MouseEditingTest)
#include "mouse_editing_test.moc"
