// Fuzz target for the reader of recorded runs: any bytes. A file it accepts
// must be one the writer makes byte for byte, with every tick's top bits
// clear and no pass longer than a frame runs; a refusal names its problem
// on one line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/loop.h"
#include "shell/record.h"

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "record: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Recording run;
    std::string why;
    if (!decoderecording(bytes, gameversion(), run, why)) {
        require(!why.empty() && why.find('\n') == std::string::npos, "a refusal without one line");
        return 0;
    }
    require(encoderecording(run, gameversion()) == bytes, "accepted a file the writer would not make");
    int pass = 0;
    for (uint16_t t : run.ticks) {
        require((t & ~tickbits) == 0, "a tick with its top bits set");
        pass = (t & tickpass) ? 1 : pass + 1;
        require(pass <= maxpending, "a pass longer than a frame runs");
    }
    // Replayed, the passes cover every tick and the run then ends.
    startreplay(run);
    size_t ran = 0;
    while (!replayended()) {
        const int due = replaydue(maxpending);
        require(due > 0, "a replay that stalls");
        for (int n = 0; n < due; ++n) replaytick();
        ran += static_cast<size_t>(due);
    }
    require(ran == run.ticks.size(), "the passes do not add up to the ticks");
    stopreplay();
    return 0;
}
