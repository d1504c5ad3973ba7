#pragma once

#include "document/project_document.h"

#include <QWidget>

class QLabel;
class QTableWidget;

namespace arrowplan {

// View > Floats: a table of every job's four floats in the last schedule,
// one row a job, sorted by any column with a click on its header. Shown
// without waiting; it follows the project after every command.
class FloatsWindow : public QWidget {
    Q_OBJECT

  public:
    explicit FloatsWindow(ProjectDocument& document);

    QTableWidget* table() const { return table_; }
    // The rows made afresh from the project's last schedule.
    void refill();

  private:
    Project& project_;
    QTableWidget* table_;
    QLabel* problem_;
};

} // namespace arrowplan
