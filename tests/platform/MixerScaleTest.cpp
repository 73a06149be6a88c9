#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/linux/AlsaMixerDevices.h"
#include "platform/mixer/MixerScale.h"
#include "support/TestKit.h"

using platform::MixerScale;

TEST(MixerScale, EndsMapOntoEndsAndRoundTripsStayWithinOneRawStep) {
    for (const auto& [low, high] : {std::pair{0L, 31L}, {0L, 87L}, {-10L, 10L}}) {
        const MixerScale scale(low, high);
        EXPECT_EQ(scale.toRaw(0), low);
        EXPECT_EQ(scale.toRaw(65535), high);
        EXPECT_EQ(scale.fromRaw(low - 1), 0u);
        EXPECT_EQ(scale.fromRaw(high + 1), 65535u);
        const double step = 65535.0 / static_cast<double>(high - low);
        for (std::uint32_t value = 0; value <= 65535; value += 97) {
            EXPECT_LE(std::abs(static_cast<double>(scale.fromRaw(scale.toRaw(value))) - value),
                      step / 2 + 1)
                << high << " " << value;
        }
        for (long raw = low; raw <= high; ++raw) EXPECT_EQ(scale.toRaw(scale.fromRaw(raw)), raw);
    }
}

TEST(MixerScale, TheFirstCardsSpeakerVolumeIsReadAndWrittenBackUnchanged) {
    zktest::TestKit kit;
    platform::AlsaMixerDevices cards;
    if (cards.count() == 0) GTEST_SKIP() << "no sound card on this machine";
    const auto handle = cards.open(0);
    ASSERT_TRUE(handle);
    const auto volume = handle->getValue(0);
    if (!volume) GTEST_SKIP() << "card 0 has no speaker volume";
    EXPECT_TRUE(handle->setValue(0, *volume));
    EXPECT_EQ(handle->getValue(0), volume);
    EXPECT_EQ(kit.debugLines(), std::vector<std::string>{});
}
