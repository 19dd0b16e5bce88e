// Plays every tune through DUMB exactly as the game does (mono, 4 kHz,
// volume 0.2) and asks OpenMPT for a second opinion on its length and on
// its loudness second by second; reads the patterns for how much of the
// loop is new, and renders the lead alone against every other part.
#include <dumb.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <regex>

#include "data_files.h"
#include "measure.h"
#include "render.h"
#include "score_report.h"
#include "tunes.h"
#include "xm_check.h"

namespace {

constexpr int kRate = 4000;

struct Dumb {
    DUH* duh;
    explicit Dumb(const std::string& path) {
        dumb_register_stdfiles();
        duh = dumb_load_xm_quick(path.c_str());
    }
    ~Dumb() {
        if (duh) unload_duh(duh);
    }
};

// Seconds to the first loop, with DUMB's own terminate callback.
double loopSeconds(DUH* duh) {
    DUH_SIGRENDERER* sr = duh_start_sigrenderer(duh, 0, 1, 0);
    dumb_it_set_loop_callback(duh_get_it_sigrenderer(sr), dumb_it_callback_terminate, nullptr);
    std::vector<short> buf(kRate);
    long total = 0, n;
    do {
        n = duh_render(sr, 16, 0, 0.2f, 65536.0f / kRate, kRate, buf.data());
        total += n;
    } while (n == kRate && total < 400L * kRate);
    duh_end_sigrenderer(sr);
    return double(total) / kRate;
}

bool haveOpenMpt() {
    return !std::string(OPENMPT123).empty() && std::string(OPENMPT123).find("NOTFOUND") == std::string::npos;
}

class Tune : public ::testing::TestWithParam<std::string> {
protected:
    std::string path() const { return dataPath("xm/" + GetParam() + ".xm"); }
    // Level tunes are heard for many minutes, the two menu tunes for fewer.
    bool level() const { return GetParam().compare(0, 5, "track") == 0; }
    // The score that wrote the file, for each passage's metre.
    compose::Tune tune() const {
        for (const compose::Tune& t : compose::allTunes())
            if (t.file == "xm/" + GetParam() + ".xm") return t;
        throw std::runtime_error("no score writes " + GetParam());
    }
};

TEST_P(Tune, LoopsInItsRangeWithEnoughNewMaterial) {
    Dumb d(path());
    ASSERT_NE(d.duh, nullptr);
    double len = loopSeconds(d.duh);
    EXPECT_GE(len, level() ? 150.0 : 90.0);
    EXPECT_LE(len, level() ? 300.0 : 240.0);

    std::vector<unsigned char> bytes = readBytes(path());
    compose::Module m = compose::readPatterns(bytes);
    // Bars of melody new to the ear, as the review counts them: 32 for a level tune, 20 for a menu's.
    EXPECT_GE(compose::melodyFigures(m, tune()).fresh, level() ? 32 : 20);
    EXPECT_GE(compose::effectTypes(m).size(), 3u);
    EXPECT_GE(compose::volumeLevels(m).size(), 4u);
    compose::XmSummary s;
    EXPECT_TRUE(compose::checkXm(bytes, &s).empty());
    EXPECT_GE(*std::max_element(s.sampleCounts.begin(), s.sampleCounts.end()), 2) << "no instrument maps two samples";
}

// Channel 0 carries the lead wherever the plan moves it.
TEST_P(Tune, LeadIsThreeDecibelsAboveEveryOtherPartAlone) {
    std::vector<unsigned char> bytes = readBytes(path());
    Dumb d(path());
    ASSERT_NE(d.duh, nullptr);
    double len = loopSeconds(d.duh);
    int channels = bytes[68];
    double lead = compose::loudness(compose::dumbRenderBytes(compose::soloChannel(bytes, 0), len)).rmsDb;
    for (int ch = 1; ch < channels; ++ch)
        EXPECT_GE(lead - compose::loudness(compose::dumbRenderBytes(compose::soloChannel(bytes, ch), len)).rmsDb, 3.0)
            << "channel " << ch;
}

// One and a half passes, one second at a time: the song must wrap to its
// restart order, no second may be silent, and the level must be audible
// at the game's volume without clipping.
TEST_P(Tune, LoopsForeverAndNeverFallsSilent) {
    Dumb d(path());
    ASSERT_NE(d.duh, nullptr);
    std::vector<unsigned char> bytes = readBytes(path());
    ASSERT_GT(bytes.size(), 68u);
    int restart = bytes[66] | (bytes[67] << 8);
    int seconds = int(std::ceil(loopSeconds(d.duh) * 1.5));

    DUH_SIGRENDERER* sr = duh_start_sigrenderer(d.duh, 0, 1, 0);
    DUMB_IT_SIGRENDERER* it = duh_get_it_sigrenderer(sr);
    std::vector<short> buf(kRate);
    int lastOrder = -1, wrappedTo = -1, peak = 0;
    double sum = 0;
    for (int s = 0; s < seconds; ++s) {
        ASSERT_EQ(duh_render(sr, 16, 0, 0.2f, 65536.0f / kRate, kRate, buf.data()), kRate) << "second " << s;
        int secondPeak = 0;
        for (short v : buf) {
            secondPeak = std::max(secondPeak, std::abs(int(v)));
            sum += double(v) * v;
        }
        EXPECT_GT(secondPeak, 30) << GetParam() << " is silent in second " << s;
        peak = std::max(peak, secondPeak);
        int order = dumb_it_sr_get_current_order(it);
        if (order < lastOrder && wrappedTo < 0) wrappedTo = order;
        lastOrder = order;
    }
    duh_end_sigrenderer(sr);
    EXPECT_EQ(wrappedTo, restart) << "the order list never wrapped back to the restart position";

    double rmsDb = 20 * std::log10(std::sqrt(sum / (double(seconds) * kRate)) / 32768);
    EXPECT_LT(peak, 29000) << "close to clipping";
    // DUMB scales linearly, so this is the peak at full volume keeping 1 dB of headroom.
    EXPECT_LT(peak, 0.89 * 0.2 * 32768) << "would clip at full volume";
    // The mean of a tune whose quiet passages sit 5 dB and more under its loud
    // ones: a higher floor would cost either that arc or the headroom above.
    EXPECT_GT(rmsDb, -34.0);
    EXPECT_LT(rmsDb, -18.0);
}

TEST_P(Tune, OpenMptAgreesOnTypeAndDuration) {
    if (!haveOpenMpt()) GTEST_SKIP() << "openmpt123 not installed";
    std::string out = runCommand(std::string(OPENMPT123) + " --info '" + path() + "'");
    std::string lower = out;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_EQ(lower.find("error"), std::string::npos) << out;
    EXPECT_EQ(lower.find("warning"), std::string::npos) << out;
    EXPECT_TRUE(std::regex_search(out, std::regex("Type\\.*: xm "))) << out;

    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, std::regex("Duration\\.*: (\\d+):(\\d+\\.\\d+)"))) << out;
    double openmpt = std::stoi(m[1]) * 60 + std::stod(m[2]);
    Dumb d(path());
    ASSERT_NE(d.duh, nullptr);
    // OpenMPT rounds each tick down to whole samples at 48 kHz, so the tunes
    // use tempos whose ticks are whole samples there (BPM dividing 120000).
    EXPECT_NEAR(openmpt, loopSeconds(d.duh), 0.01);
}

