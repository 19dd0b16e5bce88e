// Sound file sanity checks. They follow the loaders' own reading order: the
// WAV loader steps from chunk to chunk without RIFF pad bytes, and the XM
// reader seeks by every size it is given, so each size is checked against
// what is left of the file.
#include "shell/soundcheck.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

uint32_t le16(const unsigned char* p) {
    return p[0] | p[1] << 8;
}

uint32_t le32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Bytes left from at to the end, 0 past it.
std::size_t left(std::size_t size, std::size_t at) {
    return at < size ? size - at : 0;
}

// Whether the packed cells of a pattern fill exactly its packed size. The
// reader decodes from a larger buffer and would go on into bytes the file
// never gave it.
bool cellsfit(const unsigned char* cells, std::size_t packed, uint32_t count) {
    std::size_t at = 0;
    for (uint32_t c = 0; c < count; ++c) {
        if (at >= packed) return false;
        const unsigned char first = cells[at++];
        if (first & 0x80) {
            for (int bit = 0; bit < 5; ++bit) at += (first >> bit) & 1;
        } else {
            at += 4;  // the note was the first byte; instrument, volume, effect, parameter follow
        }
    }
    return at == packed;
}

}  // namespace

bool wavplausible(const unsigned char* b, std::size_t size) {
    if (size < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0) return false;
    bool fmt = false, data = false;
    std::size_t at = 12;
    // A few stray bytes after the last chunk are harmless: the loader stops at the end.
    while (left(size, at) >= 8) {
        const unsigned char* chunk = b + at;
        const uint32_t length = le32(chunk + 4);
        if (length > left(size, at + 8)) return false;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 16) return false;
            const uint32_t format = le16(chunk + 8), channels = le16(chunk + 10), bits = le16(chunk + 22);
            if (format != 1 || channels < 1 || channels > 2 || (bits != 8 && bits != 16)) return false;
            fmt = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            // An empty sample trips the loader; data before fmt loads with made-up defaults.
            if (length == 0 || !fmt) return false;
            data = true;
        }
        at += 8 + static_cast<std::size_t>(length);
    }
    return fmt && data;
}

bool xmplausible(const unsigned char* b, std::size_t size) {
    if (size < 336) return false;
    if (std::memcmp(b, "Extended Module: ", 17) != 0 || b[37] != 0x1a) return false;
    if (le16(b + 58) != 0x0104 || le32(b + 60) != 276) return false;
    const uint32_t songlength = le16(b + 64), channels = le16(b + 68);
    const uint32_t patterns = le16(b + 70), instruments = le16(b + 72), bpm = le16(b + 78);
    if (songlength < 1 || songlength > 256 || channels < 1 || channels > 64) return false;
    if (patterns > 256 || instruments > 128) return false;
    // The player keeps the tempo in a byte and divides by it.
    if (bpm < 1 || bpm > 255) return false;

    std::size_t at = 336;
    for (uint32_t p = 0; p < patterns; ++p) {
        if (left(size, at) < 9) return false;
        const uint32_t headerlength = le32(b + at), rows = le16(b + at + 5), packed = le16(b + at + 7);
        if (headerlength != 9 || b[at + 4] != 0 || rows < 1 || rows > 256) return false;
        if (packed > left(size, at + 9)) return false;
        if (packed > 0 && !cellsfit(b + at + 9, packed, rows * channels)) return false;
        at += 9 + packed;
    }
    for (uint32_t i = 0; i < instruments; ++i) {
        if (left(size, at) < 29) return false;
        const uint32_t headersize = le32(b + at), samples = le16(b + at + 27);
        if (samples > 16 || headersize < 29 || headersize > left(size, at)) return false;
        if (samples == 0) {
            at += headersize;
            continue;
        }
        // The reader takes 243 bytes of an instrument with samples whatever its size says.
        if (headersize < 243 || le32(b + at + 29) != 40) return false;
        at += headersize;
        if (left(size, at) < 40u * samples) return false;
        std::size_t data = 0;
        for (uint32_t s = 0; s < samples; ++s) data += le32(b + at + 40 * s);
        at += 40u * samples;
        if (data > left(size, at)) return false;
        at += data;
    }
    return true;
}

bool soundfileplausible(const char* path) {
    const std::size_t n = std::strlen(path);
    const bool wav = n >= 4 && strcasecmp(path + n - 4, ".wav") == 0;
    const bool xm = n >= 3 && strcasecmp(path + n - 3, ".xm") == 0;
    if (!wav && !xm) return false;
    // Not blocking: a FIFO standing in for the file would wait for a writer
    // for ever; anything but a regular file is no sound file.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    std::FILE* f = nullptr;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) f = fdopen(fd, "rb");
    if (!f) {
        close(fd);
        return false;
    }
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(f);
    return wav ? wavplausible(bytes.data(), bytes.size()) : xmplausible(bytes.data(), bytes.size());
}
