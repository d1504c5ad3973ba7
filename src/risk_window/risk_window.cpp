#include "risk_window/risk_window.h"

#include "model/number_text.h"
#include "platform/qt_text.h"
#include "platform/typed_number.h"
#include "platform/window_font.h"
#include "risk/project_estimates.h"
#include "risk_window/risk_plots_view.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <charconv>
#include <chrono>
#include <limits>
#include <utility>

namespace arrowplan {

namespace {

enum Column {
    jobColumn,
    nodesColumn,
    titleColumn,
    timeColumn,
    optimisticColumn,
    likelyColumn,
    pessimisticColumn,
    meanColumn,
    sigmaColumn,
    criticalityColumn,
    sensitivityColumn,
    columnCount
};
const char* const headers[columnCount] = {"Job",        "Nodes",       "Title",       "Time",
                                          "Optimistic", "Most Likely", "Pessimistic", "PERT Mean",
                                          "PERT Sigma", "Criticality", "Sensitivity"};
constexpr Column estimateColumns[] = {optimisticColumn, likelyColumn, pessimisticColumn};

// The steps of the history; Run changes no work, so it makes none.
const QString estimateStep = QStringLiteral("Estimate");
const QString useStep = QStringLiteral("Use the Estimates");
const QString runStep = QStringLiteral("Run");

const QString refused = QStringLiteral("Job %1: %2.");
const QString waiting = QStringLiteral("Job %1, not stored yet: %2.");
// The tables keep three zeros as no estimate, which would leave the job at
// its time: the user who meant a job of no time says so with its time.
const std::string allZero =
    "three times of 0 would be no estimate; leave the boxes empty for none, or give the job "
    "a time of 0";
const QColor waitingTint(255, 228, 228);
const QString badSeed =
    QStringLiteral("The seed must be a whole number from 0 to 18446744073709551615.");
const QString badWeek = QStringLiteral("The week to finish by must be a number, or left empty.");
const QString cannotRun = QStringLiteral("The analysis cannot run: %1.");
const QString cancelled = QStringLiteral("The run was cancelled.");
const QString staleNote =
    QStringLiteral("These figures are of the jobs and estimates at the last Run; Run again for "
                   "the project as it stands.");

// A run that takes longer than this shows its progress and Cancel.
constexpr int progressAfterMs = 500;
constexpr int pollMs = 30;

QString withDecimals(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

// A time typed into an estimate box; no number is NaN, which the check of
// the estimate turns into its reason.
double typedTime(const QString& text) {
    return typedSingle(text).value_or(std::numeric_limits<float>::quiet_NaN());
}

// Why the typed times cannot be stored as the job's estimate, if they cannot.
std::optional<std::string> typedProblem(const ThreePoint& estimate) {
    if (estimate == ThreePoint{}) {
        return allZero;
    }
    return estimateProblem(estimate);
}

} // namespace

RiskWindow::RiskWindow(ProjectDocument& document, Prompts& prompts, ChartCommands& chart)
    : document_(document), project_(document.project()), prompts_(prompts), chart_(chart) {
    setObjectName("frmRisk");
    setWindowTitle("Schedule Risk");
    setFont(windowFont()); // a window of its own does not take the main window's font
    buildControls();
    poll_ = new QTimer(this);
    poll_->setInterval(pollMs);
    connect(poll_, &QTimer::timeout, this, [this] { pollRun(); });
    // Another window's command may change the jobs: an edit, a deletion, an undo.
    connect(&document_, &ProjectDocument::commandEnded, this, [this] {
        if (isVisible()) {
            showProject();
        }
    });
    resize(1180, 780);
}

RiskWindow::~RiskWindow() {
    stopRun();
}

void RiskWindow::buildControls() {
    table_ = new QTableWidget(0, columnCount, this);
    table_->setObjectName("riskJobs");
    table_->setAccessibleName("Jobs and their three-point estimates");
    for (int column = 0; column < columnCount; ++column) {
        table_->setHorizontalHeaderItem(column, new QTableWidgetItem(headers[column]));
    }
    table_->verticalHeader()->hide();
    // The corner button selects every cell; it shows nothing a reader could say.
    table_->findChild<QAbstractButton*>()->setAccessibleName("Select every job");
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(titleColumn, QHeaderView::Stretch);
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        const int column = item->column();
        if (!filling_ && column >= optimisticColumn && column <= pessimisticColumn) {
            estimateEdited(item->row());
        }
    });
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous) {
        if (!filling_ && row != previous) {
            refuseWaitingRows(row);
        }
    });

    summary_ = new QPlainTextEdit(this);
    summary_->setObjectName("txtRiskFigures");
    summary_->setAccessibleName("Figures of the analysis");
    summary_->setReadOnly(true);
    summary_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed("Courier New");
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPointSize(9);
    summary_->setFont(fixed);

    measure_ = new QComboBox(this);
    measure_->setObjectName("cboMeasure");
    measure_->setAccessibleName("Jobs plotted by");
    measure_->addItems({"Jobs by criticality", "Jobs by sensitivity"});
    plots_ = new RiskPlotsView(this);
    plots_->setObjectName("riskPlots");
    connect(measure_, &QComboBox::currentIndexChanged, this, [this](int index) {
        plots_->setMeasure(index == 1 ? JobMeasure::sensitivity : JobMeasure::criticality);
    });

    status_ = new QLabel(this);
    status_->setObjectName("lblRiskStatus");
    status_->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(table_, 1);
    top->addWidget(buildSettings());
    auto* plotColumn = new QVBoxLayout;
    plotColumn->addWidget(measure_, 0, Qt::AlignRight);
    plotColumn->addWidget(plots_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(summary_, 4);
    bottom->addLayout(plotColumn, 5);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(top, 2);
    whole->addLayout(bottom, 3);
    whole->addWidget(status_);
}

