#include <gtest/gtest.h>

#include <filesystem>

#include "app/EngineForwarder.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/HeadlessDisplay.h"
#include "shell/Shell.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/ManualAudio.h"
#include "support/ShellKit.h"
#include "system/ZKSYSTEM.h"

// A display that offers no mode at any level: the graphics object cannot start,
// so the game object never starts either, and nothing the player owns may change.
TEST(FailedStart, RealObjectsLeaveTheSaveAsItWas) {
    zktest::ShellKit k;
    zktest::ManualAudio audio;
    platform::HeadlessDisplay display;
    for (std::int32_t level : {-6, -5, -1, -4, -3}) display.modeLists[level] = {};
    platform::ScopedService<platform::Display> displayScope(display);
    std::filesystem::create_directories("sav");
    std::filesystem::create_directories("tmp/sub");
    const std::string save = zktest::Hex("00 01 02 03 fe ff 0a 0d");
    zktest::WriteFileBytes("sav/sav00.sav", save);
    zktest::WriteFileBytes("tmp/sub/left.gpc", "x");

    auto system = std::make_unique<ZKSYSTEM>();
    auto sprite = std::make_unique<ZKSPRITE>();
    auto snd = std::make_unique<ZKSND>();
    auto game = std::make_unique<GAMEMAIN>();
    EngineForwarder engine(*system, *sprite, *snd, *game);
    EXPECT_EQ(WinMain(engine, k.host, k.instanceName.c_str()), 1);

    EXPECT_EQ(zktest::ReadFileBytes("sav/sav00.sav"), save);
    EXPECT_FALSE(std::filesystem::exists("tmp"));
    ASSERT_EQ(k.box.shown().size(), 1u);
    EXPECT_EQ(zktest::ReadFileBytes("env.env").size(), 176u);
}
