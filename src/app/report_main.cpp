// arrowplan-report: the headless side of the program, for scripts, batch
// reports, spreadsheets and end-to-end tests. It loads a .cpm file exactly as
// the desktop program does and prints what the desktop program would show.

#include "app/chart_file.h"
#include "app/headless_window.h"
#include "app/report_json.h"
#include "crashing/curve_plot.h"
#include "crashing/curve_report.h"
#include "crashing/time_cost.h"
#include "editor/chart_readability.h"
#include "editor/main_window.h"
#include "exchange/task_file.h"
#include "exchange/task_project.h"
#include "model/number_parse.h"
#include "model/project_file.h"
#include "mst/kruskal.h"
#include "platform/locale_currency.h"
#include "platform/printer_surface.h"
#include "platform/qt_text.h"
#include "platform/screen_surface.h"
#include "print/print_options_window.h"
#include "print/report_printing.h"
#include "risk/risk_report.h"
#include "schedule/cpm.h"
#include "schedule/floats.h"
#include "schedule/listing.h"
#include "schedule/report_csv.h"
#include "schedule/weekly_costs.h"

#include <QGuiApplication>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace arrowplan;

// One rule for every command: what cannot be written is a failure of the
// run, what cannot be taken in (the command line among it) is refused.
constexpr int exitUnwritten = 1;
constexpr int exitRefused = 2;

constexpr std::string_view usageHead =
    R"(Usage: arrowplan-report COMMAND [OPTIONS] FILE [OUTPUT]

Loads a project file as the desktop program's Load command does and reports
on it, or takes a task list in as a project file, or writes one out.

Commands:
  listing [--format F] FILE.cpm
                          schedule the project and print the job listing, the
                          header and one line per job, exactly as the list box
                          of the main window shows them
  costs [--format F] FILE.cpm
                          schedule the project and print the weekly costs,
                          the totals and then each job, with the amounts in
                          the locale's money form as the list box shows them
                          ($1,234.50, and ($20.00) for money coming in, in US
                          English and the C locale)
  floats [--format F] FILE.cpm
                          schedule the project and print each job's four
                          floats: total (the listing's slack), free (how far
                          it may slip without moving a later job),
                          independent (the same when the jobs before it end
                          late) and interfering (total less free)
  crash [--format F] FILE.cpm
                          print the least-cost curve from the crash times and
                          crash costs: for every project length from the
                          normal down to the shortest possible, a week apart
                          and at every break point (marked *), the least
                          direct cost, the indirect cost, the total and the
                          jobs shortened and by how much; then the least
                          total cost and its length (the longest of several)
  crash-chart FILE.cpm OUT.EXT
                          draw the least-cost curve: the direct, indirect and
                          total cost against the length, a dotted line at
                          the length chosen; the suffix of OUT chooses the
                          kind as for chart (.pdf a page, .svg a drawing, an
                          image format)
  chart FILE.cpm OUT.EXT  draw the chart; the suffix of OUT chooses the kind:
                            .pdf  the chart page, as File > Print prints it
                            .svg  the same page as an SVG drawing, to scale
                                  to any size in a report
                            an image of the window's drawing area, as the
                            window shows the chart after loading the file, in
                            any format Qt can write here:
)";

