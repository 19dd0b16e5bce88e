// compose: writes the game's eleven sound files and checks or measures them.
//   compose <outdir>                  write wav/ and xm/ under outdir
//   compose --check <dir>             read the files back and check them, and
//                                     print the music check's verdict per tune
//   compose --music <dir>             every fault the music check finds
//   compose --review <dir>            form, new melody bars, phrases, leads' fundamentals, pad
//                                     semitones, rubbing, repeats, loudness span, drum and kick level
//                                     (QM_REVIEW_BARS=1 lists every melody bar, new or heard before,
//                                     and the stock-rhythm bars; QM_REVIEW_RUBS=1 every rub,
//                                     QM_REVIEW_LEANS=1 every strong beat off the chord)
//   compose --report <dir>            key, tempo, instruments, length, loudness, the chime's fit
//   compose --listen <dir> <wavdir>   render each tune as the game hears it
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "effects.h"
#include "measure.h"
#include "music_check.h"
#include "render.h"
#include "score_report.h"
#include "tunes.h"
#include "wav.h"
#include "xm_check.h"
#include "xm_writer.h"

using namespace compose;

namespace {

struct Effect {
    const char* file;
    std::vector<int16_t> (*make)();
};
const Effect kEffects[] = {{"wav/sound2.wav", chimeEffect}, {"wav/sound5.wav", tickEffect}};

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

bool report(const std::string& file, const std::vector<std::string>& problems) {
    for (const std::string& p : problems) std::fprintf(stderr, "%s: %s\n", file.c_str(), p.c_str());
    return problems.empty();
}

int writeAll(const std::string& dir) {
    mkdir(dir.c_str(), 0755);
    mkdir((dir + "/wav").c_str(), 0755);
    mkdir((dir + "/xm").c_str(), 0755);
    bool ok = true;
    for (const Tune& t : allTunes()) {
        std::vector<uint8_t> bytes = writeXm(buildModule(t));
        ok = report(t.file, checkXm(bytes)) && writeFile(dir + "/" + t.file, bytes) && ok;
    }
    for (const Effect& e : kEffects) {
        std::vector<uint8_t> bytes = writeWav(e.make(), kEffectRate);
        ok = report(e.file, checkWav(bytes)) && writeFile(dir + "/" + e.file, bytes) && ok;
    }
    return ok ? 0 : 1;
}

// The music check's faults of one file, counted by rule.
std::string musicVerdict(const std::vector<std::string>& faults) {
    if (faults.empty()) return "pass";
    std::map<std::string, int> rules;
    for (const std::string& f : faults) rules[f.substr(0, f.find(':'))]++;
    std::string s = "FAIL";
    for (const auto& [rule, n] : rules) s += " " + std::to_string(n) + " " + rule;
    return s;
}

int checkAll(const std::string& dir) {
    bool ok = true;
    for (const Tune& t : allTunes()) {
        std::vector<uint8_t> bytes = readFile(dir + "/" + t.file);
        std::vector<std::string> problems = bytes.empty() ? std::vector<std::string>{"missing"} : checkXm(bytes);
        ok = report(t.file, problems) && ok;
        if (problems.empty())
            std::printf("music check %-13s %s\n", t.file.c_str(), musicVerdict(checkMusic(readPatterns(bytes), passageInfo(t))).c_str());
    }
    for (const Effect& e : kEffects) {
        std::vector<uint8_t> bytes = readFile(dir + "/" + e.file);
        ok = report(e.file, bytes.empty() ? std::vector<std::string>{"missing"} : checkWav(bytes)) && ok;
    }
    std::fprintf(ok ? stdout : stderr, "%s\n", ok ? "all files pass" : "problems found");
    return ok ? 0 : 1;
}

// How the chime sits in each tune: the share of its energy outside the
// scale of the passage playing, averaged over the loop's time, for the
// written chime and for the same strike on other notes.
void chimeReport(const std::string& dir) {
    std::vector<uint8_t> bytes = readFile(dir + "/wav/sound2.wav");
    std::vector<int16_t> wav;
    for (size_t i = 44; i + 1 < bytes.size(); i += 2) wav.push_back(int16_t(bytes[i] | bytes[i + 1] << 8));
    struct Candidate { const char* name; std::vector<double> shares; };
    std::vector<Candidate> cands = {{"written", pitchClassShares(wav, kEffectRate)}};
    for (auto [name, hz] : {std::pair{"G4", 392.0}, std::pair{"A4", 440.0}, std::pair{"C5", 523.25},
                            std::pair{"D5", 587.33}, std::pair{"E5", 659.26}})
        cands.push_back({name, pitchClassShares(struckChime(hz), kEffectRate)});
    std::printf("chime: energy outside the playing passage's scale, over each loop:\n  %-13s", "");
    for (const Candidate& c : cands) std::printf(" %7s", c.name);
    std::printf("\n");
    for (const Tune& t : allTunes()) {
        Module m = readPatterns(readFile(dir + "/" + t.file));
        std::vector<double> out(cands.size(), 0.0);
        double rows = 0;
        for (size_t o = size_t(m.restart); o < m.orders.size(); ++o) {
            const Section& sec = t.sections.at(size_t(m.orders[o]));
            if (words(sec.scale).empty()) continue;
            std::vector<bool> in(12, false);
            for (const std::string& w : words(sec.scale)) in[size_t((pitchNote(w + "4") - 1) % 12)] = true;
            for (size_t c = 0; c < cands.size(); ++c)
                for (int pc = 0; pc < 12; ++pc) out[c] += in[size_t(pc)] ? 0 : cands[c].shares[size_t(pc)] * sec.rows;
            rows += sec.rows;
        }
        std::printf("  %-13s", t.file.c_str());
        for (double v : out) std::printf(" %6.1f%%", 100 * v / std::max(1.0, rows));
        std::printf("\n");
    }
}

int musicAll(const std::string& dir) {
    bool ok = true;
    for (const Tune& t : allTunes()) {
        std::vector<std::string> faults = checkMusic(readPatterns(readFile(dir + "/" + t.file)), passageInfo(t));
        for (const std::string& f : faults) std::printf("%s: %s\n", t.file.c_str(), f.c_str());
        ok = ok && faults.empty();
    }
    return ok ? 0 : 1;
}

int reportAll(const std::string& dir) {
    std::printf("%-11s %-17s %6s %6s %6s %6s %5s %4s %9s  %s\n", "file", "key", "loop s", "new s", "peak", "rms",
                "lead", "vols", "effects", "instruments (samples)");
    for (const Tune& t : allTunes()) {
        std::string path = dir + "/" + t.file;
        std::vector<uint8_t> bytes = readFile(path);
        XmSummary s;
        checkXm(bytes, &s);
        Module m = readPatterns(bytes);
        double loop = dumbLoopSeconds(path);
        Loudness l = loudness(dumbRender(path, loop));
        // The lead's margin over the loudest other part, each rendered alone.
        double lead = loudness(dumbRenderBytes(soloChannel(bytes, 0), loop)).rmsDb, other = -200;
        for (int ch = 1; ch < m.channels; ++ch)
            other = std::max(other, loudness(dumbRenderBytes(soloChannel(bytes, ch), loop)).rmsDb);
        std::string inst, fx;
        for (size_t i = 0; i < s.instruments.size(); ++i)
            inst += (i ? "," : "") + s.instruments[i] + "(" + std::to_string(s.sampleCounts[i]) + ")";
        for (int e : effectTypes(m)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, e >= 0xE0 ? "E%X " : "%X ", e >= 0xE0 ? e & 15 : e);
            fx += buf;
        }
        std::printf("%-11s %-17s %6.1f %6.1f %6.1f %6.1f %5.1f %4zu %9s  %s\n", t.file.c_str() + 3, t.key.c_str(), loop,
                    newMaterialSeconds(m), l.peakDb, l.rmsDb, lead - other, volumeLevels(m).size(), fx.c_str(),
                    inst.c_str());
    }
    chimeReport(dir);
    return 0;
}

