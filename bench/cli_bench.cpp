// The command line in-process: the largest sweep a command takes, 100,000
// coils (1000 diameters x 100 turns, 600,000 rows) as CSV, without the
// process start and the terminal that scripts/bench.sh's hyperfine run includes.
#include "cli/cli.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

void BM_CoilSweep(benchmark::State &state)
{
    const std::vector<std::string> args = {"coil", "0.01:10:0.01", "1:100:1", "--csv"};
    for (auto _ : state) {
        std::string out;
        std::string err;
        const int status = spirelle::cli::Run(args, out, err, "");
        // The heading and a line for each of the 600,000 rows.
        if (status != spirelle::cli::kDone || std::count(out.begin(), out.end(), '\n') != 600001) {
            state.SkipWithError(("the sweep did not print its 600,000 rows: " + err).c_str());
            return;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["per coil"] = benchmark::Counter(100000.0 * double(state.iterations()),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CoilSweep)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
