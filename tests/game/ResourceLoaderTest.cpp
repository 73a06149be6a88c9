#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "support/Bytes.h"
#include "support/ScriptKit.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::FileExists;
using zktest::ScriptKit;

// Sound archives holding one tone under each name, and an image archive.
struct LoaderKit : ScriptKit {
    const std::string effect = EffectName(3);
    const std::string trailName = zktest::Sjis(u8"表.sou");

    LoaderKit() {
        for (const char* archive : {"dat/SE.dat", "dat/VO.dat", "dat/AU.dat"}) {
            WriteArchive(
                archive,
                {{effect, Tone()}, {"v1.sou", Tone()}, {"m1.sou", Tone()}, {trailName, Tone()}});
        }
        WriteArchive("dat/Img.dat", {{SurfaceName(40), Flat(8, 8, 0x102030)}});
    }
    ZKSND* s() { return &snd; }
};

void ExpectNoSoundLoaded(LoaderKit& k) {
    for (int buffer = 0; buffer < 4; ++buffer) EXPECT_EQ(k.snd.DAGetLoadState(buffer), 0);
}

TEST(ResourceLoader, WithoutSoundEveryCallSucceedsAndLoadsNothing) {
    LoaderKit k;
    k.shell.soundAvailable = 0;
    ZKSND* s = k.s();
    ZKSYSTEM* y = &k.sys;
    const ShellWords& w = k.shell;
    const int results[] = {
        SELoad(s, y, 3, nullptr, w), VoiceLoad(s, y, "v1.sou", w), BGMLoad(s, y, "m1.sou", w),
        BGMPlay("m1.sou", s, y, w),  BGMStop(1, s, y, w),          SEPlay(3, 0, s, y, w),
        SEStop(-1, s, y, w),         VoicePlay("v1.sou", s, y, w), VoiceStop(s, w),
        SetBGMVolume(3, s, w),       SEUnload(s, y, 3, w),         VoiceUnload(s, y, w),
        BGMUnload(s, y, w)};
    for (const int result : results) EXPECT_EQ(result, 1);
    ExpectNoSoundLoaded(k);
    EXPECT_FALSE(FileExists("tmp/v1.sou"));
    EXPECT_EQ(k.lines(), Lines{});
}

TEST(ResourceLoader, SoundCopiesStayUntilUnloadAndImageCopiesGoAtOnce) {
    LoaderKit k;
    ASSERT_EQ(SELoad(k.s(), &k.sys, 3, nullptr, k.shell), 1);
    EXPECT_TRUE(FileExists("tmp/" + k.effect));
    EXPECT_EQ(SEUnload(k.s(), &k.sys, 3, k.shell), 1);
    EXPECT_FALSE(FileExists("tmp/" + k.effect));

    ZKSPRITE& sprite = k.sprites.sprite;
    const std::string copy = "tmp/" + ScriptKit::SurfaceName(40);
    ASSERT_EQ(SurfaceLoad(&sprite, &k.sys, 40, 0, 0), 1);
    EXPECT_EQ(sprite.GetSurfaceWidth(40), 8u);
    // A second load of a loaded slot keeps the picture it has.
    ScriptKit::WriteArchive("dat/Img.dat",
                            {{ScriptKit::SurfaceName(40), ScriptKit::Flat(4, 4, 0)}});
    ASSERT_EQ(SurfaceLoad(&sprite, &k.sys, 40, 0, 0), 1);
    EXPECT_EQ(sprite.GetSurfaceWidth(40), 8u);
    EXPECT_FALSE(FileExists(copy));

    ASSERT_EQ(SurfaceLoad(&sprite, &k.sys, 0, 0, 0), 1);
    EXPECT_EQ(sprite.GetSurfaceWidth(0), 800u);
    EXPECT_EQ(sprite.GetSurfaceHeight(0), 600u);
    EXPECT_EQ(k.lines(), Lines{});

    EXPECT_EQ(SurfaceLoad(&sprite, &k.sys, 41, 0, 0), 0);
    EXPECT_EQ(TextureLoad(&sprite, &k.sys, 9, 0, 0), 0);
    EXPECT_EQ(SELoad(k.s(), &k.sys, 5, "nope.sou", k.shell), 0);
    EXPECT_EQ(k.lines(), (Lines{"Error: <SurfaceLoad> 該当ファイルが見つかりません",
                                "Error: <TextureLoad> 該当ファイルが見つかりません",
                                "Error: <SELoad> 該当ファイルが見つかりません"}));
}

