// The random numbers of the presentation: noise and jitter for every frame.
// Any generator with the right ranges will do, and the C library's rand()
// is far too slow for 80,000 numbers a frame, so this is a xorshift. The
// scrambling of the levels keeps using rand().
#pragma once
#include <cstdint>

class Jitter {
public:
    explicit Jitter(uint64_t seed = 0x9e3779b97f4a7c15ull) { reseed(seed); }
    void reseed(uint64_t seed) { state = seed ? seed : 1; }

    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<uint32_t>(state >> 32);
    }

    // A value from 0 to n - 1.
    int below(int n) { return static_cast<int>((uint64_t(next()) * uint32_t(n)) >> 32); }

private:
    uint64_t state;
};

// The generator presentFrame draws from; tests reseed it to replay a frame.
extern Jitter jitter;