int listenAll(const std::string& dir, const std::string& out) {
    mkdir(out.c_str(), 0755);
    for (const Tune& t : allTunes()) {
        std::string path = dir + "/" + t.file;
        std::vector<int16_t> s = dumbRender(path, dumbLoopSeconds(path) * 1.5);
        std::string name = t.file.substr(3, t.file.size() - 6);
        writeFile(out + "/" + name + ".wav", writeWav(s, kGameRate));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> a(argv + 1, argv + argc);
    try {
        if (a.size() == 1 && a[0][0] != '-') return writeAll(a[0]);
        if (a.size() == 2 && a[0] == "--check") return checkAll(a[1]);
        if (a.size() == 2 && a[0] == "--report") return reportAll(a[1]);
        if (a.size() == 2 && a[0] == "--music") return musicAll(a[1]);
        if (a.size() == 2 && a[0] == "--review") {
            for (const Tune& t : allTunes()) try {
                    scoreReport(t, a[1]);
                } catch (const std::exception& e) {
                    std::printf("  (%s: %s)\n", t.file.c_str(), e.what());
                }
            return 0;
        }
        if (a.size() == 3 && a[0] == "--listen") return listenAll(a[1], a[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "compose: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: compose <outdir> | --check <dir> | --music <dir> | --review <dir> | --report <dir> | --listen <dir> <wavdir>\n");
    return 2;
}
