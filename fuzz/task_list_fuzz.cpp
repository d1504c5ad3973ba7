// libFuzzer's entry: every input is a task list the user might import, a CSV
// table or MS Project XML as its first byte says. What goes in must come out
// as a project the program can hold: within the tables, every job from a
// lower to a higher node, and a schedule that runs.

#include "exchange/ms_project_xml.h"
#include "exchange/task_csv.h"
#include "exchange/task_project.h"
#include "model/currency.h"
#include "model/project_file.h"
#include "schedule/cpm.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace arrowplan;
    if (size == 0) {
        return 0;
    }
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<ImportWarning> warnings;
    Project project;
    try {
        project =
            projectOfTasks(data[0] % 2 ? readMsProjectXml(bytes) : readTaskCsv(bytes), warnings);
    } catch (const ImportError&) {
        return 0;
    }
    if (project.nodeCount < 2 || project.nodeCount > maxItems || project.edgeCount < 1 ||
        project.edgeCount > maxItems) {
        std::abort();
    }
    for (int job = 1; job <= project.edgeCount; ++job) {
        if (nodeSlot(project.edgeFrom[job]) >= nodeSlot(project.edgeTo[job])) {
            std::abort();
        }
    }
    try {
        computeSchedule(project);
    } catch (const CurrencyOverflow&) {
        // a schedule beyond the money range is refused where it is shown
    }
    (void)storedText(project);
    return 0;
}
