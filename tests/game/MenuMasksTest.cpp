#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BareGame.h"
#include "platform/window/MenuStrip.h"
#include "shell/ShellGameHost.h"
#include "shell/ShellResources.h"
#include "shell/ShellState.h"

namespace {

using MenuMasks = BareGame;

TEST_F(MenuMasks, PermissionWordsFollowTheMaskBits) {
    const auto words = [&] {
        return std::vector<std::uint32_t>{game->nSaveEnableFlg, game->nLoadEnableFlg,
                                          game->nConfigEnableFlg, game->nHelpEnableFlg};
    };
    game->MsgWndStatusChange(65535, 1);
    EXPECT_EQ(words(), (std::vector<std::uint32_t>{1, 1, 1, 1}));
    game->MsgWndStatusChange(3, 0);
    EXPECT_EQ(words(), (std::vector<std::uint32_t>{0, 0, 1, 1}));
    game->MsgWndStatusChange(1016, 0);
    EXPECT_EQ(words(), (std::vector<std::uint32_t>{0, 0, 1, 0}));
    EXPECT_TRUE(kit.debugLines().empty());
}

// The message settings the shell hands over: speed, automatic advance and skip.
TEST_F(MenuMasks, MessageSettingsReachTheGameAndItsWindow) {
    const struct {
        std::uint32_t speed, handsFree, autoSkip;
    } cases[] = {{1000, 1, 0}, {250, 0, 1}};
    for (const auto& c : cases) {
        game->SetMsgConfig(c.speed, c.handsFree, c.autoSkip);
        EXPECT_EQ(std::vector<std::uint32_t>(
                      {game->GetMsgSpeed(), game->GetHandsFree(), game->GetAutoSkip()}),
                  std::vector<std::uint32_t>({c.speed, c.handsFree, c.autoSkip}));
    }
}

TEST(MsgBarMask, TakesBacklogConditionsOnlyWhenSwitchingOn) {
    const struct {
        std::int32_t mask;
        std::uint32_t on;
        bool text;
        bool browse;
        std::int32_t bar;
    } cases[] = {
        {48, 1, false, false, 3},   {128, 1, false, false, 0},   {128, 1, true, false, 8},
        {128, 0, false, false, 8},  {256, 1, true, false, 0},    {256, 1, false, true, 16},
        {256, 0, false, false, 16}, {1015, 0, false, false, 63}, {65535, 1, true, true, 63},
        {15, 1, true, true, 0},     {512, 1, false, false, 32},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GAMEMAIN::MsgBarMask(c.mask, c.on, c.text, c.browse), c.bar)
            << c.mask << " on " << c.on;
    }
}

TEST_F(MenuMasks, MenuChangeSwitchesTheShellsMenu) {
    const std::string failed =
        "Error: <GAMEMAIN::MenuMsgWndStatusChange> メニューの設定に失敗しました";
    ShellGameHost host;
    game->SetShell(BeginShellState(), host);
    EXPECT_EQ(game->MenuMsgWndStatusChange(7, 1), 0u);
    EXPECT_EQ(kit.debugLines().back(), failed);

    kit.log.clear();
    platform::MenuStrip menu;
    BuildShellMenu(menu);
    CurrentShellState().hMenu = &menu;
    CurrentShellState().settings.fullScreen = 1;
    EXPECT_EQ(game->MenuMsgWndStatusChange(65535, 0), 1u);
    EXPECT_EQ(game->MenuMsgWndStatusChange(1014, 1), 1u);
    std::vector<bool> enabled;
    for (const auto& item : menu.items()) enabled.push_back(item.enabled);
    EXPECT_EQ(enabled, (std::vector<bool>{false, true, true, false}));
    EXPECT_TRUE(kit.debugLines().empty());
    EXPECT_EQ(game->nSaveEnableFlg, 0u);
}

}  // namespace
