// arrowplan-report: the headless side of the program, for scripts, batch
// reports and end-to-end tests. It loads a .cpm file exactly as the desktop
// program does and prints what the desktop program would show.

#include "app/chart_render.h"
#include "model/project_file.h"
#include "schedule/cpm.h"
#include "schedule/listing.h"
#include "schedule/weekly_costs.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace arrowplan;

constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

constexpr std::string_view usageText =
    R"(Usage: arrowplan-report COMMAND FILE.cpm [OUTPUT]

Loads a project file as the desktop program's Load command does and reports
on it.

Commands:
  listing FILE.cpm        schedule the project and print the job listing, the
                          header and one line per job, exactly as the list box
                          of the main window shows them
  costs FILE.cpm          schedule the project and print the weekly costs,
                          the totals and then each job, in US-English money
                          ($1,234.50, and ($20.00) for money coming in)
  chart FILE.cpm OUT.png  draw the chart exactly as the main window shows it
                          after loading the file, into a PNG image of the
                          window's drawing area
  check FILE.cpm          print "ok" when the file reads as a valid project
                          file (it does not schedule the project)

Options:
  --help                  show this text

Problems go to standard error. Exit status: 0 on success, 1 when the file
cannot be read, scheduled or written, 2 for a wrong command line.
)";

struct Arguments {
    std::string file;
    std::string output;
    int argc;
    char** argv;
};

struct Command {
    std::string_view name;
    bool wantsOutput;
    std::function<int(const Arguments&)> run;
};

bool load(const std::string& path, Project& project) {
    if (const auto problem = loadProjectFile(path, project)) {
        std::cerr << "arrowplan-report: " << describe(*problem, path) << '\n';
        return false;
    }
    return true;
}

int printListing(const Arguments& args) {
    Project project;
    if (!load(args.file, project)) {
        return exitFailure;
    }
    computeSchedule(project);
    for (const std::string& line : listingLines(project)) {
        std::cout << line << '\n';
    }
    return 0;
}

int printCosts(const Arguments& args) {
    Project project;
    if (!load(args.file, project)) {
        return exitFailure;
    }
    computeSchedule(project);
    for (const std::string& line : weeklyCostLines(project, CostSections{}, CurrencyFormat{})) {
        std::cout << line << '\n';
    }
    return 0;
}

int drawChartImage(const Arguments& args) {
    std::string problem;
    int argc = args.argc;
    if (!renderChart(args.file, args.output, argc, args.argv, problem)) {
        std::cerr << "arrowplan-report: " << problem << '\n';
        return exitFailure;
    }
    return 0;
}

int printOk(const Arguments& args) {
    Project project;
    if (!load(args.file, project)) {
        return exitFailure;
    }
    std::cout << "ok\n";
    return 0;
}

const std::vector<Command>& commands() {
    static const std::vector<Command> table{
        {"listing", false, printListing},
        {"costs", false, printCosts},
        {"chart", true, drawChartImage},
        {"check", false, printOk},
    };
    return table;
}

int usageError(std::string_view problem) {
    std::cerr << "arrowplan-report: " << problem << "\n\n" << usageText;
    return exitUsage;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (std::find_if(args.begin(), args.end(),
                     [](std::string_view a) { return a == "--help" || a == "-h"; }) != args.end()) {
        std::cout << usageText;
        return 0;
    }
    if (args.empty()) {
        return usageError("expected a command");
    }
    const auto command = std::find_if(commands().begin(), commands().end(),
                                      [&](const Command& c) { return c.name == args[0]; });
    if (command == commands().end()) {
        return usageError("unknown command \"" + std::string(args[0]) + "\"");
    }
    const std::size_t expected = command->wantsOutput ? 3 : 2;
    if (args.size() != expected) {
        return usageError(command->wantsOutput ? "expected a project file and an output file"
                                               : "expected one project file");
    }
    const Arguments arguments{std::string(args[1]),
                              command->wantsOutput ? std::string(args[2]) : std::string(), argc,
                              argv};
    try {
        return command->run(arguments);
    } catch (const std::exception& error) {
        // A sum beyond the currency range or a node number beyond the tables.
        std::cerr << "arrowplan-report: " << arguments.file << ": " << error.what() << '\n';
        return exitFailure;
    }
}
