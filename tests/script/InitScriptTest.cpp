#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/HeadlessMessageBox.h"
#include "support/Bytes.h"
#include "support/ScriptKit.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::ScriptKit;
using zktest::Sjis;
using Shown = platform::HeadlessMessageBox::Shown;

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

// Writes Init.spt of lines, with "// init" as its line 1.
void WriteInit(std::vector<std::u8string> lines) {
    lines.insert(lines.begin(), u8"// init");
    ScriptKit::WriteArchive("dat/Scenario.dat", {{"Init.spt", ScriptKit::Coded(lines)}});
}

const std::vector<Shown>& Boxes(const ScriptKit& k) { return k.sprites.messageBox.shown(); }

Shown Box(std::u8string_view caption, std::u8string_view text) {
    return {Sjis(caption), Sjis(text)};
}

TEST(InitScript, RegistersEveryKindOfRow) {
    ScriptKit k;
    const std::string body = ScriptKit::SurfaceName(263);
    // Only a path that reads FALSE gives its row load flag 0.
    ASSERT_EQ(k.sprites.sprite.SetSurface(41, "tmp/", "FALSE", 1), 1);
    WriteInit({u8"#REG_DATA bg SURF " + U8(ScriptKit::SurfaceName(40)),
               u8"#REG_DATA bodySurf surf " + U8(body), u8"#REG_DATA bodyTex TEX " + U8(body),
               u8"#REG_DATA se WAVE " + U8(ScriptKit::EffectName(3)), u8"#REG_DATA DAY VAR 3",
               u8"#REG_DATA Love VAR", u8"#REG_DATA day VAR 9", u8"#reg_data Hero CHAR 2 1",
               u8"#CHARA_SET_BODY Hero 2 bodySurf bodyTex 10 20 5 6",
               u8"#CHARA_SET_FACE Hero 1 bodySurf bodyTex 1 2 3 7 REPETITION",
               u8"#CHARA_SET_EYE Hero 1 3 8 4 5 120",
               u8"#REG_DATA 2 CLOTHES 5 3 説明\\n表示 second.spt", u8"#REG_DATA lost TEX none.gpc",
               u8"#REG_DATA blank SURF", u8"#REG_DATA off SURF FALSE"});
    ASSERT_EQ(k.game->InitScrMain(), 1);

    GAMEMAIN& g = *k.game;
    EXPECT_EQ(k.lines()[1],
              "Message: <GAMEMAIN::InitScrObjCount> TEX:2 SURF:4 WAVE:1 変数:3 Character:1 "
              "を確保しました");
    std::int32_t row = -1;
    const struct {
        const char* id;
        std::uint32_t kind;
        std::int32_t slot;
    } files[] = {{"BG", 1, 40}, {"bodysurf", 1, 263}, {"BODYTEX", 0, 7}, {"se", 2, 3}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.id);
        ASSERT_EQ(g.IDSerch(f.id, f.kind, &row), 1u);
        const GRAPHIC_FILE_DATA* table[] = {g.pTextureData.get(), g.pSurfaceData.get(),
                                            g.pWaveData.get()};
        EXPECT_EQ(table[f.kind][row].nIndex, f.slot);
    }
    EXPECT_EQ(std::pair(g.pSurfaceData[1].dwFlag, g.pSurfaceData[2].dwFlag), std::pair(1u, 0u));
    // IDs ignore case, and the first of two rows with one ID is the one found.
    ASSERT_EQ(g.IDSerch("day", 3, &row), 1u);
    EXPECT_EQ(std::pair(row, g.pVarData[row].nValue), std::pair(0, 3));
    EXPECT_EQ(g.nDayVarIndex, 0);
    ASSERT_EQ(g.IDSerch("love", 3, &row), 1u);
    EXPECT_EQ(g.pVarData[row].nValue, 0);

    ASSERT_EQ(g.IDSerch("hero", 4, &row), 1u);
    const ZKCHAR& hero = g.pCharData[row];
    const BODY_DATA& second = hero.pBodyData[1];
    const FACE_DATA& face = hero.pFaceData[0];
    EXPECT_EQ((std::vector<std::int32_t>{hero.nBodyNum, second.nSurfaceIndex, second.nTextureIndex,
                                         second.nFaceY, face.nEyeNum, face.nEyeParam}),
              (std::vector<std::int32_t>{2, 263, 7, 6, 3, 7}));
    EXPECT_EQ(face.Animation.nType, 1u);
    EXPECT_EQ(face.pEyeData[2].rcRect, (platform::Rect{8, 0, 12, 5}));
    EXPECT_EQ(face.pEyeData[2].dwTime, 120u);

    const CLOTHES_DATA& clothes = g.ClothesSelectData.ClothesData[1];
    EXPECT_EQ(std::pair(clothes.nPartsNum, clothes.nFace), std::pair(5u, 2u));
    EXPECT_EQ(std::string(clothes.szDescription), Sjis(u8"説明\\n表示"));
    EXPECT_STREQ(clothes.szScenario, "second.spt");

    // Unknown and empty paths find no slot: their lines warn and register nothing.
    EXPECT_EQ(Boxes(k), (std::vector<Shown>{Box(u8"Warning", u8"14行目で警告が発生しました"),
                                            Box(u8"Warning", u8"15行目で警告が発生しました")}));
    EXPECT_EQ(g.IDSerch("lost", 0, &row), 0u);
    EXPECT_EQ(g.IDSerch("blank", 1, &row), 0u);
    const std::vector<std::string> lines = k.lines();
    for (const char* kind : {"TEX", "SURF"}) {
        const std::string warning = "Warn: <GAMEMAIN::InitScrExe> [#REG_DATA] " +
                                    std::string(kind) +
                                    "登録データ内に同名ファイルパスが見つかりません";
        EXPECT_EQ(std::count(lines.begin(), lines.end(), warning), 1) << kind;
    }
    EXPECT_FALSE(std::filesystem::exists("tmp/Init.spt"));
}

