// Fuzz target for the sound file check: it reads untrusted bytes, so it must
// never step outside them, whatever sizes they declare. The bytes sit in a
// buffer of exactly their size, so any overrun is an AddressSanitizer error.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "shell/soundcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<unsigned char> bytes(data, data + size);
    const bool wav = wavplausible(bytes.data(), bytes.size());
    const bool xm = xmplausible(bytes.data(), bytes.size());
    // The two formats start with different magic, so nothing passes as both.
    if (wav && xm) std::abort();
    return 0;
}
