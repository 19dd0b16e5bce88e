// Plays every tune through DUMB exactly as the game does (mono, 4 kHz,
// volume 0.2) and asks OpenMPT for a second opinion on its length.
#include <dumb.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <regex>

#include "data_files.h"

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
    } while (n == kRate && total < 300L * kRate);
    duh_end_sigrenderer(sr);
    return double(total) / kRate;
}

class Tune : public ::testing::TestWithParam<std::string> {
protected:
    std::string path() const { return dataPath("xm/" + GetParam() + ".xm"); }
};

TEST_P(Tune, LoadsAndLastsHalfAMinuteToAMinuteAndAHalf) {
    Dumb d(path());
    ASSERT_NE(d.duh, nullptr);
    double len = loopSeconds(d.duh);
    EXPECT_GE(len, 30.0);
    EXPECT_LE(len, 90.0);
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
    EXPECT_GT(rmsDb, -32.0);
    EXPECT_LT(rmsDb, -18.0);
}

TEST_P(Tune, OpenMptAgreesOnTypeAndDuration) {
    if (std::string(OPENMPT123).empty() || std::string(OPENMPT123).find("NOTFOUND") != std::string::npos)
        GTEST_SKIP() << "openmpt123 not installed";
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

INSTANTIATE_TEST_SUITE_P(Xm, Tune, ::testing::ValuesIn(tuneFiles()),
                         [](const ::testing::TestParamInfo<std::string>& i) { return i.param; });

}  // namespace
