// The random numbers of the presentation: noise and jitter for every frame.
// Any generator with the right ranges will do, and the C library's rand()
// is far too slow for 20,000 rectangles a frame, so this is splitmix64: its
// state only adds a constant, so one draw never waits for the mixing of the
// one before, and each 64-bit draw serves two rectangles. The scrambling of
// the levels keeps using rand().
#pragma once
#include <cstdint>

class Jitter {
public:
    explicit Jitter(uint64_t seed = 0x9e3779b97f4a7c15ull) { reseed(seed); }
    void reseed(uint64_t seed) {
        state = seed;
        spare = false;
    }

    uint64_t next64() {
        uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }

    uint32_t next() { return static_cast<uint32_t>(next64() >> 32); }

    // A value from 0 to n - 1.
    int below(int n) { return static_cast<int>((uint64_t(next()) * uint32_t(n)) >> 32); }

    // A value from 0 to 80: four independent digits 0..2 (3^4 = 81), one
    // rectangle's edge offsets. Half of a 64-bit draw each.
    int rectcode() {
        uint32_t half;
        if (spare) {
            half = sparehalf;
            spare = false;
        } else {
            const uint64_t r = next64();
            half = static_cast<uint32_t>(r);
            sparehalf = static_cast<uint32_t>(r >> 32);
            spare = true;
        }
        return static_cast<int>((uint64_t(half) * 81u) >> 32);
    }

private:
    uint64_t state;
    uint32_t sparehalf = 0;
    bool spare = false;
};

// The generator presentFrame draws from; tests reseed it to replay a frame.
extern Jitter jitter;
