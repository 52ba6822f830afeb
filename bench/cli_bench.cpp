// The command line in-process: the largest sweep a command takes, 100,000
// coils (1000 diameters x 100 turns, 600,000 rows) as CSV, 10,000 band designs
// with their Q, and one `tune` and
// one `wind` (parsing, the real coil of each wire, the table), without the
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

// 10,000 band designs (100 forms x 100 CMIN) of six wires as CSV, each row with
// its tank's Q and bandwidths at three frequencies: 60,000 rows.
void BM_TuneSweepWithQ(benchmark::State &state)
{
    const std::vector<std::string> args = {"tune", "1:10.9:0.1", "10:109:1", "365", "--csv"};
    for (auto _ : state) {
        std::string out;
        std::string err;
        const int status = spirelle::cli::Run(args, out, err, "");
        if (status != spirelle::cli::kDone || std::count(out.begin(), out.end(), '\n') != 60001) {
            state.SkipWithError(("the sweep did not print its 60,000 rows: " + err).c_str());
            return;
        }
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_TuneSweepWithQ)->Unit(benchmark::kMillisecond)->Iterations(3);

// One command line, start to end, as a builder types it: the lines it prints.
void BM_OneCall(benchmark::State &state, std::vector<std::string> args, long lines)
{
    for (auto _ : state) {
        std::string out;
        std::string err;
        const int status = spirelle::cli::Run(args, out, err, "");
        if (status != spirelle::cli::kDone || std::count(out.begin(), out.end(), '\n') != lines) {
            state.SkipWithError(("the command did not print its " + std::to_string(lines) + " lines: " + err).c_str());
            return;
        }
        benchmark::DoNotOptimize(out.data());
    }
}
// The story's 7 lines, the best wire's, the heading, 7 wires and the line naming a column left out.
BENCHMARK_CAPTURE(BM_OneCall, tune, {"tune", "2", "15", "365", "--wire", "0.05"}, 17)->Unit(benchmark::kMicrosecond);
// Six rows, each with its Q in the tuned circuit at the band's ends and middle (9 AC resistances).
BENCHMARK_CAPTURE(BM_OneCall, tune_six_with_q, {"tune", "2", "15", "365"}, 16)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OneCall, wind, {"wind", "250", "2", "--wire", "0.05"}, 8)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
