// XM serialisation. Every field is written byte by byte; cells are always
// packed so that absent fields stay absent (DUMB reads a present zero note
// as a note-off and a present zero instrument as a channel reset).
#include "xm_writer.h"

#include <stdexcept>

#include "bytes.h"

namespace compose {
namespace {

void writeHeader(std::vector<uint8_t>& b, const Module& m) {
    putText(b, "Extended Module: ", 17);
    putText(b, m.name, 20, ' ');
    put8(b, 0x1A);
    putText(b, "quellmarrow compose", 20, ' ');
    put16(b, 0x0104);
    put32(b, 276);
    put16(b, unsigned(m.orders.size()));
    put16(b, unsigned(m.restart));
    put16(b, unsigned(m.channels));
    put16(b, unsigned(m.patterns.size()));
    put16(b, unsigned(m.instruments.size()));
    put16(b, 1);  // linear frequency table
    put16(b, unsigned(m.speed));
    put16(b, unsigned(m.bpm));
    for (size_t i = 0; i < 256; ++i) put8(b, i < m.orders.size() ? unsigned(m.orders[i]) : 0);
}

void writeCell(std::vector<uint8_t>& b, const Cell& c) {
    uint8_t mask = 0x80;
    if (c.note) mask |= 1;
    if (c.instrument) mask |= 2;
    if (c.volume) mask |= 4;
    if (c.effect) mask |= 8;
    if (c.param) mask |= 16;
    put8(b, mask);
    if (c.note) put8(b, c.note);
    if (c.instrument) put8(b, c.instrument);
    if (c.volume) put8(b, c.volume);
    if (c.effect) put8(b, c.effect);
    if (c.param) put8(b, c.param);
}

}  // namespace

void writePattern(std::vector<uint8_t>& b, const Pattern& p) {
    put32(b, 9);
    put8(b, 0);
    put16(b, unsigned(p.rows));
    size_t sizeAt = b.size();
    put16(b, 0);
    size_t start = b.size();
    for (const Cell& c : p.cells) writeCell(b, c);
    size_t packed = b.size() - start;
    if (packed > 0xFFFF) throw std::runtime_error("pattern too large");
    set16(b, sizeAt, unsigned(packed));
}

namespace {

void writeInstrument(std::vector<uint8_t>& b, const Instrument& in) {
    const Envelope& env = in.volume;
    if (env.points.size() > 12) throw std::runtime_error("envelope has more than 12 points: " + in.name);
    if (in.samples.empty() || in.samples.size() > 16) throw std::runtime_error("1 to 16 samples: " + in.name);
    size_t start = b.size();
    put32(b, 263);
    putText(b, in.name, 22);
    put8(b, 0);
    put16(b, unsigned(in.samples.size()));
    put32(b, 40);
    for (int i = 0; i < 96; ++i) put8(b, in.noteMap[size_t(i)]);
    for (size_t i = 0; i < 12; ++i) {
        put16(b, i < env.points.size() ? env.points[i].x : 0);
        put16(b, i < env.points.size() ? env.points[i].y : 0);
    }
    for (int i = 0; i < 48; ++i) put8(b, 0);  // panning envelope
    put8(b, unsigned(env.points.size()));
    put8(b, 0);
    put8(b, env.sustain < 0 ? 0 : unsigned(env.sustain));
    put8(b, 0);
    put8(b, 0);
    put8(b, 0);
    put8(b, 0);
    put8(b, 0);
    unsigned type = env.points.empty() ? 0 : 1;
    if (!env.points.empty() && env.sustain >= 0) type |= 2;
    put8(b, type);
    put8(b, 0);
    put8(b, in.vibType);
    put8(b, in.vibSweep);
    put8(b, in.vibDepth);
    put8(b, in.vibRate);
    put16(b, in.fadeout);
    put16(b, 0);
    for (int i = 0; i < 20; ++i) put8(b, 0);
    if (b.size() - start != 263) throw std::logic_error("instrument header size");

    // All sample headers, then all data; lengths in bytes, data is 16-bit.
    for (const Sample& s : in.samples) {
        put32(b, uint32_t(s.data.size() * 2));
        put32(b, s.looped ? s.loopStart * 2 : 0);
        put32(b, s.looped ? s.loopLength * 2 : 0);
        put8(b, s.defaultVolume);
        put8(b, uint8_t(s.finetune));
        put8(b, 0x10 | (s.looped ? 1 : 0));
        put8(b, 128);
        put8(b, uint8_t(s.relativeNote));
        put8(b, 0);
        putText(b, s.name, 22);
    }
    for (const Sample& s : in.samples) {
        int16_t prev = 0;
        for (int16_t v : s.data) {
            put16(b, uint16_t(uint16_t(v) - uint16_t(prev)));
            prev = v;
        }
    }
}

}  // namespace

std::vector<uint8_t> writeXm(const Module& m) {
    std::vector<uint8_t> b;
    writeHeader(b, m);
    for (const Pattern& p : m.patterns) writePattern(b, p);
    for (const Instrument& in : m.instruments) writeInstrument(b, in);
    return b;
}

}  // namespace compose
