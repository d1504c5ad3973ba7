#include "editor/window_harness.h"
#include "model/number_text.h"
#include "platform/qt_text.h"
#include "project_builder.h"
#include "risk/project_estimates.h"
#include "risk_window/risk_plots_view.h"
#include "risk_window/risk_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>

using namespace arrowplan;
using arrowplan::testing::examples;
using arrowplan::testing::Harness;

namespace {

// The house with estimates (jobs 7, 8 and 14 have none), the risk window open.
struct RiskHarness {
    Harness h;
    RiskWindow* risk = nullptr;
    QTableWidget* table = nullptr;

    RiskHarness() {
        h.load(examples + "/house-estimated.cpm");
        h.action("mnuRisk")->trigger();
        risk = qobject_cast<RiskWindow*>(Harness::windowNamed("frmRisk"));
        table = risk->findChild<QTableWidget*>("riskJobs");
    }
    // Box by box, as the user types them, then on to another row or not.
    void type(int job, const QStringList& times, bool leave) {
        table->setCurrentCell(job - 1, 4);
        for (int box = 0; box < 3; ++box) {
            table->item(job - 1, 4 + box)->setText(times[box]);
        }
        if (leave) {
            table->setCurrentCell(job % table->rowCount(), 4);
        }
    }
    QStringList shown(int job) {
        return {table->item(job - 1, 4)->text(), table->item(job - 1, 5)->text(),
                table->item(job - 1, 6)->text()};
    }
    template <typename Widget> Widget* control(const char* name) {
        return risk->findChild<Widget*>(name);
    }
    // Run with these settings and wait for the end; false when none came.
    bool run(int runs, const QString& seed, const QString& week, int distribution = 0) {
        control<QSpinBox>("txtRuns")->setValue(runs);
        control<QLineEdit>("txtSeed")->setText(seed);
        control<QLineEdit>("txtByWeek")->setText(week);
        control<QComboBox>("cboDistribution")->setCurrentIndex(distribution);
        QSignalSpy ended(risk, &RiskWindow::runEnded);
        control<QPushButton>("cmdRun")->click();
        return risk->running() && ended.wait(60'000);
    }
};

} // namespace

// The risk window: estimates typed and refused, a run on its own thread
// against the engine's figures, its progress and Cancel.
class RiskWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // Box by box: an estimate is stored once the three make one; anything
    // else waits in its row while the user stays there, and is refused with
    // its reason when the user leaves it.
    void typedEstimates_data() {
        QTest::addColumn<int>("job");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("leave");
        QTest::addColumn<QStringList>("stored"); // none: empty
        QTest::addColumn<QString>("reason");     // of the refusal, if any
        const QStringList none;
        QTest::newRow("in order") << 8 << QStringList{"1", "2.5", "4"} << true
                                  << QStringList{"1", "2.5", "4"} << "";
        QTest::newRow("all equal")
            << 8 << QStringList{"3", "3", "3"} << false << QStringList{"3", "3", "3"} << "";
        QTest::newRow("out of order") << 8 << QStringList{"4", "2", "1"} << true << none
                                      << "the optimistic time is above the most likely time";
        QTest::newRow("likely last") << 8 << QStringList{"1", "3", "2"} << true << none
                                     << "the most likely time is above the pessimistic time";
        QTest::newRow("negative") << 8 << QStringList{"-1", "2", "3"} << true << none
                                  << "the optimistic time is below 0";
        QTest::newRow("too long") << 8 << QStringList{"1", "2", "2e6"} << true << none
                                  << "the pessimistic time is above 1000000 weeks";
        QTest::newRow("letters") << 8 << QStringList{"1", "two", "3"} << true << none
                                 << "every estimated time must be a number";
        QTest::newRow("zeros") << 8 << QStringList{"0", "0", "0"} << true << none
                               << "three times of 0 would be no estimate; leave the boxes empty "
                                  "for none, or give the job a time of 0";
        QTest::newRow("still typing") << 8 << QStringList{"1", "", ""} << false << none << "";
        QTest::newRow("left half typed") << 8 << QStringList{"1", "", ""} << true << none
                                         << "every estimated time must be a number";
        QTest::newRow("taken away") << 1 << QStringList{"", "", ""} << true << none << "";
        QTest::newRow("changed into order")
            << 1 << QStringList{"3", "4", "7"} << true << QStringList{"3", "4", "7"} << "";
    }
    void typedEstimates() {
        QFETCH(int, job);
        QFETCH(QStringList, typed);
        QFETCH(bool, leave);
        QFETCH(QStringList, stored);
        QFETCH(QString, reason);
        RiskHarness r;
        r.type(job, typed, leave);
        const QStringList messages = r.h.prompts.asked.filter("message: ");
        const QStringList holds =
            hasEstimate(r.h.project, job)
                ? QStringList{toQString(plainText(r.h.project.jobOptimistic[job])),
                              toQString(plainText(r.h.project.jobMostLikely[job])),
                              toQString(plainText(r.h.project.jobPessimistic[job]))}
                : QStringList();
        QCOMPARE(holds, stored);
        QCOMPARE(messages, reason.isEmpty() ? QStringList()
                                            : QStringList("message: Job " + QString::number(job) +
                                                          ": " + reason + ". | Arrowplan"));
        // A refused row shows the estimate stored; a waiting one what was typed.
        QCOMPARE(r.shown(job),
                 leave ? (stored.isEmpty() ? QStringList{"", "", ""} : stored) : typed);
        QCOMPARE(r.h.document.canUndo(), !stored.isEmpty() || job == 1);
    }

