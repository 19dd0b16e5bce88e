// Prints the facts the Python and shell tests share with the game, read
// from the game's own tables, so each is written down once:
//   qm_facts          JSON: the levels of the level table (name, control
//                     count, whether y moves, its tune, the slots that hold
//                     a sentence) and the sounds
//   qm_facts sounds   the sound files, one a line
//   qm_facts deal SEED R...
//                     the permutations a run with --seed SEED deals at
//                     level starts of R controls each, one a line ("2,0,1"):
//                     the scrambling is a pure function of the seed
//   qm_facts run FILE a recording for --replay: the intro, a second on the
//                     title, fold nudged to its run-away, and Esc out to
//                     the end (status 0)
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/levels.h"
#include "model/scrambling.h"
#include "play/stories.h"
#include "shell/record.h"
#include "shell/soundfiles.h"

namespace {

void sounds(const char* sep, const char* quote) {
    const char* all[samplecount + musiccount];
    for (int i = 0; i < samplecount; ++i) all[i] = samplefiles[i];
    for (int i = 0; i < musiccount; ++i) all[samplecount + i] = musicfiles[i];
    for (int i = 0; i < samplecount + musiccount; ++i)
        std::printf("%s%s%s%s", i ? sep : "", quote, all[i], quote);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "sounds") == 0) {
        sounds("\n", "");
        std::printf("\n");
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "deal") == 0) {
        // As the game does: srand(seed) once, then one draw per level start.
        std::srand(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
        for (int i = 3; i < argc; ++i) {
            const int R = std::atoi(argv[i]);
            drawscrambling(R);
            for (int s = 0; s < R; ++s) std::printf("%s%d", s ? "," : "", amountperm[s]);
            std::printf("\n");
        }
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "run") == 0) {
        Recording run;
        run.seed = 7;
        auto hold = [&run](unsigned bits, int ticks) { run.ticks.insert(run.ticks.end(), ticks, bits | tickpass); };
        const unsigned choose = 1u << actchoose, back = 1u << actback;
        hold(tickanykey, 1);
        hold(0, 30);
        for (unsigned bits : {choose, 0u, choose}) hold(bits, 1);
        hold(1u << actright, 20);
        for (unsigned bits : {back, 0u, back, 0u, back}) hold(bits, 1);
        std::FILE* f = std::fopen(argv[2], "wb");
        const std::string bytes = encoderecording(run, gameversion());
        return f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fclose(f) == 0 ? 0 : 1;
    }
    if (argc != 1) {
        std::fprintf(stderr, "usage: qm_facts [sounds | deal SEED R... | run FILE]\n");
        return 2;
    }
    std::printf("{\"levels\": [");
    for (int n = 0; n < levelcount; ++n) {
        std::printf("%s\n  {\"name\": \"%s\", \"controls\": %d, \"y\": %s, \"tune\": \"%s\", \"filled\": [",
                    n ? "," : "", levels[n].name, levels[n].controls, hasy(n) ? "true" : "false", levels[n].tune);
        bool first = true;
        for (int s = 0; s < storyslots; ++s) {
            if (jumpstrings[n][s].empty()) continue;
            std::printf("%s%d", first ? "" : ", ", s);
            first = false;
        }
        std::printf("]}");
    }
    std::printf("],\n \"sounds\": [");
    sounds(", ", "\"");
    std::printf("]}\n");
    return 0;
}
