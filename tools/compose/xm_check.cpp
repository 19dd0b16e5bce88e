// The XM read-back check. It walks the file with its own cursor rather than
// reusing the writer, so a layout mistake in the writer shows up here.
#include "xm_check.h"

#include <cstring>

#include "bytes.h"

namespace compose {
namespace {

struct Reader {
    const std::vector<uint8_t>& b;
    size_t pos = 0;
    bool ok = true;
    bool need(size_t n) {
        if (pos + n > b.size()) ok = false;
        return ok;
    }
    unsigned u8() { return need(1) ? b[pos++] : 0; }
    unsigned u16() {
        if (!need(2)) return 0;
        unsigned v = get16(b, pos);
        pos += 2;
        return v;
    }
    uint32_t u32() {
        if (!need(4)) return 0;
        uint32_t v = get32(b, pos);
        pos += 4;
        return v;
    }
};

std::string at(const char* what, int i) { return std::string(what) + " " + std::to_string(i) + ": "; }

void checkPattern(Reader& r, int index, int channels, int instruments, std::vector<int>& rowsOut,
                  std::vector<std::string>& bad) {
    std::string where = at("pattern", index);
    if (r.u32() != 9) bad.push_back(where + "header length is not 9");
    if (r.u8() != 0) bad.push_back(where + "packing type is not 0");
    unsigned rows = r.u16();
    unsigned packed = r.u16();
    rowsOut.push_back(int(rows));
    if (rows < 1 || rows > 256) bad.push_back(where + "row count out of range");
    if (packed > 1280u * unsigned(channels)) bad.push_back(where + "packed size too large");
    if (!r.need(packed)) {
        bad.push_back(where + "truncated");
        return;
    }
    size_t end = r.pos + packed;
    long cells = 0;
    while (r.pos < end) {
        unsigned first = r.u8();
        unsigned mask = (first & 0x80) ? first : 0x1F;
        unsigned note = (first & 0x80) ? ((mask & 1) ? r.u8() : 0) : first;
        unsigned inst = (mask & 2) ? r.u8() : 0;
        unsigned vol = (mask & 4) ? r.u8() : 0;
        unsigned eff = (mask & 8) ? r.u8() : 0;
        unsigned par = (mask & 16) ? r.u8() : 0;
        std::string cell = where + "row " + std::to_string(cells / channels) + " channel " +
                           std::to_string(cells % channels) + ": ";
        if ((mask & 1) && (note < 1 || note > 97)) bad.push_back(cell + "note out of range");
        if ((mask & 2) && (inst < 1 || int(inst) > instruments)) bad.push_back(cell + "instrument out of range");
        if ((mask & 4) && vol < 0x10) bad.push_back(cell + "empty volume byte present");
        if ((mask & 4) && vol >= 0x51 && vol <= 0x5F) bad.push_back(cell + "volume above 64");
        if (eff > 35) bad.push_back(cell + "effect out of range");
        if (eff == 15 && par == 0) bad.push_back(cell + "F00");
        ++cells;
    }
    if (r.pos != end) bad.push_back(where + "last cell runs past the packed size");
    if (cells != long(rows) * channels) bad.push_back(where + "cells do not fill exactly the rows");
}

void checkEnvelope(const std::vector<uint8_t>& b, size_t base, const std::string& where,
                   std::vector<std::string>& bad) {
    unsigned count = b[base + 225 - 0];
    unsigned type = b[base + 233];
    if (count > 12) bad.push_back(where + "more than 12 envelope points");
    if (!(type & 1)) return;
    if (count < 1) bad.push_back(where + "enabled envelope without points");
    for (unsigned i = 0; i < count && i < 12; ++i) {
        unsigned x = get16(b, base + 129 + 4 * i), y = get16(b, base + 131 + 4 * i);
        if (y > 64) bad.push_back(where + "envelope y above 64");
        if (i == 0 && x != 0) bad.push_back(where + "envelope does not start at x 0");
        if (i > 0 && x <= get16(b, base + 129 + 4 * (i - 1))) bad.push_back(where + "envelope x not increasing");
    }
    if ((type & 2) && b[base + 227] >= count) bad.push_back(where + "sustain point past the last point");
}

void checkInstrument(Reader& r, int index, XmSummary& s, std::vector<std::string>& bad) {
    std::string where = at("instrument", index + 1);
    size_t base = r.pos;
    uint32_t size = r.u32();
    if (size != 263) bad.push_back(where + "header size is not 263");
    if (!r.need(259)) {
        bad.push_back(where + "truncated header");
        return;
    }
    s.instruments.emplace_back(reinterpret_cast<const char*>(&r.b[base + 4]), strnlen(reinterpret_cast<const char*>(&r.b[base + 4]), 22));
    unsigned samples = get16(r.b, base + 27);
    s.sampleCounts.push_back(int(samples));
    if (samples < 1 || samples > 16) bad.push_back(where + "sample count not 1..16");
    if (get32(r.b, base + 29) != 40) bad.push_back(where + "sample header size is not 40");
    for (int n = 0; n < 96; ++n)
        if (r.b[base + 33 + n] >= samples) bad.push_back(where + "note " + std::to_string(n + 1) + " maps to a missing sample");
    checkEnvelope(r.b, base, where, bad);
    if (r.b[base + 235] > 3) bad.push_back(where + "vibrato type above 3");
    unsigned fade = get16(r.b, base + 239);
    if (fade != 0 && fade < 32) bad.push_back(where + "fadeout below 32 never fades");
    if (fade > 0xFFF) bad.push_back(where + "fadeout above 0xFFF");
    r.pos = base + 263;

    uint64_t total = 0;
    for (unsigned k = 0; k < samples && k < 16; ++k) {
        std::string w = where + "sample " + std::to_string(k) + ": ";
        if (!r.need(40)) {
            bad.push_back(w + "truncated sample header");
            return;
        }
        uint32_t len = r.u32(), loopStart = r.u32(), loopLen = r.u32();
        unsigned vol = r.u8();
        r.u8();
        unsigned type = r.u8();
        r.u8();
        r.u8();
        unsigned reserved = r.u8();
        r.pos += 22;
        if (vol > 64) bad.push_back(w + "sample volume above 64");
        if ((type & 3) == 3) bad.push_back(w + "loop type 3");
        if (reserved != 0) bad.push_back(w + "reserved sample byte set");
        bool wide = type & 0x10;
        if (wide && (len % 2 || loopStart % 2 || loopLen % 2)) bad.push_back(w + "odd byte count in 16-bit sample");
        if ((type & 3) && (loopLen == 0 || uint64_t(loopStart) + loopLen > len)) bad.push_back(w + "loop outside the sample");
        if (len == 0) bad.push_back(w + "empty sample");
        total += len;
    }
    if (!r.need(size_t(total))) {
        bad.push_back(where + "truncated sample data");
        return;
    }
    r.pos += size_t(total);
}

}  // namespace

std::vector<std::string> checkXm(const std::vector<uint8_t>& b, XmSummary* summary) {
    std::vector<std::string> bad;
    XmSummary s;
    if (b.size() < 336) return {"file shorter than the 336-byte header"};
    if (std::memcmp(b.data(), "Extended Module: ", 17) != 0) bad.push_back("wrong ID text");
    if (b[37] != 0x1A) bad.push_back("missing 0x1A");
    if (get16(b, 58) != 0x0104) bad.push_back("version is not 0x0104");
    if (get32(b, 60) != 276) bad.push_back("header size is not 276");
    s.name.assign(reinterpret_cast<const char*>(&b[17]), 20);
    s.orders = int(get16(b, 64));
    s.restart = int(get16(b, 66));
    s.channels = int(get16(b, 68));
    s.patterns = int(get16(b, 70));
    int instruments = int(get16(b, 72));
    s.speed = int(get16(b, 76));
    s.bpm = int(get16(b, 78));
    if (s.orders < 1 || s.orders > 256) bad.push_back("song length out of range");
    if (s.restart >= s.orders) bad.push_back("restart position past the song");
    if (s.channels < 2 || s.channels > 32 || s.channels % 2) bad.push_back("channel count not even 2..32");
    if (s.patterns < 1 || s.patterns > 256) bad.push_back("pattern count out of range");
    if (instruments < 1 || instruments > 128) bad.push_back("instrument count out of range");
    if (get16(b, 74) != 1) bad.push_back("flags are not the linear table alone");
    if (s.speed < 1 || s.speed > 31) bad.push_back("speed out of 1..31");
    if (s.bpm < 32 || s.bpm > 255) bad.push_back("BPM out of 32..255");
    if (!bad.empty()) {
        if (summary) *summary = s;
        return bad;
    }

    Reader r{b, 336};
    std::vector<int> rows;
    for (int p = 0; p < s.patterns && r.ok; ++p) checkPattern(r, p, s.channels, instruments, rows, bad);
    for (int i = 0; i < instruments && r.ok; ++i) checkInstrument(r, i, s, bad);
    if (!r.ok) bad.push_back("file ends inside the data the headers announce");
    else if (r.pos != b.size()) bad.push_back("bytes after the last sample");

    for (int o = 0; o < s.orders; ++o) {
        int p = b[80 + o];
        if (p >= s.patterns) bad.push_back(at("order", o) + "names a missing pattern");
        else if (p < int(rows.size())) s.totalRows += rows[p];
    }
    s.seconds = double(s.totalRows) * s.speed * 2.5 / s.bpm;
    if (summary) *summary = s;
    return bad;
}

}  // namespace compose
