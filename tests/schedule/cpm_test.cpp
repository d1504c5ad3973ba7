#include "model/number_text.h"
#include "platform/qt_text.h"
#include "project_builder.h"
#include "schedule/cpm.h"
#include "schedule/listing.h"

#include <QTest>

using namespace arrowplan;
using arrowplan::testing::projectOf;

Q_DECLARE_METATYPE(arrowplan::Project)

namespace {

QString times(const Project& project, const Table<Currency>& table) {
    QStringList texts;
    for (int n = 1; n <= project.nodeCount; ++n) {
        texts << toQString(plainText(table[n]));
    }
    return texts.join(' ');
}

QStringList listing(Project project) {
    computeSchedule(project);
    return toQStringList(listingLines(project));
}

} // namespace

class CpmTest : public QObject {
    Q_OBJECT

  private slots:
    void passes_data() {
        QTest::addColumn<Project>("project");
        QTest::addColumn<QString>("early");
        QTest::addColumn<QString>("late");
        QTest::newRow("chain") << projectOf(3, {{1, 2, 2}, {2, 3, 3}}) << "0 2 5"
                               << "0 2 5";
        QTest::newRow("parallel") << projectOf(2, {{1, 2, 4}, {1, 2, 6}}) << "0 6"
                                  << "0 6";
        QTest::newRow("delay counts") << projectOf(3, {{1, 2, 3, 2}, {2, 3, 1}}) << "0 5 6"
                                      << "0 5 6";
        QTest::newRow("no outgoing job") << projectOf(3, {{1, 2, 4}, {1, 3, 1}}) << "0 4 1"
                                         << "0 10000000 1";
        QTest::newRow("no incoming job") << projectOf(3, {{1, 3, 4}}) << "0 0 4"
                                         << "0 10000000 4";
        QTest::newRow("one node") << projectOf(1, {}) << "0"
                                  << "0";
    }
    void passes() {
        QFETCH(Project, project);
        QFETCH(QString, early);
        QFETCH(QString, late);
        // Times left from an earlier run play no part.
        for (int n = 0; n <= maxItems; ++n) {
            project.earlyTime[n] = Currency::fromWhole(99);
            project.lateTime[n] = Currency::fromWhole(-99);
        }
        computeSchedule(project);
        QCOMPARE(times(project, project.earlyTime), early);
        QCOMPARE(times(project, project.lateTime), late);
    }

    void listingLines_data() {
        QTest::addColumn<Project>("project");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("line");
        const Project worked = projectOf(4, {{1, 2, 5, 0, 100, "Dig"},
                                             {2, 4, 3, 2, 250.5, "Pour concrete"},
                                             {2, 3, 7.5f},
                                             {3, 4, 0}});
        QTest::newRow("header")
            << worked << 0 << " Job   EStart LFinish     Title        CP?  Time(D) Slack  Cost";
        QTest::newRow("critical")
            << worked << 1 << " 1, 2      0     5      Dig            cp      5     0     100";
        QTest::newRow("delayed")
            << worked << 2 << " 2, 4      5  12.5      Pour concrete       3{2}   2.5$  250.5";
        QTest::newRow("empty title, not critical")
            << projectOf(2, {{1, 2, 4}, {1, 2, 6}}) << 1
            << " 1, 2      0     6                             4     2       0";
        QTest::newRow("negative delay: blank mark")
            << projectOf(2, {{1, 2, 3, -1, -20}}) << 1
            << " 1, 2      0     2                     cp  3{-1}     0     -20";
        QTest::newRow("critical dummy")
            << projectOf(3, {{1, 2, 0}, {2, 3, 2}}) << 1
            << " 1, 2      0     0                     cp      0     0       0";
        QTest::newRow("sentinel overflows its field")
            << projectOf(3, {{1, 2, 4}, {1, 3, 1}}) << 1
            << " 1, 2      010000000                             49999996       0";
        QTest::newRow("fractional time rounded")
            << projectOf(2, {{1, 2, 0.33333f, 0, 12.3456}}) << 1
            << " 1, 2      00.3333                     cp0.33333     0 12.3456";
        QTest::newRow("two-digit nodes")
            << projectOf(12, {{1, 12, 1.5f, 0.25, 0, "Long run"}}) << 1
            << " 1,12      0  1.75      Long run       cp1.5{0.25}     0$      0";
    }
    void listingLines() {
        QFETCH(Project, project);
        QFETCH(int, row);
        QFETCH(QString, line);
        const QStringList lines = listing(project);
        QCOMPARE(lines.size(), project.edgeCount + 1);
        QCOMPARE(lines.at(row), line);
    }

    void emptyProjectListsTheHeaderOnly() {
        QCOMPARE(listing(Project()), QStringList{toQString(listingHeader)});
    }

    void sumsThatDoNotFitAreRefused() {
        Project huge = projectOf(2, {{1, 2, 1e30f}});
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, computeSchedule(huge));
        Project manyLong = projectOf(3, {{1, 2, 9e14f}, {2, 3, 9e14f}});
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, computeSchedule(manyLong));
    }

    void nodeNumbersBeyondTheTablesAreRangeErrors() {
        Project project = projectOf(2, {{1, 2, 3}});
        project.edgeFrom[1] = Currency::fromWhole(250);
        project.edgeTo[1] = Currency::fromWhole(2);
        QVERIFY_THROWS_EXCEPTION(RangeError, computeSchedule(project));
    }
};

QTEST_APPLESS_MAIN(CpmTest)
#include "cpm_test.moc"
