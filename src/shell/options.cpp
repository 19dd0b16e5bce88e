// The command line in the way of a Linux game: long options only, each
// value either the next word or after '='.
#include "shell/options.h"

#include "shell/record.h"

#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>

#ifndef QM_VERSION
#define QM_VERSION "unknown"
#endif

namespace {

constexpr int maxfps = 1000;
constexpr int maxscale = 32;

const char* const usage =
    "Usage: quellmarrow [--window] [--scale N] [--fps N] [--seed N] [--quiet]\n"
    "                   [--record FILE | --replay FILE]\n"
    "A small art game: seven levels, seven elementary catastrophes.\n"
    "\n"
    "  --window     play in a window instead of full screen\n"
    "  --scale N    show the 160x120 picture N times enlarged (1 to 32); by default\n"
    "               as large as fits the screen, or about 85% of it in a window\n"
    "  --fps N      present at most N frames a second (default 60, 0 = no limit)\n"
    "  --seed N     deal the levels' scramblings from seed N (0 to 4294967295),\n"
    "               to replay a run exactly; by default each run is new\n"
    "  --quiet      leave out the diagnostic lines on standard output\n"
    "               (scripts/play.sh passes it; play.sh --diagnostics does not)\n"
    "  --record FILE\n"
    "               write the run to FILE: its seed and every key it read\n"
    "  --replay FILE\n"
    "               play a recorded run back exactly, ignoring the keys; it\n"
    "               ends where the recording ends\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Keys: Up/Down move, Space or Enter chooses, Esc goes back (and quits from the\n"
    "title). In a level, Up/Down pick a control, Left/Right nudge it, Backspace or\n"
    "Delete step back, Esc returns to the level list. M mutes, - and + set the\n"
    "volume. F11 or Alt+Enter switches between full screen and a window at any\n"
    "time. A gamepad plays too: d-pad or left stick, bottom button chooses,\n"
    "right button goes back, left button steps back.\n"
    "\n"
    "The sounds are loaded from wav/ and xm/ in the working directory; the\n"
    "installed quellmarrow command starts the game in its data folder.\n";

// Digits only (no sign, no spaces), at most `max`.
bool readnumber(const std::string& text, unsigned long long max, unsigned long long& value) {
    if (text.empty() || text.size() > 19) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= max;
}

int bad(std::FILE* err, const std::string& what) {
    std::fprintf(err, "quellmarrow: %s (see quellmarrow --help)\n", what.c_str());
    return 2;
}

}  // namespace

int readoptions(int argc, char** argv, Options& options, std::FILE* out, std::FILE* err) {
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        std::string value;
        const size_t eq = word.find('=');
        const bool inline_value = word.rfind("--", 0) == 0 && eq != std::string::npos;
        if (inline_value) {
            value = word.substr(eq + 1);
            word.resize(eq);
        }

        if (word == "--help" || word == "--version" || word == "--window" || word == "--quiet") {
            if (inline_value) return bad(err, word + " takes no value");
            if (word == "--help") {
                std::fputs(usage, out);
                return 0;
            }
            if (word == "--version") {
                std::fprintf(out, "quellmarrow %s\n", QM_VERSION);
                return 0;
            }
            if (word == "--window") options.window = true;
            if (word == "--quiet") options.quiet = true;
            continue;
        }
        if (word != "--fps" && word != "--seed" && word != "--scale" && word != "--record" && word != "--replay") {
            if (word.rfind("-", 0) == 0) return bad(err, "unknown option '" + word + "'");
            return bad(err, "unexpected argument '" + word + "'");
        }
        if (!inline_value) {
            if (i + 1 >= argc) return bad(err, word + " needs a value");
            value = argv[++i];
        }
        unsigned long long n;
        if (word == "--record" || word == "--replay") {
            if (value.empty()) return bad(err, word + " needs a file name");
            (word == "--record" ? options.record : options.replay) = value;
        } else if (word == "--fps") {
            if (!readnumber(value, maxfps, n))
                return bad(err, "--fps wants a whole number from 0 to 1000, not '" + value + "'");
            options.fps = static_cast<int>(n);
        } else if (word == "--scale") {
            if (!readnumber(value, maxscale, n) || n == 0)
                return bad(err, "--scale wants a whole number from 1 to 32, not '" + value + "'");
            options.scale = static_cast<int>(n);
        } else {
            if (!readnumber(value, UINT32_MAX, n))
                return bad(err, "--seed wants a whole number from 0 to 4294967295, not '" + value + "'");
            options.seeded = true;
            options.seed = static_cast<uint32_t>(n);
        }
    }
    if (!options.replay.empty()) {
        if (!options.record.empty()) return bad(err, "--record and --replay do not go together");
        if (options.seeded) return bad(err, "--seed and --replay do not go together: a recording has its seed");
        std::string why;
        if (!loadreplay(options.replay.c_str(), options.seed, why)) {
            std::fprintf(err, "quellmarrow: cannot replay %s: %s\n", options.replay.c_str(), why.c_str());
            return 2;
        }
        options.seeded = true;
    }
    return -1;
}

uint32_t freshseed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    uint64_t z = static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    z ^= static_cast<uint64_t>(getpid()) << 32;
    // One splitmix64 round, so nearby times and ids give unrelated seeds.
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}
