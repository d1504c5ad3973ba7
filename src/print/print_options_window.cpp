#include "print/print_options_window.h"

#include "platform/locale_currency.h"
#include "platform/printer_surface.h"
#include "platform/twips.h"
#include "platform/window_font.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>

namespace arrowplan {

namespace {

const QString printFailed = QStringLiteral("Error in Printing");
const QString replaceQuestion =
    QStringLiteral("Printing to files will replace these files:\n\n%1\n\nReplace them?");

struct BoxDesign {
    int number;
    const char* caption;
    const char* tooltip;
    int left, top, width, height;
};

constexpr BoxDesign boxes[] = {
    {1, "Job List nfo", "List jobs to printer", 360, 120, 1455, 375},
    {2, "3x5 Job Cards (Avery 5833)", "Avery 5388 3x5 index cards", 360, 480, 2775, 375},
    {5, "Suppress Cost Data", "", 840, 840, 1935, 375},
    {3, "CPM Chart", "Draw Chart", 360, 1200, 1455, 375},
    {4, "Weekly Profits/Costs Totals Only", "List weekly project costs", 360, 1560, 2775, 375},
    {6, "Weekly Profits/Costs for each Job", "", 360, 1920, 3015, 495},
    {7, "Schedule Risk", "Print the finish plot and the jobs' criticality and sensitivity", 360,
     2460, 2775, 375},
    {8, "Floats of each Job", "List the four floats of each job", 360, 2880, 2775, 375},
};

} // namespace

PrintOptionsWindow::PrintOptionsWindow(ProjectDocument& document, Prompts& prompts,
                                       ChartCommands& chart)
    : document_(document), project_(document.project()), prompts_(prompts), chart_(chart) {
    setObjectName("frmPrint");
    setWindowTitle("Print Options");
    setFont(windowFont()); // a window of its own does not take the main window's font
    setFixedSize(twipsRect(0, 0, 6105, 3420).size());
    for (const BoxDesign& design : boxes) {
        auto* check = new QCheckBox(design.caption, this);
        check->setObjectName("Check" + QString::number(design.number));
        check->setToolTip(design.tooltip);
        check->setGeometry(twipsRect(design.left, design.top, design.width, design.height));
    }
    const auto button = [this](const char* name, const char* caption, const char* tooltip, int top,
                               void (PrintOptionsWindow::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tooltip);
        b->setGeometry(twipsRect(4200, top, 1215, 255));
        connect(b, &QPushButton::clicked, this,
                document_.guarded(caption, [this, handler] { (this->*handler)(); }));
    };
    button("Command1", "Print", "Print selected information", 360,
           &PrintOptionsWindow::Command1_Click);
    button("Command2", "Cancel", "Close printer window", 840, &PrintOptionsWindow::Command2_Click);
}

QCheckBox* PrintOptionsWindow::box(int n) const {
    return findChild<QCheckBox*>("Check" + QString::number(n));
}

PrintChoices PrintOptionsWindow::choices() const {
    return {.jobList = box(1)->isChecked(),
            .jobCards = box(2)->isChecked(),
            .suppressCosts = box(5)->isChecked(),
            .chart = box(3)->isChecked(),
            .costTotals = box(4)->isChecked(),
            .costJobs = box(6)->isChecked(),
            .risk = box(7)->isChecked(),
            .floats = box(8)->isChecked()};
}

void PrintOptionsWindow::setChoices(const PrintChoices& choices) {
    box(1)->setChecked(choices.jobList);
    box(2)->setChecked(choices.jobCards);
    box(5)->setChecked(choices.suppressCosts);
    box(3)->setChecked(choices.chart);
    box(4)->setChecked(choices.costTotals);
    box(6)->setChecked(choices.costJobs);
    box(7)->setChecked(choices.risk);
    box(8)->setChecked(choices.floats);
}

void PrintOptionsWindow::Command1_Click() {
    const PrintChoices ticked = choices();
    project_.printingCosts = 1;
    QPrinter printer(QPrinter::HighResolution);
    if (!prompts_.choosePrinter(printer)) {
        prompts_.message(printFailed, appTitle);
        return;
    }
    chart_.abandonHalfMadeArrow();
    ChosenPrinter target(printer);
    // Each document printed to a file gets a numbered file of its own: the
    // user is asked once, before anything is written, about every one there.
    if (const QStringList replaced = target.filesToReplace(documentCount(project_, ticked));
        !replaced.isEmpty() &&
        !prompts_.askYesNo(replaceQuestion.arg(replaced.join('\n')), appTitle)) {
        return;
    }
    try {
        printReports(chart_, project_, ticked, target, currencyFormatOf(QLocale()));
    } catch (const std::exception&) {
        // The reports not printed yet are skipped; the window stays open.
        prompts_.message(printFailed, appTitle);
        return;
    }
    hide();
}

void PrintOptionsWindow::Command2_Click() {
    project_.printingCosts = 0;
    hide();
}

void PrintOptionsWindow::closeEvent(QCloseEvent* event) {
    project_.printingCosts = 0;
    event->accept();
}

} // namespace arrowplan