constexpr std::string_view usageTail =
    R"(                          any other suffix is refused
  risk [--format F] [RISK OPTIONS] FILE.cpm
                          how sure the finish is, from the jobs' three-point
                          estimates (a job without one takes its time): classic
                          PERT along the critical path of the means (mean,
                          standard deviation, the chance by the week), then a
                          Monte Carlo simulation of every path (mean, standard
                          deviation, P10, P50, P80, P90 and P95 finish, the
                          chance by the week, each job's criticality and
                          sensitivity, each merge event's delay); the same
                          options give the same figures on every machine
  risk-chart [RISK OPTIONS] FILE.cpm OUT.EXT
                          the schedule risk page, as File > Print prints it:
                          the figures, the finish histogram with its S-curve,
                          P50, P80 and the week, and the jobs by criticality
                          and sensitivity; .pdf the page, .svg the page as a
                          drawing, or an image in one of the formats above
  print FILE.cpm PREFIX [--cards] [--list] [--floats] [--costs-totals]
                        [--costs-jobs] [--chart] [--risk] [--no-costs]
                          print the chosen reports as PDF files, as File >
                          Print does (every report when none is chosen):
                          PREFIX-cards-1.pdf, PREFIX-cards-2.pdf, ... (one a
                          sheet of three cards), PREFIX-list.pdf,
                          PREFIX-floats.pdf, PREFIX-costs.pdf,
                          PREFIX-chart.pdf, PREFIX-risk.pdf (the schedule
                          risk page, of the default settings);
                          --no-costs leaves the payment and amount off the
                          cards; money is in the locale's form; the files
                          written are listed on standard output
  kruskal1 FILE.cpm       print the list box lines of one spanning-tree run
  kruskal2 FILE.cpm       (the first numbers new subtrees from 1, the second
                          starts with every node in a subtree of its own),
                          without the pauses of the window
  check FILE.cpm          print "ok" when the file reads as a valid project
                          file (it does not schedule the project)
  readability FILE.cpm    print what makes the chart hard to read, as it is
                          drawn after loading, a count a line: crossings
                          (pairs of arrows that cross), arrowsThroughNodes
                          (an arrow passing a node it does not join),
                          overlaps (arrows drawn along one another) and
                          textCollisions (titles and node times over circles
                          or over each other, in the window's font)
  import TASKS OUT.cpm    take a task list in as a project file, as File >
                          Import does: a CSV table (columns id, duration, and
                          any of title, predecessors, delay, amount, payment,
                          description, optimistic, most_likely, pessimistic,
                          crash_time, crash_cost) or MS Project XML (TASKS ending in
                          .xml or starting with an element); warnings go to
                          standard error, and on any error OUT is not written
  export [--format F] FILE.cpm OUT
                          write the project's jobs as a task list that other
                          planning tools read, one task a job that is not a
                          dummy: MS Project XML (F xml, the default) or the
                          CSV table import reads (F csv)

Formats of listing, costs, floats and crash (--format F):
  text                    the list box's lines (the default)
  csv                     a table for a spreadsheet: one header row, one row a
                          job (listing, floats), a week (costs, a column a
                          job) or a length (crash, a column a job: the time
                          taken off it),
                          RFC 4180 quoting, CRLF line ends, plain numbers with
                          a full stop and no money symbol or thousands
                          separator, critical as 1 or 0
  json                    one JSON document: the project name, every event
                          and every job (listing), every week with what
                          each job pays, its cost and the running total
                          (costs), every job's floats (floats), or every
                          length with its costs and the jobs shortened
                          (crash)

Formats of risk (--format F): text (the default), csv (one figure a row:
scope, number, figure, value) or json (one document); csv and json write
every figure in full, the shortest text that reads back as the same number.

Risk options, each followed by its value (--runs 5000 or --runs=5000):
  --runs N                the simulation's runs, 1 to 1000000 (10000)
  --seed S                its seed, 0 to 18446744073709551615 (1)
  --by WEEK               the week whose chance of finishing by it is asked
  --distribution D        what an estimated time is drawn from: triangular
                          (the default) or pert (PERT-beta)

Options:
  --help                  show this text

Problems go to standard error. Exit status, for every command: 0 on success,
1 when an output cannot be written, 2 for a wrong command line and for input
that is refused: a project file that cannot be read, loaded or scheduled, a
task list import cannot take, a project export cannot write as a task list,
crash data that cannot be traded against time.
)";

// The usage text, with the image formats of the Qt found at run time.
std::string usageText() {
    std::string text(usageHead);
    const std::string indent(29, ' ');
    std::string line = indent;
    for (const QString& suffix : imageSuffixes()) {
        const std::string word = " ." + toStdString(suffix);
        if (line.size() + word.size() > 79) {
            text += line + '\n';
            line = indent;
        }
        line += word;
    }
    return text + line + '\n' + std::string(usageTail);
}

int usageError(std::string_view problem) {
    std::cerr << "arrowplan-report: " << problem << "\n\n" << usageText();
    return exitRefused;
}

enum class Format { text, csv, json, xml };

struct Arguments {
    std::string file;
    std::string output;
    std::vector<std::string_view> options;
    std::vector<std::pair<std::string_view, std::string_view>> values; // option, value
    Format format = Format::text;
    int argc;
    char** argv;
};

struct Command {
    std::string_view name;
    bool wantsOutput;
    std::vector<Format> formats; // the first is the default
    std::vector<std::string_view> options;
    std::function<int(const Arguments&)> run;
    std::vector<std::string_view> valueOptions{}; // each takes the word after it
};

bool load(const std::string& path, Project& project) {
    if (const auto problem = loadProjectFile(path, project)) {
        std::cerr << "arrowplan-report: " << describe(*problem, path) << '\n';
        return false;
    }
    return true;
}

// Loads and schedules the file, then writes the report.
int onScheduled(const Arguments& args, const std::function<void(const Project&)>& report) {
    Project project;
    if (!load(args.file, project)) {
        return exitRefused;
    }
    computeSchedule(project);
    report(project);
    return 0;
}

void printLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        std::cout << line << '\n';
    }
}

