// Cost of one descent step of the relaxation, per level. A nudge may run
// 1000 steps of four potential evaluations inside one 30 Hz logic tick.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>

#include "model/relax.h"
#include "model/scrambling.h"

namespace {

// Start states that sit in a basin, so that every relaxation runs all 1000 steps.
Dat basin(int level) {
    Dat d{{0, 0, 0, 0}, 0, 0};
    switch (level) {
        case 0: d.control[0] = -0.5; d.x = 0.2; break;                 // minimum at 0.41
        case 1: d.control[0] = -1; d.control[1] = 0.1; d.x = 0.3; break;
        case 2: d.control[0] = 1; d.x = 0.7; break;                    // local minimum at 0.77
        case 3: d.control[0] = -0.6; d.control[1] = 0.3; d.control[2] = -0.2;
                d.control[3] = 0.4; d.x = -0.5; break;
        case 4: d.control[0] = -1; d.x = 0.3; d.y = 0.25; break;        // minimum at (1/3, 1/3)
        case 5: d.control[0] = 0.5; d.x = 0.05; d.y = -0.04; break;
        case 6: d.control[0] = 0.5; d.control[1] = 0.6; d.x = 0.1; d.y = -0.1; break;
    }
    return d;
}

// The STARTCALC lines go to /dev/null while the loop runs.
struct Silence {
    int saved;
    Silence() {
        fflush(stdout);
        saved = dup(1);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        close(null);
    }
    ~Silence() {
        fflush(stdout);
        dup2(saved, 1);
        close(saved);
    }
};

template <int N> void BM_move(benchmark::State& state) {
    for (int i = 0; i < 4; ++i) {
        amountsign[i] = true;
        amountperm[i] = i;
    }
    swapxy = state.range(0) != 0;
    const Dat start = basin(N);
    {
        Silence quiet;
        Dat probe = start;
        const MoveInfo m = move<N>(probe);
        if (m.kind == 2 || std::fabs(probe.x) >= 2000 || std::fabs(probe.y) >= 2000) {
            state.SkipWithError("start state leaves the box");
            return;
        }
    }
    Silence quiet;
    for (auto _ : state) {
        Dat d = start;
        benchmark::DoNotOptimize(d);
        MoveInfo m = move<N>(d);
        benchmark::DoNotOptimize(m);
        benchmark::DoNotOptimize(d);
    }
    const double steps = 1000.0 * static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<int64_t>(steps));
    // Inverted rate: seconds per step, shown with an SI prefix (n = ns).
    state.counters["per_step"] =
        benchmark::Counter(steps, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK_TEMPLATE(BM_move, 0)->Arg(0);
BENCHMARK_TEMPLATE(BM_move, 1)->Arg(0);
BENCHMARK_TEMPLATE(BM_move, 2)->Arg(0);
BENCHMARK_TEMPLATE(BM_move, 3)->Arg(0);
BENCHMARK_TEMPLATE(BM_move, 4)->Arg(0);
BENCHMARK_TEMPLATE(BM_move, 5)->Arg(0)->Arg(1);
BENCHMARK_TEMPLATE(BM_move, 6)->Arg(0)->Arg(1);
