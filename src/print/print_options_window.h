#pragma once

#include "document/chart_commands.h"
#include "document/project_document.h"
#include "platform/prompts.h"
#include "print/report_printing.h"

#include <QWidget>

class QCheckBox;

namespace arrowplan {

// frmPrint, the print options: shown without waiting by File > Print and
// only hidden after Print or Cancel, so its ticks survive.
class PrintOptionsWindow : public QWidget {
    Q_OBJECT

  public:
    PrintOptionsWindow(ProjectDocument& document, Prompts& prompts, ChartCommands& chart);

    void Command1_Click(); // Print
    void Command2_Click(); // Cancel
    PrintChoices choices() const;
    void setChoices(const PrintChoices& choices);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QCheckBox* box(int n) const;

    ProjectDocument& document_;
    Project& project_;
    Prompts& prompts_;
    ChartCommands& chart_;
};

} // namespace arrowplan
