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
    // A sheet is seven blank lines and up to three cards of twenty; a full
    // sheet is followed by one with no card.
    void cardsComeThreeToASheet() {
        Project project = projectOf(2, {{1, 2, 1}, {1, 2, 1}, {1, 2, 1}, {1, 2, 1}});
        const auto sheetLengths = [&project] {
            QList<std::size_t> lengths;
            for (const PrintedDocument& sheet :
                 jobCardDocuments(project, false, CurrencyFormat{})) {
                lengths << sheet.pages.at(0).size();
            }
            return lengths;
        };
        QCOMPARE(sheetLengths(), (QList<std::size_t>{67, 27}));
        project.edgeCount = 3;
        QCOMPARE(sheetLengths(), (QList<std::size_t>{67, 7}));
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
        QCOMPARE(costs.pages[2].size(), 25u);
        QCOMPARE(toQString(costs.pages[1][5]), QString("        50"));
        QCOMPARE(costDocument({}).pages.size(), 1u);
    }
};

QTEST_APPLESS_MAIN(PrintedTextTest)
#include "printed_text_test.moc"
