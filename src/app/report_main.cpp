// arrowplan-report: the headless side of the program, for scripts, batch
// reports and end-to-end tests. It loads a .cpm file exactly as the desktop
// program does and prints what the desktop program would show.

#include "app/headless_window.h"
#include "editor/main_window.h"
#include "model/project_file.h"
#include "mst/kruskal.h"
#include "platform/printer_surface.h"
#include "print/print_options_window.h"
#include "print/report_printing.h"
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
  chart FILE.cpm OUT.pdf  print the chart page, as File > Print does
  print FILE.cpm PREFIX [--cards] [--list] [--costs-totals] [--costs-jobs]
                        [--chart] [--no-costs]
                          print the chosen reports as PDF files, as File >
                          Print does (every report when none is chosen):
                          PREFIX-cards-1.pdf, PREFIX-cards-2.pdf, ... (one a
                          sheet of three cards), PREFIX-list.pdf,
                          PREFIX-costs.pdf, PREFIX-chart.pdf; --no-costs
                          leaves the payment and amount off the cards; the
                          files written are listed on standard output
  kruskal1 FILE.cpm       print the list box lines of one spanning-tree run
  kruskal2 FILE.cpm       (the first numbers new subtrees from 1, the second
                          starts with every node in a subtree of its own),
                          without the pauses of the window
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
    std::vector<std::string_view> options;
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

int onLoadedWindow(const Arguments& args, const WindowWork& work) {
    std::string problem;
    int argc = args.argc;
    if (!withLoadedWindow(args.file, argc, args.argv, problem, work)) {
        std::cerr << "arrowplan-report: " << problem << '\n';
        return exitFailure;
    }
    return 0;
}

bool endsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A PNG of the window's drawing area, or the printed chart page as a PDF.
int drawChartImage(const Arguments& args) {
    return onLoadedWindow(args, [&](MainWindow& window, Project&, std::string& problem) {
        if (endsWith(args.output, ".pdf")) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(args.output));
            try {
                window.prnt(printer);
            } catch (const PrintError& error) {
                problem = error.what();
                return false;
            }
            return true;
        }
        if (!window.canvasImage().save(QString::fromStdString(args.output), "PNG")) {
            problem = "could not write the image " + args.output;
            return false;
        }
        return true;
    });
}

// Which reports to print: every one when no option names any.
PrintChoices printChoices(const std::vector<std::string_view>& options) {
    PrintChoices choices;
    const auto has = [&](std::string_view option) {
        return std::find(options.begin(), options.end(), option) != options.end();
    };
    choices.jobCards = has("--cards");
    choices.jobList = has("--list");
    choices.costTotals = has("--costs-totals");
    choices.costJobs = has("--costs-jobs");
    choices.chart = has("--chart");
    if (!(choices.jobCards || choices.jobList || choices.costTotals || choices.costJobs ||
          choices.chart)) {
        choices = {
            .jobList = true, .jobCards = true, .chart = true, .costTotals = true, .costJobs = true};
    }
    choices.suppressCosts = has("--no-costs");
    return choices;
}

int printToFiles(const Arguments& args) {
    const PrintChoices choices = printChoices(args.options);
    return onLoadedWindow(args, [&](MainWindow& window, Project& project, std::string& problem) {
        // As a Print of the print options window does: its ticks choose.
        window.printOptions().setChoices(choices);
        project.printingCosts = 1;
        PdfFiles files(QString::fromStdString(args.output));
        try {
            printReports(window, project, choices, files, CurrencyFormat{});
        } catch (const PrintError& error) {
            problem = error.what();
            return false;
        }
        for (const QString& name : files.written()) {
            std::cout << name.toStdString() << '\n';
        }
        return true;
    });
}

// One spanning-tree run without its pauses, as a fresh program runs it.
int printKruskal(const Arguments& args, KruskalVariant variant) {
    Project project;
    if (!load(args.file, project)) {
        return exitFailure;
    }
    int subtreeCounter = 0;
    KruskalRun run(project, variant, subtreeCounter);
    while (true) {
        run.begin();
        const bool over = run.end();
        for (const std::string& line : run.takeLines()) {
            std::cout << line << '\n';
        }
        if (over) {
            return 0;
        }
    }
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
        {"print", true, printToFiles},
        {"kruskal1", false,
         [](const Arguments& args) { return printKruskal(args, KruskalVariant::fromCounter); }},
        {"kruskal2", false,
         [](const Arguments& args) { return printKruskal(args, KruskalVariant::ownSubtrees); }},
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
    std::vector<std::string_view> options;
    if (command->name == "print") {
        static constexpr std::string_view known[] = {"--cards",      "--list",  "--costs-totals",
                                                     "--costs-jobs", "--chart", "--no-costs"};
        for (std::size_t i = expected; i < args.size(); ++i) {
            if (std::find(std::begin(known), std::end(known), args[i]) == std::end(known)) {
                return usageError("unknown option \"" + std::string(args[i]) + "\"");
            }
            options.push_back(args[i]);
        }
    }
    if (args.size() != expected + options.size()) {
        return usageError(command->wantsOutput ? "expected a project file and an output file"
                                               : "expected one project file");
    }
    const Arguments arguments{std::string(args[1]),
                              command->wantsOutput ? std::string(args[2]) : std::string(), options,
                              argc, argv};
    try {
        return command->run(arguments);
    } catch (const std::exception& error) {
        // A sum beyond the currency range or a node number beyond the tables.
        std::cerr << "arrowplan-report: " << arguments.file << ": " << error.what() << '\n';
        return exitFailure;
    }
}
