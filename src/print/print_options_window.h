#pragma once

#include "model/project.h"
#include "platform/prompts.h"
#include "print/report_printing.h"

#include <QWidget>

class QCheckBox;

namespace arrowplan {

class MainWindow;

// frmPrint, the print options: shown without waiting by File > Print and
// only hidden after Print or Cancel, so its ticks survive.
class PrintOptionsWindow : public QWidget {
    Q_OBJECT

  public:
    PrintOptionsWindow(Project& project, Prompts& prompts, MainWindow& main);

    void Command1_Click(); // Print
    void Command2_Click(); // Cancel
    PrintChoices choices() const;
    void setChoices(const PrintChoices& choices);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QCheckBox* box(int n) const;

    Project& project_;
    Prompts& prompts_;
    MainWindow& main_;
};

} // namespace arrowplan
