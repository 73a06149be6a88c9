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

    // First and last of each table and one of each kind; the loop below matches the rest to
    // the manifest.
    const struct {
        char table;
        int slot;
        const char* name;
    } expected[] = {
        {'s', 0, ""},
        {'s', 2, "black.gpc"},
        {'s', 33, "Tb_cg_Quira_01.gpc"},
        {'s', 244, "BG00.gpc"},
        {'s', 463, "HCG1510.gpc"},
        {'t', 0, "black.gpc"},
        {'t', 6, "Staffroll_Material_Tex.gpc"},
        {'t', 7, "Y0100.gpc"},
        {'t', 59, "Y00E.gpc"},
        {'e', 0, ""},
        {'e', 2, "Title_Start.sou"},
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
