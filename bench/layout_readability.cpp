// How readable the charts are that imported task lists get, against the
// places Graphviz's dot gives the same arrow networks: crossings, arrows
// through nodes and overlaps counted the same way on both, the text
// collisions of our chart as the window shows it, and the same counts on the
// examples. A benchmark of quality, not a test: it prints the figures for
// BENCHMARKS.md (`make bench-layout`). How long the import takes is timed
// in network_layout.cpp.

#include "dot_layout.h"
#include "editor/chart_readability.h"
#include "exchange/task_csv.h"
#include "exchange/task_file.h"
#include "exchange/task_project.h"
#include "judged_task_lists.h"
#include "model/project_file.h"
#include "platform/screen_surface.h"
#include "schedule/cpm.h"

#include <QGuiApplication>

#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

using namespace arrowplan;

namespace {

const std::string sourceDir = ARROWPLAN_SOURCE_DIR;

// Scheduled, as Import and Load leave a project in the window.
ChartReadability measured(Project project, Surface& metrics) {
    computeSchedule(project);
    return readabilityOf(project, metrics);
}

std::string versus(int ours, int dots) {
    return std::to_string(ours) + " / " + std::to_string(dots);
}

void addTo(ChartReadability& sum, const ChartReadability& counts) {
    sum.crossings += counts.crossings;
    sum.arrowsThroughNodes += counts.arrowsThroughNodes;
    sum.overlaps += counts.overlaps;
    sum.textCollisions += counts.textCollisions;
}

struct Totals {
    int tasks = 0;
    int events = 0;
    int jobs = 0;
    ChartReadability ours;
    ChartReadability dots;
};

void printRow(const std::string& name, int tasks, int events, int jobs,
              const ChartReadability& ours, const ChartReadability& dots) {
    std::cout << "| " << name << " | " << tasks << " | " << events << " | " << jobs << " | "
              << versus(ours.crossings, dots.crossings) << " | "
              << versus(ours.arrowsThroughNodes, dots.arrowsThroughNodes) << " | "
              << versus(ours.overlaps, dots.overlaps) << " | " << ours.textCollisions << " |\n";
}

// The task lists against dot; false when one could not be imported.
bool judgeTaskLists(Surface& metrics) {
    std::cout << "| task list | tasks | events | jobs | crossings (ours / dot) | arrows through "
                 "nodes (ours / dot) | overlaps (ours / dot) | text collisions (ours) |\n"
              << "|---|---:|---:|---:|---:|---:|---:|---:|\n";
    Totals totals;
    bool allImported = true;
    for (const NamedTaskList& named : judgedTaskLists()) {
        const int tasks = static_cast<int>(named.list.tasks.size());
        std::vector<ImportWarning> warnings;
        try {
            const Project project = projectOfTasks(named.list, warnings);
            const ChartReadability ours = measured(project, metrics);
            const ChartReadability dots = measured(placedByDot(project), metrics);
            printRow(named.name, tasks, project.nodeCount, project.edgeCount, ours, dots);
            totals.tasks += tasks;
            totals.events += project.nodeCount;
            totals.jobs += project.edgeCount;
            addTo(totals.ours, ours);
            addTo(totals.dots, dots);
        } catch (const ImportError& error) {
            std::cout << "| " << named.name << " | " << tasks << " | not imported: " << error.what()
                      << " |\n";
            allImported = false;
        }
    }
    printRow("total", totals.tasks, totals.events, totals.jobs, totals.ours, totals.dots);
    return allImported;
}

void printExample(const std::string& name, const ChartReadability& counts) {
    std::cout << "| " << name << " | " << counts.crossings << " | " << counts.arrowsThroughNodes
              << " | " << counts.overlaps << " | " << counts.textCollisions << " |\n";
}

// The task list the README shows, the lines of its csv block.
TaskList readmeTaskList() {
    std::ifstream readme(sourceDir + "/README.md");
    std::string line;
    std::string table;
    bool inBlock = false;
    while (std::getline(readme, line)) {
        if (inBlock && line == "```") {
            break;
        }
        if (inBlock) {
            table += line + '\n';
        }
        inBlock = inBlock || line == "```csv";
    }
    if (table.empty()) {
        throw std::runtime_error("README.md holds no csv block");
    }
    return readTaskCsv(table);
}

void judgeExamples(Surface& metrics) {
    std::cout << "\n| example | crossings | arrows through nodes | overlaps | text collisions |\n"
              << "|---|---:|---:|---:|---:|\n";
    std::vector<ImportWarning> warnings;
    for (const char* file : {"house.csv", "house.xml"}) {
        printExample(std::string(file) + ", imported",
                     measured(importTaskFile(sourceDir + "/examples/" + file, warnings), metrics));
    }
    printExample("the README's task list, imported",
                 measured(projectOfTasks(readmeTaskList(), warnings), metrics));
    Project house;
    if (const auto problem = loadProjectFile(sourceDir + "/examples/house.cpm", house)) {
        throw std::runtime_error(describe(*problem, "house.cpm"));
    }
    printExample("house.cpm, as drawn", measured(house, metrics));
    tidyLayout(house);
    printExample("house.cpm, after Tidy Layout", measured(house, metrics));
}

} // namespace

int main(int argc, char** argv) {
    // The window's font needs a Qt application, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    ScreenSurface metrics(colours::windowBack, colours::black, [] { return QSize(); });
    try {
        const bool allImported = judgeTaskLists(metrics);
        judgeExamples(metrics);
        return allImported ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << "arrowplan-layout-bench: " << error.what() << '\n';
        return 1;
    }
}
