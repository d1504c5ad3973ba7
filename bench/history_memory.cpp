// The memory the undo history holds after many steps on the largest project
// with long descriptions. The commands change the tables as the windows do
// (the same model functions, the schedule run where the command runs it),
// and each change is recorded as the document records a command. Only what
// the history allocates while it is made and while it records is counted,
// and only as long as it holds it.

#include "document/history.h"
#include "heap_count.h"
#include "largest_project.h"
#include "model/utf8.h"
#include "schedule/cpm.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace arrowplan;

namespace {

// A command as it changes the tables. round counts the passes through the
// scenario's commands, so that every pass changes something new.
struct Command {
    std::string name;
    std::function<void(Project&, int round)> change;
};

// The job a pass works on: a different one each pass.
int jobOf(const Project& project, int round) {
    return round % project.edgeCount + 1;
}

// A title of count characters that all take four bytes in UTF-8 (ideographs
// of the supplementary plane), too long for a string to hold without the
// heap; a different title for every seed.
std::string wideTitle(int seed, std::size_t count) {
    constexpr char32_t first = 0x20000;
    constexpr int span = 42000;
    std::string title;
    for (std::size_t i = 0; i < count; ++i) {
        const int digit = i == 0 ? seed % span : i == 1 ? seed / span % span : static_cast<int>(i);
        const char32_t c = first + static_cast<char32_t>(digit);
        for (const unsigned byte : {0xF0 | (c >> 18), 0x80 | ((c >> 12) & 0x3F),
                                    0x80 | ((c >> 6) & 0x3F), 0x80 | (c & 0x3F)}) {
            title += static_cast<char>(byte);
        }
    }
    return title;
}

// The title walk keeps the first ten characters typed.
constexpr std::size_t walkedTitleLength = 10;

void moveNode(Project& project, int round) {
    const int n = round % project.nodeCount + 1;
    const float shift = round % 2 == 0 ? 150.0f : -150.0f;
    project.nodeX[n] += shift;
    project.nodeY[n] -= shift;
}

void editDescription(Project& project, int round) {
    project.jobNotes[jobOf(project, round)] +=
        "Called the site again in week " + std::to_string(round) + ".\n";
    computeSchedule(project);
}

void editAmountAndDelay(Project& project, int round) {
    const int j = jobOf(project, round);
    project.jobAmount[j] = Currency::fromWhole(2000 + round);
    project.jobDelay[j] = Currency::fromWhole(1 + round % 3);
    computeSchedule(project);
}

void tickDone(Project& project, int round) {
    const int j = jobOf(project, round);
    project.jobDone[j] = static_cast<std::int16_t>(1 - project.jobDone[j]);
}

void walkTitles(Project& project, int round) {
    for (int j = 1; j <= project.edgeCount; ++j) {
        const std::string typed = "Task " + std::to_string(j) + "/" + std::to_string(round);
        project.jobTitle[j] = JobTitle(firstCharacters(typed, walkedTitleLength));
    }
    computeSchedule(project);
}

void walkWideTitles(Project& project, int round) {
    for (int j = 1; j <= project.edgeCount; ++j) {
        project.jobTitle[j] = JobTitle(wideTitle(round * maxItems + j, walkedTitleLength));
    }
    computeSchedule(project);
}

void walkTimes(Project& project, int round) {
    for (int j = 1; j <= project.edgeCount; ++j) {
        project.edgeWeight[j] = static_cast<float>(3 + (j + round) % 4);
    }
    computeSchedule(project);
}

void nameProject(Project& project, int round) {
    project.projectName = "Largest, plan " + std::to_string(round);
}

void deleteJobOfTheRound(Project& project, int round) {
    deleteJob(project, jobOf(project, round));
    computeSchedule(project);
}

void deleteFirstJob(Project& project, int) {
    deleteJob(project, 1);
    computeSchedule(project);
}

// Add Edge into the slot after the last job; it runs no schedule.
void drawArrow(Project& project, int round) {
    const int from = 1 + round % 90;
    const int j = ++project.edgeCount;
    project.edgeFrom[j] = Currency::fromWhole(from);
    project.edgeTo[j] = Currency::fromWhole(from + 1 + round % 9);
}

void runSchedule(Project& project, int) {
    computeSchedule(project);
}

// The card of a new job: its title, time and a long description typed in.
void describeLastJob(Project& project, int round) {
    const int j = project.edgeCount;
    project.jobNotes[j] = longDescription(maxItems + round);
    project.jobTitle[j] = JobTitle("New job " + std::to_string(round));
    project.edgeWeight[j] = 4;
    computeSchedule(project);
}

// Every box of job j's card typed in, each unlike its neighbour's for
// neighbouring seeds, and the title in wide characters.
void fillCard(Project& project, int j, int seed) {
    project.jobNotes[j] = longDescription(seed);
    project.jobTitle[j] = JobTitle(wideTitle(seed, JobTitle::width));
    project.edgeWeight[j] = static_cast<float>(1 + seed % 7);
    project.jobAmount[j] = Currency::fromWhole(1000 + seed);
    project.jobActualTime[j] = Currency::fromWhole(seed % 11);
    project.jobDelay[j] = Currency::fromWhole(seed % 5);
    project.jobDone[j] = static_cast<std::int16_t>(seed % 2);
    project.jobPayMode[j] = static_cast<std::int16_t>(seed % 4);
}

void fillLastCard(Project& project, int round) {
    fillCard(project, project.edgeCount, maxItems + round);
    computeSchedule(project);
}

// The largest project with every box of every card typed in and unlike its
// neighbour's, so that a job moving down a slot changes every cell it leaves.
Project largestProjectFilledIn() {
    Project project = largestProjectWithLongDescriptions();
    for (int j = 1; j <= project.edgeCount; ++j) {
        fillCard(project, j, j);
    }
    return project;
}

// How many steps the history can take back, walked on a copy.
int stepsHeld(History walk) {
    Project scratch;
    int held = 0;
    for (; walk.canUndo(); ++held) {
        walk.undo(scratch);
    }
    return held;
}

// Runs the commands in turn from start, recording each, until the history
// has recorded state.range(0) steps; the counters tell what it holds then.
void historyMemory(benchmark::State& state, Project start, const std::vector<Command>& commands) {
    computeSchedule(start);
    const auto wanted = state.range(0);
    for (auto _ : state) {
        HeapCount count;
        std::unique_ptr<History> history;
        count.counted([&] { history = std::make_unique<History>(start); });
        if (count.live().blocks == 0) {
            // Under valgrind, or any tool with an operator new of its own.
            state.SkipWithError("the heap is not counted: operator new is not this program's");
            break;
        }
        Project now = start;
        std::int64_t recorded = 0;
        for (std::size_t i = 0; recorded < wanted; ++i) {
            const Command& command = commands[i % commands.size()];
            command.change(now, static_cast<int>(i / commands.size()));
            recorded += sameWork(history->state(), now) ? 0 : 1;
            count.counted([&] { history->record(now, command.name); });
        }
        const HeapFigures held = count.live();
        const auto bytes = [](std::size_t size) {
            return benchmark::Counter(static_cast<double>(size), benchmark::Counter::kDefaults,
                                      benchmark::Counter::kIs1024);
        };
        state.counters["heap"] = bytes(held.heap);
        state.counters["requested"] = bytes(held.requested);
        state.counters["blocks"] = static_cast<double>(held.blocks);
        state.counters["held"] = stepsHeld(*history);
    }
}

// A day's work on the plan: nodes moved, cards edited, both walks, the name,
// a job deleted and a new arrow drawn and described, CPM pressed between.
const std::vector<Command> typicalCommands = {
    {"Move Node", moveNode},
    {"Job Card", editDescription},
    {"Job Card", editAmountAndDelay},
    {"Job Card", tickDone},
    {"Title", walkTitles},
    {"Weight", walkTimes},
    {"Name the Project", nameProject},
    {"Delete", deleteJobOfTheRound},
    {"Create Edge", drawArrow},
    {"CPM", runSchedule},
    {"Job Card", describeLastJob},
};

// The largest steps the commands make: job 1 deleted, so that every later
// job with every box filled in moves down a slot; a new arrow drawn into
// slot 100 and its card filled in, long description and all.
const std::vector<Command> deleteCycle = {
    {"Delete", deleteFirstJob},
    {"Create Edge", drawArrow},
    {"Job Card", fillLastCard},
};

// Every step a title walk that gives all 100 jobs new titles the heap must hold.
const std::vector<Command> wideTitleWalks = {{"Title", walkWideTitles}};

// Recorded up to the kept number of steps, and as far again, so that the
// oldest steps have been forgotten and their texts must have gone with them.
void keptAndAsFarAgain(benchmark::internal::Benchmark* run) {
    constexpr auto kept = static_cast<std::int64_t>(History::kept);
    run->Arg(kept)->Arg(2 * kept)->Iterations(1)->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(historyMemory, typicalSteps, largestProjectWithLongDescriptions(),
                  typicalCommands)
    ->Apply(keptAndAsFarAgain);
BENCHMARK_CAPTURE(historyMemory, deleteFirstJobRefilled, largestProjectFilledIn(), deleteCycle)
    ->Apply(keptAndAsFarAgain);
BENCHMARK_CAPTURE(historyMemory, titleWalksOfWideCharacters, largestProjectWithLongDescriptions(),
                  wideTitleWalks)
    ->Apply(keptAndAsFarAgain);

} // namespace