TEST(InitScript, WithoutTheDayVariableTheStartUpGoesOn) {
    ScriptKit k;
    WriteInit({u8"#REG_DATA Love VAR 2"});
    EXPECT_EQ(k.game->InitScrMain(), 1);
    EXPECT_EQ(k.lines().back(), "Warn: <GAMEMAIN::InitScrMain> 日付変数が見つかりませんでした");
    EXPECT_EQ(k.game->nDayVarIndex, -1);
}

std::vector<std::u8string> Rows(const std::u8string& line, int count = 1) {
    return std::vector<std::u8string>(static_cast<std::size_t>(count), line);
}

// A broken or missing Init.spt stops the boot with its box; the system save is
// neither read nor written.
TEST(InitScript, BrokenStartUpsEndTheGameAndLeaveTheSaveAlone) {
    const std::u8string lineError = u8"行目でエラーが発生しました";
    const std::u8string startUp = u8"初期設定ファイル Init.spt を読み込めませんでした";
    std::vector<std::u8string> costume15 = Rows(u8"// padding", 13);
    costume15.push_back(u8"#REG_DATA 15 CLOTHES 2 1 text s.spt");
    const std::u8string line2 = u8"2" + lineError;
    const std::string reg = "Error: <GAMEMAIN::InitScrExe> [#REG_DATA] ";
    const std::string count = "Error: <GAMEMAIN::InitScrObjCount> ";
    const struct {
        const char* name;
        std::vector<std::u8string> lines;  // none: no Scenario.dat
        std::u8string box;
        std::string line;
        bool folderInItsPlace = false;  // a folder where Init.spt is extracted to
    } cases[] = {
        {"costume 15", costume15, u8"15" + lineError, reg + "衣装ナンバーが不正です"},
        {"unsafe scenario", Rows(u8"#REG_DATA 1 CLOTHES 2 1 text ../x.spt"), line2,
         reg + "衣装のスクリプトパスが不正です"},
        {"300 bodies", Rows(u8"#REG_DATA Hero CHAR 300 1"), line2,
         "Error: <ZKCHAR::CreateCharData> 指定した体のスプライト総数は不正です"},
        {"120-byte ID", Rows(u8"#REG_DATA " + std::u8string(120, u8'v') + u8" VAR 1"), line2,
         reg + "IDが99バイトを超えています"},
        {"5000 variables", Rows(u8"#REG_DATA v VAR 1", 5000), startUp,
         count + "登録数が上限4096を超えています"},
        {"long line", Rows(u8"#REG_DATA v VAR " + std::u8string(520, u8'1')), line2,
         count + "行が510バイトを超えています"},
        {"no archive", {}, startUp, count + "指定ファイルは非結合ファイルです"},
        {"folder in tmp", Rows(u8"#REG_DATA v VAR 1"), startUp,
         count + "呼び出したFileDivが失敗しました", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptKit k;
        const std::string save = "10\n20\nkept as it was\n";
        std::filesystem::create_directory("sav");
        zktest::WriteFileBytes("sav/sav00.sav", save);
        if (!c.lines.empty()) WriteInit(c.lines);
        if (c.folderInItsPlace) std::filesystem::create_directories("tmp/Init.spt");
        EXPECT_EQ(k.game->GameMainFunc(), 0u);
        const Lines lines = k.lines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end());
        EXPECT_EQ(Boxes(k), (std::vector<Shown>{Box(u8"Error", c.box)}));
        EXPECT_EQ(k.game->GetMode(), 0);
        k.game->Release();
        EXPECT_EQ(zktest::ReadFileBytes("sav/sav00.sav"), save);
    }
}

}  // namespace
