#include "project_file_probe.h"

#include "editor/chart.h"
#include "model/project_file.h"
#include "platform/recording_surface.h"
#include "schedule/cpm.h"
#include "schedule/listing.h"

#include <cstdlib>
#include <sstream>
#include <string>

namespace arrowplan {

void probeProjectFile(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    auto result = readProject(in);
    if (std::holds_alternative<FileProblem>(result)) {
        return;
    }
    Project current;
    current.edgeCount = 100; // a larger project to load over
    adoptLoadedProject(current, std::get<Project>(result));

    std::ostringstream out;
    writeProject(out, current);
    std::istringstream again(out.str());
    auto reread = readProject(again);
    if (!std::holds_alternative<Project>(reread) ||
        std::get<Project>(reread).edgeCount != current.edgeCount ||
        std::get<Project>(reread).nodeCount != current.nodeCount) {
        std::abort(); // a project that was read must read back once written
    }

    try {
        computeSchedule(current);
        listingLines(current);
        RecordingSurface surface(12000, 9000, colours::windowBack);
        drawChart(current, surface);
        drawChart(current, surface, ChartTarget::page);
    } catch (const CurrencyOverflow&) {
        // a schedule beyond the currency range is refused with a message
    }
    // A RangeError is not caught: every node number of a file that reads is
    // a slot of the tables, so one would be a hole in the reader's checks.
}

} // namespace arrowplan
