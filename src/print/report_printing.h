#pragma once

#include "model/currency_text.h"
#include "print/print_target.h"
#include "print/printed_text.h"

namespace arrowplan {

class ChartCommands;
struct Project;

// Which reports a Print prints: the ticks of the print options.
struct PrintChoices {
    bool jobList = false;
    bool jobCards = false;
    bool suppressCosts = false;
    bool chart = false;
    bool costTotals = false;
    bool costJobs = false;
    bool risk = false; // the schedule risk page
    bool floats = false;
};

// Prints one text document in Courier New at the given size, page by page;
// a page longer than the paper goes on on a new sheet, except for blank
// lines at the document's end, which are left off. Throws PrintError.
void printDocument(QPrinter& printer, const PrintedDocument& document, double points);

// The ticked reports, each as its own document, in this order: the job cards
// (on the schedule as it stands), the job list (after a CPM run), the four
// floats of each job (after a CPM run), the weekly costs (after a cost run,
// whose sections the print options chose), the chart and the schedule risk
// page. The list box keeps the last listing printed. Throws PrintError when
// a document cannot be printed; the documents already printed stay printed.
// How many documents printReports prints for these choices.
int documentCount(const Project& project, const PrintChoices& choices);

void printReports(ChartCommands& chart, const Project& project, const PrintChoices& choices,
                  PrintTarget& target, const CurrencyFormat& format);

} // namespace arrowplan
