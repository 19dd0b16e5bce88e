// Writing and reading recorded runs, and handing their ticks to the input.
#include "shell/record.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/loop.h"  // maxpending: no pass of the game runs more ticks

#ifndef QM_VERSION
#define QM_VERSION "unknown"
#endif

namespace {

const char magic[6] = {'Q', 'M', 'R', 'U', 'N', 0x1a};
constexpr uint16_t endmark = 0xffff;

uint32_t fnv(uint32_t h, const void* data, size_t n) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 16777619u;
    return h;
}
constexpr uint32_t fnvstart = 2166136261u;

void put16(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xff);
    s += static_cast<char>(v >> 8 & 0xff);
}

void put32(std::string& s, uint32_t v) {
    put16(s, v & 0xffff);
    put16(s, v >> 16);
}

std::string header(uint32_t seed, const char* version) {
    std::string s(magic, sizeof magic);
    s += static_cast<char>(recordformat);
    const size_t n = std::min<size_t>(std::strlen(version), 255);
    s += static_cast<char>(n);
    s.append(version, n);
    put32(s, seed);
    return s;
}

// Reads little-endian fields off the front of the bytes.
struct Reader {
    const std::string& s;
    size_t at = 0;
    bool has(size_t n) const { return s.size() - at >= n; }
    unsigned byte() { return static_cast<unsigned char>(s[at++]); }
    unsigned u16() {
        const unsigned lo = byte();
        return lo | byte() << 8;
    }
    uint32_t u32() {
        const uint32_t lo = u16();
        return lo | static_cast<uint32_t>(u16()) << 16;
    }
};

// ---- the run being recorded or replayed

std::FILE* out = nullptr;
uint32_t outcheck = fnvstart;
uint32_t outticks = 0;
unsigned pending = 0;  // the tick being recorded, written when the next begins
bool havepending = false;
bool passnext = false;

Recording replay;
bool replayon = false;
size_t replaynext = 0;
unsigned replaycurrent = 0;

void write(const void* data, size_t n) {
    if (!out) return;
    outcheck = fnv(outcheck, data, n);
    if (std::fwrite(data, 1, n, out) != n) {
        // A full disk ends the recording, not the game.
        std::fclose(out);
        out = nullptr;
    }
}

void writepending() {
    if (!havepending) return;
    std::string s;
    put16(s, pending);
    write(s.data(), s.size());
    ++outticks;
    havepending = false;
}

}  // namespace

const char* gameversion() {
    return QM_VERSION;
}

std::string encoderecording(const Recording& run, const char* version) {
    std::string s = header(run.seed, version);
    for (uint16_t t : run.ticks) put16(s, t);
    put16(s, endmark);
    put32(s, static_cast<uint32_t>(run.ticks.size()));
    put32(s, fnv(fnvstart, s.data(), s.size()));
    return s;
}

bool decoderecording(const std::string& bytes, const char* version, Recording& run, std::string& why) {
    Reader r{bytes};
    if (!r.has(sizeof magic) || std::memcmp(bytes.data(), magic, sizeof magic) != 0) {
        why = "not a quellmarrow recording";
        return false;
    }
    r.at = sizeof magic;
    if (!r.has(2)) {
        why = "truncated in its header";
        return false;
    }
    const unsigned format = r.byte();
    if (format != recordformat) {
        why = "recording format " + std::to_string(format) + ", this game reads format " +
              std::to_string(recordformat);
        return false;
    }
    const unsigned n = r.byte();
    if (!r.has(n + 4)) {
        why = "truncated in its header";
        return false;
    }
    std::string made = bytes.substr(r.at, n);
    r.at += n;
    if (made != version) {
        // Named in a message on a terminal: nothing but printable characters.
        for (char& c : made)
            if (c < 0x20 || c > 0x7e) c = '?';
        // Another version may relax or deal differently: the run would not be the same.
        why = "recorded by quellmarrow " + made + ", this is " + version;
        return false;
    }
    run.seed = r.u32();
    run.ticks.clear();
    int pass = 0;
    for (;;) {
        if (!r.has(2)) {
            why = "truncated after " + std::to_string(run.ticks.size()) + " ticks";
            return false;
        }
        const unsigned t = r.u16();
        if (t == endmark) break;
        pass = (t & tickpass) ? 1 : pass + 1;
        if ((t & ~tickbits) || pass > maxpending) {
            why = "damaged at tick " + std::to_string(run.ticks.size());
            return false;
        }
        run.ticks.push_back(static_cast<uint16_t>(t));
    }
    if (!r.has(8)) {
        why = "truncated at its end";
        return false;
    }
    const uint32_t count = r.u32();
    const size_t checked = r.at;
    const uint32_t check = r.u32();
    if (count != run.ticks.size() || check != fnv(fnvstart, bytes.data(), checked) || r.has(1)) {
        why = "damaged (its check does not match)";
        return false;
    }
    return true;
}

bool startrecording(const char* path, uint32_t seed, std::string& why) {
    out = std::fopen(path, "wb");
    if (!out) {
        why = std::strerror(errno);
        return false;
    }
    outcheck = fnvstart;
    outticks = 0;
    havepending = passnext = false;
    const std::string h = header(seed, gameversion());
    write(h.data(), h.size());
    std::atexit(finishrecording);
    return true;
}

void finishrecording() {
    if (!out) return;
    writepending();
    std::string s;
    put16(s, endmark);
    put32(s, outticks);
    write(s.data(), s.size());
    s.clear();
    put32(s, outcheck);
    write(s.data(), s.size());
    if (out) std::fclose(out);
    out = nullptr;
}

bool loadreplay(const char* path, uint32_t& seed, std::string& why) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        why = std::strerror(errno);
        return false;
    }
    std::string bytes;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    const bool failed = std::ferror(f);
    std::fclose(f);
    if (failed) {
        why = "cannot be read";
        return false;
    }
    Recording run;
    if (!decoderecording(bytes, gameversion(), run, why)) return false;
    seed = run.seed;
    startreplay(run);
    return true;
}

void startreplay(const Recording& run) {
    replay = run;
    replayon = true;
    replaynext = 0;
    replaycurrent = 0;
}

void stopreplay() {
    replayon = false;
    replay.ticks.clear();
}

bool replaying() {
    return replayon;
}

bool replayended() {
    return replayon && replaynext >= replay.ticks.size();
}

int replaydue(int available) {
    const size_t size = replay.ticks.size();
    if (replaynext >= size) return 0;
    size_t end = replaynext + 1;
    while (end < size && !(replay.ticks[end] & tickpass)) ++end;
    const int count = static_cast<int>(end - replaynext);
    return count <= available ? count : 0;
}

void notepass() {
    if (out) std::fflush(out);
    passnext = true;
}

void recordtick(unsigned actionbits) {
    if (!out) return;
    writepending();
    pending = actionbits | (passnext ? tickpass : 0);
    havepending = true;
    passnext = false;
}

void recordread(unsigned bit) {
    if (havepending) pending |= bit;
}

unsigned replaytick() {
    replaycurrent = replaynext < replay.ticks.size() ? replay.ticks[replaynext++] : 0;
    return replaycurrent;
}

unsigned replayedbits() {
    return replaycurrent;
}
