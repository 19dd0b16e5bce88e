// WAV writing and read-back for the two sound effects (16-bit mono PCM).
#include "wav.h"

#include <cstring>

#include "bytes.h"

namespace compose {

std::vector<uint8_t> writeWav(const std::vector<int16_t>& samples, int rate) {
    std::vector<uint8_t> b;
    uint32_t dataBytes = uint32_t(samples.size() * 2);
    putText(b, "RIFF", 4);
    put32(b, 36 + dataBytes);
    putText(b, "WAVE", 4);
    putText(b, "fmt ", 4);
    put32(b, 16);
    put16(b, 1);
    put16(b, 1);
    put32(b, uint32_t(rate));
    put32(b, uint32_t(rate) * 2);
    put16(b, 2);
    put16(b, 16);
    putText(b, "data", 4);
    put32(b, dataBytes);
    for (int16_t s : samples) put16(b, uint16_t(s));
    return b;
}

std::vector<std::string> checkWav(const std::vector<uint8_t>& b, WavInfo* info) {
    if (b.size() < 44) return {"shorter than a 44-byte header"};
    std::vector<std::string> bad;
    if (std::memcmp(&b[0], "RIFF", 4) || std::memcmp(&b[8], "WAVE", 4)) bad.push_back("not RIFF WAVE");
    if (get32(b, 4) != b.size() - 8) bad.push_back("RIFF size does not match the file");
    if (std::memcmp(&b[12], "fmt ", 4) || get32(b, 16) != 16) bad.push_back("first chunk is not a 16-byte fmt");
    if (std::memcmp(&b[36], "data", 4)) bad.push_back("second chunk is not data");
    WavInfo w;
    w.channels = int(get16(b, 22));
    w.rate = int(get32(b, 24));
    w.bits = int(get16(b, 34));
    if (get16(b, 20) != 1) bad.push_back("not PCM");
    if (w.channels != 1) bad.push_back("not mono");
    if (w.bits != 16) bad.push_back("not 16-bit");
    if (get16(b, 32) != unsigned(w.channels * w.bits / 8)) bad.push_back("block align wrong");
    if (get32(b, 28) != uint32_t(w.rate) * get16(b, 32)) bad.push_back("byte rate wrong");
    uint32_t n = get32(b, 40);
    if (n == 0 || n % 2) bad.push_back("data size empty or odd");
    if (44 + size_t(n) != b.size()) bad.push_back("data size does not match the file");
    else
        for (size_t i = 44; i + 1 < b.size(); i += 2) w.samples.push_back(int16_t(get16(b, i)));
    if (info) *info = w;
    return bad;
}

}  // namespace compose
