#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/ScriptBench.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::ScriptBench;

std::int32_t RowSlot(GAMEMAIN& g, const char* szID, std::uint32_t kind) {
    std::int32_t row = -1;
    EXPECT_EQ(g.IDSerch(szID, kind, &row), 1u) << szID;
    const GRAPHIC_FILE_DATA* tables[] = {g.pTextureData.get(), g.pSurfaceData.get(),
                                         g.pWaveData.get()};
    return tables[kind][row].nIndex;
}

// Each kind word loads and unloads its own table's slot, whatever the others hold.
TEST(DataCommands, LoadAndUnloadTheRowOfTheirKind) {
    const struct {
        const char* id;
        const char* kind;
        std::uint32_t table;
    } cases[] = {{"red", "TEX", 0}, {"white", "SURF", 1}, {"GenPurEnter", "WAVE", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ScriptBench b;
        GAMEMAIN& g = b.game();
        const std::int32_t slot = RowSlot(g, c.id, c.table);
        // 1 loaded, 0 not: the sprite's states count 0 as loaded.
        const std::function<int()> states[] = {
            [&] { return g.pSprite->GetTextureLoadState(slot) == 0 ? 1 : 0; },
            [&] { return g.pSprite->GetSurfaceLoadState(slot) == 0 ? 1 : 0; },
            [&] { return g.pSnd->DAGetLoadState(slot); }};
        const std::string words = std::string(" ") + c.id + " " + c.kind;
        EXPECT_EQ(b.runLine("#UnLoadData" + words), Lines{});
        EXPECT_EQ(states[c.table](), 0);
        EXPECT_EQ(b.runLine("#LoadData" + words), Lines{});
        EXPECT_EQ(b.lastResult, 2);
        EXPECT_EQ(states[c.table](), 1);
        // The same ID under another kind names another table's row.
        const std::string other = c.table == 0 ? " SURF" : " TEX";
        b.runLine(std::string("#UnLoadData ") + c.id + other);
        EXPECT_EQ(states[c.table](), 1);
    }
}

TEST(DataCommands, RefusalsAndLoaderFailuresFailTheScript) {
    const std::string load = "Error: <GAMEMAIN::LoadDataProc> [#LoadData] ";
    const std::string unload = "Error: <GAMEMAIN::UnLoadDataProc> [#UnLoadData] ";
    const struct {
        const char* line;
        const char* word;
        std::string failure;
    } cases[] = {
        {"#LoadData", "#LoadData", load + "不正な識別子です"},
        {"#LoadData white PICT", "#LoadData", load + "不正な識別子です"},
        {"#UnLoadData white XXX", "#UnLoadData", unload + "不正な識別子です"},
        {"#LoadData NOPE SURF", "#LoadData", load + "合致するIDが見つかりませんでした"},
        {"#UnLoadData NOPE WAVE", "#UnLoadData", unload + "合致するIDが見つかりませんでした"},
        {"#LoadData TitleBack1 TEX", "#LoadData",
         load + "呼び出したGAMEMAIN::TextureLoadが失敗しました"},
        {"#LoadData BG02 SURF", "#LoadData",
         load + "呼び出したGAMEMAIN::SurfaceLoadが失敗しました"},
        {"#LoadData SE00 WAVE", "#LoadData", load + "呼び出したGAMEMAIN::SELoadが失敗しました"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptBench b;
        const Lines lines = b.runLine(c.line);
        EXPECT_EQ(b.lastResult, -1);
        const Lines tail = ScriptBench::FailureLines(c.failure, 2, c.word);
        ASSERT_GE(lines.size(), tail.size());
        EXPECT_EQ(Lines(lines.end() - 4, lines.end()), tail);
    }
}

// An unload that fails is told, and the script goes on.
TEST(DataCommands, AFailedUnloadIsOnlyLogged) {
    ScriptBench b;
    std::int32_t row = -1;
    b.game().IDSerch("GenPurEnter", 2, &row);
    b.game().pWaveData[row].nIndex = 4000;
    EXPECT_EQ(b.runLine("#UnLoadData GenPurEnter WAVE"),
              (Lines{"Error: <ZKSND::DAUnload> インデックス番号外を指定しています",
                     "Error: <GAMEMAIN::UnLoadDataProc> [#UnLoadData] "
                     "呼び出したGAMEMAIN::SEUnloadが失敗しました"}));
    EXPECT_EQ(b.lastResult, 2);
}

}  // namespace