TEST(ResourceLoader, MusicPlaysOnceAndRestartsWithoutReloading) {
    LoaderKit k;
    ASSERT_EQ(BGMPlay("m1.sou", k.s(), &k.sys, k.shell), 1);
    EXPECT_EQ(k.snd.DAGetState(1), 0);
    k.audio.pull(2000);
    std::int32_t position = 0, still = 0;
    k.snd.DAGetNowPos(1, &position);
    EXPECT_GT(position, 0);
    // Without the archive any reload would fail.
    std::filesystem::remove("dat/AU.dat");
    ASSERT_EQ(BGMPlay("M1.SOU", k.s(), &k.sys, k.shell), 1);
    k.snd.DAGetNowPos(1, &still);
    EXPECT_EQ(still, position);
    ASSERT_EQ(BGMStop(0, k.s(), &k.sys, k.shell), 1);
    EXPECT_NE(k.snd.DAGetState(1), 0);
    ASSERT_EQ(BGMPlay("m1.sou", k.s(), &k.sys, k.shell), 1);
    EXPECT_EQ(k.snd.DAGetState(1), 0);
    // Stopped with unloading, no piece is left to play again.
    ASSERT_EQ(BGMStop(1, k.s(), &k.sys, k.shell), 1);
    EXPECT_EQ(BGMPlay(nullptr, k.s(), &k.sys, k.shell), 0);
    EXPECT_EQ(k.lines(), Lines{"Error: <BGMPlay> BGMの再生に失敗しました"});
}

TEST(ResourceLoader, EffectsOnAMutedPathStayMutedAndAnEmptyVoiceIsNoVoice) {
    LoaderKit k;
    ASSERT_EQ(SELoad(k.s(), &k.sys, 3, nullptr, k.shell), 1);
    k.snd.DASetPathVolume(DA_PATH_SE, -7000);
    ASSERT_EQ(SEPlay(3, 0, k.s(), &k.sys, k.shell), 1);
    EXPECT_EQ(k.snd.DAGetPathVolume(DA_PATH_SE), -9600);
    EXPECT_EQ(VoicePlay("", k.s(), &k.sys, k.shell), 1);
    EXPECT_EQ(k.snd.DAGetLoadState(0), 0);
    // Levels outside 1 to 10 are silence, not a read past the table.
    const int volumes[] = {-9600, -5000, -3000, -2000, -1500, -1000,
                           -800,  -600,  -400,  -200,  0,     -9600};
    for (int level = 0; level < 12; ++level)
        EXPECT_EQ(VOLUME_LEVEL(level), volumes[level]) << level;
}

TEST(ResourceLoader, NamesFromDataNeverReachOutsideTmp) {
    LoaderKit k;
    zktest::WriteFileBytes("env.env", "victim");
    ASSERT_EQ(VoiceLoad(k.s(), &k.sys, "v1.sou", k.shell), 1);
    ASSERT_EQ(BGMLoad(k.s(), &k.sys, "m1.sou", k.shell), 1);
    k.clearLog();
    const std::string names[] = {"../env.env", "a/b.sou", "a\\b.sou", std::string(300, 'n')};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        k.clearLog();
        EXPECT_EQ(VoiceLoad(k.s(), &k.sys, name.c_str(), k.shell), 0);
        EXPECT_EQ(BGMLoad(k.s(), &k.sys, name.c_str(), k.shell), 0);
        EXPECT_EQ(SELoad(k.s(), &k.sys, 4, name.c_str(), k.shell), 0);
        EXPECT_EQ(BGMPlay(name.c_str(), k.s(), &k.sys, k.shell), 0);
        const Lines lines = k.lines();
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0], "Error: <VoiceLoad> 不正なファイル名です: " + name);
        EXPECT_EQ(lines[3], "Error: <BGMPlay> 不正なファイル名です: " + name);
    }
    // The loaded pieces are untouched; their unloads delete their own copies only.
    EXPECT_EQ(k.snd.DAGetLoadState(0), 1);
    k.clearLog();
    EXPECT_EQ(VoiceUnload(k.s(), &k.sys, k.shell), 1);
    EXPECT_EQ(BGMUnload(k.s(), &k.sys, k.shell), 1);
    EXPECT_EQ(SEUnload(k.s(), &k.sys, 4, k.shell), 1);
    EXPECT_EQ(VoiceUnload(k.s(), &k.sys, k.shell), 1);
    EXPECT_EQ(k.lines(), Lines{});
    EXPECT_FALSE(FileExists("tmp/v1.sou"));
    EXPECT_FALSE(FileExists("tmp/m1.sou"));
    EXPECT_EQ(zktest::ReadFileBytes("env.env"), "victim");

    // A trail byte 0x5C is part of its character, not a separator.
    EXPECT_EQ(VoiceLoad(k.s(), &k.sys, k.trailName.c_str(), k.shell), 1);
    EXPECT_TRUE(FileExists("tmp/" + k.trailName));
}

// Exit stops and unloads every buffer, loaded or not, without a false error.
TEST(ResourceLoader, ReleaseUnloadsEverySoundQuietly) {
    LoaderKit k;
    ASSERT_EQ(SELoad(k.s(), &k.sys, 3, nullptr, k.shell), 1);
    ASSERT_EQ(SEPlay(3, 1, k.s(), &k.sys, k.shell), 1);
    ASSERT_EQ(VoicePlay("v1.sou", k.s(), &k.sys, k.shell), 1);
    ASSERT_EQ(BGMPlay("m1.sou", k.s(), &k.sys, k.shell), 1);
    k.clearLog();
    k.game->Release();
    EXPECT_EQ(k.lines(), Lines{});
    ExpectNoSoundLoaded(k);
    EXPECT_FALSE(std::filesystem::exists("tmp"));
}

}  // namespace
