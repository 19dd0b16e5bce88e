// Measures on the bytes, so they judge exactly what the game will load.
#include "measure.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>
#include <tuple>

#include "bytes.h"
#include "spectrum.h"
#include "xm_writer.h"

namespace compose {
namespace {

// Offset of the first instrument, after reading every pattern into m.
size_t parse(const std::vector<uint8_t>& b, Module& m) {
    if (b.size() < 336) throw std::runtime_error("not an XM");
    int orders = int(get16(b, 64));
    m.restart = int(get16(b, 66));
    m.channels = int(get16(b, 68));
    int patterns = int(get16(b, 70));
    m.speed = int(get16(b, 76));
    m.bpm = int(get16(b, 78));
    for (int o = 0; o < orders; ++o) m.orders.push_back(b[80 + size_t(o)]);
    size_t at = 336;
    for (int p = 0; p < patterns; ++p) {
        if (at + 9 > b.size()) throw std::runtime_error("pattern header past the end");
        int rows = int(get16(b, at + 5));
        size_t packed = get16(b, at + 7), pos = at + 9, end = pos + packed;
        if (end > b.size()) throw std::runtime_error("pattern data past the end");
        Pattern pat(rows, m.channels);
        for (Cell& c : pat.cells) {
            if (pos >= end) throw std::runtime_error("pattern data too short");
            unsigned first = b[pos++], mask = first & 0x80 ? first : 0x1F;
            if (!(first & 0x80)) --pos;
            auto take = [&](unsigned bit) { return uint8_t(mask & bit && pos < end ? b[pos++] : 0); };
            c.note = take(1), c.instrument = take(2), c.volume = take(4), c.effect = take(8), c.param = take(16);
        }
        m.patterns.push_back(std::move(pat));
        at = end;
    }
    return at;
}

}  // namespace

Module readPatterns(const std::vector<uint8_t>& bytes) {
    Module m;
    size_t at = parse(bytes, m);
    // Instruments: name and, per sample, only whether it loops (no data).
    int count = int(get16(bytes, 72));
    for (int i = 0; i < count; ++i) {
        if (at + 29 > bytes.size()) throw std::runtime_error("instrument header past the end");
        Instrument in;
        for (size_t k = 4; k < 26 && bytes[at + k]; ++k) in.name += char(bytes[at + k]);
        size_t samples = get16(bytes, at + 27), head = at + get32(bytes, at), data = 0;
        for (size_t k = 0; k < samples; ++k, head += 40) {
            if (head + 40 > bytes.size()) throw std::runtime_error("sample header past the end");
            Sample s;
            s.looped = (bytes[head + 14] & 3) != 0;
            data += get32(bytes, head);
            in.samples.push_back(s);
        }
        at = head + data;
        m.instruments.push_back(std::move(in));
    }
    return m;
}

double newMaterialSeconds(const Module& m) {
    using Event = std::tuple<int, int, int>;
    std::vector<std::vector<Event>> blocks;
    for (int o : m.orders) {
        const Pattern& p = m.patterns.at(size_t(o));
        for (int start = 0; start + 16 <= p.rows; start += 16) {
            std::vector<Event> e;
            for (int r = 0; r < 16; ++r)
                for (int ch = 0; ch < p.channels; ++ch)
                    if (int n = p.at(start + r, ch).note; n >= 1 && n <= 96) e.emplace_back(r, ch, n);
            blocks.push_back(std::move(e));
        }
    }
    int fresh = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const std::vector<Event>& a = blocks[i];
        bool isNew = !a.empty();
        for (size_t j = 0; j < i && isNew; ++j) {
            std::vector<Event> shared;
            std::set_intersection(a.begin(), a.end(), blocks[j].begin(), blocks[j].end(), std::back_inserter(shared));
            isNew = shared.size() < 0.7 * a.size();
        }
        fresh += isNew;
    }
    return fresh * 16 * m.speed * 2.5 / m.bpm;
}

std::set<int> effectTypes(const Module& m) {
    std::set<int> s;
    for (int o : m.orders)
        for (const Cell& c : m.patterns.at(size_t(o)).cells)
            if (c.effect || c.param) s.insert(c.effect == 14 ? 0xE0 | (c.param >> 4) : c.effect);
    return s;
}

std::set<int> volumeLevels(const Module& m) {
    std::set<int> s;
    for (int o : m.orders)
        for (const Cell& c : m.patterns.at(size_t(o)).cells)
            if (c.volume >= 0x10 && c.volume <= 0x50) s.insert(c.volume - 0x10);
    return s;
}

std::vector<double> pitchClassShares(const std::vector<int16_t>& samples, double rate) {
    size_t n = 1;
    while (n < samples.size() * 4) n *= 2;
    std::vector<double> p = powerSpectrum(std::vector<double>(samples.begin(), samples.end()), n), c(12, 0.0);
    double all = 1e-30;
    for (size_t k = 1; k < p.size(); ++k) {
        double hz = double(k) * rate / double(n);
        if (hz < 150 || hz > 2000) continue;
        double m = 12 * std::log2(hz / 261.6256), lo = std::floor(m), f = m - lo;
        int pc = ((int(lo) % 12) + 12) % 12;
        c[size_t(pc)] += p[k] * (1 - f), c[size_t((pc + 1) % 12)] += p[k] * f, all += p[k];
    }
    for (double& v : c) v /= all;
    return c;
}

std::vector<uint8_t> soloChannel(const std::vector<uint8_t>& bytes, int channel, bool mute) {
    Module m;
    size_t instruments = parse(bytes, m);
    std::vector<uint8_t> out(bytes.begin(), bytes.begin() + 336);
    for (Pattern& p : m.patterns) {
        for (int r = 0; r < p.rows; ++r)
            for (int ch = 0; ch < p.channels; ++ch)
                if ((ch != channel) != mute) p.at(r, ch) = Cell{};
        writePattern(out, p);
    }
    out.insert(out.end(), bytes.begin() + long(instruments), bytes.end());
    return out;
}

}  // namespace compose
