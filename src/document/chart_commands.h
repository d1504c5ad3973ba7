#pragma once

#include <string>
#include <vector>

class QPrinter;

namespace arrowplan {

// What the job card and the print options ask of the main window, which owns
// the chart and the list box: its commands that they run in the course of
// their own.
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
};

} // namespace arrowplan
