#pragma once

#include "document/chart_commands.h"
#include "document/project_document.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QTableWidget;

namespace arrowplan {

// View > Floats: a table of every job's four floats in the last schedule,
// one row a job, sorted by any column with a click on its header, and a box
// that shades the free floats on the chart while the window is shown. Shown
// without waiting; it follows the project after every command.
class FloatsWindow : public QWidget {
    Q_OBJECT

  public:
    FloatsWindow(ProjectDocument& document, ChartCommands& chart);

    QTableWidget* table() const { return table_; }
    // The rows made afresh from the project's last schedule.
    void refill();

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    Project& project_;
    QCheckBox* shade_;
    QTableWidget* table_;
    QLabel* problem_;
};

} // namespace arrowplan
