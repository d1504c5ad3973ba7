#include "editor/window_harness.h"
#include "print/print_options_window.h"
#include "print/report_printing.h"

#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace arrowplan;
using arrowplan::testing::examples;
using arrowplan::testing::Harness;

namespace {

// The text of a printed PDF, as pdftotext lays it out.
QString pdfText(const QString& path, const QStringList& options = {"-layout"}) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", QStringList(options) << path << "-");
    pdftotext.waitForFinished();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

struct Printing {
    Harness h;
    QTemporaryDir dir;
    PrintOptionsWindow* options = nullptr;

    Printing() {
        h.load(examples + "/house.cpm");
        h.action("pr")->trigger();
        options = h.window.findChild<PrintOptionsWindow*>("frmPrint");
        QVERIFY(options && options->isVisible());
    }
    void tick(std::initializer_list<int> boxes) {
        for (int n : boxes) {
            options->findChild<QCheckBox*>("Check" + QString::number(n))->setChecked(true);
        }
    }
    void print(const QString& file) {
        h.prompts.printToFile = file.isEmpty() ? QString() : dir.filePath(file);
        QTest::mouseClick(options->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    }
    QString file(const QString& name) { return dir.filePath(name); }
};

} // namespace

class PrintOptionsTest : public QObject {
    Q_OBJECT

  private slots:
    void boxesAsDesigned() {
        Printing p;
        QCOMPARE(p.options->windowTitle(), QString("Print Options"));
        const auto* check1 = p.options->findChild<QCheckBox*>("Check1");
        QCOMPARE(check1->text(), QString("Job List nfo"));
        QCOMPARE(check1->toolTip(), QString("List jobs to printer"));
        QCOMPARE(p.options->findChild<QCheckBox*>("Check2")->toolTip(),
                 QString("Avery 5388 3x5 index cards"));
        QCOMPARE(p.options->findChild<QCheckBox*>("Check6")->geometry(),
                 twipsRect(360, 1920, 3015, 495));
        QVERIFY(!check1->isChecked());
    }

    void cardsListCostsAndChartEachInAFile() {
        Printing p;
        p.tick({1, 2, 3, 4, 6});
        p.print("house.pdf");
        QVERIFY(!p.options->isVisible());
        // 14 cards on five sheets, then the list, the costs and the chart.
        const QString cards1 = pdfText(p.file("house.pdf"));
        const auto card = [](int k) {
            return QRegularExpression("ID#: +" + QString::number(k) + "\\b");
        };
        QVERIFY(cards1.contains(card(1)) && cards1.contains(card(3)));
        QVERIFY(!cards1.contains(card(4)));
        QVERIFY(pdfText(p.file("house-5.pdf")).contains(card(13)));
        QVERIFY(pdfText(p.file("house-6.pdf")).contains("EStart LFinish"));
        QVERIFY(pdfText(p.file("house-7.pdf")).contains("Total Costs for the House Project"));
        QVERIFY(pdfText(p.file("house-8.pdf")).contains("Landscaping"));
        QVERIFY(!QFile::exists(p.file("house-9.pdf")));
        // The list box keeps the last listing printed: the weekly costs.
        QVERIFY(p.h.listed().first().startsWith("Total Costs"));
        QCOMPARE(p.h.prompts.asked.last(), QString("beep")); // the chart beeps
    }

    void tenPointsOnPaperAreTenPoints() {
        Printing p;
        p.tick({2, 5});
        p.print("cards.pdf");
        const QString text = pdfText(p.file("cards.pdf"));
        QVERIFY(!text.contains("Amount") && !text.contains("Payment"));
        // Each character of 10-point Courier is 6 points wide.
        const QString boxes = pdfText(p.file("cards.pdf"), {"-bbox"});
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
        printer.setOutputFileName(p.file("sheet.pdf"));
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(18, 18, 18, 18)));
        printDocument(printer, jobCardDocuments(p.h.project, false, CurrencyFormat())[0], 10);
        QCOMPARE(pdfText(p.file("sheet.pdf")).count('\f'), 1);
    }

    void costSectionsFollowTheTicks() {
        Printing p;
        p.tick({4});
        p.print("costs.pdf");
        QVERIFY(!pdfText(p.file("costs.pdf")).contains("Job: "));
        QCOMPARE(p.h.project.printingCosts, 1);
        // Until the options are cancelled, Weekly Costs lists only what was ticked.
        QTest::mouseClick(p.h.button("cmdcoster"), Qt::LeftButton);
        QVERIFY(!p.h.listed().join('\n').contains("Job: "));
        p.h.action("pr")->trigger();
        QTest::mouseClick(p.options->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QCOMPARE(p.h.project.printingCosts, 0);
        QTest::mouseClick(p.h.button("cmdcoster"), Qt::LeftButton);
        QVERIFY(p.h.listed().join('\n').contains("Job: "));
    }

    void theCloseBoxKeepsTheTicks() {
        Printing p;
        p.tick({4});
        p.print("costs.pdf");
        p.h.action("pr")->trigger();
        p.options->close();
        QCOMPARE(p.h.project.printingCosts, 0);
        p.h.action("pr")->trigger();
        QVERIFY(p.options->findChild<QCheckBox*>("Check4")->isChecked());
    }

    void failuresSayErrorInPrinting_data() {

        QTest::addColumn<QString>("file");
        QTest::newRow("dialog cancelled") << QString();
        QTest::newRow("printer refuses") << "no/such/folder/out.pdf";
    }
    void failuresSayErrorInPrinting() {
        QFETCH(QString, file);
        Printing p;
        p.tick({1, 3});
        p.print(file);
        QCOMPARE(p.h.prompts.asked.last(), QString("message: Error in Printing | Arrowplan"));
        QVERIFY(p.options->isVisible());
        QCOMPARE(p.h.project.printingCosts, 1);
        QVERIFY(QDir(p.dir.path()).isEmpty());
    }
};

QTEST_MAIN(PrintOptionsTest)
#include "print_options_test.moc"
