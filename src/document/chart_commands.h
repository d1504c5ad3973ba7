#pragma once

#include "risk/risk_report.h"

#include <string>
#include <vector>

class QPrinter;

namespace arrowplan {

// What the job card, the floats, risk and time-cost windows and the print
// options ask of the main window, which owns the chart, the list box and the
// other windows: its commands that they run in the course of their own.
class ChartCommands {
  public:
    virtual ~ChartCommands() = default;

    // The CPM calculation, the chart redrawn and the job listing.
    virtual void cmdCPM_Click() = 0;
    // The weekly costs into the list box.
    virtual void cmdcoster_Click() = 0;
    // The list box's lines, as the last listing left them.
    virtual std::vector<std::string> listedLines() const = 0;
    // The chart as one printer document on a landscape page. Throws
    // PrintError when the printer refuses it.
    virtual void prnt(QPrinter& printer) = 0;
    // Takes back an arrow whose end is still to be chosen, before a command
    // that reads the jobs.
    virtual void abandonHalfMadeArrow() = 0;
    // The schedule risk figures to print: the risk window's last run while
    // they belong to the project as it stands, else an analysis run now with
    // the window's last settings (the defaults before any). Throws RiskError
    // for a project the analysis cannot work on.
    virtual RiskFigures riskFigures() = 0;
    // Whether the chart shades each job's free float; it is redrawn.
    virtual void shadeFreeFloats(bool shaded) = 0;
};

} // namespace arrowplan
