#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shell/AssetManifest.h"
#include "shell/RegisterResourceFiles.h"
#include "sound/ZKSND.h"
#include "support/ManualAudio.h"
#include "support/SpriteKit.h"

namespace {

std::string EffectName(ZKSND& snd, int record) {
    char name[260];
    return snd.DAGetWAVEPath(record, name, sizeof name) != nullptr ? name : "?";
}

}  // namespace

TEST(RegisterResourceFiles, EverySlotGetsItsFixedName) {
    zktest::SpriteKit k;
    zktest::ManualAudio audio;
    ASSERT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), 1);
    ZKSND snd;
    ASSERT_EQ(snd.Initialize(nullptr, nullptr, 0), 0);
    k.clearLog();

    ASSERT_EQ(RegisterResourceFiles(k.sprite, snd), 1);
    EXPECT_TRUE(k.debugLines().empty());
    ASSERT_EQ(k.sprite.GetSurfaceCount(), 464);
    ASSERT_EQ(k.sprite.GetTextureCount(), 60);
    ASSERT_EQ(snd.DAGetDataNum(), 44u);

    // The first and last name of every run: a miscounted run shifts all later slots.
    const struct {
        char table;
        int slot;
        const char* name;
    } expected[] = {
        {'s', 0, ""},
        {'s', 1, ""},
        {'s', 2, "black.gpc"},
        {'s', 22, "QuiraFaceWnd.gpc"},
        {'s', 32, "ReplayMaterial.gpc"},
        {'s', 33, "Tb_cg_Quira_01.gpc"},
        {'s', 118, "Tb_cg_Quira_86.gpc"},
        {'s', 119, "Tb_rp_Quira_01.gpc"},
        {'s', 160, "Tb_rp_Quira_42.gpc"},
        {'s', 161, "Tb_cg_Dulcane_01.gpc"},
        {'s', 193, "Tb_cg_Dulcane_33.gpc"},
        {'s', 209, "Tb_rp_Dulcane_16.gpc"},
        {'s', 210, "Tb_cg_Ombrea_01.gpc"},
        {'s', 227, "Tb_rp_Ombrea_01.gpc"},
        {'s', 240, "Tb_cg_Ysma_13.gpc"},
        {'s', 243, "Tb_rp_Ysma_03.gpc"},
        {'s', 244, "BG00.gpc"},
        {'s', 262, "BG13.gpc"},
        {'s', 263, "Y0100.gpc"},
        {'s', 276, "Y1500.gpc"},
        {'s', 277, "P0100g.gpc"},
        {'s', 278, "Q00A.gpc"},
        {'s', 284, "Q00G.gpc"},
        {'s', 290, "P0200D.gpc"},
        {'s', 297, "D00G.gpc"},
        {'s', 300, "P0200O.gpc"},
        {'s', 308, "O00H.gpc"},
        {'s', 310, "P0100Y.gpc"},
        {'s', 315, "Y00E.gpc"},
        {'s', 316, "ED01.gpc"},
        {'s', 322, "ED06.gpc"},
        {'s', 323, "EV01.gpc"},
        {'s', 347, "EV06k.gpc"},
        {'s', 402, "EV30b.gpc"},
        {'s', 403, "HCG0100.gpc"},
        {'s', 425, "HCG0410e.gpc"},
        {'s', 463, "HCG1510.gpc"},
        {'t', 0, "black.gpc"},
        {'t', 6, "Staffroll_Material_Tex.gpc"},
        {'t', 7, "Y0100.gpc"},
        {'t', 59, "Y00E.gpc"},
        {'e', 0, ""},
        {'e', 1, ""},
        {'e', 2, "Title_Start.sou"},
        {'e', 8, "Page.sou"},
        {'e', 15, "SE06.sou"},
        {'e', 16, "SE09.sou"},
        {'e', 19, "SE11-B.sou"},
        {'e', 27, "SE21.sou"},
        {'e', 33, "SE34.sou"},
        {'e', 34, "SE-NUTYA01.sou"},
        {'e', 43, "SE-NUTYA10.sou"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(std::string(1, e.table) + std::to_string(e.slot));
        const std::string name = e.table == 's'   ? k.sprite.GetSurfacePath(e.slot)
                                 : e.table == 't' ? k.sprite.GetTextureFileName(e.slot)
                                                  : EffectName(snd, e.slot);
        EXPECT_EQ(name, e.name);
    }

    std::set<std::string> surfaceNames;
    for (int slot = 0; slot < 464; ++slot) {
        const std::string name = k.sprite.GetSurfacePath(slot);
        EXPECT_STREQ(k.sprite.GetSurfaceDirPath(slot), name.empty() ? "" : "tmp/") << slot;
        EXPECT_EQ(k.sprite.pSurfaceTable[slot].GetVideoMemory(), 1u);
        EXPECT_EQ(name, AssetManifest::Instance().SurfaceNames()[slot]);
        if (!name.empty()) surfaceNames.insert(name);
    }
    EXPECT_EQ(surfaceNames.size(), 462u);
    for (int slot = 0; slot < 60; ++slot) {
        EXPECT_STREQ(k.sprite.GetTextureDirPath(slot), "tmp/");
        EXPECT_STRNE(k.sprite.GetTextureFileName(slot), "");
        if (slot >= 7) {
            EXPECT_STREQ(k.sprite.GetTextureFileName(slot), k.sprite.GetSurfacePath(slot + 256));
        }
    }
    for (int record = 2; record < 44; ++record) EXPECT_NE(EffectName(snd, record), "");
    snd.Release();
}

TEST(RegisterResourceFiles, FirstFailureStopsBeforeTheSounds) {
    zktest::SpriteKit k;
    zktest::ManualAudio audio;
    ZKSND snd;
    ASSERT_EQ(snd.Initialize(nullptr, nullptr, 0), 0);
    k.clearLog();

    EXPECT_EQ(RegisterResourceFiles(k.sprite, snd), 0);
    EXPECT_EQ(k.debugLines(), std::vector<std::string>{
                                  "Error: <ZKSPRITE::CreateSurfaceBuffer> 初期化されていません"});
    EXPECT_EQ(snd.DAGetDataNum(), 0u);
    snd.Release();
}