// Per-second RMS of one pass, DUMB at the game's rate against OpenMPT at
// 48 kHz (where every tick is whole samples): after the players' constant
// difference in level, no second may differ by more than 2 dB, so every
// effect the tunes use is played alike.
TEST_P(Tune, DumbAndOpenMptAgreeSecondBySecond) {
    if (!haveOpenMpt()) GTEST_SKIP() << "openmpt123 not installed";
    Dumb d(path());
    ASSERT_NE(d.duh, nullptr);
    int seconds = int(loopSeconds(d.duh));
    std::vector<int16_t> dumb = compose::dumbRender(path(), seconds);
    std::string raw = runCommand(std::string(OPENMPT123) + " --batch --quiet --stdout --samplerate 48000 --channels 1 "
                                 "--no-float '" + path() + "'", false);
    ASSERT_GE(raw.size(), size_t(seconds) * 48000 * 2);
    auto db = [](const int16_t* s, int n) {
        double sum = 0;
        for (int i = 0; i < n; ++i) sum += double(s[i]) * s[i];
        return 10 * std::log10(sum / n + 1e-9);
    };
    std::vector<double> diff;
    for (int s = 0; s < seconds; ++s)
        diff.push_back(db(&dumb[size_t(s) * kRate], kRate) -
                       db(reinterpret_cast<const int16_t*>(raw.data()) + size_t(s) * 48000, 48000));
    std::vector<double> sorted = diff;
    std::sort(sorted.begin(), sorted.end());
    double offset = sorted[sorted.size() / 2];
    for (int s = 0; s < seconds; ++s) EXPECT_NEAR(diff[size_t(s)], offset, 2.0) << "second " << s;
}

