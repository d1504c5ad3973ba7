#include "crashing/time_cost_window.h"

#include "crashing/curve_plot.h"
#include "crashing/curve_report.h"
#include "model/number_text.h"
#include "platform/printer_surface.h"
#include "platform/qt_text.h"
#include "platform/twips.h"
#include "platform/typed_number.h"
#include "platform/window_font.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace arrowplan {

namespace {

const QStringList jobColumns = {"Job", "Title", "Time", "Amount", "Crash time", "Crash cost"};
constexpr int crashTimeColumn = 4;
constexpr int crashCostColumn = 5;
const QStringList curveColumns = {"Length", "Direct", "Indirect", "Total", "Shortened"};
const QString crashTimeStep = QStringLiteral("Crash Time");
const QString crashCostStep = QStringLiteral("Crash Cost");
const QString indirectStep = QStringLiteral("Indirect Cost");

// The cell's item, made where there is none yet, so that a refill changes
// the items in place and never deletes one whose change is being taken in.
void setCell(QTableWidget* table, int row, int column, const std::string& text,
             bool editable = false) {
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    item->setText(toQString(text));
    item->setFlags(editable ? item->flags() | Qt::ItemIsEditable
                            : item->flags() & ~Qt::ItemIsEditable);
}

QTableWidget* tableOf(const QStringList& columns, const QString& name, QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(columns.size()), parent);
    table->setHorizontalHeaderLabels(columns);
    table->setAccessibleName(name);
    table->verticalHeader()->hide();
    table->findChild<QAbstractButton*>()->setAccessibleName("Select every row"); // the corner
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace

// The plot drawn through the surface the printed chart uses, the widget
// standing for a page of its own size.
class CurvePlotView : public QWidget {
  public:
    explicit CurvePlotView(QWidget* parent) : QWidget(parent) {
        setAccessibleName("Plot of the least-cost curve");
        setMinimumHeight(pixels(3600));
        QPalette white = palette();
        white.setColor(QPalette::Window, Qt::white);
        setPalette(white);
        setAutoFillBackground(true);
    }
    void showCurve(const TimeCostCurve* curve) {
        curve_ = curve;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (curve_) {
            PrinterSurface surface(*this, twips(width()), twips(height()));
            drawCurvePlot(*curve_, surface);
            surface.finish();
        }
    }

  private:
    const TimeCostCurve* curve_ = nullptr;
};

TimeCostWindow::TimeCostWindow(ProjectDocument& document, ChartCommands& chart)
    : document_(document), project_(document.project()), chart_(chart),
      jobs_(tableOf(jobColumns, "Crash data of the jobs", this)), indirect_(new QLineEdit(this)),
      curveTable_(tableOf(curveColumns, "Least-cost curve", this)), status_(new QLabel(this)),
      plot_(new CurvePlotView(this)), crash_(new QPushButton(this)) {
    setObjectName("frmTimeCost");
    setWindowTitle("Time and Cost");
    setFont(windowFont());
    resize(twipsRect(0, 0, 15000, 10500).size());
    jobs_->setObjectName("crashData");
    curveTable_->setObjectName("curve");
    curveTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    curveTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    curveTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    status_->setObjectName("timeCostStatus");
    indirect_->setObjectName("indirectCost");
    indirect_->setAccessibleName("Indirect cost per week");
    crash_->setObjectName("crashTo");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("closeTimeCost");

    auto* indirectRow = new QHBoxLayout;
    indirectRow->addWidget(new QLabel("Indirect cost per week:", this));
    indirectRow->addWidget(indirect_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(crash_);
    buttons->addWidget(close);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Crash data (a crash time and cost left empty: the job keeps "
                                 "its time)",
                                 this),
                      0, 0);
    layout->addWidget(new QLabel("Least total direct cost of each length (* a break point)", this),
                      0, 1);
    layout->addWidget(jobs_, 1, 0);
    layout->addWidget(curveTable_, 1, 1);
    layout->addLayout(indirectRow, 2, 0);
    layout->addWidget(status_, 2, 1);
    layout->addWidget(plot_, 3, 0, 1, 2);
    layout->addLayout(buttons, 4, 0, 1, 2);

    connect(jobs_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_) {
            storeCell(item->row(), item->column());
        }
    });
    connect(indirect_, &QLineEdit::editingFinished, this, [this] {
        if (!filling_) {
            storeIndirectCost();
        }
    });
    connect(curveTable_, &QTableWidget::currentCellChanged, this, [this] { choose(); });
    connect(crash_, &QPushButton::clicked, this, [this] {
        document_.run(crash_->text().remove('&'), [this] { crashToChosenLength(); });
    });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(&document, &ProjectDocument::commandEnded, this, [this] {
        if (isVisible()) {
            refill();
        }
    });
}

