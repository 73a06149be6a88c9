#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "sound/ZKSND.h"
#include "windows/ConfigScreenBench.h"

using zktest::ConfigScreenBench;
using zktest::WindowTestBench;

namespace {

using Calls = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

struct ConfigApply : ConfigScreenBench {
    // The right button's release applies without a sound.
    int QuickApply() { return Standby(kNowhere, KEY_STATE_UP, {}, KEY_STATE_RELEASED); }
    std::array<std::uint32_t, 11> Words() {
        const CONFIG_LIVE live = Live();
        return {*live.pMsgSpeed,  *live.pAutoFlg,    *live.pSkipFlg,     *live.pBgmOn,
                *live.pBgmVolume, *live.pVoiceOn,    *live.pVoiceVolume, *live.pSeOn,
                *live.pSeVolume,  *live.pFullScreen, *live.pColourDepth};
    }
};

}  // namespace

// Opening reads the speed in three bands; applying writes back one of three speeds,
// even for a speed the screen never offered.
TEST_F(ConfigApply, SpeedsOpenInThreeBandsAndApplyAsOneOfThree) {
    const struct {
        std::uint32_t live;
        std::int32_t choice;
        std::uint32_t applied;
    } cases[] = {{0, 2, 500},     {500, 2, 500},   {501, 1, 1000},  {700, 1, 1000},
                 {1000, 1, 1000}, {1001, 0, 2000}, {2000, 0, 2000}, {0xFFFFFFFF, 0, 2000}};
    for (const auto& c : cases) {
        speed = c.live;
        Open();
        EXPECT_EQ(screen.nValue[CONFIG_SPEED], c.choice) << c.live;
        EXPECT_EQ(QuickApply(), 3) << c.live;
        EXPECT_EQ(speed, c.applied) << c.live;
        screen.Release();
    }
    Open();
    EXPECT_EQ(Click(1), 2);
    EXPECT_EQ(Click(kConfigOk), 3);
    EXPECT_EQ(speed, 2000u);
}

// Music switched on restarts the piece last loaded; left on it does not; switched
// off it stops and stays loaded. The music and voice levels reach their paths.
// Voice off stops the voice. Effects off silence the effects and keep their level.
TEST_F(ConfigApply, SoundSwitchesPlayStopAndSilence) {
    zktest::ScriptKit::WriteArchive("dat/AU.dat", {{"m1.sou", zktest::ScriptKit::Tone()}});
    shell.settings.bgmOn = 0;
    ASSERT_EQ(BGMPlay("m1.sou", bench.snd, bench.sys, shell), 1);
    const auto plays = [&] { return bench.sounds.plays("tmp/m1.sou", platform::AudioBus::Music); };
    ASSERT_EQ(plays(), 0);
    shell.settings.seVolume = 4;
    Open();
    Click(8);
    Click(40);
    Click(13);
    Click(27);
    EXPECT_EQ(Click(kConfigOk), 3);
    EXPECT_EQ(plays(), 1) << "switched on";
    EXPECT_EQ(shell.settings.bgmOn, 1u);
    EXPECT_EQ(shell.settings.seVolume, 7u);
    EXPECT_EQ((std::array{shell.settings.bgmVolume, shell.settings.voiceVolume}),
              (std::array<std::uint32_t, 2>{4, 6}));
    EXPECT_EQ(bench.snd->DAGetPathVolume(DA_PATH_BGM), -1500) << "music level 4";
    EXPECT_EQ(bench.snd->DAGetPathVolume(DA_PATH_VOICE), -800) << "voice level 6";
    screen.Release();

    Open();
    EXPECT_EQ(QuickApply(), 3);
    EXPECT_EQ(plays(), 1) << "left on";
    screen.Release();

    ASSERT_EQ(VoicePlay(WindowTestBench::kVoices[0], bench.snd, bench.sys, shell), 1);
    Open();
    Click(9);
    Click(21);
    Click(36);
    Click(33);
    EXPECT_EQ(QuickApply(), 3);
    EXPECT_EQ(bench.sounds.stops(platform::AudioBus::Music), 1);
    EXPECT_EQ(bench.sounds.stops(platform::AudioBus::Voice), 1);
    EXPECT_EQ(bench.snd->DAGetPathVolume(DA_PATH_SE), -9600);
    EXPECT_EQ((std::array{shell.settings.bgmOn, shell.settings.voiceOn, shell.settings.seOn,
                          shell.settings.seVolume}),
              (std::array<std::uint32_t, 4>{0, 0, 0, 7}));
    char loaded[260] = {};
    bench.snd->DAGetWAVEPath(1, loaded, sizeof loaded);
    EXPECT_STRNE(loaded, "") << "the music stays loaded";
    screen.Release();

    Open();
    EXPECT_EQ(screen.nValue[CONFIG_SE_LEVEL], 7) << "the old level";
    Click(32);
    Click(35);
    EXPECT_EQ(QuickApply(), 3);
    EXPECT_EQ(shell.settings.seVolume, 2u);
    EXPECT_EQ(bench.snd->DAGetPathVolume(DA_PATH_SE), VOLUME_LEVEL(2));
}