QWidget* RiskWindow::buildSettings() {
    auto* panel = new QWidget(this);
    auto* form = new QFormLayout;
    const auto row = [form](const char* caption, QWidget* field, const char* name) {
        field->setObjectName(name);
        field->setAccessibleName(QString(caption).remove('&').remove(':'));
        form->addRow(caption, field);
    };
    distribution_ = new QComboBox(panel);
    distribution_->addItems({"Triangular", "PERT-beta"});
    row("&Distribution:", distribution_, "cboDistribution");
    runs_ = new QSpinBox(panel);
    runs_->setRange(1, maxRuns);
    runs_->setValue(MonteCarloOptions{}.runs);
    runs_->setGroupSeparatorShown(true);
    row("R&uns:", runs_, "txtRuns");
    seed_ = new QLineEdit(QString::number(MonteCarloOptions{}.seed), panel);
    row("&Seed:", seed_, "txtSeed");
    byWeek_ = new QLineEdit(panel);
    byWeek_->setPlaceholderText("none");
    row("Finish by &week:", byWeek_, "txtByWeek");

    const auto button = [this, panel](const char* caption, const char* name, const QString& step,
                                      void (RiskWindow::*handler)()) {
        auto* b = new QPushButton(caption, panel);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this,
                document_.guarded(step, [this, handler] { (this->*handler)(); }));
        return b;
    };
    runButton_ = button("&Run", "cmdRun", runStep, &RiskWindow::cmdRun_Click);
    QPushButton* use = button("Use the &Estimates", "cmdUseEstimates", useStep,
                              &RiskWindow::cmdUseEstimates_Click);
    use->setToolTip("Set every estimated job's time to its PERT mean (o + 4m + p) / 6");
    progress_ = new QProgressBar(panel);
    progress_->setObjectName("runProgress");
    progress_->setAccessibleName("Runs done");
    progress_->hide();
    // Cancel only sets a flag the simulation looks at: no step to make.
    cancelButton_ = new QPushButton("Cancel", panel);
    cancelButton_->setObjectName("cmdCancelRun");
    cancelButton_->hide();
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cmdCancelRun_Click(); });

    auto* column = new QVBoxLayout(panel);
    column->addLayout(form);
    column->addWidget(runButton_);
    column->addWidget(use);
    column->addWidget(progress_);
    column->addWidget(cancelButton_);
    column->addStretch();
    return panel;
}

int RiskWindow::completeJobs() const {
    return project_.edgeCount - (project_.edgeStarted == 1 ? 1 : 0);
}

void RiskWindow::showProject() {
    showJobs();
    showFigures();
}