TimeCostWindow::~TimeCostWindow() = default;

void TimeCostWindow::refill() {
    filling_ = true;
    fillJobs();
    jobs_->resizeColumnsToContents();
    indirect_->setText(toQString(plainText(project_.indirectCostPerWeek)));
    fillCurve();
    filling_ = false;
    choose();
}

void TimeCostWindow::fillJobs() {
    jobs_->setRowCount(project_.edgeCount);
    for (int j = 1; j <= project_.edgeCount; ++j) {
        const int row = j - 1;
        const bool crash = hasCrashData(project_, j);
        setCell(jobs_, row, 0,
                plainText(project_.edgeFrom[j]) + "-" + plainText(project_.edgeTo[j]));
        setCell(jobs_, row, 1, project_.jobTitle[j].trimmed());
        setCell(jobs_, row, 2, plainText(project_.edgeWeight[j]));
        setCell(jobs_, row, 3, plainText(project_.jobAmount[j]));
        setCell(jobs_, row, crashTimeColumn, crash ? plainText(project_.jobCrashTime[j]) : "",
                true);
        setCell(jobs_, row, crashCostColumn, crash ? plainText(project_.jobCrashCost[j]) : "",
                true);
    }
}

// A project the curve cannot be worked out for (a crash time above its job's
// time, an arrow still half-made) shows why instead.
void TimeCostWindow::fillCurve() {
    try {
        shown_ = timeCostCurve(project_);
        status_->setText(toQString(leastTotalText(*shown_)));
    } catch (const std::exception& error) {
        shown_.reset();
        status_->setText(QString::fromUtf8(error.what()));
    }
    const int rows = shown_ ? static_cast<int>(shown_->points.size()) : 0;
    curveTable_->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const CurvePoint& point = shown_->points[static_cast<std::size_t>(row)];
        setCell(curveTable_, row, 0, plainText(point.length) + (point.breakPoint ? "*" : ""));
        setCell(curveTable_, row, 1, plainText(point.directCost));
        setCell(curveTable_, row, 2, plainText(point.indirectCost));
        setCell(curveTable_, row, 3, plainText(point.totalCost));
        setCell(curveTable_, row, 4, shortenedText(project_, point));
    }
    if (shown_) {
        curveTable_->setCurrentCell(static_cast<int>(shown_->leastTotal.front()), 0);
    }
    plot_->showCurve(shown_ ? &*shown_ : nullptr);
}

// The button names the length chosen; the normal length is no change.
void TimeCostWindow::choose() {
    const int row = curveTable_->currentRow();
    const bool usable = shown_ && row > 0;
    crash_->setEnabled(usable);
    crash_->setText(
        usable ? "Crash to " +
                     toQString(plainText(shown_->points[static_cast<std::size_t>(row)].length)) +
                     " weeks"
               : "Crash to length");
}

void TimeCostWindow::storeCell(int row, int column) {
    const int j = row + 1;
    const QString text = jobs_->item(row, column)->text().trimmed();
    document_.run(column == crashTimeColumn ? crashTimeStep : crashCostStep, [&] {
        chart_.abandonHalfMadeArrow();
        // A cell emptied takes the job's crash data away: a crash time of 0
        // left behind would let the job be crashed to nothing.
        if (text.isEmpty()) {
            project_.jobCrashTime[j] = 0;
            project_.jobCrashCost[j] = Currency();
        } else if (column == crashTimeColumn) {
            const std::optional<float> time = typedSingle(text);
            if (time && *time >= 0 && fitsSchedule(*time, project_.jobDelay[j])) {
                project_.jobCrashTime[j] = *time;
            }
        } else if (const std::optional<Currency> cost = typedCurrency(text)) {
            project_.jobCrashCost[j] = *cost;
        }
    });
}

void TimeCostWindow::storeIndirectCost() {
    const QString text = indirect_->text().trimmed();
    document_.run(indirectStep, [&] {
        const std::optional<Currency> cost = text.isEmpty() ? Currency() : typedCurrency(text);
        if (cost && *cost >= Currency()) {
            project_.indirectCostPerWeek = *cost;
        }
    });
}

void TimeCostWindow::crashToChosenLength() {
    chart_.abandonHalfMadeArrow();
    const int row = curveTable_->currentRow();
    if (!shown_ || row <= 0) {
        return;
    }
    crashTo(project_, shown_->points[static_cast<std::size_t>(row)]);
    chart_.cmdCPM_Click();
}

} // namespace arrowplan