// A report in its three forms: the list box's lines, a CSV table, a JSON document.
struct ReportForms {
    std::function<std::vector<std::string>(const Project&)> text;
    std::function<std::string(const Project&)> csv;
    std::function<QByteArray(const Project&)> json;
};

int printReport(const Arguments& args, const ReportForms& forms) {
    return onScheduled(args, [&](const Project& project) {
        if (args.format == Format::csv) {
            std::cout << forms.csv(project);
        } else if (args.format == Format::json) {
            std::cout << forms.json(project).toStdString();
        } else {
            printLines(forms.text(project));
        }
    });
}

int printListing(const Arguments& args) {
    return printReport(args, {listingLines, listingCsv, listingJson});
}

int printCosts(const Arguments& args) {
    const auto lines = [](const Project& project) {
        return weeklyCostLines(project, CostSections{}, currencyFormatOf(QLocale()));
    };
    return printReport(args, {lines, weeklyCostCsv, weeklyCostJson});
}

int printFloats(const Arguments& args) {
    return printReport(args, {floatLines, floatsCsv, floatsJson});
}

int printCurve(const Arguments& args) {
    return printReport(
        args, {[](const Project& project) { return curveLines(project, timeCostCurve(project)); },
               [](const Project& project) { return curveCsv(project, timeCostCurve(project)); },
               [](const Project& project) { return curveJson(project, timeCostCurve(project)); }});
}

// The curve's plot the size of the main window's drawing area.
constexpr double plotWidth = 12000;
constexpr double plotHeight = 8000;

int drawCurveChart(const Arguments& args) {
    const QString path = QString::fromStdString(args.output);
    if (!canWriteChart(path)) {
        return usageError("cannot write a chart to \"" + args.output +
                          "\": its suffix must be .pdf, .svg or one of the image formats listed "
                          "below");
    }
    quietOffscreenQt();
    int argc = args.argc;
    const QGuiApplication app(argc, args.argv);
    Project project;
    if (!load(args.file, project)) {
        return exitRefused;
    }
    const TimeCostCurve curve = timeCostCurve(project);
    std::string problem;
    if (!writePlotFile(
            path, plotWidth, plotHeight, [&](Surface& surface) { drawCurvePlot(curve, surface); },
            problem)) {
        std::cerr << "arrowplan-report: " << problem << '\n';
        return exitUnwritten;
    }
    return 0;
}

int onLoadedWindow(const Arguments& args, const WindowWork& work) {
    std::string problem;
    int argc = args.argc;
    const WindowOutcome outcome = withLoadedWindow(args.file, argc, args.argv, problem, work);
    if (outcome != WindowOutcome::done) {
        std::cerr << "arrowplan-report: " << problem << '\n';
        return outcome == WindowOutcome::notLoaded ? exitRefused : exitUnwritten;
    }
    return 0;
}

std::string unwritableChart(const std::string& output) {
    return "cannot write a chart to \"" + output +
           "\": its suffix must be .pdf, .svg or one of the image formats listed below";
}

