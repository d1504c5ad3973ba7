#include "editor/window_harness.h"
#include "print/print_options_window.h"
#include "project_builder.h"

#include <QCheckBox>

using namespace arrowplan;
using arrowplan::testing::Harness;
using arrowplan::testing::projectOf;

// Run by cups_printer_e2e.sh with a printer queue of its own cupsd: the job
// cards of four jobs go to the queue as two printer documents.
class NativePrintTest : public QObject {
    Q_OBJECT

  private slots:
    void jobCardsToAPrinterQueue() {
        const QString queue = qEnvironmentVariable("ARROWPLAN_TEST_PRINTER");
        if (queue.isEmpty()) {
            QSKIP("no printer queue given (ARROWPLAN_TEST_PRINTER)");
        }
        Harness h;
        h.project = projectOf(5, {{1, 2, 1, 0, 10, "One"},
                                  {2, 3, 1, 0, 20, "Two"},
                                  {3, 4, 1, 0, 30, "Three"},
                                  {4, 5, 1, 0, 40, "Four"}});
        h.window.cmdCPM_Click();
        h.action("pr")->trigger();
        auto* options = h.window.findChild<PrintOptionsWindow*>("frmPrint");
        options->findChild<QCheckBox*>("Check2")->setChecked(true);
        h.prompts.printerName = queue;
        QTest::mouseClick(options->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(h.prompts.asked.last(), QString("printer"));
        QVERIFY(!options->isVisible());
    }
};

QTEST_MAIN(NativePrintTest)
#include "native_print_test.moc"
