#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/GAMEMAIN.h"
#include "sound/ZKSND.h"
#include "support/ManualAudio.h"
#include "support/SpriteKit.h"
#include "support/TestKit.h"
#include "system/ZKSYSTEM.h"

// A game object over real engine objects: graphics on a headless display, sound on
// the manual device, system services on the kit's clock, all in a private folder.
// The game object is large, so it lives on the heap.
struct GameKit {
    zktest::SpriteKit sprites;
    zktest::ManualAudio audio;
    ZKSYSTEM sys;
    ZKSND snd;
    std::unique_ptr<GAMEMAIN> game = std::make_unique<GAMEMAIN>();

    ~GameKit() { snd.Release(); }

    // Engine objects up, the game initialised, the log emptied.
    void Start() {
        sprites.setUp(32, 1, 8, 4);
        ASSERT_EQ(snd.Initialize(nullptr, nullptr, 0), 0);
        ASSERT_EQ(snd.DADATAReserve(GAMEMAIN::kWaveSlots), 1);
        sys.Initialize(nullptr, 1);
        ASSERT_EQ(game->Initialize(&sys, &sprites.sprite, &snd), 1u);
        clearLog();
    }
    platform::ManualClock& clock() { return sprites.kit.clock; }
    int presents() const { return sprites.display.presents(); }
    std::vector<std::string> lines() const { return sprites.debugLines(); }
    void clearLog() { sprites.clearLog(); }
};

// A bare game object in a private folder, for the logic that needs no engine object.
struct BareGame : ::testing::Test {
    zktest::TestKit kit;
    std::unique_ptr<GAMEMAIN> game = std::make_unique<GAMEMAIN>();
};
