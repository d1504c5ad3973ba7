#include "editor/window_harness.h"
#include "platform/qt_text.h"
#include "print/print_options_window.h"
#include "print/printed_text.h"
#include "print/report_printing.h"
#include "project_builder.h"
#include "schedule/cpm.h"

#include <QCheckBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace arrowplan;
using arrowplan::testing::examples;
using arrowplan::testing::Harness;
using arrowplan::testing::projectOf;

namespace {

const QString P(20, ' '); // the left margin of a card

// The print options over the house project, printing into a folder of their own.
struct Printing {
    Harness h;
    QTemporaryDir dir;
    PrintOptionsWindow* options = nullptr;

    Printing() {
        h.load(examples + "/house.cpm");
        h.action("pr")->trigger();
        options = &h.window.printOptions();
        QVERIFY(options && options->isVisible());
    }
    // Ticks these boxes and prints into this file of the folder; with no file
    // the printer dialog is cancelled.
    void print(std::initializer_list<int> ticks, const QString& file) {
        for (int n : ticks) {
            options->findChild<QCheckBox*>("Check" + QString::number(n))->setChecked(true);
        }
        h.prompts.printToFile = file.isEmpty() ? QString() : dir.filePath(file);
        QTest::mouseClick(options->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    }
    // The text of a printed file, as pdftotext lays it out.
    QString printed(const QString& file, const QString& layout = "-layout") {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {layout, dir.filePath(file), "-"});
        pdftotext.waitForFinished();
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }
    // Whether Weekly Costs lists each job: while the options are not
    // cancelled it lists only the ticked sections.
    bool costsListJobs() {
        QTest::mouseClick(h.button("cmdcoster"), Qt::LeftButton);
        return h.listed().join('\n').contains("Job: ");
    }
};

} // namespace

// Printing: the text reports laid out line by line, and the print options window printing them.
class PrintTest : public QObject {
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

    void eachReportInADocumentOfItsOwn() {
        Printing p;
        p.print({1, 2, 3, 4, 5, 6, 7, 8}, "house.pdf");
        // 14 cards on five sheets, then the list, the floats, the costs, the
        // chart and the schedule risk page (no estimates: every run takes the
        // 23 weeks).
        const QString cards = p.printed("house.pdf");
        QVERIFY(cards.contains(QRegularExpression("ID#: +3\\b")) &&
                !cards.contains(QRegularExpression("ID#: +4\\b")));
        QVERIFY(!cards.contains("Amount") && !cards.contains("Payment"));
        QVERIFY(p.printed("house-6.pdf").contains("EStart LFinish"));
        QVERIFY(
            p.printed("house-7.pdf").contains(QRegularExpression("Electrical +2 +2 +1 +1 +1\\n")));
        QVERIFY(p.printed("house-8.pdf").contains("Total Costs for the House Project"));
        QVERIFY(p.printed("house-9.pdf").contains("Landscaping"));
        const QString risk = p.printed("house-10.pdf");
        QVERIFY(risk.contains("Schedule risk of \"House\": 10000 runs") &&
                risk.contains(QRegularExpression("P10 / P50 / P80 +23.00 / 23.00 / 23.00")));
        QVERIFY(p.printed("house-11.pdf").isEmpty());

        // Again: one question names the numbered files that are there; No
        // writes nothing. A half-made arrow is taken back, not printed.
        QFile::remove(p.dir.filePath("house.pdf"));
        for (bool replace : {false, true}) {
            p.h.button("cmdEdge")->click();
            p.h.press(p.h.project.nodeX[1], p.h.project.nodeY[1]);
            p.h.prompts.yesNo << replace;
            p.h.action("pr")->trigger();
            p.print({}, "house.pdf");
            QCOMPARE(p.h.prompts.asked.filter("house-10.pdf\n\nReplace them?").size(), 1 + replace);
            QCOMPARE(QFile::exists(p.dir.filePath("house.pdf")), replace);
        }
        QVERIFY(!p.printed("house-5.pdf").contains(QRegularExpression("ID#: +15\\b")));

        // Each character of 10-point Courier is 6 points wide.
        const QString boxes = p.printed("house.pdf", "-bbox");
        const QRegularExpression word(
            R"re(xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="[\d.]+">Description/Contact)re");
        const QRegularExpressionMatch match = word.match(boxes);
        QVERIFY2(match.hasMatch(), qPrintable(boxes.left(400)));
        QCOMPARE(qRound(match.captured(2).toDouble() - match.captured(1).toDouble()), 19 * 6);
    }

    // A sheet of three cards is 67 lines: on US Letter within a printer's
    // quarter-inch margins 66 fit, and the blank last one is left off.
    void aSheetOfCardsTakesOneSheetOfPaper() {
        Printing p;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(p.dir.filePath("sheet.pdf"));
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(18, 18, 18, 18)));
        printDocument(printer, jobCardDocuments(p.h.project, false, CurrencyFormat())[0], 10);
        QCOMPARE(p.printed("sheet.pdf").count('\f'), 1);
    }

    void tickedCostSectionsLastUntilCancelled() {
        Printing p;
        p.print({4}, "costs.pdf");
        QVERIFY(!p.costsListJobs());
        p.h.action("pr")->trigger();
        QTest::mouseClick(p.options->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QVERIFY(p.costsListJobs());

        p.h.action("pr")->trigger();
        p.print({}, "costs.pdf");
        QVERIFY(!p.costsListJobs());
        p.h.action("pr")->trigger();
        p.options->close(); // the close box cancels too
        QVERIFY(p.costsListJobs());
        p.h.action("pr")->trigger(); // the ticks stay
        QVERIFY(p.options->findChild<QCheckBox*>("Check4")->isChecked());
    }

    void failuresSayErrorInPrinting() {
        Printing p;
        for (const QString& file : {QString(), QString("no/such/folder/out.pdf")}) {
            p.print({1, 3}, file); // the dialog cancelled, the printer refusing
            QCOMPARE(p.h.prompts.asked.last(), QString("message: Error in Printing | Arrowplan"));
            QVERIFY(p.options->isVisible());
        }
        QVERIFY(QDir(p.dir.path()).isEmpty());
    }

    // Run by cups_printer_e2e.sh, which gives a queue of its own cupsd: the
    // cards go through the system's print path as five printer documents.
    void cardsToAPrinterQueue() {
        const QString queue = qEnvironmentVariable("ARROWPLAN_TEST_PRINTER");
        if (queue.isEmpty()) {
            QSKIP("no printer queue given (ARROWPLAN_TEST_PRINTER)");
        }
        Printing p;
        p.h.prompts.printerName = queue;
        p.print({2}, {});
        QVERIFY(!p.options->isVisible());
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
