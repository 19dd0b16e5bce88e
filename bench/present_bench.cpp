// Cost of one presented frame, headless, against the floor of the same
// work: clearing a picture of the presented size whose rows repeat as the
// game's do, and copying it to the display, at each factor the game
// presents at on today's screens (x4 640x480, x7 1120x840, x9 1440x1080,
// x18 2880x2160). At x4 every row of the big picture is its own; at the
// other factors a band of s rows holds three distinct rows, which the other
// rows repeat, so the floor's clear and copy read and write 360 rows of
// memory and find the repeats in the cache, as the game's copy does.
// The straightforward presentation (getpixel, rectfill and rand() per
// pixel) is kept here as the "before" figure at x4. Prints the median
// ratios at the end.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "screens/title.h"
#include "shell/globals.h"
#include "shell/jitter.h"
#include "shell/present.h"

namespace {

BITMAP* display = nullptr;  // stands in for the screen: a memory bitmap

const int factors[] = {4, 7, 9, 18};

// The pictures of each factor: bigbuffer, a display of its size and the
// floor's picture, made once at start-up in the same order every run, so
// that no factor's timing depends on which bitmaps another one freed.
struct Pictures {
    BITMAP *big, *display, *floor;
    std::vector<unsigned char*> distinct;  // the floor picture's rows of their own
};
std::map<int, Pictures> pictures;
BITMAP* floorpicture = nullptr;
std::vector<unsigned char*>* distinct = nullptr;

void makepictures(int s) {
    Pictures& p = pictures[s];
    p.big = createbigpicture(s);  // as the display makes bigbuffer
    p.display = create_bitmap(160 * s, 120 * s);
    p.floor = create_bitmap(160 * s, 120 * s);
    // The game's rows, as an enlargement leaves them: the floor's picture
    // repeats its own rows the same way.
    enlarge(buffer, p.big);
    std::map<unsigned char*, unsigned char*> mine;
    for (int y = 0; y < 120 * s; ++y) {
        auto it = mine.find(p.big->line[y]);
        if (it == mine.end()) {
            it = mine.emplace(p.big->line[y], p.floor->line[y]).first;
            p.distinct.push_back(p.floor->line[y]);
        }
        p.floor->line[y] = it->second;
    }
}

void usefactor(int s) {
    Pictures& p = pictures.at(s);
    bigbuffer = p.big;
    display = screen = p.display;
    floorpicture = p.floor;
    distinct = &p.distinct;
}

// The title screen's picture: a realistic mix of black, text and colour.
void drawpicture() {
    TitleLoop::selected = 0;
    TitleLoop::draw();
}

void BM_Floor(benchmark::State& state) {
    usefactor(int(state.range(0)));
    state.counters["rows"] = double(distinct->size());
    for (auto _ : state) {
        clear_to_color(floorpicture, makecol(0, 0, 0));
        blit(floorpicture, display, 0, 0, 0, 0, floorpicture->w, floorpicture->h);
        benchmark::ClobberMemory();
    }
}

void BM_PresentFrame(benchmark::State& state) {
    // The noise piles up in buffer over the iterations, which changes
    // nothing for the cost: every small pixel is drawn alike.
    usefactor(int(state.range(0)));
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
    usefactor(4);
    drawpicture();
    for (auto _ : state) {
        presentstraightforward(0);
        benchmark::ClobberMemory();
    }
}

// The enlargement alone, ours and the generic path, to see where the time goes.
void BM_EnlargeOnly(benchmark::State& state) {
    usefactor(int(state.range(0)));
    drawpicture();
    for (auto _ : state) {
        enlarge(buffer, bigbuffer);
        benchmark::ClobberMemory();
    }
}

void BM_EnlargeReference(benchmark::State& state) {
    usefactor(4);
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
bool samepicture(int s) {
    const int w = 160 * s, hgt = 120 * s;
    BITMAP* fast = create_bitmap(w, hgt);
    BITMAP* slow = create_bitmap(w, hgt);
    uint32_t garbage = 12345;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) putpixel(buffer, x, y, makecol(x, y, (x * y) & 255));
    bool same = true;
    for (uint64_t seed = 1; seed <= 20 && same; ++seed) {
        for (int y = 0; y < hgt; ++y)
            for (int x = 0; x < w; ++x)
                reinterpret_cast<uint32_t*>(fast->line[y])[x] = garbage = garbage * 1103515245u + 12345u;
        jitter.reseed(seed);
        enlarge(buffer, fast);
        jitter.reseed(seed);
        clear_to_color(slow, makecol(0, 0, 0));
        enlargereference(buffer, slow);
        for (int y = 0; y < hgt && same; ++y) same = !memcmp(fast->line[y], slow->line[y], w * 4);
    }
    destroy_bitmap(fast);
    destroy_bitmap(slow);
    return same;
}

constexpr int repetitions = 15;
BENCHMARK(BM_Floor)->Arg(4)->Arg(7)->Arg(9)->Arg(18)->Repetitions(repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentFrame)->Arg(4)->Arg(7)->Arg(9)->Arg(18)->Repetitions(repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentStraightforward)->Repetitions(repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnlargeOnly)->Arg(4)->Arg(7)->Arg(9)->Arg(18)->Repetitions(repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
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
                median[r.run_name.function_name + (r.run_name.args.empty() ? "" : "/" + r.run_name.args)] = {r.GetAdjustedRealTime() * unitns(r.time_unit),
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
    drawpicture();
    for (int s : factors) makepictures(s);
    usefactor(4);
    if (!buffer || !bigbuffer || !display) return 2;
    for (int s : factors)
        if (!samepicture(s)) {
            std::fprintf(stderr, "present_bench: the fast enlargement draws another picture at x%d\n", s);
            return 1;
        }

    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // Real time is the goal's measure; CPU time says how much of it other
    // work on a busy machine took.
    const auto& m = reporter.median;
    std::printf("\nmedians over %d repetitions\n", repetitions);
    for (int s : factors) {
        const std::string arg = "/" + std::to_string(s);
        const auto floor = m.find("BM_Floor" + arg);
        if (floor == m.end() || floor->second.real <= 0 || floor->second.cpu <= 0) continue;
        const auto& f = floor->second;
        std::printf("x%-2d %4dx%-4d floor %8.1f us real, %8.1f us CPU\n", s, 160 * s, 120 * s, f.real / 1e3,
                    f.cpu / 1e3);
        for (const std::string name : {"BM_PresentFrame", "BM_PresentStraightforward"}) {
            auto it = m.find(name + arg);
            if (it == m.end() && s == 4) it = m.find(name);
            if (it == m.end()) continue;
            const auto& t = it->second;
            std::printf("    ratio: %s / floor = %.2f real (%.1f us), %.2f CPU (%.1f us)\n", name.c_str() + 3,
                        t.real / f.real, t.real / 1e3, t.cpu / f.cpu, t.cpu / 1e3);
        }
    }
    return 0;
}
