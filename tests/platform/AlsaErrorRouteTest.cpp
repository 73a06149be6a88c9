#include <alsa/asoundlib.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/AlsaErrorRoute.h"
#include "platform/linux/AlsaMixerDevices.h"
#include "support/TestKit.h"

namespace {

const char* const kName = "zk_no_such_pcm";
const std::string kReported = "Error: <ALSA> Unknown PCM zk_no_such_pcm";

// Asks ALSA for a device no configuration names; ALSA reports it whatever the
// machine's cards.
void AskAlsaForNoDevice() {
    snd_pcm_t* pcm = nullptr;
    ASSERT_LT(snd_pcm_open(&pcm, kName, SND_PCM_STREAM_PLAYBACK, 0), 0);
}

}  // namespace

// Each step asks ALSA once, with the routes alive then; the log grows only while
// one lives on the asking thread.
TEST(AlsaErrorRoute, ReportsReachTheLogOnlyWhileARouteLivesOnTheirThread) {
    zktest::TestKit kit;
    std::vector<std::string> expected;
    {
        const platform::AlsaErrorRoute outer;
        AskAlsaForNoDevice();
        expected.push_back(kReported);
        EXPECT_EQ(kit.debugLines(), expected) << "in a route";
        { const platform::AlsaErrorRoute inner; }
        AskAlsaForNoDevice();
        expected.push_back(kReported);
        EXPECT_EQ(kit.debugLines(), expected) << "after an inner route ended";
        std::thread other(AskAlsaForNoDevice);
        other.join();
        EXPECT_EQ(kit.debugLines(), expected) << "on another thread";
    }
    AskAlsaForNoDevice();
    EXPECT_EQ(kit.debugLines(), expected) << "after the route ended";
}

// The mixer's calls leave what the rest of the process asks of ALSA unlogged, as
// the audio device probing a machine without a card does.
TEST(AlsaErrorRoute, TheMixerDevicesLeaveOtherCallsUnrouted) {
    zktest::TestKit kit;
    platform::AlsaMixerDevices cards;
    if (cards.count() > 0) {
        const auto handle = cards.open(0);
        ASSERT_TRUE(handle);
        handle->getValue(0);
    }
    EXPECT_EQ(cards.open(cards.count()), nullptr);
    AskAlsaForNoDevice();
    EXPECT_EQ(kit.debugLines(), std::vector<std::string>{});
}
