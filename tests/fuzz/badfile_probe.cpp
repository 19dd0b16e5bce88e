// Cuts and damages a sound file in many ways and hands every variant to the
// loader the game uses (DUMB's dumb_load_xm_quick for .xm, Allegro's
// load_sample for .wav), in a child process, with a time limit on each. A module
// that loads is also rendered for a few seconds, since a damaged sample
// header could pass the reader and only fail in the player.
//
//   badfile_probe [--guarded] [--light] FILE [WORKDIR]
//
// Prints one line per variant that crashed or hung and exits 1 if any did.
// With --guarded only the variants that pass the game's own sanity check are
// loaded, as in the game, and the undamaged file must pass and load. With
// --light far fewer variants are made, for large files.
// Run it under valgrind to see reads past the end of the loaders' buffers,
// which do not crash on their own.
#include <allegro.h>
#include <dumb.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell/soundcheck.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Variant {
    std::string name;
    Bytes bytes;
};

// Small deterministic generator, so a failing variant can be made again.
unsigned long long state = 0x9e3779b97f4a7c15ull;
unsigned next(unsigned bound) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<unsigned>(state % bound);
}

void put32(Bytes& b, size_t at, unsigned v) {
    for (int i = 0; i < 4 && at + i < b.size(); ++i) b[at + i] = (v >> (8 * i)) & 0xff;
}

// Light: the header cuts, 150 cuts spread over the rest and 100 scribbles,
// for large files whose full set would take minutes.
std::vector<Variant> variants(const Bytes& file, bool light) {
    std::vector<Variant> out;
    const size_t n = file.size();
    if (light) {
        for (size_t len = 0; len < n; len += len < 400 ? 1 : std::max<size_t>(1, n / 150))
            out.push_back({"cut " + std::to_string(len), Bytes(file.begin(), file.begin() + len)});
        for (int k = 0; k < 100; ++k) {
            Bytes b = file;
            for (int h = 0; h < 4; ++h) b[next(n)] = static_cast<unsigned char>(next(256));
            out.push_back({"scribble " + std::to_string(k), b});
        }
        return out;
    }
    // Every cut in the headers, then every few bytes through the data.
    for (size_t len = 0; len < n; len += len < 700 ? 1 : (n > 20000 ? 97 : 7))
        out.push_back({"cut " + std::to_string(len), Bytes(file.begin(), file.begin() + len)});
    // Single bytes set to extremes, across the first kilobyte.
    for (size_t at = 0; at < n && at < 1024; ++at) {
        for (unsigned char v : {0x00, 0xff, 0x80}) {
            Bytes b = file;
            b[at] = v;
            out.push_back({"byte " + std::to_string(at) + "=" + std::to_string(v), b});
        }
    }
    // A 32-bit word at every offset of the first kilobyte turned into a huge
    // or a negative size.
    for (size_t at = 0; at + 4 <= n && at < 1024; ++at) {
        for (unsigned v : {0x7fffffffu, 0xffffffffu, 0x10000u}) {
            Bytes b = file;
            put32(b, at, v);
            out.push_back({"word " + std::to_string(at) + "=" + std::to_string(v), b});
        }
    }
    // Random scribbles over the whole file.
    for (int k = 0; k < 300; ++k) {
        Bytes b = file;
        const int hits = 1 + next(8);
        for (int h = 0; h < hits && n; ++h) b[next(n)] = static_cast<unsigned char>(next(256));
        out.push_back({"scribble " + std::to_string(k), b});
    }
    return out;
}

