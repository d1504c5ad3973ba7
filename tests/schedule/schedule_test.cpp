#include "model/number_text.h"
#include "platform/qt_text.h"
#include "project_builder.h"
#include "schedule/cpm.h"
#include "schedule/listing.h"
#include "schedule/weekly_costs.h"

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

QStringList linesOf(const Project& project, CostSections sections = {}) {
    return toQStringList(weeklyCostLines(project, sections, CurrencyFormat{}));
}

// Job 2 of a chain, after a lead job and before a tail job that pay nothing.
Project paying(float weight, double amount, std::int16_t mode, float lead = 0, float tail = 0,
               double delay = 0) {
    Project project = projectOf(4, {{1, 2, lead}, {2, 3, weight, delay, amount}, {3, 4, tail}});
    project.jobPayMode[2] = mode;
    computeSchedule(project);
    return project;
}

// The costs column of the totals, week by week.
QString costsOf(const Project& project) {
    QStringList costs;
    for (const QString& line : linesOf(project, {true, false}).mid(1)) {
        costs << line.mid(17, 12).trimmed();
    }
    return costs.join(' ');
}

} // namespace

// The schedule: the CPM passes, the listing and the weekly costs.
class ScheduleTest : public QObject {
    Q_OBJECT

  private slots:
    // Node 2 has no outgoing job and keeps the sentinel late time; node 3 has
    // no job at all; the delay of job 1-4 counts in both passes.
    void passesOverNodesWithoutJobs() {
        Project project = projectOf(4, {{1, 2, 4}, {1, 4, 1, 2}});
        // Times left from an earlier run play no part.
        for (int n = 0; n <= maxItems; ++n) {
            project.earlyTime[n] = Currency::fromWhole(99);
            project.lateTime[n] = Currency::fromWhole(-99);
        }
        computeSchedule(project);
        QCOMPARE(times(project, project.earlyTime), QString("0 4 0 3"));
        QCOMPARE(times(project, project.lateTime), QString("0 10000000 10000000 3"));
    }

    // Job 2-4 is not critical though both its nodes are: its delay of 2 leaves
    // it a slack of 2.5 against the 7.5 of the path through node 3. Only a
    // delay that postpones is marked with $.
    void listsEveryJob() {
        Project project = projectOf(4, {{1, 2, 5, 0, 100, "Dig"},
                                        {2, 4, 3, 2, 250.5, "Pour concrete"},
                                        {2, 3, 8.5f, -1},
                                        {3, 4, 0}});
        computeSchedule(project);
        QCOMPARE(toQStringList(listingLines(project)),
                 (QStringList{" Job   EStart LFinish     Title        CP?  Time(D) Slack  Cost",
                              " 1, 2      0     5      Dig            cp      5     0     100",
                              " 2, 4      5  12.5      Pour concrete       3{2}   2.5$  250.5",
                              " 2, 3      5  12.5                     cp8.5{-1}     0       0",
                              " 3, 4   12.5  12.5                     cp      0     0       0"}));
    }

    void workedExample() {
        Project project = projectOf(3, {{1, 2, 2, 0, 200, "Dig"}, {2, 3, 1, 0, 50, "Pour"}});
        project.jobPayMode[2] = payAtEnd;
        project.projectName = "Demo";
        computeSchedule(project);
        QCOMPARE(linesOf(project),
                 (QStringList{"Total Costs for the Demo Project",
                              "week=  0,  costs=     $100.00   Total=  $100.00",
                              "week=  1,  costs=     $100.00   Total=  $200.00",
                              "week=  2,  costs=      $50.00   Total=  $250.00", " ",
                              "Job: Dig             Payout/(in)    Job#(  1,  2)     ",
                              "week=  0,  costs=     $100.00   Total=  $100.00",
                              "week=  1,  costs=     $100.00   Total=  $200.00",
                              "week=  2,  costs=       $0.00   Total=  $200.00", " ",
                              "Job: Pour            Payout/(in)    Job#(  2,  3)     ",
                              "week=  0,  costs=       $0.00   Total=    $0.00",
                              "week=  1,  costs=       $0.00   Total=    $0.00",
                              "week=  2,  costs=      $50.00   Total=   $50.00"}));
    }

    void paymentsWeekByWeek_data() {
        QTest::addColumn<Project>("project");
        QTest::addColumn<QString>("costs");
        QTest::newRow("evenly, thirds") << paying(3, 100, payEvenly) << "$33.33 $33.33 $33.33";
        QTest::newRow("evenly, from 1.5")
            << paying(2.5f, 100, payEvenly, 1.5f) << "$0.00 $40.00 $40.00 $40.00";
        QTest::newRow("delayed by 2")
            << paying(3, 300, payEvenly, 0, 0, 2) << "$0.00 $0.00 $100.00 $100.00 $100.00";
        QTest::newRow("at start") << paying(2, 80, payAtStart) << "$80.00 $0.00";
        QTest::newRow("50/50") << paying(3, 80, payHalfAndHalf) << "$40.00 $0.00 $40.00";
        QTest::newRow("50/50 in one week") << paying(1, 80, payHalfAndHalf) << "$80.00";
        QTest::newRow("unknown mode") << paying(2, 20, 7) << "$0.00 $0.00";
        // A finish between two weeks lists the whole weeks before it.
        const QString fiveWeeks = QStringList(5, "$20.00").join(' ');
        QTest::newRow("finish at 5.5") << paying(5.5f, 110, payEvenly) << fiveWeeks;
        QTest::newRow("finish at 5.25") << paying(5.25f, 105, payEvenly) << fiveWeeks;
        // A dummy (time 0) from week 1: its end week is the week before its start.
        QTest::newRow("dummy, evenly") << paying(0, 100, payEvenly, 1, 2) << "$0.00 $0.00 $0.00";
        QTest::newRow("dummy, 50/50")
            << paying(0, 100, payHalfAndHalf, 1, 2) << "$50.00 $50.00 $0.00";
    }
    void paymentsWeekByWeek() {
        QFETCH(Project, project);
        QFETCH(QString, costs);
        QCOMPARE(costsOf(project), costs);
    }

    void aVeryLongProjectIsCut() {
        const QStringList lines = linesOf(paying(6000, 6000, payEvenly), {true, false});
        QCOMPARE(lines.size(), 1 + 5200 + 1);
        QCOMPARE(lines.at(5200), QString("week=5199,  costs=       $1.00   Total=$5,200.00"));
        QVERIFY(lines.last().contains("after week 5199"));
    }
};

QTEST_APPLESS_MAIN(ScheduleTest)
#include "schedule_test.moc"