// The depth calls of window and full screen; every cell gives the depth its button
// names, so high colour never switches to 16 bit.
TEST_F(ConfigApply, ScreenModeChangesOnlyWhereTheModeOrTheDepthDoes) {
    const struct {
        const char* what;
        std::uint32_t full, depth;
        std::int32_t displayBits;
        std::vector<std::int32_t> clicks;
        Calls calls;
        std::uint32_t depthAfter;
    } cases[] = {
        {"window, 32 to 16 bit: stored only", 0, 32, 32, {46}, {}, 16},
        {"window, 16 to high colour: stored only", 0, 16, 24, {47}, {}, 24},
        {"window to full screen", 0, 32, 32, {45}, {{1, 32}}, 32},
        {"full screen to window", 1, 16, 32, {44}, {{0, 16}}, 16},
        {"full screen 32, 16 bit", 1, 32, 32, {46}, {{1, 16}}, 16},
        {"full screen 24 on a 32-bit display, 16 bit then high colour",
         1,
         24,
         32,
         {46, 47},
         {{1, 32}},
         32},
        {"full screen 32 on a 24-bit display, high colour", 1, 32, 24, {46, 47}, {{1, 24}}, 24},
        {"full screen 16, high colour", 1, 16, 32, {47}, {{1, 32}}, 32},
        {"full screen 16 stays 16", 1, 16, 32, {46}, {}, 16},
        {"full screen 24 stays 24", 1, 24, 24, {47}, {}, 24},
        {"full screen 32 stays 32", 1, 32, 32, {47}, {}, 32},
        {"full screen 15 is 32 bit", 1, 15, 32, {}, {}, 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        shell.settings.fullScreen = c.full;
        shell.settings.colourDepth = c.depth;
        host.calls.clear();
        Open(c.displayBits);
        for (const std::int32_t id : c.clicks) EXPECT_EQ(Click(id), 2) << id;
        EXPECT_EQ(Click(kConfigOk), 3);
        EXPECT_EQ(host.calls, c.calls);
        EXPECT_EQ(shell.settings.colourDepth, c.depthAfter);
        EXPECT_EQ(shell.settings.fullScreen, c.full) << "the shell's to set";
        screen.Release();
    }
}

// A switch that failed with the old mode kept leaves the depth and applies the rest;
// one that left no display ends the apply with -1.
TEST_F(ConfigApply, AFailedSwitchKeepsTheDepth) {
    shell.settings.colourDepth = 32;
    for (const auto& [answer, result] : {std::pair{-1, 3}, {0, -1}}) {
        host.answer = answer;
        speed = 1000;
        Open();
        Click(45);
        Click(46);
        Click(3);
        EXPECT_EQ(Click(kConfigOk), result) << answer;
        EXPECT_EQ(host.calls.back(), (std::pair<std::uint32_t, std::uint32_t>{1, 16}));
        EXPECT_EQ(shell.settings.colourDepth, 32u) << answer;
        EXPECT_EQ(speed, 500u) << answer;
        screen.Release();
    }
}

// A volume setter failing stops the apply at once: what came before it is written,
// what comes after it is not.
TEST_F(ConfigApply, AFailingVolumeSetterStopsTheApply) {
    ZKSND silent;
    context.pSnd = &silent;
    shell.settings.bgmVolume = 3;
    shell.settings.colourDepth = 32;
    Open();
    Click(2);
    Click(4);
    Click(6);
    Click(15);
    Click(46);
    EXPECT_EQ(QuickApply(), -1);
    EXPECT_EQ(speed, 1000u);
    EXPECT_EQ(autoFlg, 1u);
    EXPECT_EQ(skipFlg, 1u);
    EXPECT_EQ(shell.settings.bgmVolume, 3u) << "after the failing effects setter";
    EXPECT_EQ(shell.settings.colourDepth, 32u);
    EXPECT_TRUE(host.calls.empty());
}

// Leaving through the box writes back none of the eleven settings.
TEST_F(ConfigApply, TheReturnToTheTitleWritesNothing) {
    shell.settings.fullScreen = 1;
    speed = 700;
    Open();
    const auto before = Words();
    for (const std::int32_t id : {1, 4, 6, 9, 12, 21, 25, 33, 44, 46}) Click(id);
    Click(kConfigTitle);
    for (int k = 0; k < 12 && screen.nSlideFlg != CONFIG_DATA::kBoxUp; ++k) Standby(kNowhere);
    Click(kConfigYes);
    int result = 0;
    for (int k = 0; k < 12 && result != 4; ++k) result = Standby(kNowhere);
    EXPECT_EQ(result, 4);
    EXPECT_EQ(Words(), before);
    EXPECT_TRUE(host.calls.empty());
}

// Set-up needs every setting, a colour depth and a whole context; it touches nothing
// and logs nothing when one is missing.
TEST_F(ConfigApply, SetUpNeedsEverySettingAndAWholeContext) {
    CONFIG_LIVE live = Live();
    live.pSeOn = nullptr;
    EXPECT_EQ(screen.Initialize(live, 32, &context), 0);
    shell.settings.colourDepth = 0;
    EXPECT_EQ(screen.Initialize(Live(), 32, &context), 0);
    shell.settings.colourDepth = 32;
    GameContext noHost = context;
    noHost.pHost = nullptr;
    EXPECT_EQ(screen.Initialize(Live(), 32, &noHost), 0);
    EXPECT_EQ(screen.Initialize(Live(), 32, nullptr), 0);
    EXPECT_EQ(screen.nValue[CONFIG_SPEED], -1);
    EXPECT_TRUE(bench.lines().empty());
    EXPECT_EQ(screen.WindowOpen(100), -1);
    EXPECT_EQ(screen.WindowClose(100), -1);
    EXPECT_EQ(screen.WindowStandby(0, 0, 0, 0, 0, 1), -1);
    EXPECT_EQ(bench.lines(), (std::vector<std::string>{
                                 "Error: <CONFIG_DATA::WindowOpen> 初期化されていません",
                                 "Error: <CONFIG_DATA::WindowClose> 初期化されていません",
                                 "Error: <CONFIG_DATA::WindowStandby> 初期化されていません"}));

    auto pictures = WindowTestBench::Materials();
    std::erase_if(pictures, [](const auto& p) { return p.first == "ConfigMaterial.gpc"; });
    zktest::ScriptKit::WriteArchive("dat/Img.dat", pictures);
    bench.kit.clearLog();
    EXPECT_EQ(screen.Initialize(Live(), 32, &context), 0);
    ASSERT_FALSE(bench.lines().empty());
    EXPECT_EQ(bench.lines().back(), "Error: <CONFIG_DATA::Initialize> 画像のロードに失敗しました");
    EXPECT_EQ(screen.WindowOpen(100), -1);
}
