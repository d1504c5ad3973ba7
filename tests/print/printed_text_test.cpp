#include "platform/qt_text.h"
#include "print/printed_text.h"
#include "project_builder.h"
#include "schedule/cpm.h"

#include <QTest>

using namespace arrowplan;
using arrowplan::testing::projectOf;

namespace {

const QString P(20, ' '); // the left margin of a card

} // namespace

class PrintedTextTest : public QObject {
    Q_OBJECT

  private slots:
    void cardsComeThreeToASheet_data() {
        QTest::addColumn<int>("jobCount");
        QTest::addColumn<QList<int>>("linesPerSheet");
        QTest::newRow("no jobs") << 0 << QList<int>{7};
        QTest::newRow("three") << 3 << QList<int>{67, 7};
        QTest::newRow("four") << 4 << QList<int>{67, 27};
    }
    void cardsComeThreeToASheet() {
        QFETCH(int, jobCount);
        QFETCH(QList<int>, linesPerSheet);
        Project project = projectOf(2, {{1, 2, 1}, {1, 2, 1}, {1, 2, 1}, {1, 2, 1}});
        project.edgeCount = static_cast<std::int16_t>(jobCount);
        QList<int> counts;
        for (const PrintedDocument& sheet : jobCardDocuments(project, false, CurrencyFormat{})) {
            QCOMPARE(sheet.pages.size(), 1u);
            counts << static_cast<int>(sheet.pages[0].size());
            QVERIFY(std::all_of(sheet.pages[0].begin(), sheet.pages[0].begin() + 7,
                                [](const std::string& line) { return line.empty(); }));
        }
        QCOMPARE(counts, linesPerSheet);
    }

    void aCardLineByLine() {
        Project project = projectOf(3, {{1, 2, 2}, {2, 3, 2.5f, 1, 1234.5, "Roof"}, {1, 3, 1}});
        project.jobDone[2] = 1;
        project.jobPayMode[2] = payHalfAndHalf;
        project.jobActualTime[2] = Currency::fromWhole(4);
        project.jobNotes[2] = "Call Bob\n555-0100";
        project.jobPayMode[3] = payAtStart;
        for (int i = 1; i <= 12; ++i) {
            project.jobNotes[3] += "line " + std::to_string(i) + "\n";
        }
        computeSchedule(project);
        const QStringList lines = toQStringList(jobCardLines(project, 2, false, CurrencyFormat{}));
        QCOMPARE(lines.size(), 20);
        QCOMPARE(lines.mid(0, 9),
                 (QStringList{P + "Title: Roof                Done?: Yes ID#:   2", "",
                              P + "Job:  2,  3  Duration:2.5  Payment:Pay 50% @start,50% @finish",
                              P + "Early Start:   2  Delay:   1 Amount: $1,234.50",
                              P + "Late Finish: 5.5  Slack:   0 Actual Time:   4",
                              P + "Job Description/Contact Information", " ", P + "Call Bob",
                              P + "555-0100"}));
        QCOMPARE(lines.mid(9), QStringList(9, P + " ") << "         "
                                                       << "         ");

        const QStringList bare = toQStringList(jobCardLines(project, 1, true, CurrencyFormat{}));
        QCOMPARE(bare.at(0), P + "Title: " + QString(14, ' ') + "      Done?: No  ID#:   1");
        QCOMPARE(bare.at(2), P + "Job:  1,  2  Duration:  2");
        QCOMPARE(bare.at(3), P + "Early Start:   0  Delay:   0");
        QCOMPARE(bare.at(7), P + "");

        // Eleven lines of the description, no more.
        const QStringList cut = toQStringList(jobCardLines(project, 3, false, CurrencyFormat{}));
        QCOMPARE(cut.at(2), P + "Job:  1,  3  Duration:  1  Payment:Pay at start of job");
        QCOMPARE(cut.mid(17), QStringList({P + "line 11", QString(9, ' '), QString(9, ' ')}));
    }

    void listingsPageByPage() {
        const PrintedDocument list = listingDocument({"a", "b"});
        QCOMPARE(toQStringList(list.pages.at(0)),
                 (QStringList{"", "", "", "", "", "        a", "        b"}));

        std::vector<std::string> lines;
        for (int i = 0; i < 120; ++i) {
            lines.push_back(std::to_string(i));
        }
        const PrintedDocument costs = costDocument(lines);
        QCOMPARE(costs.pages.size(), 3u);
        QCOMPARE(costs.pages[0].size(), 55u);
        QCOMPARE(costs.pages[2].size(), 25u);
        QCOMPARE(toQString(costs.pages[1][5]), QString("        50"));
        QCOMPARE(toQString(costs.pages[2][4]), QString());
        QCOMPARE(costDocument({}).pages.size(), 1u);
    }
};

QTEST_APPLESS_MAIN(PrintedTextTest)
#include "printed_text_test.moc"
