#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "platform/video/DisplayStatus.h"
#include "support/Bytes.h"
#include "support/ScriptKit.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using zktest::ScriptKit;

// The kit's engine objects under a second game object that is not yet initialised.
struct FreshGame : ScriptKit {
    std::unique_ptr<GAMEMAIN> fresh = std::make_unique<GAMEMAIN>();
    std::uint32_t Initialize(bool system = true, bool sprite = true, bool sound = true) {
        return fresh->Initialize(system ? &sys : nullptr, sprite ? &sprites.sprite : nullptr,
                                 sound ? &snd : nullptr);
    }
    int presents() const { return sprites.display.presents(); }
};

TEST(GameMain, InitializeRefusesEachMissingEngineObject) {
    FreshGame k;
    fs::remove_all("sav");
    const struct {
        bool system, sprite, sound;
        const char* line;
    } cases[] = {
        {false, true, true, "Error: <GAMEMAIN::Initialize> ZKSYSTEMクラスがNULLです"},
        {true, false, true, "Error: <GAMEMAIN::Initialize> ZKSPRITEクラスがNULLです"},
        {true, true, false, "Error: <GAMEMAIN::Initialize> ZKSNDクラスがNULLです"},
    };
    for (const auto& c : cases) {
        k.clearLog();
        EXPECT_EQ(k.Initialize(c.system, c.sprite, c.sound), 0u);
        EXPECT_EQ(k.lines(), Lines{c.line});
        // Nothing was set up, so the release has nothing to sweep.
        k.fresh->Release();
        EXPECT_EQ(k.fresh->pSystem, nullptr);
    }
    EXPECT_FALSE(fs::exists("sav"));
}

// The context the windows and screens are handed holds the game's engine objects and
// the shell's words and actions from a complete start-up until the release.
TEST(GameMain, InitializeBuildsTheContextAndReleaseEmptiesIt) {
    FreshGame k;
    k.fresh->SetShell(k.shell, k.host);
    const auto pieces = [&] {
        const GameContext& c = k.fresh->Context;
        return std::tuple(static_cast<void*>(c.pSystem), static_cast<void*>(c.pSprite),
                          static_cast<void*>(c.pSnd), static_cast<void*>(c.pShell),
                          static_cast<void*>(c.pHost));
    };
    const auto none = std::tuple<void*, void*, void*, void*, void*>();
    EXPECT_EQ(k.Initialize(true, true, false), 0u);
    EXPECT_EQ(pieces(), none);
    EXPECT_EQ(k.Initialize(), 1u);
    EXPECT_EQ(pieces(),
              std::tuple(static_cast<void*>(&k.sys), static_cast<void*>(&k.sprites.sprite),
                         static_cast<void*>(&k.snd), static_cast<void*>(&k.shell),
                         static_cast<void*>(static_cast<GameHost*>(&k.host))));
    k.fresh->Release();
    EXPECT_EQ(pieces(), none);
}

TEST(GameMain, ExistingSaveFolderIsReportedButAccepted) {
    FreshGame k;
    fs::remove_all("tmp");
    EXPECT_EQ(k.Initialize(), 1u);
    EXPECT_EQ(k.lines(), (Lines{"Error: <GAMEMAIN::Initialize> ディレクトリ作成に失敗しました",
                                "-指定ディレクトリは既に作成されています-"}));
    EXPECT_TRUE(fs::is_directory("tmp"));
}

// An existing save left alone is checked with the other broken start-ups.
TEST(GameMain, BootWithoutScenarioDataFailsAndWritesNoSave) {
    ScriptKit k;
    k.sprites.loadPicture(2, 4, 4);
    EXPECT_EQ(k.game->GameMainFunc(), 0u);
    EXPECT_EQ(k.lines(),
              (Lines{"Error: <GAMEMAIN::InitScrObjCount> 指定ファイルは非結合ファイルです",
                     "Error: 初期設定ファイル Init.spt を読み込めませんでした",
                     "Error: <GAMEMAIN::InitScrMain> "
                     "呼び出したGAMEMAIN::InitScrObjCountが失敗しました"}));
    EXPECT_FALSE(k.sprites.sprite.pSurfaceTable[2].IsLoaded());
    k.game->Release();
    EXPECT_TRUE(fs::is_empty("sav"));
}

