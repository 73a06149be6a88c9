#include <gtest/gtest.h>

#include <memory>

#include "app/EngineForwarder.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "shell/ShellState.h"
#include "sound/ZKSND.h"
#include "support/TestKit.h"
#include "system/ZKSYSTEM.h"

// The volume calls follow the words the forwarder was made with, not the shell's
// current record: without sound they do nothing, with it they reach the sound object
// (here never initialised, so they fail).
TEST(EngineForwarder, VolumeCallsFollowTheWordsItWasMadeWith) {
    zktest::TestKit kit;
    ZKSYSTEM system;
    ZKSPRITE sprite;
    ZKSND snd;
    auto game = std::make_unique<GAMEMAIN>();
    const struct {
        std::uint32_t handedSound;
        std::uint32_t currentSound;
        int result;
    } cases[] = {{0, 1, 1}, {1, 0, 0}};
    for (const auto& c : cases) {
        ShellWords words;
        words.soundAvailable = c.handedSound;
        BeginShellState().soundAvailable = c.currentSound;
        EngineForwarder engine(system, sprite, snd, *game, words);
        EXPECT_EQ(engine.SetBGMVolume(5), c.result) << c.handedSound;
        EXPECT_EQ(engine.SetVoiceVolume(5), c.result) << c.handedSound;
        EXPECT_EQ(engine.SetSEVolume(5), c.result) << c.handedSound;
    }
    BeginShellState();
}
