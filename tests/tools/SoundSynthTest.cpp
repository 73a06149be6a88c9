#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "mkdemo/SoundSynth.h"
#include "mkdemo/Waveform.h"

using mkdemo::Waveform;

namespace {

// The loudest 16-bit sample of a canonical WAV file between two times.
int Peak(const std::string& wav, double fromMs, double toMs) {
    constexpr std::size_t kHeader = 44;
    int peak = 0;
    for (std::size_t i = Waveform::Frames(fromMs); i < Waveform::Frames(toMs); ++i) {
        const auto low = static_cast<unsigned char>(wav.at(kHeader + 2 * i));
        const auto high = static_cast<unsigned char>(wav.at(kHeader + 2 * i + 1));
        peak = std::max(peak, std::abs(static_cast<std::int16_t>(low | high << 8)));
    }
    return peak;
}

}  // namespace

// A spoken syllable holds its level between its short fades, as a vowel does.
TEST(SoundSynth, ASyllableHoldsItsLevelBetweenItsFades) {
    const std::string voice = mkdemo::SoundSynth::Voice(1, 220, 0);
    const int early = Peak(voice, 15, 45);
    EXPECT_GT(early, 5000);
    EXPECT_NEAR(Peak(voice, 65, 95), early, early / 100);
    EXPECT_EQ(Peak(voice, 110, 140), 0);
}