TEST(GameMain, AModesFailureEndsTheGameUnderItsOwnName) {
    // Step 7 of either scene mode closes a settings screen never opened: a shifted
    // dispatch row would run or name another mode.
    for (const auto& [mode, proc] : {std::pair{6, "RecurdoMainProc"}, {7, "HintModeMainProc"}}) {
        SCOPED_TRACE(mode);
        FreshGame k;
        k.game->nMode = 3;
        k.game->ChangeMode(mode);
        k.game->nProcStep = 7;
        EXPECT_EQ(k.game->nOldMode, 3);
        EXPECT_EQ(k.game->GameDrawFunc(), 1u);
        EXPECT_EQ(k.presents(), 1);
        EXPECT_EQ(k.game->GameMainFunc(), 0u);
        const std::string tag = std::string("GAMEMAIN::") + proc;
        EXPECT_EQ(
            k.lines(),
            (Lines{"Error: <CONFIG_DATA::WindowClose> 初期化されていません",
                   "Error: <" + tag + "> コンフィグウィンドウのクローズ処理でエラーが発生しました",
                   "Error: <GAMEMAIN::GameMainFunc> " + tag + "が失敗しました"}));
    }
}

TEST(GameMain, UnknownModesRunEmptyFramesOnTheTimeOfThePreviousFrame) {
    for (const std::int32_t mode : {13, -1}) {
        SCOPED_TRACE(mode);
        FreshGame k;
        k.game->nMode = mode;
        std::uint32_t sampled = 1000;
        for (int frame = 1; frame <= 3; ++frame) {
            k.clock().set(1000u + 16u * frame);
            EXPECT_EQ(k.game->GameMainFunc(), 1u);
            EXPECT_EQ(k.game->GetTime(), sampled);
            sampled = 1000u + 16u * frame;
            EXPECT_EQ(k.game->GameDrawFunc(), 1u);
            EXPECT_EQ(k.presents(), frame);
        }
        EXPECT_TRUE(k.lines().empty());
    }
}

TEST(GameMain, FrameAfterTheMovieDrawsNothing) {
    FreshGame k;
    k.game->nMode = 13;
    k.game->nOldMode = 2;
    for (const int step : {0, 1}) {
        k.game->nProcStep = step;
        EXPECT_EQ(k.game->GameDrawFunc(), 1u);
        EXPECT_EQ(k.presents(), step);
    }
}