// What the game does with the file, and a little more: play the module.
int load(const std::string& path, bool xm) {
    if (xm) {
        DUH* duh = dumb_load_xm_quick(path.c_str());
        if (!duh) return 0;
        DUH_SIGRENDERER* sr = duh_start_sigrenderer(duh, 0, 1, 0);
        if (sr) {
            static short buf[4000];
            for (int s = 0; s < 3; ++s) duh_render(sr, 16, 0, 0.2f, 65536.0f / 4000, 4000, buf);
            duh_end_sigrenderer(sr);
        }
        unload_duh(duh);
        return 1;
    }
    SAMPLE* s = load_sample(path.c_str());
    if (!s) return 0;
    // Touch every byte the sample claims to hold.
    const size_t bytes = static_cast<size_t>(s->len) * (s->bits / 8) * (s->stereo ? 2 : 1);
    volatile unsigned sum = 0;
    for (size_t i = 0; i < bytes; ++i) sum = sum + static_cast<unsigned char*>(s->data)[i];
    destroy_sample(s);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool guarded = false, light = false;
    int arg = 1;
    for (; arg < argc && argv[arg][0] == '-'; ++arg) {
        guarded |= std::strcmp(argv[arg], "--guarded") == 0;
        light |= std::strcmp(argv[arg], "--light") == 0;
    }
    if (arg >= argc) {
        std::fprintf(stderr, "usage: %s [--guarded] [--light] FILE [WORKDIR]\n", argv[0]);
        return 2;
    }
    const std::string file = argv[arg];
    const std::string work = arg + 1 < argc ? argv[arg + 1] : "/tmp";
    const bool xm = file.size() > 3 && file.compare(file.size() - 3, 3, ".xm") == 0;
    std::ifstream in(file, std::ios::binary);
    const Bytes original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (original.empty()) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    dumb_register_stdfiles();

    const std::string path = work + "/probe-" + std::to_string(getpid()) + (xm ? ".xm" : ".wav");
    if (guarded && !(soundfileplausible(file.c_str()) && load(file, xm))) {
        std::printf("%s: the undamaged file does not pass the check and load\n", file.c_str());
        return 1;
    }
    // One worker process goes through the variants; when one kills it, the
    // next worker starts after that variant. The worker's progress and
    // results live in memory shared with it.
    enum Outcome { refused = 1, loaded, rejected };
    const std::vector<Variant> all = variants(original, light);
    void* mem = mmap(nullptr, sizeof(int) * (all.size() + 1), PROT_READ | PROT_WRITE,
                     MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (mem == MAP_FAILED) return 2;
    volatile int* const current = static_cast<int*>(mem);
    volatile int* const outcome = current + 1;
    int bad = 0;
    for (size_t from = 0; from < all.size();) {
        std::fflush(stdout);
        const pid_t pid = fork();
        if (pid == 0) {
            for (size_t i = from; i < all.size(); ++i) {
                *current = static_cast<int>(i);
                {
                    std::ofstream out(path, std::ios::binary | std::ios::trunc);
                    out.write(reinterpret_cast<const char*>(all[i].bytes.data()), all[i].bytes.size());
                }
                if (guarded && !soundfileplausible(path.c_str())) {
                    outcome[i] = refused;
                    continue;
                }
                alarm(20);
                outcome[i] = load(path, xm) ? loaded : rejected;
                alarm(0);
            }
            _exit(0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) break;
        const size_t i = static_cast<size_t>(*current);
        ++bad;
        if (WIFSIGNALED(status))
            std::printf("%s: %s: signal %d%s\n", file.c_str(), all[i].name.c_str(), WTERMSIG(status),
                        WTERMSIG(status) == SIGALRM ? " (hang)" : "");
        else
            std::printf("%s: %s: exit %d\n", file.c_str(), all[i].name.c_str(), WEXITSTATUS(status));
        from = i + 1;
    }
    int count[4] = {};
    for (size_t i = 0; i < all.size(); ++i) ++count[outcome[i] & 3];
    std::remove(path.c_str());
    std::printf("%s: %zu variants tried, %d refused by the check, %d loaded, %d crashed or hung\n",
                file.c_str(), all.size(), count[refused], count[loaded], bad);
    return bad ? 1 : 0;
}
