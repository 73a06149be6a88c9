#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "mkdemo/NoiseSource.h"
#include "mkdemo/Waveform.h"

using mkdemo::Envelope;
using mkdemo::NoiseSource;
using mkdemo::Waveform;

namespace {

int Crossings(const std::vector<float>& s, std::size_t from, std::size_t to) {
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings;
}

}  // namespace

TEST(Waveform, EnvelopeRisesDecaysAndFallsToSilence) {
    const Envelope halving{10, 20, Waveform::kRate * std::log(2.0)};  // halves each frame
    const Envelope steady{0, 20, 0};
    const struct {
        const Envelope& envelope;
        std::size_t i;
        double gain;
    } cases[] = {{halving, 0, 0.0}, {halving, 5, 0.5}, {halving, 10, 1.0}, {halving, 12, 0.25},
                 {steady, 0, 1.0},  {steady, 79, 1.0}, {steady, 89, 0.5},  {steady, 99, 0.0}};
    for (const auto& c : cases)
        EXPECT_NEAR(Waveform::Level(c.envelope, c.i, 100), c.gain, 1e-9) << c.i;
}

TEST(Waveform, TonesHoldOrGlideTheirPitchAtTheirPeak) {
    const std::vector<float> steady = Waveform::Tone({.hertz = 441, .frames = 22050, .peak = 0.5f});
    EXPECT_NEAR(Crossings(steady, 0, steady.size()), 882, 2);
    EXPECT_NEAR(*std::max_element(steady.begin(), steady.end()), 0.5f, 1e-3);
    const std::vector<float> glide =
        Waveform::Tone({.hertz = 800, .endHertz = 200, .frames = 22050, .peak = 0.5f});
    EXPECT_GT(Crossings(glide, 0, 2205), 2 * 60);
    EXPECT_LT(Crossings(glide, 19845, 22050), 2 * 25);
    // The harmonics' weights share out the peak.
    constexpr double kTwo[] = {1.0, 1.0};
    const std::vector<float> rich =
        Waveform::Tone({.hertz = 100, .frames = 2205, .harmonics = kTwo});
    const double phase = 2 * M_PI * 100 * 55 / 22050.0;
    EXPECT_NEAR(rich[55], 0.25 * (std::sin(phase) + std::sin(2 * phase)), 1e-3);
}

TEST(Waveform, NoiseIsSeededAndFilteredToItsBrightness) {
    NoiseSource a(5), b(5), c(6), picker(7), zero(0);
    int differ = 0;
    std::vector<int> picks(5, 0);
    for (int i = 0; i < 1000; ++i) {
        const float x = a.Next();
        EXPECT_EQ(x, b.Next());
        EXPECT_LE(std::abs(x), 1.0f);
        differ += x != c.Next();
        ++picks.at(static_cast<std::size_t>(picker.Below(5)));
    }
    EXPECT_GT(differ, 990);
    for (const int count : picks) EXPECT_GT(count, 100);
    EXPECT_NE(zero.Next(), zero.Next());
    const std::vector<float> open = Waveform::Noise({.frames = 22050});
    const std::vector<float> dull =
        Waveform::Noise({.frames = 22050, .startOpening = 0.05, .endOpening = 0.05});
    const std::vector<float> high = Waveform::Noise(
        {.frames = 22050, .startOpening = 0.05, .endOpening = 0.05, .highPass = true});
    EXPECT_GT(Crossings(open, 0, 22050), 4 * Crossings(dull, 0, 22050));
    EXPECT_GT(Crossings(high, 0, 22050), 4 * Crossings(dull, 0, 22050));
}

TEST(Waveform, MixingWrapsPastTheEndAndNormalisingScalesToThePeak) {
    std::vector<float> mix(4, 0.0f);
    Waveform::MixLooped(mix, 2, std::vector<float>{1, 2, 3}, 0.5f);
    EXPECT_EQ(mix, (std::vector<float>{1.5f, 0, 0.5f, 1}));
    Waveform::Normalise(mix, 0.75f);
    EXPECT_EQ(mix, (std::vector<float>{0.75f, 0, 0.25f, 0.5f}));
    std::vector<float> silence(3, 0.0f);
    Waveform::Normalise(silence, 0.75f);
    EXPECT_EQ(silence, std::vector<float>(3, 0.0f));
    EXPECT_EQ(Waveform::Frames(10), 221u);
    EXPECT_NEAR(Waveform::NoteHertz(57), 220.0, 1e-9);
}
