// The two effects load in Allegro as the game loads them, pass sox without
// a warning, are short, start and end in silence (no click), and stay
// below the music in level and brightness.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>

#include "data_files.h"
#include "measure.h"
#include "spectrum.h"

namespace {

struct Effect {
    const char* name;
    double maxSeconds;
    double minPeak;  // fraction of full scale: the tick may be soft, the chime must be heard
    double maxPeak;
    double maxBright;  // share of the energy above 2 kHz
    bool zeroEnds;     // first and last sample exactly silent
    bool onD;          // a soft D, in every home key of the tunes
};

void PrintTo(const Effect& e, std::ostream* os) { *os << e.name; }

class EffectFile : public ::testing::TestWithParam<Effect> {
protected:
    static void SetUpTestSuite() {
        static bool installed = install_allegro(SYSTEM_NONE, &errno, atexit) == 0;
        ASSERT_TRUE(installed);
    }
    std::string path() const { return dataPath(std::string("wav/") + GetParam().name + ".wav"); }
};

TEST_P(EffectFile, LoadsInAllegroShortAndWithoutClicks) {
    std::vector<unsigned char> bytes = readBytes(path());
    ASSERT_GT(bytes.size(), 44u);
    SAMPLE* s = load_sample(path().c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->bits, 16);
    EXPECT_EQ(s->stereo, 0);
    EXPECT_EQ(s->freq, 22050);
    EXPECT_EQ(s->len, (bytes.size() - 44) / 2);
    EXPECT_LT(double(s->len) / s->freq, GetParam().maxSeconds);

    // Allegro keeps 16-bit samples unsigned, centred on 0x8000.
    const unsigned short* d = static_cast<const unsigned short*>(s->data);
    auto level = [&](unsigned long i) { return std::abs(int(d[i]) - 0x8000); };
    int peak = 0;
    for (unsigned long i = 0; i < s->len; ++i) peak = std::max(peak, level(i));
    EXPECT_GT(peak, GetParam().minPeak * 32768);
    EXPECT_LE(peak, GetParam().maxPeak * 32768);
    EXPECT_LT(peak, 32700) << "clipped";
    EXPECT_LT(level(0), GetParam().zeroEnds ? 1 : 100);
    EXPECT_LT(level(s->len - 1), GetParam().zeroEnds ? 1 : 100);
    // The first and last millisecond only ramp; a full-size step there is a click.
    for (unsigned long i = 0; i < 22; ++i) {
        EXPECT_LT(level(i), peak / 4) << "at start sample " << i;
        EXPECT_LT(level(s->len - 1 - i), peak / 4) << "at end sample " << i;
    }

    std::vector<double> x;
    for (unsigned long i = 0; i < s->len; ++i) x.push_back(int(d[i]) - 0x8000);
    std::vector<double> p = powerSpectrum(x, 1 << 15);
    double all = 0, high = 0;
    for (size_t k = 1; k < p.size(); ++k) {
        all += p[k];
        if (k * double(s->freq) / (1 << 15) > 2000) high += p[k];
    }
    EXPECT_LE(high / all, GetParam().maxBright) << "too bright next to the 4 kHz music";
    if (GetParam().onD) {
        // Most of it on D, and little outside any major key that holds D
        // (C, D, E-flat, F, G, A, B-flat: every tune's home key or its relative).
        std::vector<int16_t> pcm(x.begin(), x.end());
        std::vector<double> c = compose::pitchClassShares(pcm, s->freq);
        EXPECT_GT(c[2], 0.6);
        for (int root : {0, 2, 3, 5, 7, 9, 10}) {
            double out = 0;
            for (int i : {1, 3, 6, 8, 10}) out += c[size_t((root + i) % 12)];
            EXPECT_LT(out, 0.15) << "out of key in the major key on pitch class " << root;
        }
    }
    destroy_sample(s);
}

TEST_P(EffectFile, SoxReadsItWithoutWarnings) {
    if (std::string(SOX).empty() || std::string(SOX).find("NOTFOUND") != std::string::npos)
        GTEST_SKIP() << "sox not installed";
    std::string out = runCommand(std::string(SOX) + " -V3 '" + path() + "' -n stat");
    EXPECT_EQ(out.find("WARN"), std::string::npos) << out;
    EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, std::regex("Length \\(seconds\\): +([0-9.]+)"))) << out;
    EXPECT_LT(std::stod(m[1]), GetParam().maxSeconds);
    EXPECT_GT(std::stod(m[1]), 0.02);
}

INSTANTIATE_TEST_SUITE_P(Wav, EffectFile,
                         ::testing::Values(Effect{"sound5", 0.15, 0.2, 1.0, 0.5, false, false},
                                           Effect{"sound2", 0.6, 0.2, 0.398, 0.1, true, true}),
                         [](const ::testing::TestParamInfo<Effect>& i) { return std::string(i.param.name); });

}  // namespace
