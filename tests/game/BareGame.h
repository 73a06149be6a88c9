#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "game/GAMEMAIN.h"
#include "support/TestKit.h"

// A bare game object in a private folder, for the logic that needs no engine object.
// The game object is large, so it lives on the heap.
struct BareGame : ::testing::Test {
    zktest::TestKit kit;
    std::unique_ptr<GAMEMAIN> game = std::make_unique<GAMEMAIN>();
};
