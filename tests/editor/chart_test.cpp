#include "editor/chart.h"
#include "editor/chart_hits.h"
#include "editor/chart_readability.h"
#include "platform/qt_text.h"
#include "platform/recording_surface.h"
#include "project_builder.h"
#include "schedule/cpm.h"

#include <QRegularExpression>
#include <QTest>

using namespace arrowplan;
using arrowplan::testing::projectOf;

namespace {

QStringList chartOf(Project project, ChartTarget target = ChartTarget::screen) {
    computeSchedule(project);
    RecordingSurface surface(12000, 9000, colours::windowBack);
    drawChart(project, surface, target);
    return toQStringList(surface.operations());
}

// The project with its nodes moved to these centres, node 1 first.
Project placed(Project project, std::initializer_list<Point> centres) {
    int node = 0;
    for (const Point centre : centres) {
        ++node;
        project.nodeX[node] = static_cast<float>(centre.x);
        project.nodeY[node] = static_cast<float>(centre.y);
    }
    return project;
}

QStringList arrowOf(float x1, float y1, float x2, float y2) {
    return chartOf(placed(projectOf(2, {{1, 2, 1}}), {{x1, y1}, {x2, y2}})).filter("line ");
}

} // namespace

class ChartTest : public QObject {
    Q_OBJECT

