// The schedule risk analysis on the largest project with every job
// estimated: 10,000 runs on one core, as the window's default asks for, and
// the most runs the window allows on every core. The CPU column is the
// process's, all threads together: on a machine busy with other work it
// shows what the runs cost where the wall time shows what they got. Then the
// risk window after a run of the default 10,000: opened with its figures and
// plots, and the plots alone drawn anew.

#include "editor/main_window.h"
#include "largest_project.h"
#include "platform/scripted_prompts.h"
#include "risk/monte_carlo.h"
#include "risk/project_estimates.h"
#include "risk_window/risk_plots_view.h"
#include "risk_window/risk_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

using namespace arrowplan;

namespace {

// Each job's expected time t as the most likely, with t * 3/4 and t * 3/2
// either side: a skewed estimate, as overruns are longer than gains.
Project estimatedProject() {
    Project project = largestProject();
    for (int j = 1; j <= project.edgeCount; ++j) {
        const double time = project.edgeWeight[j];
        setEstimate(project, j, ThreePoint{0.75 * time, time, 1.5 * time});
    }
    return project;
}

RiskNetwork estimatedLargestProject() {
    const Project project = estimatedProject();
    return riskNetworkOf(project, projectEstimates(project));
}

void riskAnalysis(benchmark::State& state, int runs, unsigned threads,
                  RiskDistribution distribution) {
    const RiskNetwork network = estimatedLargestProject();
    for (auto _ : state) {
        const auto result = runMonteCarlo(network, {runs, 1, distribution, 500.0, threads});
        if (!result || result->sortedFinishes.size() != static_cast<std::size_t>(runs)) {
            state.SkipWithError("the simulation did not do every run");
        }
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK_CAPTURE(riskAnalysis, runs10kTriangularOneCore, 10'000, 1u, RiskDistribution::triangular)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(riskAnalysis, runs10kPertBetaOneCore, 10'000, 1u, RiskDistribution::pertBeta)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(riskAnalysis, runs1MTriangularEveryCore, maxRuns, 0u,
                  RiskDistribution::triangular)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(riskAnalysis, runs1MPertBetaEveryCore, maxRuns, 0u, RiskDistribution::pertBeta)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The real main window offscreen on the estimated largest project, its risk
// window open after a Run of the default settings (10,000 runs, week 500).
struct RiskWindowAfterARun {
    testing::ScriptedPrompts prompts;
    ProjectDocument document{prompts};
    MainWindow window{document, prompts};
    RiskWindow* risk = nullptr;
    RiskPlotsView* plots = nullptr;

    RiskWindowAfterARun() {
        document.project() = estimatedProject();
        window.show();
        window.cmdCPM_Click();
        window.mnuRisk_Click();
        risk = &window.riskWindow();
        plots = risk->findChild<RiskPlotsView*>("riskPlots");
        risk->findChild<QLineEdit*>("txtByWeek")->setText("500");
        risk->findChild<QPushButton*>("cmdRun")->click();
        while (risk->running()) {
            QApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        QApplication::processEvents();
    }
};

// From Commands > Schedule Risk to the window painted: the table of 100 jobs
// with their figures, the summary, and both plots drawn anew, as after a run.
// Each iteration first closes the window, untimed.
void riskWindowOpened(benchmark::State& state) {
    RiskWindowAfterARun shown;
    for (auto _ : state) {
        shown.risk->close();
        QApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        shown.window.mnuRisk_Click();
        shown.plots->showFigures(shown.risk->currentFigures());
        QApplication::processEvents();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (!shown.risk->currentFigures() || !shown.risk->isVisible()) {
            state.SkipWithError("the window did not show the run's figures");
            break;
        }
        state.SetIterationTime(took.count());
    }
}
BENCHMARK(riskWindowOpened)->UseManualTime()->Unit(benchmark::kMillisecond);

// The plots alone: the histogram of 10,000 finishes with its S-curve and
// marks, and the 100 jobs by criticality, onto the window's image.
void riskPlotsDrawn(benchmark::State& state) {
    RiskWindowAfterARun shown;
    const RiskFigures* figures = shown.risk->currentFigures();
    if (!figures) {
        state.SkipWithError("the run gave no figures");
        return;
    }
    for (auto _ : state) {
        shown.plots->showFigures(figures);
        benchmark::DoNotOptimize(shown.plots->picture());
    }
}
BENCHMARK(riskPlotsDrawn)->Unit(benchmark::kMillisecond);

} // namespace