TEST(GameMain, IDSerchMatchesNamedRowsOnly) {
    FreshGame k;
    std::int32_t index = 5;
    EXPECT_EQ(k.fresh->IDSerch("Face", 1, &index), 0u);
    EXPECT_EQ(index, -1);
    k.game->pSurfaceData = std::make_unique<GRAPHIC_FILE_DATA[]>(5);
    k.game->nSurfaceNum = 5;
    std::strcpy(k.game->pSurfaceData[1].szName, "Face");
    std::strcpy(k.game->pSurfaceData[2].szName, "FACE");
    std::strcpy(k.game->pSurfaceData[3].szName, zktest::Hex("83 41").c_str());

    const std::string noSurface =
        "Message: <GAMEMAIN::IDSerch> サーフェスデータのIDと照合しませんでした";
    const struct {
        const char* id;
        std::uint32_t kind, found;
        std::int32_t index;
        std::string line;
    } cases[] = {
        {"face", 1, 1, 1, ""},
        {"\x83\x41", 1, 1, 3, ""},
        {"\x83\x61", 1, 0, -1, noSurface},
        {"", 1, 0, -1, noSurface},
        {nullptr, 1, 0, -1, noSurface},
        {"Face", 0, 0, -1, "Message: <GAMEMAIN::IDSerch> テクスチャデータのIDと照合しませんでした"},
        {"Face", 2, 0, -1, "Message: <GAMEMAIN::IDSerch> WAVEデータのIDと照合しませんでした"},
        {"DAY", 3, 0, -1, "Message: <GAMEMAIN::IDSerch> 変数データのIDと照合しませんでした"},
        {"Face", 4, 0, -1, "Message: <GAMEMAIN::IDSerch> キャラデータのIDと照合しませんでした"},
        {"Face", 5, 0, -1, "Error: <GAMEMAIN::IDSerch> 定義されていないデータ形式です"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        k.clearLog();
        index = 5;
        EXPECT_EQ(k.game->IDSerch(c.id, c.kind, &index), c.found);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(k.lines(), c.line.empty() ? Lines{} : Lines{c.line});
    }
    k.clearLog();
    k.game->Release();
    k.game->IDSerch("Face", 1, &index);
    EXPECT_EQ(k.lines(),
              (Lines{"Error: <GAMEMAIN::IDSerch> GAMEMAIN::Initializeが実行されていません"}));
}

TEST(GameMain, ReleaseAllResourcesUnloadsEverySlot) {
    ScriptKit k;
    k.sprites.loadPicture(1, 4, 4);
    zktest::WriteLevelWav("se.wav", 100, 0.5f);
    ASSERT_EQ(k.snd.DALoad(3, "se.wav", DA_PATH_SE), 0);
    EXPECT_EQ(k.game->ReleaseAllResources(), 1);
    EXPECT_FALSE(k.sprites.sprite.pSurfaceTable[1].IsLoaded());
    EXPECT_EQ(k.snd.DAGetLoadState(3), 0);
}

TEST(GameMain, FramesAndTheSweepNeedAnInitialisedObjectAndDrawStopAFlip) {
    FreshGame k;
    k.fresh->Release();
    EXPECT_EQ(k.fresh->DrawStop(), 0);
    EXPECT_EQ(k.fresh->GameMainFunc(), 0u);
    EXPECT_EQ(k.fresh->GameDrawFunc(), 0u);
    EXPECT_EQ(k.lines(),
              (Lines{"Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::Initializeが実行されていません",
                     "Error: <GAMEMAIN::GameDrawFunc> GAMEMAIN::Initializeが実行されていません"}));
    fs::create_directories("tmp/scr_dep");
    zktest::WriteFileBytes("tmp/scr_dep/a.spt", "x");
    zktest::WriteFileBytes("tmp/b.gpc", "y");
    EXPECT_EQ(k.game->DrawStop(), 1);
    k.sprites.display.flipStatus = platform::DDERR_NOTFOUND;
    EXPECT_EQ(k.game->DrawStop(), 0);
    k.clearLog();
    k.game->Release();
    EXPECT_TRUE(k.lines().empty());
    EXPECT_FALSE(fs::exists("tmp"));
    EXPECT_EQ(k.game->nInitFlg, 0u);
}

TEST(GameMain, ClearAndBGDataClearEmptyTheGameState) {
    ScriptKit k;
    GAMEMAIN& game = *k.game;
    game.MsgWndStatusChange(15, 1);
    std::strcpy(game.szBGMName, "bgm01.ogg");
    ASSERT_EQ(game.AddAutoSkipFileList("Day01.spt", 3), 1u);
    game.ClippingData.nClipNum = 3;
    game.ClippingData.prcClip = std::make_unique<platform::Rect[]>(3);
    game.prcMosaic = std::make_unique<platform::Rect[]>(8);
    game.dwMosaicSize = 16;
    game.BGGraphData1.nDispFlg = 1;
    game.FadeGraphData.nDispFlg = 1;

    game.BGDataClear();
    EXPECT_EQ(std::tuple(game.ClippingData.nClipNum, game.BGGraphData1.nDispFlg, game.dwMosaicSize),
              std::tuple(0, 0u, 0u));
    EXPECT_FALSE(game.ClippingData.prcClip || game.prcMosaic);
    EXPECT_EQ(game.BGGraphData1.pSprite, &k.sprites.sprite);
    EXPECT_EQ(game.nSaveEnableFlg, 1u);

    game.ClippingData.nClipNum = 2;
    game.ClippingData.prcClip = std::make_unique<platform::Rect[]>(2);
    game.dwMosaicSize = 16;
    k.clearLog();
    game.Clear();
    // Layers that hold no slot give nothing back, and say nothing about it.
    EXPECT_EQ(k.lines(), std::vector<std::string>{});
    EXPECT_EQ(std::tuple(game.ClippingData.nClipNum, game.dwMosaicSize), std::tuple(0, 0u));
    EXPECT_FALSE(game.ClippingData.prcClip);
    EXPECT_EQ(
        game.nSaveEnableFlg + game.nLoadEnableFlg + game.nConfigEnableFlg + game.nHelpEnableFlg,
        0u);
    EXPECT_STREQ(game.szBGMName, "");
    EXPECT_EQ(game.FadeGraphData.nDispFlg, 0u);
    EXPECT_EQ(game.CheckAutoSkipFileList("Day01.spt", nullptr), 0);
    EXPECT_EQ(game.nInitFlg, 1u);
}

}  // namespace
