// The speed of the program's busiest paths on the largest project the tables
// hold (undo and redo in undo_redo.cpp, the history's memory in
// history_memory.cpp). Run with `make bench`; the figures and targets are in
// BENCHMARKS.md.

#include "editor/chart.h"
#include "editor/chart_hits.h"
#include "largest_project.h"
#include "model/project_file.h"
#include "platform/screen_surface.h"
#include "platform/twips.h"
#include "schedule/cpm.h"
#include "schedule/listing.h"
#include "schedule/weekly_costs.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <sstream>

using namespace arrowplan;

namespace {

void cpmAndListing(benchmark::State& state) {
    Project project = largestProject();
    for (auto _ : state) {
        computeSchedule(project);
        benchmark::DoNotOptimize(listingLines(project));
    }
}
BENCHMARK(cpmAndListing)->Unit(benchmark::kMicrosecond);

void weeklyCosts500Weeks(benchmark::State& state) {
    Project project = largestProject(500);
    computeSchedule(project);
    for (auto _ : state) {
        benchmark::DoNotOptimize(weeklyCostLines(project, CostSections{}, CurrencyFormat{}));
    }
}
BENCHMARK(weeklyCosts500Weeks)->Unit(benchmark::kMillisecond);

std::string largestFile() {
    std::ostringstream out;
    writeProject(out, largestProject());
    return out.str();
}

void readAndValidateFile(benchmark::State& state) {
    const std::string file = largestFile();
    for (auto _ : state) {
        std::istringstream in(file);
        benchmark::DoNotOptimize(readProject(in));
    }
}
BENCHMARK(readAndValidateFile)->Unit(benchmark::kMicrosecond);

void writeFile(benchmark::State& state) {
    const Project project = largestProject();
    for (auto _ : state) {
        std::ostringstream out;
        writeProject(out, project);
        benchmark::DoNotOptimize(out.str());
    }
}
BENCHMARK(writeFile)->Unit(benchmark::kMicrosecond);

// The full redraw onto an image of the window's client size, as a repaint
// that lost the picture does it, at the actual size and zoomed to 400 %
// (the argument), where the window shows a part of the chart.
void fullRedrawOnTheCanvas(benchmark::State& state) {
    Project project = largestProject();
    computeSchedule(project);
    QImage canvas(twipsRect(0, 0, 12000, 8175).size(), QImage::Format_RGB32);
    ScreenSurface surface(colours::windowBack, colours::black, [] { return QSize(800, 565); });
    surface.setImage(&canvas);
    const double zoom = static_cast<double>(state.range(0)) / 100;
    surface.setView(zoom, QPointF(800, 500) * (zoom - 1));
    for (auto _ : state) {
        drawChart(project, surface);
        surface.finish();
    }
}
BENCHMARK(fullRedrawOnTheCanvas)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

// What the pointer rests on, or a click in Select mode picks: the job
// nearest the middle of the last of a hundred, every arrow measured.
void jobUnderThePointer(benchmark::State& state) {
    const Project project = largestProject();
    const Point middle = jobMidpoint(project, project.edgeCount);
    for (auto _ : state) {
        benchmark::DoNotOptimize(jobNear(project, middle.x, middle.y + 50, 120));
    }
}
BENCHMARK(jobUnderThePointer)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // `--write-largest FILE` writes the largest project for the start-up and
    // memory measurements of bench/startup.sh.
    if (argc == 3 && std::strcmp(argv[1], "--write-largest") == 0) {
        std::ofstream(argv[2], std::ios::binary) << largestFile();
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // fonts for the canvas, and the main window
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