int drawChartFile(const Arguments& args) {
    if (!canWriteChart(QString::fromStdString(args.output))) {
        return usageError(unwritableChart(args.output));
    }
    return onLoadedWindow(args, [&](MainWindow& window, Project& project, std::string& problem) {
        return writeChartFile(window, project, QString::fromStdString(args.output), problem);
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
    choices.floats = has("--floats");
    choices.costTotals = has("--costs-totals");
    choices.costJobs = has("--costs-jobs");
    choices.chart = has("--chart");
    choices.risk = has("--risk");
    if (!(choices.jobCards || choices.jobList || choices.floats || choices.costTotals ||
          choices.costJobs || choices.chart || choices.risk)) {
        choices = {.jobList = true,
                   .jobCards = true,
                   .chart = true,
                   .costTotals = true,
                   .costJobs = true,
                   .risk = true,
                   .floats = true};
    }
    choices.suppressCosts = has("--no-costs");
    return choices;
}

int printToFiles(const Arguments& args) {
    const PrintChoices choices = printChoices(args.options);
    return onLoadedWindow(args, [&](MainWindow& window, Project& project, std::string& problem) {
        // As a Print of the print options window does: its ticks choose, and
        // the cards and the costs both show money as the window does.
        window.printOptions().setChoices(choices);
        project.printingCosts = 1;
        PdfFiles files(QString::fromStdString(args.output));
        try {
            printReports(window, project, choices, files, currencyFormatOf(QLocale()));
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

// A whole number of the text and nothing else, within low..high.
template <typename Whole>
std::optional<Whole> wholeNumber(std::string_view text, Whole low, Whole high) {
    Whole value{};
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || read.ec != std::errc() || read.ptr != text.data() + text.size() ||
        value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

// The analysis's settings as the options give them; what is wrong, if anything.
std::optional<std::string> readRiskSettings(const Arguments& args, MonteCarloOptions& settings) {
    for (const auto& [option, value] : args.values) {
        if (option == "--runs") {
            const auto runs = wholeNumber(value, 1, maxRuns);
            if (!runs) {
                return "--runs takes a whole number from 1 to 1000000";
            }
            settings.runs = *runs;
        } else if (option == "--seed") {
            const auto seed = wholeNumber(value, std::uint64_t{0}, ~std::uint64_t{0});
            if (!seed) {
                return "--seed takes a whole number from 0 to 18446744073709551615";
            }
            settings.seed = *seed;
        } else if (option == "--by") {
            double week = 0;
            if (!isPlainNumber(value) ||
                std::from_chars(value.data(), value.data() + value.size(), week).ec !=
                    std::errc() ||
                !std::isfinite(week)) {
                return "--by takes a week, a plain number such as 26 or 30.5";
            }
            settings.byWeek = week;
        } else {
            const auto distribution = distributionNamed(value);
            if (!distribution) {
                return "--distribution takes triangular or pert";
            }
            settings.distribution = *distribution;
        }
    }
    return std::nullopt;
}

// Loads the file and runs the analysis; a network it cannot work on is
// refused by main's catch with the reason.
int onRiskFigures(const Arguments& args, const std::function<int(const RiskFigures&)>& report) {
    MonteCarloOptions settings;
    if (const auto problem = readRiskSettings(args, settings)) {
        return usageError(*problem);
    }
    Project project;
    if (!load(args.file, project)) {
        return exitRefused;
    }
    return report(*analyseRisk(project, settings));
}

int printRisk(const Arguments& args) {
    return onRiskFigures(args, [&](const RiskFigures& figures) {
        if (args.format == Format::csv) {
            std::cout << riskCsv(figures);
        } else if (args.format == Format::json) {
            std::cout << riskJson(figures).toStdString();
        } else {
            printLines(riskSummaryLines(figures));
            printLines(riskJobLines(figures));
        }
        return 0;
    });
}

int drawRiskChartFile(const Arguments& args) {
    if (!canWriteChart(QString::fromStdString(args.output))) {
        return usageError(unwritableChart(args.output));
    }
    return onRiskFigures(args, [&](const RiskFigures& figures) {
        quietOffscreenQt();
        int argc = args.argc;
        const QGuiApplication app(argc, args.argv);
        std::string problem;
        if (!writeRiskChartFile(figures, QString::fromStdString(args.output), problem)) {
            std::cerr << "arrowplan-report: " << problem << '\n';
            return exitUnwritten;
        }
        return 0;
    });
}

// One spanning-tree run without its pauses, as a fresh program runs it.
int printKruskal(const Arguments& args, KruskalVariant variant) {
    Project project;
    if (!load(args.file, project)) {
        return exitRefused;
    }
    int subtreeCounter = 0;
    KruskalRun run(project, variant, subtreeCounter);
    while (true) {
        run.begin();
        const bool over = run.end();
        printLines(run.takeLines());
        if (over) {
            return 0;
        }
    }
}

int printOk(const Arguments& args) {
    Project project;
    if (!load(args.file, project)) {
        return exitRefused;
    }
    std::cout << "ok\n";
    return 0;
}

// The texts are measured as the window's canvas measures them: the window's
// font, without an image to draw on.
int printReadability(const Arguments& args) {
    quietOffscreenQt();
    int argc = args.argc;
    const QGuiApplication app(argc, args.argv);
    return onScheduled(args, [](const Project& project) {
        ScreenSurface metrics(colours::windowBack, colours::black, [] { return QSize(); });
        const ChartReadability counts = readabilityOf(project, metrics);
        std::cout << "crossings " << counts.crossings << "\narrowsThroughNodes "
                  << counts.arrowsThroughNodes << "\noverlaps " << counts.overlaps
                  << "\ntextCollisions " << counts.textCollisions << '\n';
    });
}

// A task list in, a project file out; nothing written unless all of it
// goes in.
int importTasks(const Arguments& args) {
    std::vector<ImportWarning> warnings;
    try {
        const Project project = importTaskFile(args.file, warnings);
        for (const ImportWarning& warning : warnings) {
            std::cerr << describe(warning, args.file) << '\n';
        }
        if (const auto failure = saveProjectFile(args.output, project)) {
            std::cerr << "arrowplan-report: " << *failure << '\n';
            return exitUnwritten;
        }
    } catch (const ImportError& error) {
        std::cerr << describe(error, args.file) << '\n';
        return exitRefused;
    }
    return 0;
}

int exportTasks(const Arguments& args) {
    Project project;
    if (!load(args.file, project)) {
        return exitRefused;
    }
    std::vector<ImportWarning> warnings;
    std::optional<std::string> failure;
    try {
        failure = exportTaskFile(project, args.output,
                                 args.format == Format::csv ? TaskFileFormat::csv
                                                            : TaskFileFormat::msProjectXml,
                                 warnings);
    } catch (const ExportError& error) {
        std::cerr << "arrowplan-report: " << args.file << ": " << error.what() << '\n';
        return exitRefused;
    }
    for (const ImportWarning& warning : warnings) {
        std::cerr << describe(warning, args.output) << '\n';
    }
    if (failure) {
        std::cerr << "arrowplan-report: " << *failure << '\n';
        return exitUnwritten;
    }
    return 0;
}

const std::vector<Command>& commands() {
    const std::vector<Format> reportFormats{Format::text, Format::csv, Format::json};
    const std::vector<std::string_view> riskOptions{"--runs", "--seed", "--by", "--distribution"};
    static const std::vector<Command> table{
        {"listing", false, reportFormats, {}, printListing},
        {"costs", false, reportFormats, {}, printCosts},
        {"floats", false, reportFormats, {}, printFloats},
        {"crash", false, reportFormats, {}, printCurve},
        {"crash-chart", true, {}, {}, drawCurveChart},
        {"chart", true, {}, {}, drawChartFile},
        {"risk", false, reportFormats, {}, printRisk, riskOptions},
        {"risk-chart", true, {}, {}, drawRiskChartFile, riskOptions},
        {"print",
         true,
         {},
         {"--cards", "--list", "--floats", "--costs-totals", "--costs-jobs", "--chart", "--risk",
          "--no-costs"},
         printToFiles},
        {"kruskal1",
         false,
         {},
         {},
         [](const Arguments& args) { return printKruskal(args, KruskalVariant::fromCounter); }},
        {"kruskal2",
         false,
         {},
         {},
         [](const Arguments& args) { return printKruskal(args, KruskalVariant::ownSubtrees); }},
        {"check", false, {}, {}, printOk},
        {"readability", false, {}, {}, printReadability},
        {"import", true, {}, {}, importTasks},
        {"export", true, {Format::xml, Format::csv}, {}, exportTasks},
    };
    return table;
}

constexpr std::pair<std::string_view, Format> formatNames[] = {
    {"text", Format::text}, {"csv", Format::csv}, {"json", Format::json}, {"xml", Format::xml}};

std::string_view nameOf(Format format) {
    return std::find_if(std::begin(formatNames), std::end(formatNames),
                        [&](const auto& named) { return named.second == format; })
        ->first;
}

// The format of the name, among those the command takes.
std::optional<Format> formatNamed(const Command& command, std::string_view name) {
    for (const Format format : command.formats) {
        if (nameOf(format) == name) {
            return format;
        }
    }
    return std::nullopt;
}

std::string formatChoice(const Command& command) {
    std::string text;
    for (std::size_t i = 0; i < command.formats.size(); ++i) {
        text += i == 0 ? "" : i + 1 == command.formats.size() ? " or " : ", ";
        text += nameOf(command.formats[i]);
    }
    return text;
}

// The option that takes a value that the word names: the option alone, or
// the option, "=" and the value.
std::optional<std::string_view> valueOption(const Command& command, std::string_view word) {
    for (const std::string_view option : command.valueOptions) {
        if (word == option || word.starts_with(std::string(option) + "=")) {
            return option;
        }
    }
    return std::nullopt;
}

// Sorts the words after the command into the file names, the command's
// options and their values and the format. Gives what is wrong, if anything.
std::optional<std::string> parse(const Command& command, const std::vector<std::string_view>& words,
                                 Arguments& arguments) {
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (!word.starts_with("--")) {
            names.push_back(word);
        } else if (!command.formats.empty() && word.starts_with("--format")) {
            std::string_view name = word.substr(std::string_view("--format").size());
            if (name.empty() && i + 1 < words.size()) {
                name = words[++i];
            } else if (name.starts_with("=")) {
                name.remove_prefix(1);
            }
            const auto format = formatNamed(command, name);
            if (!format) {
                return "--format takes " + formatChoice(command);
            }
            arguments.format = *format;
        } else if (std::find(command.options.begin(), command.options.end(), word) !=
                   command.options.end()) {
            arguments.options.push_back(word);
        } else if (const auto named = valueOption(command, word)) {
            std::string_view value = word.substr(named->size());
            if (value.starts_with("=")) {
                value.remove_prefix(1);
            } else if (i + 1 < words.size()) {
                value = words[++i];
            } else {
                return std::string(*named) + " needs a value";
            }
            arguments.values.emplace_back(*named, value);
        } else {
            return "unknown option \"" + std::string(word) + "\"";
        }
    }
    if (names.size() != (command.wantsOutput ? 2 : 1)) {
        return command.wantsOutput ? "expected an input file and an output file"
                                   : "expected one project file";
    }
    arguments.file = std::string(names[0]);
    if (command.wantsOutput) {
        arguments.output = std::string(names[1]);
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (std::find_if(args.begin(), args.end(),
                     [](std::string_view a) { return a == "--help" || a == "-h"; }) != args.end()) {
        std::cout << usageText();
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
    Arguments arguments{
        {},   {},  {}, {}, command->formats.empty() ? Format::text : command->formats.front(),
        argc, argv};
    if (const auto problem = parse(*command, {args.begin() + 1, args.end()}, arguments)) {
        return usageError(*problem);
    }
    try {
        return command->run(arguments);
    } catch (const std::exception& error) {
        // A sum beyond the currency range or a node number beyond the tables.
        std::cerr << "arrowplan-report: " << arguments.file << ": " << error.what() << '\n';
        return exitRefused;
    }
}
