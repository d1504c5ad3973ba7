#pragma once

#include "crashing/time_cost.h"
#include "document/chart_commands.h"
#include "document/project_document.h"

#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace arrowplan {

class CurvePlotView;

// Commands > Time and Cost: the jobs' crash data, which may be typed in
// (each stored as a step of its own), the project's indirect cost per week,
// the least-cost curve as a table and a plot, and "Crash to N weeks", which
// puts the plan of the chosen length into the project as one step and runs
// the CPM command. Shown without waiting; it follows the project after every
// command.
class TimeCostWindow : public QWidget {
    Q_OBJECT

  public:
    TimeCostWindow(ProjectDocument& document, ChartCommands& chart);
    ~TimeCostWindow() override;

    QTableWidget* jobs() const { return jobs_; }
    QTableWidget* curve() const { return curveTable_; }
    QLineEdit* indirectCost() const { return indirect_; }
    QPushButton* crashButton() const { return crash_; }
    // The crash data, the indirect cost and the curve of the project as it
    // stands.
    void refill();
    // The plan of the length chosen in the curve's table into the project.
    void crashToChosenLength();

  private:
    void storeCell(int row, int column);
    void storeIndirectCost();
    void choose();
    void fillJobs();
    void fillCurve();

    ProjectDocument& document_;
    Project& project_;
    ChartCommands& chart_;
    QTableWidget* jobs_;
    QLineEdit* indirect_;
    QTableWidget* curveTable_;
    QLabel* status_;
    CurvePlotView* plot_;
    QPushButton* crash_;
    std::optional<TimeCostCurve> shown_; // none while the crash data are refused
    bool filling_ = false;
};

} // namespace arrowplan