// A pass of the loop as a listener meets it: no semitone in the pad, little
// held rubbing, at most a third of its melody bars heard before, a dynamic
// arc of at least 5 dB of 3-s loudness, leads with partials above their
// fundamental, and a kick a laptop's speaker still carries.
TEST_P(Tune, ArcFormVoicingTimbreAndBeat) {
    std::vector<unsigned char> bytes = readBytes(path());
    compose::Module m = compose::readPatterns(bytes);
    compose::LoopFigures f = compose::loopFigures(m, tune(), compose::dumbRender(path(), compose::dumbLoopSeconds(path())));
    EXPECT_EQ(f.padSemitoneShare, 0.0);
    EXPECT_LE(f.rubSeconds, GetParam() == "track6" ? 3.0 : 6.0);
    EXPECT_LE(f.repeatShare, 0.35);
    EXPECT_GE(f.spanDb, 5.0);
    for (const auto& [lead, share] : compose::leadFundamentals(m, tune())) EXPECT_LE(share, 0.78) << lead;
    compose::DrumFigures d = compose::drumFigures(m, bytes);
    if (d.kicks) {
        EXPECT_GE(d.kickDb, -6.0) << d.kicks << " kicks";
    }
}

INSTANTIATE_TEST_SUITE_P(Xm, Tune, ::testing::ValuesIn(tuneFiles()),
                         [](const ::testing::TestParamInfo<std::string>& i) { return i.param; });

// The tunes sit within 1.5 dB of each other on average, and fold's drop,
// its climax, holds its loudest moment.
TEST(Tunes, LevelledWithFoldLoudestInItsDrop) {
    double lo = 0, hi = -200;
    for (const compose::Tune& t : compose::allTunes()) {
        std::string path = dataPath(t.file);
        compose::Module m = compose::readPatterns(readBytes(path));
        compose::LoopFigures f = compose::loopFigures(m, t, compose::dumbRender(path, compose::dumbLoopSeconds(path)));
        lo = std::min(lo, f.meanDb), hi = std::max(hi, f.meanDb);
        if (t.file != "xm/track0.xm") continue;
        double at = 0, rowSeconds = m.speed * 2.5 / m.bpm;
        for (size_t o = size_t(m.restart); o < m.orders.size(); ++o) {
            const compose::Section& s = t.sections.at(size_t(m.orders[o]));
            if (s.name == "drop") {
                EXPECT_GE(f.loudestSecond, at);
                EXPECT_LE(f.loudestSecond, at + s.rows * rowSeconds);
            }
            at += s.rows * rowSeconds;
        }
    }
    EXPECT_LE(hi - lo, 1.5);
}

}  // namespace