  private slots:
    void arrowGeometry_data() {
        QTest::addColumn<QList<float>>("nodes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("straight down")
            << QList<float>{1000, 1000, 1000, 3000}
            << QStringList{"line 1000,1200 1000,2800", "line 1000,2800 1052.09,2504.56",
                           "line 947.91,2504.56 1052.09,2504.56", "line 1000,2800 947.91,2504.56"};
        QTest::newRow("straight up")
            << QList<float>{1000, 3000, 1000, 1000}
            << QStringList{"line 1000,2800 1000,1200", "line 1000,1200 947.91,1495.44",
                           "line 1052.09,1495.44 947.91,1495.44", "line 1000,1200 1052.09,1495.44"};
        QTest::newRow("left and down") << QList<float>{3000, 1000, 1000, 2000}
                                       << QStringList{"line 2821.11,1089.44 1178.89,1910.56",
                                                      "line 1178.89,1910.56 1466.43,1825.03",
                                                      "line 1419.84,1731.84 1466.43,1825.03",
                                                      "line 1178.89,1910.56 1419.84,1731.84"};
        QTest::newRow("one centre") << QList<float>{1000, 1000, 1000, 1000} << QStringList{};
    }
    void arrowGeometry() {
        QFETCH(QList<float>, nodes);
        QFETCH(QStringList, lines);
        QCOMPARE(arrowOf(nodes[0], nodes[1], nodes[2], nodes[3]), lines);
    }

    void redrawsInOrder() {
        Project project = projectOf(2, {{1, 2, 5, 2, 0, "Dig"}});
        project.projectName = "Yard";
        QStringList expected{
            "clear",        "fill C0FFC0",  "colour 000000", "circle 1000,2000 200",
            "at 930,1900",  "text \" 1 \"", "endline",       "circle 2000,2000 200",
            "at 1930,1900", "text \" 2 \"", "endline",       "style solid",
            "colour 00FFFF"};
        expected << arrowOf(1000, 2000, 2000, 2000);
        expected << QStringList{
            "colour 000000", "at 1500,2000", "style solid", "text \" 5 \"", "text \"(\"",
            "text \" 2 \"", "text \")\"", "endline", "width 1", "at 1000,1500", "text \" 0 \"",
            "text \",\"", "text \" 0 \"", "text \"*\"", "endline", "at 2000,1500", "text \" 7 \"",
            "text \",\"", "text \" 7 \"", "text \"*\"", "endline", "colour C0FFFF", "at 1500,1750",
            "text \"Dig           \"", "endline", "colour C00000", "font 16",
            // 4 characters of 0.6 x 320 twips; a line of 1.25 x 320.
            "at 5616,5600", "text \"Yard\"", "endline", "font 8", "colour 000000"};
        QCOMPARE(chartOf(project), expected);
    }

    // Job 1 is a critical dummy; job 2 is critical, job 3 has slack, both
    // in the spanning tree; job 4 is half-made and left out.
    void colourOnTheScreenWidthOnPaper() {
        Project project = projectOf(3, {{1, 2, 0}, {2, 3, 4}, {1, 3, 1}});
        project.edgeInTree[2] = 1;
        project.edgeInTree[3] = 1;
        project.edgeCount = 4;
        project.edgeFrom[4] = Currency::fromWhole(1);
        project.edgeStarted = 1;
        project.projectName = "Demo";
        QStringList ops = chartOf(project);
        QCOMPARE(ops.mid(ops.indexOf("style dotted"), 2),
                 (QStringList{"style dotted", "colour 00FFFF"}));
        QCOMPARE(ops.count("colour FF0000"), 2);
        QCOMPARE(ops.filter("line ").size(), 12);
        // Blue stays in force for the last job's label and the node figures.
        QCOMPARE(ops.mid(0, ops.indexOf("width 1")).filter("colour ").last(),
                 QString("colour FF0000"));

        ops = chartOf(project, ChartTarget::page);
        QCOMPARE(ops.first(), QString("fill 000000")); // no clear, and no circle filled
        QVERIFY(!ops.join(' ').contains(QRegularExpression("colour (00FFFF|FF0000|C0FFFF)")));
        // Job by job the line style and pen width; then width 1 for the figures.
        QCOMPARE(ops.filter(QRegularExpression("^(style|width) ")),
                 (QStringList{"style dashed", "width 1", "style solid", "width 3", "style solid",
                              "width 1", "width 1"}));
        // The name's top one line below the upper third: H / 3 + 1.25 x 320.
        QVERIFY(ops.contains("at 5616,3400"));
    }

    // Measured with the recording surface at 8 points: a character 96 twips
    // wide, a line 200 high. Unscheduled, every node's times are " 0 , 0 *".
    // projectOf puts node i at (1000 i, 2000).
    void readability() {
        struct Case {
            const char* name;
            Project project;
            QList<int> counts; // crossings, through nodes, overlaps, text collisions
        };
        const Case cases[] = {
            {"a chain, a short title",
             projectOf(3, {{1, 2, 1, 0, 0, "Dig"}, {2, 3, 1}}),
             {0, 0, 0, 0}},
            {"a title over the next node",
             projectOf(3, {{1, 2, 1, 0, 0, "Excavate site"}, {2, 3, 1}}),
             {0, 0, 0, 1}},
            {"past a node, untitled", projectOf(3, {{1, 3, 1}}), {0, 1, 0, 0}},
            {"past a node, its title on it", projectOf(3, {{1, 3, 1, 0, 0, "Dig"}}), {0, 1, 0, 1}},
            {"250 from a node",
             placed(projectOf(3, {{1, 3, 1}}), {{1000, 2000}, {2000, 2250}, {3000, 2000}}),
             {0, 1, 0, 0}},
            {"270 from a node",
             placed(projectOf(3, {{1, 3, 1}}), {{1000, 2000}, {2000, 2270}, {3000, 2000}}),
             {0, 0, 0, 0}},
            {"a cross, title on title",
             placed(projectOf(4, {{1, 2, 1, 0, 0, "A"}, {3, 4, 1, 0, 0, "B"}}),
                    {{1000, 1000}, {3000, 3000}, {1000, 3000}, {3000, 1000}}),
             {1, 0, 0, 1}},
            {"along one line", projectOf(3, {{1, 3, 1}, {2, 3, 1}}), {0, 1, 1, 0}},
            {"one pair twice, on one centre",
             placed(projectOf(2, {{1, 2, 1}, {1, 2, 2}}), {{1000, 2000}, {1000, 2000}}),
             {0, 0, 1, 1}},
            {"times on times",
             placed(projectOf(2, {{1, 2, 1}}), {{1000, 2000}, {1500, 2000}}),
             {0, 0, 0, 1}},
            {"times on a node",
             placed(projectOf(2, {{1, 2, 1}}), {{1000, 2000}, {1000, 1400}}),
             {0, 0, 0, 1}},
        };
        for (const Case& c : cases) {
            RecordingSurface metrics(12000, 9000, colours::windowBack);
            metrics.setFontSize(16); // the measure sets the labels' size itself
            const ChartReadability counts = readabilityOf(c.project, metrics);
            QVERIFY2((QList<int>{counts.crossings, counts.arrowsThroughNodes, counts.overlaps,
                                 counts.textCollisions}) == c.counts,
                     c.name);
        }
    }

    // Node 2: early 3, late 4.5; no star, and no line end before node 3's figures.
    // What a point of the chart picks: a node within its circle (the higher
    // number where circles overlap), else the job whose line passes nearest
    // within reach, else nothing. Jobs 1-2 level, 1-3 climbing gently.
    void whatAPointPicks_data() {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("node");
        QTest::addColumn<int>("job");
        QTest::newRow("in node 2") << QPointF(2100, 2100) << 2 << 0;
        QTest::newRow("nearer job 1") << QPointF(1600, 2030) << 0 << 1;
        QTest::newRow("nearer job 2") << QPointF(1600, 2090) << 0 << 2;
        QTest::newRow("out of reach") << QPointF(1600, 1850) << 0 << 0;
    }
    void whatAPointPicks() {
        QFETCH(QPointF, at);
        QFETCH(int, node);
        QFETCH(int, job);
        const Project project = placed(projectOf(3, {{1, 2, 1}, {1, 3, 1}}),
                                       {{1000, 2000}, {2000, 2000}, {3000, 2400}});
        QCOMPARE(nodeAt(project, at.x(), at.y()), node);
        if (node == 0) {
            QCOMPARE(jobNear(project, at.x(), at.y(), 120), job);
        }
    }

    void figuresWithoutAStar() {
        const QStringList ops = chartOf(projectOf(3, {{1, 2, 3}, {1, 3, 5}, {2, 3, 0.5f}}));
        QCOMPARE(ops.mid(ops.indexOf("at 2000,1500"), 5),
                 (QStringList{"at 2000,1500", "text \" 3 \"", "text \",\"", "text \" 4.5 \"",
                              "at 3000,1500"}));
    }
};

QTEST_APPLESS_MAIN(ChartTest)
#include "chart_test.moc"
