#include "model/number_text.h"
#include "platform/qt_text.h"
#include "project_builder.h"
#include "schedule/cpm.h"
#include "schedule/listing.h"

#include <QTest>

using namespace arrowplan;
using arrowplan::testing::projectOf;

namespace {

QString times(const Project& project, const Table<Currency>& table) {
    QStringList texts;
    for (int n = 1; n <= project.nodeCount; ++n) {
        texts << toQString(plainText(table[n]));
    }
    return texts.join(' ');
}

} // namespace

class CpmTest : public QObject {
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
};

QTEST_APPLESS_MAIN(CpmTest)
#include "cpm_test.moc"
