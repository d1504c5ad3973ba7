// Refusing a task list no project can hold, from its bytes, as File > Import
// and arrowplan-report import do: under 100 ms whatever its size or shape.

#include "exchange/task_file.h"
#include "refused_task_lists.h"

#include <benchmark/benchmark.h>

using namespace arrowplan;

namespace {

void refuse(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        std::vector<ImportWarning> warnings;
        try {
            importTaskList(bytes, "", warnings);
            state.SkipWithError("the list was taken in");
            break;
        } catch (const ImportError& error) {
            benchmark::DoNotOptimize(error.problems());
        }
    }
}
BENCHMARK_CAPTURE(refuse, chained130000Csv, chainedTaskCsv(130000))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refuse, chained130000Xml, chainedTaskXml(130000))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refuse, summaryOf3000Linked3000, linkedSummaryXml(3000))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refuse, inactiveCircleOf130000, inactiveCircleXml(130000))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refuse, crossed50And50, crossedTaskCsv(50))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refuse, crossed12And12, crossedTaskCsv(12))->Unit(benchmark::kMillisecond);

} // namespace