    // The window's figures are the engine's for the same settings, bit for
    // bit; they go stale as an estimate changes. The window takes nothing
    // while the card is open.
    void aRunShowsTheEnginesFigures() {
        RiskHarness r;
        QVERIFY(!r.run(100, "x", ""));
        QCOMPARE(r.h.prompts.asked.last(),
                 "message: The seed must be a whole number from 0 to 18446744073709551615. | "
                 "Arrowplan");
        QVERIFY(r.run(2000, "7", "26", 1));
        const RiskFigures* shown = r.risk->currentFigures();
        QVERIFY(shown);
        const MonteCarloOptions settings{2000, 7, RiskDistribution::pertBeta, 26.0};
        const RiskFigures engine = *analyseRisk(r.h.project, settings);
        QVERIFY(shown->simulation == engine.simulation && shown->classic == engine.classic);
        const QString summary = r.control<QPlainTextEdit>("txtRiskFigures")->toPlainText();
        QVERIFY(summary.contains(toQString(riskSummaryLines(engine)[13])));
        QCOMPARE(r.table->item(0, 9)->text(), QString("100.0%")); // Site prep: always critical
        const QImage plots = r.control<RiskPlotsView>("riskPlots")->picture();
        QVERIFY(plots.pixelColor(plots.width() / 2, plots.height() / 2) != Qt::white ||
                plots.pixelColor(plots.width() / 3, plots.height() * 2 / 3) != Qt::white);

        r.type(2, {"2", "3", "9"}, true);
        QVERIFY(!r.risk->currentFigures());
        QVERIFY(r.control<QPlainTextEdit>("txtRiskFigures")->toPlainText().startsWith("These"));
        QVERIFY(r.table->item(0, 9)->text().isEmpty());
        r.h.action("mnuUndo")->trigger(); // the same again
        QVERIFY(r.risk->currentFigures());
        // The times of estimated jobs are no figure's: the figures stay.
        r.control<QPushButton>("cmdUseEstimates")->click();
        QCOMPARE(r.h.project.edgeWeight[1], 2.25f); // (1.5 + 4 * 2 + 4) / 6
        QCOMPARE(r.h.project.edgeWeight[8], 1.0f);  // no estimate
        QVERIFY(r.risk->currentFigures());

        r.h.button("cmdedit")->click();
        QVERIFY(!r.risk->isEnabled());
        Harness::windowNamed("frmJobsList")->close();
        QVERIFY(r.risk->isEnabled());
    }

    // A run longer than half a second shows its progress and Cancel, which
    // stops it: the figures before it stay.
    void aLongRunCanBeCancelled() {
        RiskHarness r;
        // A chain of 99 estimated jobs: a million runs take seconds.
        r.h.project = arrowplan::testing::projectOf(maxItems, {});
        r.h.project.edgeCount = maxItems - 1;
        for (int job = 1; job < maxItems; ++job) {
            r.h.project.edgeFrom[job] = Currency::fromWhole(job);
            r.h.project.edgeTo[job] = Currency::fromWhole(job + 1);
            setEstimate(r.h.project, job, ThreePoint{1, 2, 4});
        }
        r.control<QSpinBox>("txtRuns")->setValue(maxRuns);
        r.control<QComboBox>("cboDistribution")->setCurrentIndex(1);
        QSignalSpy ended(r.risk, &RiskWindow::runEnded);
        r.control<QPushButton>("cmdRun")->click();
        QVERIFY(!r.control<QPushButton>("cmdRun")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(r.control<QProgressBar>("runProgress")->isVisible(), 5000);
        QVERIFY(r.control<QProgressBar>("runProgress")->value() < maxRuns);
        r.control<QPushButton>("cmdCancelRun")->click();
        QVERIFY(ended.wait(10'000));
        QVERIFY(!r.risk->currentFigures());
        QCOMPARE(r.control<QLabel>("lblRiskStatus")->text(), QString("The run was cancelled."));
        QVERIFY(!r.control<QProgressBar>("runProgress")->isVisible());
    }
};

QTEST_MAIN(RiskWindowTest)
#include "risk_window_test.moc"
