// quellmarrow: a level for each elementary catastrophe.
//
// The entry function reads the command line, then runs the screens in their
// fixed order (screenflow.h) through the frame loop.
#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/quiet.h"
#include "screenflow.h"
#include "shell/clock.h"
#include "shell/jitter.h"
#include "shell/loop.h"
#include "shell/options.h"
#include "shell/pace.h"
#include "shell/record.h"

namespace {

struct Frames {
    template <class T>
    static void visit() {
        loop<T>();
    }
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    const int status = readoptions(argc, argv, options, stdout, stderr);
    if (status >= 0) return status;

    // The scrambling draws from rand() at every level start, so the seed
    // decides every control a run deals; --seed replays a run exactly.
    const uint32_t seed = options.seeded ? options.seed : freshseed();
    std::string why;
    if (!options.record.empty() && !startrecording(options.record.c_str(), seed, why)) {
        std::fprintf(stderr, "quellmarrow: cannot record to %s: %s\n", options.record.c_str(), why.c_str());
        return 2;
    }
    std::srand(seed);
    jitter.reseed(seed);
    framepacer.setfps(options.fps);
    quietlog = options.quiet;

    init(options.window, options.scale);
    screenflow<Frames>();
    return 0;
}
END_OF_MAIN()
