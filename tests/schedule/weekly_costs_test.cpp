#include "platform/qt_text.h"
#include "project_builder.h"
#include "schedule/cpm.h"
#include "schedule/weekly_costs.h"

#include <QTest>

using namespace arrowplan;
using arrowplan::testing::projectOf;

Q_DECLARE_METATYPE(arrowplan::Project)

namespace {

QStringList linesOf(const Project& project, CostSections sections = {}) {
    return toQStringList(weeklyCostLines(project, sections, CurrencyFormat{}));
}

Project scheduled(Project project) {
    computeSchedule(project);
    return project;
}

// One job from node 1 to node 2 (or, with a lead job, from node 2 to 3).
Project oneJob(float weight, double amount, std::int16_t mode, double delay = 0) {
    Project project = projectOf(2, {{1, 2, weight, delay, amount, "Job"}});
    project.jobPayMode[1] = mode;
    return scheduled(project);
}

Project afterLead(float lead, float weight, double amount, std::int16_t mode, float tail = 0) {
    Project project = projectOf(4, {{1, 2, lead}, {2, 3, weight, 0, amount}, {3, 4, tail}});
    project.jobPayMode[2] = mode;
    return scheduled(project);
}

// The costs column of the per-job section of job j.
QString costsOfJob(const Project& project, int j) {
    const QStringList lines = linesOf(project, {false, true});
    QStringList costs;
    int job = 0;
    for (const QString& line : lines) {
        job += line.startsWith("Job: ") ? 1 : 0;
        if (job == j && line.startsWith("week=")) {
            costs << line.mid(17, 12).trimmed();
        }
    }
    return costs.join(' ');
}

} // namespace

class WeeklyCostsTest : public QObject {
    Q_OBJECT

  private slots:
    void workedExample() {
        Project project = projectOf(3, {{1, 2, 2, 0, 200, "Dig"}, {2, 3, 1, 0, 50, "Pour"}});
        project.jobPayMode[2] = payAtEnd;
        project.projectName = "Demo";
        QCOMPARE(linesOf(scheduled(project)),
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
        QTest::addColumn<int>("job");
        QTest::addColumn<QString>("costs");
        QTest::newRow("evenly, thirds") << oneJob(3, 100, payEvenly) << 1 << "$33.33 $33.33 $33.33";
        QTest::newRow("delayed by 2")
            << oneJob(3, 300, payEvenly, 2) << 1 << "$0.00 $0.00 $100.00 $100.00 $100.00";
        QTest::newRow("at start") << oneJob(2, 80, payAtStart) << 1 << "$80.00 $0.00";
        QTest::newRow("50/50") << oneJob(3, 80, payHalfAndHalf) << 1 << "$40.00 $0.00 $40.00";
        QTest::newRow("50/50 in one week") << oneJob(1, 80, payHalfAndHalf) << 1 << "$80.00";
        QTest::newRow("at end, 2.5 from 1.5")
            << afterLead(1.5f, 2.5f, 100, payAtEnd) << 2 << "$0.00 $0.00 $0.00 $100.00";
        QTest::newRow("evenly, 2.5 from 1.5")
            << afterLead(1.5f, 2.5f, 100, payEvenly) << 2 << "$0.00 $40.00 $40.00 $40.00";
        QTest::newRow("money in") << oneJob(2, -20, payAtEnd) << 1 << "$0.00 ($20.00)";
        QTest::newRow("unknown mode") << oneJob(2, 20, 7) << 1 << "$0.00 $0.00";
        // A dummy (time 0) from week 1: its end week is the week before its start.
        QTest::newRow("dummy, evenly")
            << afterLead(1, 0, 100, payEvenly, 2) << 2 << "$0.00 $0.00 $0.00";
        QTest::newRow("dummy, at start")
            << afterLead(1, 0, 100, payAtStart, 2) << 2 << "$0.00 $100.00 $0.00";
        QTest::newRow("dummy, 50/50")
            << afterLead(1, 0, 100, payHalfAndHalf, 2) << 2 << "$50.00 $50.00 $0.00";
        QTest::newRow("dummy, at end")
            << afterLead(1, 0, 100, payAtEnd, 2) << 2 << "$100.00 $0.00 $0.00";
        QTest::newRow("dummy at week 0, at end: never listed")
            << afterLead(0, 0, 100, payAtEnd, 2) << 2 << "$0.00 $0.00";
    }
    void paymentsWeekByWeek() {
        QFETCH(Project, project);
        QFETCH(int, job);
        QFETCH(QString, costs);
        QCOMPARE(costsOfJob(project, job), costs);
    }

    void weeksListed() {
        // A third of 100 three times is 99.9999, shown as $100.00.
        QCOMPARE(linesOf(oneJob(3, 100, payEvenly)).at(3),
                 QString("week=  2,  costs=      $33.33   Total=  $100.00"));
        // Before any schedule every late time is 0: headings only.
        Project unscheduled = projectOf(2, {{1, 2, 3, 0, 100, "Dig"}});
        QCOMPARE(linesOf(unscheduled),
                 (QStringList{"Total Costs for the  Project", " ",
                              "Job: Dig             Payout/(in)    Job#(  1,  2)     "}));
    }

    void aVeryLongProjectIsCut() {
        const QStringList lines = linesOf(oneJob(6000, 6000, payEvenly), {true, false});
        QCOMPARE(lines.size(), 1 + 5200 + 1);
        QCOMPARE(lines.at(5200), QString("week=5199,  costs=       $1.00   Total=$5,200.00"));
        QVERIFY(lines.last().contains("after week 5199"));
    }

    void sumsNeverWrap() {
        Project project =
            projectOf(2, {{1, 2, 1, 0, 900000000000000.0}, {1, 2, 1, 0, 900000000000000.0}});
        project.jobPayMode[1] = project.jobPayMode[2] = payAtStart;
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, linesOf(scheduled(project)));
    }
};

QTEST_APPLESS_MAIN(WeeklyCostsTest)
#include "weekly_costs_test.moc"
