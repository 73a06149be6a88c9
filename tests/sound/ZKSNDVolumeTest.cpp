#include "SoundFixture.h"

using Strings = std::vector<std::string>;
using zktest::AllFramesAt;

namespace {

const std::string kBelow = "マスター音量が範囲最小値を超えています。最小値に再設定します";
const std::string kAbove = "マスター音量が範囲最大値を超えています。最大値に再設定します";

}  // namespace

TEST_F(SoundFixture, PathVolumesAreClampedStoredAndApplied) {
    Start();
    LoadLevel(1, "bgm.mus", 1000, 0.25f);
    ASSERT_EQ(snd.DAPlay(1, -1, DA_PATH_BGM), 0);
    const struct {
        int type;
        int volume;
        int stored;
        std::string warning;
        float level;  // of the music
    } cases[] = {
        {1, 1001, 1000, kAbove, 0.79057f}, {1, 50000, 1000, kAbove, 0.79057f},
        {1, -9601, -9600, kBelow, 0.0f},   {1, -9600, -9600, "", 0.0f},
        {1, -600, -600, "", 0.12530f},     {0, -2000, -2000, "", 0.12530f},
        {2, 1000, 1000, "", 0.12530f},     {7, 500, 0, "", 0.12530f},
        {7, 2000, 0, kAbove, 0.12530f},
    };
    for (const auto& c : cases) {
        kit.log.clear();
        EXPECT_EQ(snd.DASetPathVolume(static_cast<DA_PATH>(c.type), c.volume), 0);
        EXPECT_EQ(snd.DAGetPathVolume(static_cast<DA_PATH>(c.type)), c.stored);
        const Strings expected =
            c.warning.empty() ? Strings{} : Strings{"Warn: <ZKSND::DASetPathVolume> " + c.warning};
        EXPECT_EQ(lines(), expected) << c.type << " " << c.volume;
        EXPECT_TRUE(AllFramesAt(audio.pull(16), c.level, 1e-4f)) << c.type << " " << c.volume;
    }
    EXPECT_EQ(snd.DAGetPathVolume(DA_PATH_VOICE), -2000);
    EXPECT_EQ(snd.DAGetPathVolume(DA_PATH_BGM), -600);
    EXPECT_EQ(snd.DAGetPathVolume(DA_PATH_SE), 1000);
}

TEST_F(SoundFixture, MasterVolumeClampsAndReachesOnlyTheDefaultPath) {
    Start();
    LoadLevel(0, "voice.sou", 1000, 0.0625f);
    LoadLevel(1, "bgm.mus", 1000, 0.125f);
    LoadLevel(2, "se.sou", 1000, 0.25f);
    LoadLevel(3, "other.sou", 1000, 0.5f);
    ASSERT_EQ(snd.DAPlay(0, -1, DA_PATH_VOICE), 0);
    ASSERT_EQ(snd.DAPlay(1, -1, DA_PATH_BGM), 0);
    ASSERT_EQ(snd.DAPlay(2, -1, DA_PATH_SE), 0);
    ASSERT_EQ(snd.DAPlay(3, -1, static_cast<DA_PATH>(5)), 0);
    const struct {
        int volume;
        int stored;
        std::string warning;
        float level;  // of the mix
    } cases[] = {
        {1001, 0, kAbove, 0.9375f},  {-10001, -9600, kBelow, 0.4375f},
        {-9700, -9700, "", 0.4375f}, {-10000, -10000, "", 0.4375f},
        {-600, -600, "", 0.68809f},  {0, 0, "", 0.9375f},
    };
    for (const auto& c : cases) {
        kit.log.clear();
        EXPECT_EQ(snd.DASetAllVolume(c.volume), 0);
        EXPECT_EQ(snd.DAGetMasterVolume(), c.stored);
        const Strings expected =
            c.warning.empty() ? Strings{} : Strings{"Warn: <ZKSND::DASetAllVolume> " + c.warning};
        EXPECT_EQ(lines(), expected) << c.volume;
        EXPECT_TRUE(AllFramesAt(audio.pull(16), c.level, 1e-4f)) << c.volume;
    }
}
