// Finds, for every level, a short sequence of key holds that shows a sentence
// whatever scrambling the level start draws, so the play-through can reach
// every level by real key presses.
//
// A plan is a list of holds: select a row, hold Left or Right for at least
// the given number of ticks. The driver releases the key once the game has
// printed that many relaxations or a sentence index, so a hold may run a few
// ticks long; a plan is only accepted when it still works with every hold
// some ticks longer. Holds mostly run a control into its bound, where extra
// ticks change nothing but a little more settling.
//
// The signs and the x/y swap are invisible from outside, but the game prints
// the permutation at the level start, so when no plan works for every
// scrambling of a level the planner falls back to one plan per permutation.
//
// Output, one block per level:
//   level N any            (or: level N perm a,b,c,d with one such block per permutation)
//   hold ROW +|- TICKS
//   end
// Exit status 1 when some level (or permutation) has no plan.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>
#include <vector>

#include "model/controls.h"
#include "model/dat.h"
#include "model/levels.h"
#include "model/relax.h"
#include "model/scrambling.h"
#include "play/narrative.h"
#include "play/stories.h"

namespace {

struct Hold {
    int row;
    bool raise;
    int ticks;
};
using Plan = std::vector<Hold>;

struct Scrambling {
    bool sign[4];
    int perm[4];
    bool swap;
};

using Mover = MoveInfo (*)(Dat&);
template <int... N>
constexpr std::array<Mover, sizeof...(N)> relaxations(std::integer_sequence<int, N...>) {
    return {move<N>...};
}
constexpr auto movers = relaxations(std::make_integer_sequence<int, levelcount>{});

// Ticks a hold can overrun, applied to every hold alike and alternately; the
// last two patterns cover a driver that overshoots one hold but not the next.
const int maxdepth = 4;

const int overruns[][2] = {{0, 0}, {1, 1}, {2, 2}, {4, 4}, {0, 3}, {3, 0}};

std::vector<Scrambling> allscramblings(int R) {
    std::vector<Scrambling> out;
    int perm[4] = {0, 1, 2, 3};
    do {
        for (int signs = 0; signs < 16; ++signs) {
            for (int swap = 0; swap < 2; ++swap) {
                Scrambling s{};
                for (int i = 0; i < 4; ++i) {
                    s.sign[i] = (signs >> i) & 1;
                    s.perm[i] = perm[i];
                }
                s.swap = swap;
                out.push_back(s);
            }
        }
    } while (std::next_permutation(perm, perm + R));
    return out;
}

void use(const Scrambling& s) {
    for (int i = 0; i < 4; ++i) {
        amountsign[i] = s.sign[i];
        amountperm[i] = s.perm[i];
    }
    swapxy = s.swap;
}

// Plays the plan from a level start; true as soon as a nudge shows a sentence.
bool shows(int level, const Plan& plan, const Scrambling& s, const int overrun[2]) {
    use(s);
    Dat d{};
    for (size_t h = 0; h < plan.size(); ++h) {
        const Hold& hold = plan[h];
        const int ticks = hold.ticks + overrun[h % 2];
        for (int t = 0; t < ticks; ++t) {
            double& c = d.control[hold.row];
            if (hold.raise) inc(c); else dec(c);
            MoveInfo info = movers[level](d);
            if (info.kind == 0) continue;
            info.control = hold.row;
            info.raised = hold.raise;
            const int index = MoveInfoToInt(info);
            if (index > 0 && !jumpstrings[level][index].empty()) return true;
        }
    }
    return false;
}

// Ticks a hold needs to take control c from value v to its bound.
int ticksto(double v, bool raise) {
    int n = 0;
    while (raise ? v < 1 : v > -1) {
        if (raise) inc(v); else dec(v);
        ++n;
    }
    return n;
}

struct Search {
    int level;
    std::vector<Scrambling> cases;  // reordered: the last case to fail first

    bool works(const Plan& plan) {
        for (const auto& overrun : overruns) {
            for (size_t i = 0; i < cases.size(); ++i) {
                if (!shows(level, plan, cases[i], overrun)) {
                    std::rotate(cases.begin(), cases.begin() + i, cases.begin() + i + 1);
                    return false;
                }
            }
        }
        return true;
    }

    // Depth-first over holds; values tracks the controls as the plan leaves them.
    bool extend(Plan& plan, double values[4], int depth) {
        if (depth == 0) return false;
        const int R = levels[level].controls;
        for (int row = 0; row < R; ++row) {
            for (int raise = 1; raise >= 0; --raise) {
                // Two holds of one row in one direction in a row are one hold.
                if (!plan.empty() && plan.back().row == row && plan.back().raise == raise) continue;
                const int full = ticksto(values[row], raise);
                if (full == 0) continue;
                // Into the bound, with a few ticks to settle; or a quarter way.
                for (int ticks : {full + 4, 10}) {
                    if (ticks == 10 && full <= 14) continue;
                    double v = values[row];
                    for (int t = 0; t < ticks; ++t) {
                        if (raise) inc(v); else dec(v);
                    }
                    plan.push_back(Hold{row, raise != 0, ticks});
                    if (works(plan)) return true;
                    const double old = values[row];
                    values[row] = v;
                    if (extend(plan, values, depth - 1)) return true;
                    values[row] = old;
                    plan.pop_back();
                }
            }
        }
        return false;
    }

    bool find(Plan& plan, int depth) {
        plan.clear();
        double values[4] = {0, 0, 0, 0};
        return extend(plan, values, depth);
    }
};

void print(FILE* out, const Plan& plan) {
    for (const Hold& h : plan) std::fprintf(out, "hold %d %c %d\n", h.row, h.raise ? '+' : '-', h.ticks);
    std::fprintf(out, "end\n");
}

}  // namespace

int main() {
    // The relaxation writes its lines to standard output; the plan needs it clean.
    FILE* out = fdopen(dup(1), "w");
    if (!out || !std::freopen("/dev/null", "w", stdout)) return 2;
    int status = 0;
    for (int level = 0; level < levelcount; ++level) {
        const int R = levels[level].controls;
        const std::vector<Scrambling> all = allscramblings(R);
        // The shortest plan wins; at equal length one for every scrambling
        // is preferred to one per permutation.
        bool done = false;
        for (int depth = 1; depth <= maxdepth && !done; ++depth) {
            Search any{level, all};
            Plan plan;
            if (any.find(plan, depth)) {
                std::fprintf(out, "level %d any\n", level);
                print(out, plan);
                done = true;
                break;
            }
            std::vector<Plan> perplan;
            for (size_t first = 0; first < all.size(); first += 32) {
                Search one{level, std::vector<Scrambling>(all.begin() + first, all.begin() + first + 32)};
                if (!one.find(plan, depth)) break;
                perplan.push_back(plan);
            }
            if (perplan.size() * 32 != all.size()) continue;
            for (size_t p = 0; p < perplan.size(); ++p) {
                std::fprintf(out, "level %d perm", level);
                for (int k = 0; k < R; ++k) std::fprintf(out, "%c%d", k ? ',' : ' ', all[32 * p].perm[k]);
                std::fprintf(out, "\n");
                print(out, perplan[p]);
            }
            done = true;
        }
        if (!done) {
            std::fprintf(out, "level %d none\n", level);
            status = 1;
        }
        std::fflush(out);
    }
    return status;
}