void RiskWindow::showJobs() {
    const int jobs = completeJobs();
    filling_ = true;
    if (table_->rowCount() != jobs) {
        for (const auto& waiting : waitingRows_) {
            if (waiting.first < jobs) {
                tint(waiting.first, false);
            }
        }
        waitingRows_.clear();
        status_->clear();
        table_->setRowCount(jobs);
    }
    const RiskFigures* figures = currentFigures();
    for (int row = 0; row < jobs; ++row) {
        const int j = row + 1;
        QString texts[columnCount];
        texts[jobColumn] = QString::number(j);
        texts[nodesColumn] =
            toQString(plainText(project_.edgeFrom[j]) + "-" + plainText(project_.edgeTo[j]));
        texts[titleColumn] = toQString(project_.jobTitle[j].trimmed());
        texts[timeColumn] = toQString(plainText(project_.edgeWeight[j]));
        if (const auto estimate = estimateOf(project_, j)) {
            texts[optimisticColumn] = toQString(plainText(project_.jobOptimistic[j]));
            texts[likelyColumn] = toQString(plainText(project_.jobMostLikely[j]));
            texts[pessimisticColumn] = toQString(plainText(project_.jobPessimistic[j]));
            texts[meanColumn] = withDecimals(pertMean(*estimate), 2);
            texts[sigmaColumn] = withDecimals(pertSigma(*estimate), 2);
        }
        if (figures) {
            const JobRisk& risk = figures->simulation.jobs[static_cast<std::size_t>(row)];
            texts[criticalityColumn] = withDecimals(100 * risk.criticality, 1) + "%";
            texts[sensitivityColumn] = withDecimals(risk.sensitivity, 3);
        }
        for (int column = 0; column < columnCount; ++column) {
            const bool estimate = column >= optimisticColumn && column <= pessimisticColumn;
            if (estimate && waitingRows_.contains(row)) {
                continue; // the user's typing, until the row is whole
            }
            QTableWidgetItem* item = table_->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setFlags(estimate ? item->flags() | Qt::ItemIsEditable
                                        : item->flags() & ~Qt::ItemIsEditable);
                if (column != titleColumn) {
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                }
                table_->setItem(row, column, item);
            }
            if (item->text() != texts[column]) {
                item->setText(texts[column]);
            }
        }
    }
    filling_ = false;
}

void RiskWindow::showFigures() {
    const RiskFigures* current = currentFigures();
    const RiskFigures* shown = figures_ ? &*figures_ : nullptr;
    if (shown == shownFigures_ && (current != nullptr) == shownCurrent_) {
        return;
    }
    shownFigures_ = shown;
    shownCurrent_ = current != nullptr;
    QStringList lines;
    if (shown) {
        if (!current) {
            lines << staleNote;
        }
        lines << toQStringList(riskSummaryLines(*shown));
    }
    summary_->setPlainText(lines.join('\n'));
    plots_->showFigures(shown);
}

const RiskFigures* RiskWindow::currentFigures() const {
    if (!figures_) {
        return nullptr;
    }
    Project complete = project_;
    complete.edgeCount = static_cast<std::int16_t>(completeJobs());
    try {
        const RiskFigures now = preparedRisk(complete, figures_->settings);
        if (sameAnalysis(now.network, figures_->network) && now.titles == figures_->titles &&
            now.projectName == figures_->projectName) {
            return &*figures_;
        }
    } catch (const std::exception&) {
        // Jobs the analysis cannot work on now: the figures are of others.
    }
    return nullptr;
}

void RiskWindow::estimateEdited(int row) {
    QStringList typed;
    for (const Column column : estimateColumns) {
        typed << table_->item(row, column)->text().trimmed();
    }
    const int job = row + 1;
    std::optional<ThreePoint> estimate;
    if (!typed.join("").isEmpty()) {
        // An empty box is no number, which the check names.
        estimate = ThreePoint{typedTime(typed[0]), typedTime(typed[1]), typedTime(typed[2])};
    }
    if (const auto problem = estimate ? typedProblem(*estimate) : std::nullopt) {
        waitingRows_[row] = toQString(*problem);
        tint(row, true);
        status_->setText(waiting.arg(job).arg(waitingRows_[row]));
        return;
    }
    waitingRows_.erase(row);
    tint(row, false);
    status_->clear();
    document_.run(estimateStep, [&] {
        chart_.abandonHalfMadeArrow();
        if (job <= project_.edgeCount) {
            setEstimate(project_, job, estimate);
        }
    });
}

