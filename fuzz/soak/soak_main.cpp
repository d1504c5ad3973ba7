// arrowplan-soak: a random user that never stops. Each seed drives a fresh
// set of the real windows through a random sequence of commands in a child
// process (a sanitizer's abort ends only the child), checking every promise
// after every command. A failing sequence is cut down by dropping commands
// while the same failure remains, and kept as a file that the test suite
// replays.
//
//   arrowplan-soak [--seconds N] [--seed S] [--length L] [--findings DIR]
//   arrowplan-soak --replay FILE...

#include "soak_command.h"
#include "soak_generator.h"
#include "soak_session.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

// Qt keeps caches (fonts, styles) to the end of the process on purpose, so
// leaks are not looked for. Shorter allocation stacks and a smaller
// quarantine keep the command loop fast; a finding is replayed anyway.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0:malloc_context_size=4:quarantine_size_mb=32";
}

namespace {

using namespace arrowplan::soak;
using Clock = std::chrono::steady_clock;

constexpr int brokenPromise = 3;
// A replay that runs longer than this has hung.
constexpr unsigned replayLimitSeconds = 300;

struct Options {
    double seconds = 60;
    std::uint64_t seed = 1;
    int length = 4000;
    std::string findings = "fuzz/soak/findings";
    std::vector<std::string> replay;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// What a child found: its steps and, when it failed, at which step and why.
struct Outcome {
    long steps = 0;
    Checked checked;
    int mostNodes = 0; // the largest project the run reached
    int mostJobs = 0;
    bool failed = false;
    long failedStep = -1;
    std::string signature; // the same failure has the same signature
    std::string message;
};

// The part of a message that names the broken promise, without the numbers
// of jobs and nodes that change as the sequence is cut down.
std::string signatureOf(const std::string& message) {
    const std::size_t cut = message.find_first_of("0123456789\"");
    return message.substr(0, cut);
}

// The sanitizer's one-line summary names the fault and where it happened.
std::string crashSignature(const std::string& log, int status) {
    const std::size_t summary = log.find("SUMMARY: ");
    if (summary != std::string::npos) {
        return log.substr(summary, log.find('\n', summary) - summary);
    }
    return WIFSIGNALED(status) ? "killed by signal " + std::to_string(WTERMSIG(status))
                               : "exit status " + std::to_string(WEXITSTATUS(status));
}

// Every fourth seed builds without starting over.
Style styleOf(std::uint64_t seed) {
    return seed % 4 == 0 ? Style::builder : Style::mixed;
}

// Runs in the child: the commands given, or else `length` commands of the
// seed, each written to the journal before it runs; "done N" or
// "failed N message" goes to the result file.
[[noreturn]] void child(const std::string& folder, const std::vector<Command>* given,
                        std::uint64_t seed, int length, Clock::time_point deadline) {
    const int log = ::open((folder + "/stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(log, 2);
    int argc = 1;
    char name[] = "arrowplan-soak";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const int journal = ::open((folder + "/journal").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::ofstream result(folder + "/result");
    QTemporaryDir files(QString::fromStdString(folder) + "/files-XXXXXX");
    Session session(files.path());
    std::mt19937_64 random(seed);
    const long total = given ? static_cast<long>(given->size()) : length;
    long step = 0;
    int mostNodes = 0;
    int mostJobs = 0;
    for (; step < total && (given || Clock::now() < deadline); ++step) {
        const Command command = given ? (*given)[static_cast<std::size_t>(step)]
                                      : nextCommand(session, random, styleOf(seed));
        const std::string line = toLine(command) + "\n";
        if (::write(journal, line.data(), line.size()) < 0) {
            std::_Exit(2);
        }
        if (const auto failure = session.run(command)) {
            result << "failed " << step << " " << *failure << std::endl;
            std::_Exit(brokenPromise);
        }
        mostNodes = std::max<int>(mostNodes, session.project().nodeCount);
        mostJobs = std::max<int>(mostJobs, session.project().edgeCount);
    }
    const Checked& c = session.checked();
    result << "done " << step << " " << mostNodes << " " << mostJobs << " " << c.listings << " "
           << c.costs << " " << c.roundTrips << " " << c.refusals << " " << c.walks << " "
           << c.questions << " " << c.estimates << " " << c.riskRuns << std::endl;
    std::_Exit(0);
}

Outcome runChild(const std::string& folder, const std::vector<Command>* given, std::uint64_t seed,
                 int length, Clock::time_point deadline) {
    std::filesystem::remove(folder + "/result");
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (given) {
            ::alarm(replayLimitSeconds);
        }
        child(folder, given, seed, length, deadline);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::istringstream result(readFile(folder + "/result"));
    std::string word;
    Outcome outcome;
    result >> word >> outcome.steps;
    if (word == "done" && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        Checked& c = outcome.checked;
        result >> outcome.mostNodes >> outcome.mostJobs >> c.listings >> c.costs >> c.roundTrips >>
            c.refusals >> c.walks >> c.questions >> c.estimates >> c.riskRuns;
        return outcome;
    }
    outcome.failed = true;
    if (word == "failed") {
        outcome.failedStep = outcome.steps;
        std::getline(result >> std::ws, outcome.message);
        outcome.signature = signatureOf(outcome.message);
    } else {
        // A sanitizer or a signal ended the child: the last command in the
        // journal is the one that did it.
        const std::string journal = readFile(folder + "/journal");
        outcome.failedStep =
            static_cast<long>(std::count(journal.begin(), journal.end(), '\n')) - 1;
        const std::string log = readFile(folder + "/stderr");
        outcome.signature = crashSignature(log, status);
        outcome.message = outcome.signature;
    }
    outcome.steps = outcome.failedStep + 1;
    return outcome;
}

std::vector<Command> journalCommands(const std::string& folder, long count) {
    std::vector<Command> commands;
    std::istringstream journal(readFile(folder + "/journal"));
    std::string line;
    while (static_cast<long>(commands.size()) < count && std::getline(journal, line)) {
        commands.push_back(fromLine(line));
    }
    return commands;
}

bool failsTheSame(const std::string& folder, const std::vector<Command>& commands,
                  const std::string& signature) {
    const Outcome o = runChild(folder, &commands, 0, 0, Clock::now());
    return o.failed && o.signature == signature;
}

// Drops ever smaller runs of commands while the failure stays the same.
std::vector<Command> shrink(const std::string& folder, std::vector<Command> commands,
                            const std::string& signature, Clock::time_point until) {
    for (std::size_t chunk = commands.size() / 2; chunk >= 1 && Clock::now() < until;) {
        bool dropped = false;
        for (std::size_t at = 0; at < commands.size() && Clock::now() < until;) {
            std::vector<Command> fewer(commands.begin(), commands.begin() + static_cast<long>(at));
            fewer.insert(fewer.end(),
                         commands.begin() +
                             static_cast<long>(std::min(at + chunk, commands.size())),
                         commands.end());
            if (!fewer.empty() && failsTheSame(folder, fewer, signature)) {
                commands = std::move(fewer);
                dropped = true;
            } else {
                at += chunk;
            }
        }
        if (!dropped) {
            chunk /= 2;
        }
    }
    return commands;
}

std::string slug(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!out.empty() && out.back() != '-') {
            out += '-';
        }
        if (out.size() >= 40) {
            break;
        }
    }
    while (!out.empty() && out.back() == '-') {
        out.pop_back();
    }
    return out;
}

int replay(const std::vector<std::string>& paths) {
    int argc = 1;
    char name[] = "arrowplan-soak";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    int failures = 0;
    for (const std::string& path : paths) {
        QTemporaryDir files;
        Session session(files.path());
        const std::vector<Command> commands = readSequence(path);
        if (const auto broken = runAll(session, commands)) {
            std::cout << path << ": step " << broken->step << " (" << toLine(commands[broken->step])
                      << "): " << broken->what << "\n";
            ++failures;
        }
        std::cout << path << ": " << commands.size() << " commands, ending with "
                  << session.project().nodeCount << " nodes and " << session.project().edgeCount
                  << " jobs\n";
    }
    std::cout << paths.size() << " sequences, " << failures << " failing\n";
    return failures == 0 ? 0 : 1;
}

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto value = [&] { return i + 1 < argc ? std::string(argv[++i]) : std::string(); };
        if (a == "--seconds") {
            o.seconds = std::stod(value());
        } else if (a == "--seed") {
            o.seed = std::stoull(value());
        } else if (a == "--length") {
            o.length = std::stoi(value());
        } else if (a == "--findings") {
            o.findings = value();
        } else if (a == "--replay") {
            while (i + 1 < argc) {
                o.replay.push_back(argv[++i]);
            }
        } else {
            std::cerr << "unknown option " << a << "\n";
            std::exit(2);
        }
    }
    return o;
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const Options options = parse(argc, argv);
    if (!options.replay.empty()) {
        return replay(options.replay);
    }
    char folderName[] = "/tmp/arrowplan-soak-XXXXXX";
    const std::string folder = ::mkdtemp(folderName);
    std::filesystem::create_directories(options.findings);

    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline =
        start + std::chrono::milliseconds(static_cast<long>(options.seconds * 1000));
    long commands = 0;
    long seeds = 0;
    int mostNodes = 0;
    int mostJobs = 0;
    Checked checked;
    std::set<std::string> found;
    std::uint64_t seed = options.seed;
    for (; Clock::now() < deadline; ++seed) {
        const Outcome o = runChild(folder, nullptr, seed, options.length, deadline);
        commands += o.steps;
        ++seeds;
        mostNodes = std::max(mostNodes, o.mostNodes);
        mostJobs = std::max(mostJobs, o.mostJobs);
        checked.listings += o.checked.listings;
        checked.costs += o.checked.costs;
        checked.roundTrips += o.checked.roundTrips;
        checked.refusals += o.checked.refusals;
        checked.walks += o.checked.walks;
        checked.questions += o.checked.questions;
        checked.estimates += o.checked.estimates;
        checked.riskRuns += o.checked.riskRuns;
        if (o.failed) {
            std::cout << "seed " << seed << ", step " << o.failedStep << ": " << o.message
                      << std::endl;
            if (found.insert(o.signature).second) {
                const std::vector<Command> failing =
                    shrink(folder, journalCommands(folder, o.steps), o.signature,
                           Clock::now() + std::chrono::minutes(10));
                const std::string path = options.findings + "/seed-" + std::to_string(seed) + "-" +
                                         slug(o.signature) + ".soak";
                std::ofstream out(path);
                out << "# seed " << seed << ", step " << o.failedStep << ": " << o.message << "\n";
                for (const Command& c : failing) {
                    out << toLine(c) << "\n";
                }
                std::cout << "  kept " << failing.size() << " commands in " << path << std::endl;
            }
        }
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        std::cout << "seeds " << options.seed << ".." << seed << ": " << commands << " commands in "
                  << static_cast<long>(elapsed) << " s ("
                  << static_cast<long>(static_cast<double>(commands) / std::max(elapsed, 1.0))
                  << "/s), " << found.size() << " distinct findings; at most " << mostNodes
                  << " nodes, " << mostJobs << " jobs" << std::endl;
    }
    std::cout << "soak over: " << seeds << " seeds from " << options.seed << ", " << commands
              << " commands, "
              << static_cast<long>(std::chrono::duration<double>(Clock::now() - start).count())
              << " s, " << found.size() << " distinct findings\n"
              << "read back " << checked.listings << " job listings and " << checked.costs
              << " weekly cost listings; loaded " << checked.roundTrips
              << " saved files back; refused " << checked.refusals << " broken files; walked "
              << checked.walks << " histories; answered " << checked.questions
              << " questions; typed " << checked.estimates << " estimates; matched "
              << checked.riskRuns << " risk runs with the engine's" << std::endl;
    std::filesystem::remove_all(folder);
    return found.empty() ? 0 : 1;
}
