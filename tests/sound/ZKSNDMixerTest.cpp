#include "SoundFixture.h"
#include "support/FakeMixerDevices.h"

using platform::MixerLineType;
using Strings = std::vector<std::string>;

namespace {

// Speakers with a wave line lacking a volume, a readable wave and CD line, an
// unreadable synthesizer and a second readable wave line that comes too late; a
// recording destination whose lines are never taken.
class MixerTest : public SoundFixture {
protected:
    MixerTest() {
        using enum MixerLineType;
        zktest::FakeMixerDevices::Line speakers{Speakers, "Master", 40000};
        speakers.sources = {{WaveOut, "PCM0"},
                            {WaveOut, "PCM", 20000},
                            {CompactDisc, "CD", 30000},
                            {Synthesizer, "Synth", 1000, true},
                            {WaveOut, "PCM 2", 25000}};
        zktest::FakeMixerDevices::Line recording{Other, "Capture"};
        recording.sources = {{Synthesizer, "Synth In", 5000}, {CompactDisc, "CD In", 9000}};
        card.destinations = {speakers, recording};
    }
    // The view's handle closes before the card goes.
    ~MixerTest() override { snd.Release(); }
    // The card's volumes: speakers, wave, synthesizer, CD, recording synthesizer and CD.
    std::vector<std::uint32_t> CardVolumes() const {
        const auto at = [&](int d, int s) {
            const auto& line = s < 0 ? card.destinations[d] : card.destinations[d].sources[s];
            return *line.volume;
        };
        return {at(0, -1), at(0, 1), at(0, 3), at(0, 2), at(1, 0), at(1, 1)};
    }

    zktest::FakeMixerDevices card;
};

}  // namespace

TEST_F(MixerTest, VolumesAreRefusedUntilAnOpenFindsLinesAndAFailedOpenSaysWhy) {
    std::uint32_t volume = 100;
    std::int32_t delta = 100;
    const auto expectRefused = [&](const std::string& label) {
        EXPECT_EQ(snd.MixerSetVolume(0, &volume), 0) << label;
        EXPECT_EQ(snd.MixerAddVolume(0, &delta), 0) << label;
        EXPECT_EQ(snd.MixerAddSavedVolume(0, &delta), 0) << label;
        EXPECT_EQ(snd.MixerRestoreVolume() != 0, label == "capabilities") << label;
        EXPECT_EQ(volume, 100u);
        EXPECT_EQ(delta, 100);
    };
    expectRefused("never opened");
    const struct {
        std::string label;
        std::uint32_t devices;
        bool failOpen;
        bool failCapabilities;
        int result;
        std::string line;
    } cases[] = {
        {"no card", 0, false, false, 0, "Error: <ZKSND::MixerOpen> ミキサー数が得られませんでした"},
        {"open", 1, true, false, 0, "Error: <ZKSND::MixerOpen> ミキサーオープンに失敗しました"},
        {"capabilities", 1, false, true, 1,
         "Error: <ZKSND::MixerGetDev> デバイスの取得に失敗しました"},
    };
    for (const auto& c : cases) {
        card.devices = c.devices;
        card.failOpen = c.failOpen;
        card.failCapabilities = c.failCapabilities;
        kit.log.clear();
        EXPECT_EQ(snd.MixerOpen(0), c.result) << c.label;
        EXPECT_EQ(lines(), Strings{c.line});
        expectRefused(c.label);
    }
    EXPECT_EQ(CardVolumes(), (std::vector<std::uint32_t>{40000, 20000, 1000, 30000, 5000, 9000}));
}

TEST_F(MixerTest, SlotsAreTheSpeakersAndTheirFirstReadableSourcesWithTheOpeningVolumesSaved) {
    ASSERT_EQ(snd.MixerOpen(0), 1);
    const struct {
        int found;
        std::uint32_t volume;
        std::string name;
    } slots[] = {{1, 40000, "Master"}, {1, 20000, "PCM"}, {0, 0, ""}, {1, 30000, "CD"}};
    for (int slot = 0; slot < 4; ++slot) {
        platform::MixerLine line;
        std::uint32_t volume = 0;
        std::uint32_t saved = 0;
        EXPECT_EQ(snd.MixerGetSlot(slot, &line, &volume, &saved), slots[slot].found) << slot;
        EXPECT_EQ(line.name, slots[slot].name) << slot;
        EXPECT_EQ(volume, slots[slot].volume) << slot;
        EXPECT_EQ(saved, slots[slot].volume) << slot;
    }
    EXPECT_EQ(lines(), Strings{});
}

TEST_F(MixerTest, EachChangeIsClampedWrittenBackAndAppliedFromTheCardsValueOnItsOwnHandle) {
    ASSERT_EQ(snd.MixerOpen(0), 1);
    const int opened = card.opened;
    std::uint32_t volume = 70000;
    EXPECT_EQ(snd.MixerSetVolume(MIXER_SLOT_SPEAKERS, &volume), 1);
    EXPECT_EQ(volume, 65535u);
    std::int32_t delta = -100000;
    EXPECT_EQ(snd.MixerAddVolume(MIXER_SLOT_WAVE, &delta), 1);
    EXPECT_EQ(delta, -65535);
    // The card changed behind the view's back: the add counts from its value.
    card.destinations[0].sources[2].volume = 1000;
    delta = 500;
    EXPECT_EQ(snd.MixerAddVolume(MIXER_SLOT_CD, &delta), 1);
    EXPECT_EQ(CardVolumes(), (std::vector<std::uint32_t>{65535, 0, 1000, 1500, 5000, 9000}));
    delta = 5;
    EXPECT_EQ(snd.MixerAddSavedVolume(MIXER_SLOT_CD, &delta), 1);
    EXPECT_EQ(CardVolumes()[3], 30005u);
    EXPECT_EQ(card.opened - opened, 4);
    // Slots outside the four, not found, or null variables change nothing.
    volume = 7;
    delta = 7;
    EXPECT_EQ(snd.MixerSetVolume(MIXER_SLOT_SYNTH, &volume), 0);
    EXPECT_EQ(snd.MixerSetVolume(4, &volume), 0);
    EXPECT_EQ(snd.MixerAddVolume(-1, &delta), 0);
    EXPECT_EQ(snd.MixerAddSavedVolume(MIXER_SLOT_SYNTH, &delta), 0);
    EXPECT_EQ(snd.MixerSetVolume(MIXER_SLOT_SPEAKERS, nullptr), 0);
    EXPECT_EQ(snd.MixerAddVolume(MIXER_SLOT_WAVE, nullptr), 0);
    EXPECT_EQ(volume, 7u);
    EXPECT_EQ(delta, 7);
    EXPECT_EQ(card.opened - opened, 4);
    EXPECT_EQ(snd.MixerRestoreVolume(), 1);
    EXPECT_EQ(CardVolumes(), (std::vector<std::uint32_t>{40000, 20000, 1000, 30000, 5000, 9000}));
    EXPECT_EQ(card.opened - opened, 7);
    // Only the view's own handle is still open.
    EXPECT_EQ(card.opened - card.closed, 1);
}
