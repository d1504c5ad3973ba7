// arrowplan-report: the headless side of the program, for scripts, batch
// reports and end-to-end tests. It loads a .cpm file exactly as the desktop
// program does and prints what the desktop program would show.

#include "model/project_file.h"
#include "schedule/cpm.h"
#include "schedule/listing.h"

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
    R"(Usage: arrowplan-report COMMAND FILE.cpm

Loads a project file as the desktop program's Load command does and prints a
report of it on standard output.

Commands:
  listing FILE.cpm   schedule the project and print the job listing, the
                     header and one line per job, exactly as the list box
                     of the main window shows them
  check FILE.cpm     print "ok" when the file reads as a valid project file
                     (it does not schedule the project)

Options:
  --help             show this text

Problems go to standard error. Exit status: 0 on success, 1 when the file
cannot be read or scheduled, 2 for a wrong command line.
)";

struct Command {
    std::string_view name;
    std::function<int(Project&)> run;
};

int printListing(Project& project) {
    computeSchedule(project);
    for (const std::string& line : listingLines(project)) {
        std::cout << line << '\n';
    }
    return 0;
}

int printOk(Project&) {
    std::cout << "ok\n";
    return 0;
}

const std::vector<Command>& commands() {
    static const std::vector<Command> table{
        {"listing", printListing},
        {"check", printOk},
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
    for (std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << usageText;
            return 0;
        }
    }
    if (args.size() != 2) {
        return usageError("expected a command and one file");
    }
    const auto command = std::find_if(commands().begin(), commands().end(),
                                      [&](const Command& c) { return c.name == args[0]; });
    if (command == commands().end()) {
        return usageError("unknown command \"" + std::string(args[0]) + "\"");
    }

    const std::string path(args[1]);
    Project project;
    if (const auto problem = loadProjectFile(path, project)) {
        std::cerr << "arrowplan-report: " << describe(*problem, path) << '\n';
        return exitFailure;
    }
    try {
        return command->run(project);
    } catch (const std::exception& error) {
        // A sum beyond the currency range or a node number beyond the tables.
        std::cerr << "arrowplan-report: " << path << ": " << error.what() << '\n';
        return exitFailure;
    }
}
