#include "schedule/floats_window.h"

#include "model/number_text.h"
#include "platform/qt_text.h"
#include "platform/twips.h"
#include "platform/window_font.h"
#include "schedule/floats.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace arrowplan {

namespace {

const QStringList columns = {"Job",  "Title",       "Time(D)",    "Total",
                             "Free", "Independent", "Interfering"};

// A cell that sorts by a number of its own, not as its text: the job's
// column by the job's number, a float by its value, shown in the program's
// own number text (a double shown as Qt shows it would read "1e+07").
class SortedItem : public QTableWidgetItem {
  public:
    SortedItem(const QString& text, double key) : QTableWidgetItem(text) {
        setData(Qt::UserRole, key);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

QTableWidgetItem* figureItem(Currency value) {
    auto* item = new SortedItem(toQString(plainText(value)), value.toDouble());
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

FloatsWindow::FloatsWindow(ProjectDocument& document, ChartCommands& chart)
    : project_(document.project()),
      shade_(new QCheckBox("&Shade the free floats on the chart", this)),
      table_(new QTableWidget(this)), problem_(new QLabel(this)) {
    setObjectName("frmFloats");
    setWindowTitle("Floats");
    setFont(windowFont());
    resize(twipsRect(0, 0, 10500, 5400).size());
    table_->setObjectName("floatsTable");
    table_->setAccessibleName("Floats of every job");
    table_->setColumnCount(static_cast<int>(columns.size()));
    table_->setHorizontalHeaderLabels(columns);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->findChild<QAbstractButton*>()->setAccessibleName("Select every job"); // the corner
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(problem_);
    shade_->setObjectName("chkShadeFloats");
    layout->addWidget(shade_);
    connect(shade_, &QCheckBox::toggled, this, [&chart](bool on) { chart.shadeFreeFloats(on); });
    connect(&document, &ProjectDocument::commandEnded, this, [this] {
        if (isVisible()) {
            refill();
        }
    });
}

// The shading belongs to the window: it goes when the window does.
void FloatsWindow::hideEvent(QHideEvent* event) {
    shade_->setChecked(false);
    QWidget::hideEvent(event);
}

// A schedule whose floats leave the currency range (one the CPM command
// refused) shows no rows but why.
void FloatsWindow::refill() {
    table_->setSortingEnabled(false); // rows filled while sorted would move under the pen
    std::vector<JobFloats> floats;
    try {
        floats = jobFloats(project_);
        problem_->clear();
    } catch (const CurrencyOverflow& error) {
        problem_->setText(QString("No floats: ") + error.what());
    }
    table_->setRowCount(static_cast<int>(floats.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const JobFloats& job = floats[static_cast<std::size_t>(row)];
        table_->setItem(
            row, 0,
            new SortedItem(toQString(plainText(job.job.from) + "-" + plainText(job.job.to)),
                           job.job.job));
        table_->setItem(row, 1, new QTableWidgetItem(toQString(job.job.title.trimmed())));
        table_->setItem(row, 2, new QTableWidgetItem(toQString(timeText(job.job))));
        int column = 3;
        for (const Currency value : {job.total, job.free, job.independent, job.interfering}) {
            table_->setItem(row, column++, figureItem(value));
        }
    }
    table_->resizeColumnsToContents();
    table_->setSortingEnabled(true);
}

} // namespace arrowplan