void RiskWindow::refuseWaitingRows(std::optional<int> keep) {
    for (auto waiting = waitingRows_.begin(); waiting != waitingRows_.end();) {
        const auto [row, problem] = *waiting;
        if (row == keep) {
            ++waiting;
            continue;
        }
        waiting = waitingRows_.erase(waiting);
        tint(row, false);
        prompts_.message(refused.arg(row + 1).arg(problem), appTitle);
    }
    if (waitingRows_.empty()) {
        status_->clear();
    }
    showJobs();
}

void RiskWindow::tint(int row, bool waiting) {
    const bool filling = std::exchange(filling_, true);
    for (const Column column : estimateColumns) {
        table_->item(row, column)->setBackground(waiting ? QBrush(waitingTint) : QBrush());
    }
    filling_ = filling;
}

std::optional<MonteCarloOptions> RiskWindow::typedSettings() {
    MonteCarloOptions settings;
    settings.runs = runs_->value();
    settings.distribution = distribution_->currentIndex() == 1 ? RiskDistribution::pertBeta
                                                               : RiskDistribution::triangular;
    const std::string seed = toStdString(seed_->text().trimmed());
    const char* end = seed.data() + seed.size();
    const auto read = std::from_chars(seed.data(), end, settings.seed);
    if (seed.empty() || read.ec != std::errc() || read.ptr != end) {
        prompts_.message(badSeed, appTitle);
        return std::nullopt;
    }
    if (!byWeek_->text().trimmed().isEmpty()) {
        const std::optional<float> week = typedSingle(byWeek_->text());
        if (!week) {
            prompts_.message(badWeek, appTitle);
            return std::nullopt;
        }
        settings.byWeek = *week;
    }
    return settings;
}

void RiskWindow::cmdRun_Click() {
    if (running()) {
        return;
    }
    refuseWaitingRows();
    chart_.abandonHalfMadeArrow();
    const std::optional<MonteCarloOptions> settings = typedSettings();
    if (!settings) {
        return;
    }
    try {
        prepared_ = preparedRisk(project_, *settings);
    } catch (const RiskError& error) {
        prompts_.message(cannotRun.arg(toQString(error.what())), appTitle);
        return;
    }
    lastSettings_ = *settings;
    control_.cancel = false;
    control_.runsDone = 0;
    // The thread works on its own copy of the network, so the project may
    // change meanwhile; the figures then show as the last Run's.
    run_ = std::async(std::launch::async, [this, network = prepared_.network, options = *settings] {
        return runMonteCarlo(network, options, &control_);
    });
    clock_.start();
    runButton_->setEnabled(false);
    status_->clear();
    poll_->start();
}

void RiskWindow::pollRun() {
    if (run_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        endRun();
        return;
    }
    if (clock_.elapsed() >= progressAfterMs) {
        progress_->setRange(0, lastSettings_.runs);
        progress_->setValue(control_.runsDone.load());
        progress_->show();
        cancelButton_->show();
    }
}

void RiskWindow::endRun() {
    std::optional<MonteCarloResult> result;
    try {
        result = run_.get();
    } catch (const std::exception& error) {
        prompts_.message(cannotRun.arg(toQString(error.what())), appTitle);
    }
    stopRun();
    if (result) {
        prepared_.simulation = std::move(*result);
        figures_ = std::move(prepared_);
        shownFigures_ = nullptr; // new figures, perhaps at the old ones' address
    } else {
        status_->setText(cancelled);
    }
    showProject();
    emit runEnded();
}

void RiskWindow::cmdCancelRun_Click() {
    control_.cancel = true;
}

// A run still going is cancelled and waited for: its thread uses this window's
// control. It stops at the next block, within milliseconds.
void RiskWindow::stopRun() {
    if (run_.valid()) {
        control_.cancel = true;
        run_.wait();
        run_ = {};
    }
    poll_->stop();
    progress_->hide();
    cancelButton_->hide();
    runButton_->setEnabled(true);
}

void RiskWindow::cmdUseEstimates_Click() {
    refuseWaitingRows();
    chart_.abandonHalfMadeArrow();
    useEstimates(project_);
    chart_.cmdCPM_Click();
}

void RiskWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showProject();
}

void RiskWindow::closeEvent(QCloseEvent* event) {
    refuseWaitingRows();
    stopRun();
    event->accept();
}

} // namespace arrowplan
