#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "BareGame.h"
#include "support/Bytes.h"

namespace {

struct AutoSkipList : BareGame {
    std::int32_t PositionOf(const std::string& name) {
        std::int32_t position = -99;
        EXPECT_EQ(game->CheckAutoSkipFileList(name.c_str(), &position), 1) << name;
        return position;
    }
};

TEST_F(AutoSkipList, PositionsOnlyGrowAndReadToTheEndStays) {
    const struct {
        std::int32_t added;
        std::int32_t stored;
    } steps[] = {{80, 80}, {120, 120}, {50, 120}, {-1, -1}, {200, -1}};
    for (const auto& s : steps) {
        ASSERT_EQ(game->AddAutoSkipFileList("Day01.spt", s.added), 1u);
        EXPECT_EQ(PositionOf("Day01.spt"), s.stored) << s.added;
    }
    // Any negative position means the end, and is kept as -1.
    ASSERT_EQ(game->AddAutoSkipFileList("Day02.spt", -5), 1u);
    EXPECT_EQ(PositionOf("Day02.spt"), -1);
    EXPECT_TRUE(kit.debugLines().empty());
}

TEST_F(AutoSkipList, NamesCompareWithoutCaseButByEveryTrailByte) {
    ASSERT_EQ(game->AddAutoSkipFileList("Day01.spt", 10), 1u);
    ASSERT_EQ(game->AddAutoSkipFileList("DAY01.SPT", 20), 1u);
    EXPECT_EQ(game->AutoSkipFileData[1].szFileName[0], '\0');
    EXPECT_EQ(PositionOf("day01.spt"), 20);

    // 0x83 0x41 and 0x83 0x61 are two different katakana, not a case pair.
    const std::string upper = zktest::Hex("83 41") + ".spt";
    const std::string lower = zktest::Hex("83 61") + ".spt";
    ASSERT_EQ(game->AddAutoSkipFileList(upper.c_str(), 1), 1u);
    ASSERT_EQ(game->AddAutoSkipFileList(lower.c_str(), 2), 1u);
    EXPECT_EQ(PositionOf(upper), 1);
    EXPECT_EQ(PositionOf(lower), 2);
}

TEST_F(AutoSkipList, FullListAndBadNamesAreRefused) {
    for (int i = 0; i < 512; ++i) {
        ASSERT_EQ(game->AddAutoSkipFileList(("f" + std::to_string(i)).c_str(), i), 1u);
    }
    EXPECT_EQ(game->AddAutoSkipFileList("f7", 100), 1u);
    EXPECT_EQ(game->AddAutoSkipFileList("one-too-many", 1), 0u);
    EXPECT_EQ(PositionOf("f511"), 511);
    std::int32_t position = 7;
    EXPECT_EQ(game->CheckAutoSkipFileList("one-too-many", &position), 0);
    EXPECT_EQ(position, 7);
    game->Clear();
    EXPECT_EQ(game->AddAutoSkipFileList(std::string(260, 'n').c_str(), 1), 0u);
    EXPECT_EQ(game->AddAutoSkipFileList(nullptr, 1), 0u);
    EXPECT_EQ(game->AddAutoSkipFileList("", 1), 0u);
    EXPECT_EQ(game->AddAutoSkipFileList(std::string(259, 'n').c_str(), 1), 1u);
    const std::string invalid = "Warn: <GAMEMAIN::AddAutoSkipFileList> ファイル名が不正です";
    EXPECT_EQ(kit.debugLines(),
              (std::vector<std::string>{
                  "Warn: <GAMEMAIN::AddAutoSkipFileList> "
                  "バッファオーバーでオートスキップファイルリストに加えられませんでした",
                  invalid, invalid, invalid}));
}

TEST_F(AutoSkipList, CheckMatchesTheFirstWordOfAnEntry) {
    std::int32_t position = 7;
    EXPECT_EQ(game->CheckAutoSkipFileList(nullptr, &position), -1);
    EXPECT_EQ(kit.debugLines(),
              std::vector<std::string>{
                  "Error: <GAMEMAIN::CheckAutoSkipFileList> 引数として不正な値が渡されました"});
    std::strcpy(game->AutoSkipFileData[0].szFileName, "Day01.spt extra");
    game->AutoSkipFileData[0].nPosition = 33;
    EXPECT_EQ(game->CheckAutoSkipFileList("DAY01.spt", &position), 1);
    EXPECT_EQ(position, 33);
    EXPECT_EQ(game->CheckAutoSkipFileList("Day01.spt extra", &position), 0);
    EXPECT_EQ(game->CheckAutoSkipFileList("Day02.spt", &position), 0);
    // An empty record ends the list: a name after it is not looked at.
    std::strcpy(game->AutoSkipFileData[2].szFileName, "Day03.spt");
    EXPECT_EQ(game->CheckAutoSkipFileList("Day03.spt", &position), 0);
    EXPECT_EQ(position, 33);
}

}  // namespace
