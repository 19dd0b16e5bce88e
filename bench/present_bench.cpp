// Cost of one presented frame, headless, against the floor any frame pays
// anyway: clearing a 640x480 picture and copying it to the display. The
// straightforward presentation (getpixel, rectfill and rand() per pixel) is
// kept here as the "before" figure. Prints the median ratios at the end.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "screens/title.h"
#include "shell/globals.h"
#include "shell/jitter.h"
#include "shell/present.h"

namespace {

BITMAP* display = nullptr;  // stands in for the screen: a memory bitmap

// The title screen's picture: a realistic mix of black, text and colour.
void drawpicture() {
    TitleLoop::selected = 0;
    TitleLoop::draw();
}

void BM_Floor(benchmark::State& state) {
    for (auto _ : state) {
        clear_to_color(bigbuffer, makecol(0, 0, 0));
        blit(bigbuffer, display, 0, 0, 0, 0, 640, 480);
        benchmark::ClobberMemory();
    }
}

void BM_PresentFrame(benchmark::State& state) {
    // The noise piles up in buffer over the iterations, which changes
    // nothing for the cost: every small pixel is drawn alike.
    screenshake = 0;
    drawpicture();
    for (auto _ : state) {
        presentFrame();
        benchmark::ClobberMemory();
    }
}

// The presentation as first written: one getpixel, one rectfill and four
// rand() calls per small pixel, rand() for the noise too.
void presentstraightforward(int s) {
    for (int i = 0; i < 50; ++i) {
        const int x = rand() % 160, y = rand() % 120;
        int c;
        if (s > 0) {
            const int r = rand() % 255, g = rand() % 255, b = rand() % 255;
            c = makecol(r, g, b);
        } else {
            const int g = rand() % 100;
            c = makecol(g, g, g);
        }
        putpixel(buffer, x, y, c);
    }
    clear_to_color(bigbuffer, makecol(0, 0, 0));
    for (int x = 0; x < 160; ++x)
        for (int y = 0; y < 120; ++y) {
            const int c = getpixel(buffer, x, y);
            const int a = rand() % 3, b = rand() % 3, p = rand() % 3, q = rand() % 3;
            rectfill(bigbuffer, 4 * x - 1 + a, 4 * y - 1 + b, 4 * x + 2 + p, 4 * y + 2 + q, c);
        }
    blit(bigbuffer, display, 0, 0, 0, 0, 640, 480);
}

void BM_PresentStraightforward(benchmark::State& state) {
    drawpicture();
    for (auto _ : state) {
        presentstraightforward(0);
        benchmark::ClobberMemory();
    }
}

// The enlargement alone, ours and the generic path, to see where the time goes.
void BM_EnlargeOnly(benchmark::State& state) {
    drawpicture();
    for (auto _ : state) {
        enlarge(buffer, bigbuffer);
        benchmark::ClobberMemory();
    }
}

void BM_EnlargeReference(benchmark::State& state) {
    drawpicture();
    for (auto _ : state) {
        clear_to_color(bigbuffer, makecol(0, 0, 0));
        enlargereference(buffer, bigbuffer);
        benchmark::ClobberMemory();
    }
}

// A faster frame is worth nothing if it is another picture: before timing,
// compare the fast path, started over a picture full of leftovers, with the
// generic path on a cleared one, for a few seeds and a busy small picture.
bool samepicture() {
    BITMAP* fast = create_bitmap(640, 480);
    BITMAP* slow = create_bitmap(640, 480);
    uint32_t garbage = 12345;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) putpixel(buffer, x, y, makecol(x, y, (x * y) & 255));
    bool same = true;
    for (uint64_t seed = 1; seed <= 20 && same; ++seed) {
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                reinterpret_cast<uint32_t*>(fast->line[y])[x] = garbage = garbage * 1103515245u + 12345u;
        jitter.reseed(seed);
        enlarge(buffer, fast);
        jitter.reseed(seed);
        clear_to_color(slow, makecol(0, 0, 0));
        enlargereference(buffer, slow);
        for (int y = 0; y < 480 && same; ++y) same = !memcmp(fast->line[y], slow->line[y], 640 * 4);
    }
    destroy_bitmap(fast);
    destroy_bitmap(slow);
    return same;
}

constexpr int repetitions = 15;
BENCHMARK(BM_Floor)->Repetitions(repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentFrame)->Repetitions(repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentStraightforward)->Repetitions(repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnlargeOnly)->Repetitions(repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnlargeReference)->Repetitions(repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

// Prints as usual and keeps each benchmark's median real and CPU time.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0, cpu = 0;  // ns
    };
    std::map<std::string, Times> median;  // by benchmark name

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.aggregate_name == "median")
                median[r.run_name.function_name] = {r.GetAdjustedRealTime() * unitns(r.time_unit),
                                                    r.GetAdjustedCPUTime() * unitns(r.time_unit)};
        ConsoleReporter::ReportRuns(runs);
    }

private:
    static double unitns(benchmark::TimeUnit u) {
        switch (u) {
            case benchmark::kSecond: return 1e9;
            case benchmark::kMillisecond: return 1e6;
            case benchmark::kMicrosecond: return 1e3;
            default: return 1;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    set_color_depth(32);
    buffer = create_bitmap(160, 120);
    bigbuffer = create_bitmap(640, 480);
    display = create_bitmap(640, 480);
    if (!buffer || !bigbuffer || !display) return 2;
    screen = display;
    if (!samepicture()) {
        std::fprintf(stderr, "present_bench: the fast enlargement draws another picture\n");
        return 1;
    }

    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // Real time is the goal's measure; CPU time says how much of it other
    // work on a busy machine took.
    const auto& m = reporter.median;
    const auto floor = m.find("BM_Floor");
    if (floor == m.end() || floor->second.real <= 0 || floor->second.cpu <= 0) return 0;
    const auto& f = floor->second;
    std::printf("\nmedians over %d repetitions; floor %.1f us real, %.1f us CPU\n", repetitions,
                f.real / 1e3, f.cpu / 1e3);
    for (const char* name : {"BM_PresentFrame", "BM_PresentStraightforward"}) {
        const auto it = m.find(name);
        if (it == m.end()) continue;
        const auto& t = it->second;
        std::printf("ratio: %s / floor = %.2f real (%.1f us), %.2f CPU (%.1f us)\n", name + 3,
                    t.real / f.real, t.real / 1e3, t.cpu / f.cpu, t.cpu / 1e3);
    }
    return 0;
}
