#include "editor/chart.h"
#include "platform/qt_text.h"
#include "platform/recording_surface.h"
#include "project_builder.h"
#include "schedule/cpm.h"

#include <QRegularExpression>
#include <QTest>

using namespace arrowplan;
using arrowplan::testing::projectOf;

namespace {

constexpr double outerW = 12000;
constexpr double outerH = 9000;

QStringList chartOf(Project project, ChartTarget target = ChartTarget::screen) {
    computeSchedule(project);
    RecordingSurface surface(outerW, outerH, colours::windowBack);
    drawChart(project, surface, target);
    return toQStringList(surface.operations());
}

QStringList arrowOf(float x1, float y1, float x2, float y2) {
    Project project = projectOf(2, {{1, 2, 1}});
    project.nodeX[1] = x1;
    project.nodeY[1] = y1;
    project.nodeX[2] = x2;
    project.nodeY[2] = y2;
    RecordingSurface surface(outerW, outerH, colours::windowBack);
    drawArrow(project, surface, 1);
    return toQStringList(surface.operations());
}

// The operations between the first one that starts with from and the next
// "endline" after it, both included.
QStringList slice(const QStringList& ops, const QString& from) {
    const qsizetype start = ops.indexOf(from);
    const qsizetype end = ops.indexOf("endline", start);
    return ops.mid(start, end - start + 1);
}

} // namespace

class ChartTest : public QObject {
    Q_OBJECT

  private slots:
    void arrowGeometry_data() {
        QTest::addColumn<QList<float>>("nodes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("to the right")
            << QList<float>{1000, 1000, 3000, 1000}
            << QStringList{"line 1200,1000 2800,1000", "line 2800,1000 2504.56,947.91",
                           "line 2504.56,1052.09 2504.56,947.91", "line 2800,1000 2504.56,1052.09"};
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
        const QStringList arrow = arrowOf(1000, 2000, 2000, 2000);
        QStringList expected{
            "clear",        "fill C0FFC0", "circle 1000,2000 200", "at 930,1900",
            "text \" 1 \"", "endline",     "circle 2000,2000 200", "at 1930,1900",
            "text \" 2 \"", "endline",     "style solid",          "colour 00FFFF"};
        expected << arrow;
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

    void colourAndStyleFollowTheSchedule() {
        // Job 1 is a critical dummy; job 2 is critical and in the spanning
        // tree; job 3 has slack; job 4 is half-made and left out.
        Project project = projectOf(3, {{1, 2, 0}, {2, 3, 4}, {1, 3, 1}});
        project.edgeInTree[2] = 1;
        project.edgeCount = 4;
        project.edgeFrom[4] = Currency::fromWhole(1);
        project.edgeStarted = 1;
        const QStringList ops = chartOf(project);
        const qsizetype job1 = ops.indexOf("style dotted");
        QCOMPARE(ops.mid(job1, 2), (QStringList{"style dotted", "colour 00FFFF"}));
        const QStringList job2 = slice(ops, "colour FF0000");
        QCOMPARE(ops.at(ops.indexOf("colour FF0000") - 1), QString("colour 00FFFF"));
        QVERIFY(!job2.contains("colour 000000")); // the blue label
        QVERIFY(job2.contains("text \" 4 \""));
        QCOMPARE(ops.count("text \" 1 \""), 2); // node 1 and job 3's label; no job 4
        QCOMPARE(ops.count("colour 00FFFF"), 2);
        QCOMPARE(ops.filter("line ").size(), 12);
    }

    void figuresTakeTheLastJobsColour() {
        Project project = projectOf(3, {{1, 2, 2}, {2, 3, 3}});
        project.edgeInTree[2] = 1;
        QStringList ops = chartOf(project);
        const qsizetype width = ops.indexOf("width 1");
        QCOMPARE(ops.at(width - 9), QString("colour FF0000"));
        QCOMPARE(ops.mid(width, 2), (QStringList{"width 1", "at 1000,1500"}));
        QVERIFY(!ops.mid(width - 8, 8).join(' ').contains("colour"));

        project.edgeInTree[2] = 0;
        ops = chartOf(project);
        QCOMPARE(ops.at(ops.indexOf("width 1") - 5), QString("colour 000000"));
    }

    void onPaperInBlack() {
        // Job 1 a critical dummy, job 2 critical and in the tree, job 3 with slack.
        Project project = projectOf(3, {{1, 2, 0}, {2, 3, 4}, {1, 3, 1}});
        project.edgeInTree[2] = 1;
        project.projectName = "Demo";
        const QStringList ops = chartOf(project, ChartTarget::page);
        QCOMPARE(ops.first(), QString("fill 000000")); // no clear, and no circle filled
        QVERIFY(!ops.join(' ').contains(QRegularExpression("colour (00FFFF|FF0000|C0FFFF)")));
        // Job by job the line style and pen width; then width 1 for the figures.
        QCOMPARE(ops.filter(QRegularExpression("^(style|width) ")),
                 (QStringList{"style dashed", "width 1", "style solid", "width 3", "style solid",
                              "width 1", "width 1"}));
        // The name's top one line below the upper third: H / 3 + 1.25 x 320.
        QVERIFY(ops.contains("at 5616,3400"));
        QCOMPARE(ops.mid(ops.size() - 2), (QStringList{"font 8", "colour 000000"}));
    }

    void figuresWithoutAStar() {

        const QStringList ops = chartOf(projectOf(3, {{1, 2, 3}, {1, 3, 5}, {2, 3, 0.5f}}));
        // Node 2: early 3, late 4.5.
        QCOMPARE(slice(ops, "at 2000,1500").mid(0, 4),
                 (QStringList{"at 2000,1500", "text \" 3 \"", "text \",\"", "text \" 4.5 \""}));
        QCOMPARE(slice(ops, "at 2000,1500").at(4), QString("at 3000,1500"));
    }
};

QTEST_APPLESS_MAIN(ChartTest)
#include "chart_test.moc"
