// Little-endian byte helpers shared by the XM and WAV writers and readers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace compose {

inline void put8(std::vector<uint8_t>& b, unsigned v) { b.push_back(uint8_t(v)); }
inline void put16(std::vector<uint8_t>& b, unsigned v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
// Fixed-width text field, NUL padded, truncated if too long.
inline void putText(std::vector<uint8_t>& b, const std::string& s, size_t width, char pad = 0) {
    for (size_t i = 0; i < width; ++i) b.push_back(uint8_t(i < s.size() ? s[i] : pad));
}
inline void set32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}
inline void set16(std::vector<uint8_t>& b, size_t at, unsigned v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

inline unsigned get16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
inline uint32_t get32(const std::vector<uint8_t>& b, size_t at) {
    return get16(b, at) | (uint32_t(get16(b, at + 2)) << 16);
}

}  // namespace compose
