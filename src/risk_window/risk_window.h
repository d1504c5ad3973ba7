#pragma once

#include "document/chart_commands.h"
#include "document/project_document.h"
#include "platform/prompts.h"
#include "risk/risk_report.h"

#include <QElapsedTimer>
#include <QWidget>

#include <future>
#include <map>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace arrowplan {

class RiskPlotsView;

// Commands > Schedule Risk: the jobs with their three-point estimates,
// typed in a table, and how sure the finish is, by classic PERT and by a
// Monte Carlo simulation, in figures and plots. A window of its own beside
// the main window, which stays usable; every change of an estimate is a
// step of the document's history. The simulation runs on a thread of its
// own, with a progress bar and Cancel once it takes longer than half a
// second.
class RiskWindow : public QWidget {
    Q_OBJECT

  public:
    RiskWindow(ProjectDocument& document, Prompts& prompts, ChartCommands& chart);
    ~RiskWindow() override;

    void cmdRun_Click();
    void cmdCancelRun_Click();
    // Every estimated job's time becomes its PERT mean, as one step; then
    // the CPM command runs.
    void cmdUseEstimates_Click();
    bool running() const { return run_.valid(); }

    // The last run's figures while they are figures of the project as it
    // stands; none before a run, or once a job or estimate has changed.
    const RiskFigures* currentFigures() const;
    // What the last Run ran with; the defaults before the first.
    const MonteCarloOptions& lastSettings() const { return lastSettings_; }
    // The table, the figures and the plots from the project as it stands.
    void showProject();

  signals:
    // A run has ended, done or cancelled.
    void runEnded();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    QWidget* buildSettings();
    // The jobs a command may read: without an arrow still being drawn.
    int completeJobs() const;
    void showJobs();
    void showFigures();
    // A box of a row's estimate was edited: the three are stored as one step
    // when they make an estimate (or are all empty, which takes it away);
    // else the row waits, tinted, its reason below, while the user types on.
    void estimateEdited(int row);
    // The rows still waiting, but the one the user is in, are refused: the
    // reason in a message, and the estimate stored shown again. As the user
    // leaves a row, and before a command that reads the estimates.
    void refuseWaitingRows(std::optional<int> keep = std::nullopt);
    void tint(int row, bool waiting);
    // The settings typed, or none after saying what is wrong.
    std::optional<MonteCarloOptions> typedSettings();
    void pollRun();
    void endRun();
    void stopRun();

    ProjectDocument& document_;
    Project& project_;
    Prompts& prompts_;
    ChartCommands& chart_;
    QTableWidget* table_ = nullptr;
    QComboBox* distribution_ = nullptr;
    QSpinBox* runs_ = nullptr;
    QLineEdit* seed_ = nullptr;
    QLineEdit* byWeek_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPlainTextEdit* summary_ = nullptr;
    QComboBox* measure_ = nullptr;
    RiskPlotsView* plots_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* poll_ = nullptr;

    // The table is being filled from the project, not edited by the user.
    bool filling_ = false;
    // Rows whose estimate boxes, as typed, are no estimate yet, with the
    // reason; kept until refused, made good, or the jobs change in number.
    std::map<int, QString> waitingRows_;

    // The run under way: its figures but the simulation's, the simulation's
    // progress and cancel, and its result to come.
    RiskFigures prepared_;
    RunControl control_;
    std::future<std::optional<MonteCarloResult>> run_;
    QElapsedTimer clock_;

    std::optional<RiskFigures> figures_;
    MonteCarloOptions lastSettings_;
    // What the figures and plots show: the figures shown, and whether they
    // were current then.
    const RiskFigures* shownFigures_ = nullptr;
    bool shownCurrent_ = false;
};

} // namespace arrowplan
