#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/BitmapWriter.h"
#include "support/Bytes.h"
#include "support/SpriteKit.h"

namespace {

std::string Show(const char* text) { return text == nullptr ? "null" : text; }
std::string Show(std::int64_t value) { return std::to_string(value); }
std::string Show(const void* pointer) { return pointer == nullptr ? "null" : "set"; }

struct Accessor {
    const char* name;
    std::function<std::string(ZKSPRITE&, int)> read;
    const char* before;      // tables missing
    const char* registered;  // slot 1 after registration and load
    const char* outside;     // index -1 or the count
    bool texture;
    bool logs;
};

// Reads slot i through the named call.
#define READ(call) [](ZKSPRITE& s, int i) { return Show(s.call(i)); }

const std::vector<Accessor>& Accessors() {
    static const std::vector<Accessor> list = {
        {"GetSurface", READ(GetSurface), "null", "set", "null", false, false},
        {"GetTexture", READ(GetTexture), "null", "set", "null", true, false},
        {"GetSurfacePath", READ(GetSurfacePath), "null", "pic1.gpc", "null", false, true},
        {"GetSurfaceDirPath", READ(GetSurfaceDirPath), "null", "", "null", false, true},
        {"GetTextureFileName", READ(GetTextureFileName), "null", "tex1.gpc", "null", true, true},
        {"GetTextureDirPath", READ(GetTextureDirPath), "null", "", "null", true, true},
        {"GetSurfaceWidth", READ(GetSurfaceWidth), "0", "3", "0", false, true},
        {"GetSurfaceHeight", READ(GetSurfaceHeight), "0", "2", "0", false, true},
        {"GetTextureWidth", READ(GetTextureWidth), "0", "5", "0", true, true},
        {"GetTextureHeight", READ(GetTextureHeight), "0", "4", "0", true, true},
        {"GetSurfaceLoadState", READ(GetSurfaceLoadState), "1", "0", "-1", false, true},
        {"GetTextureLoadState", READ(GetTextureLoadState), "1", "0", "-1", true, true},
        {"GetSurfaceColorKey", READ(GetSurfaceColorKey), "1", "0", "-1", false, true},
        {"GetTextureColorKey", READ(GetTextureColorKey), "1", "1", "-1", true, true},
    };
    return list;
}

#undef READ

}  // namespace

TEST(ZKSPRITESlots, AccessorsBeforeAndAfterTheTablesAndOutOfRange) {
    zktest::SpriteKit k;
    ASSERT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), 1);
    k.clearLog();
    for (const Accessor& a : Accessors()) {
        EXPECT_EQ(a.read(k.sprite, 0), a.before) << a.name;
        EXPECT_EQ(a.read(k.sprite, -1), a.before) << a.name;
    }
    EXPECT_TRUE(k.debugLines().empty());

    ASSERT_EQ(k.sprite.CreateSurfaceBuffer(3), 1);
    ASSERT_EQ(k.sprite.CreateTextureBuffer(3), 1);
    k.loadPicture(1, 3, 2);
    k.loadTexture(1, 5, 4, zktest::CoordPicture(5, 4), 1);
    k.clearLog();
    for (const Accessor& a : Accessors()) {
        SCOPED_TRACE(a.name);
        EXPECT_EQ(a.read(k.sprite, 1), a.registered);
        for (const int index : {-1, 3}) {
            EXPECT_EQ(a.read(k.sprite, index), a.outside);
            const std::string line = std::string("Error: <ZKSPRITE::") + a.name + "> " +
                                     (a.texture ? "テクスチャ" : "サーフェス") +
                                     "ナンバー外を指定しています";
            const auto lines = k.debugLines();
            EXPECT_EQ(lines, a.logs ? std::vector<std::string>{line} : std::vector<std::string>{});
            k.clearLog();
        }
    }
}

TEST(ZKSPRITESlots, PathRuleJoinsDirectoryAndName) {
    zktest::SpriteKit k(32);
    const std::string trailByteDir = zktest::Sjis(u8"表");  // its trail byte is 0x5C
    std::filesystem::create_directory("d");
    std::filesystem::create_directory(trailByteDir);
    const auto bytes =
        zktools::BitmapBytes(zktools::BitmapForm::Rgb24, 2, 2, zktest::CoordPicture(2, 2));
    const struct {
        std::string dir;
        std::string file;  // where the rule must look
    } cases[] = {
        {"", "a.gpc"},
        {"d", "d/a.gpc"},
        {"d/", "d/a.gpc"},
        {"x\\", "x\\a.gpc"},  // a backslash ends the directory: no second separator
        {trailByteDir, trailByteDir + "/a.gpc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        zktools::WriteBitmapFile(c.file, bytes);
        ZKIMAGEDATA slot;
        slot.SetData(c.dir.c_str(), "a.gpc", 0);
        platform::Rect rect;
        EXPECT_EQ(k.sprite.GetGraphicSize(&slot, &rect), 1);
        EXPECT_EQ(rect, (platform::Rect{0, 0, 2, 2}));
        std::filesystem::remove(c.file);
        EXPECT_EQ(k.sprite.GetGraphicSize(&slot, &rect), 0);
    }
}

TEST(ZKSPRITESlots, RegistrationKeepsWhatIsNotGiven) {
    zktest::SpriteKit k(32);
    ASSERT_EQ(k.sprite.SetSurface(2, "tmp/", "old.gpc", 0), 1);
    ASSERT_EQ(k.sprite.SetSurface(2, nullptr, "new.gpc", 1), 1);
    EXPECT_STREQ(k.sprite.GetSurfaceDirPath(2), "tmp/");
    EXPECT_STREQ(k.sprite.GetSurfacePath(2), "new.gpc");
    EXPECT_EQ(k.sprite.pSurfaceTable[2].GetVideoMemory(), 1u);

    const std::string longName(260, 'a');
    EXPECT_EQ(k.sprite.SetSurface(2, "", longName.c_str(), 0), 0);
    EXPECT_EQ(k.sprite.SetTexture(0, longName.c_str(), "x", 0), 0);
    EXPECT_EQ(k.sprite.SetSurface(8, "", "x", 0), 0);
    EXPECT_EQ(k.sprite.SetTexture(-1, "", "x", 0), 0);
    EXPECT_STREQ(k.sprite.GetSurfacePath(2), "new.gpc");
    EXPECT_EQ(k.debugLines(),
              (std::vector<std::string>{
                  "Error: <ZKSPRITE::SetSurface> ファイル名が長すぎます",
                  "Error: <ZKSPRITE::SetTexture> ファイル名が長すぎます",
                  "Error: <ZKSPRITE::SetSurface> インデックス番号外を指定しています",
                  "Error: <ZKSPRITE::SetTexture> インデックス番号外を指定しています",
              }));
}

TEST(ZKSPRITESlots, SearchIgnoresCaseAndFindsTheLowestIndex) {
    zktest::SpriteKit k;
    EXPECT_EQ(k.sprite.SearchSurface("a.gpc"), -1);
    k.setUp();
    k.sprite.SetSurface(3, "", "Bg.GPC", 0);
    k.sprite.SetSurface(5, "", "bg.gpc", 0);
    k.sprite.SetTexture(1, "", "Fade.gpc", 0);
    EXPECT_EQ(k.sprite.SearchSurface("BG.gpc"), 3);
    EXPECT_EQ(k.sprite.SearchSurface("bg.gpd"), -1);
    EXPECT_EQ(k.sprite.SearchTexture("fade.GPC"), 1);
    EXPECT_EQ(k.sprite.SearchTexture("Bg.GPC"), -1);
}

TEST(ZKSPRITESlots, GuardTestsItsBitsInOrder) {
    zktest::SpriteKit k;
    EXPECT_EQ(k.sprite.CheckState("DDBlt", 19), 0);
    EXPECT_EQ(k.sprite.CreateSurfaceBuffer(4), 0);
    ASSERT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), 1);
    k.clearLog();
    EXPECT_EQ(k.sprite.CheckState("DDBlt", 19), 0);
    EXPECT_EQ(k.sprite.CheckState("SetTexture", 5), 0);
    EXPECT_EQ(k.sprite.CheckState("Anything", 8 | 16), 1);
    EXPECT_EQ(k.debugLines(),
              (std::vector<std::string>{
                  "Error: <ZKSPRITE::DDBlt> サーフェスバッファがセットされていません",
                  "Error: <ZKSPRITE::SetTexture> テクスチャバッファがセットされていません",
              }));
}

TEST(ZKSPRITESlots, TableCreationWarnsOnceMadeAndFailsCleanly) {
    zktest::SpriteKit k;
    ASSERT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), 1);
    k.clearLog();
    EXPECT_EQ(k.sprite.CreateSurfaceBuffer(-1), 0);
    EXPECT_EQ(k.sprite.CreateTextureBuffer(-5), 0);
    EXPECT_EQ(k.sprite.nSurfaceBufferFlg, 0u);
    EXPECT_EQ(k.sprite.GetTextureCount(), 0);
    EXPECT_EQ(k.sprite.CreateSurfaceBuffer(0), 1);
    EXPECT_EQ(k.sprite.CreateSurfaceBuffer(9), 1);
    EXPECT_EQ(k.sprite.GetSurfaceCount(), 0);
    EXPECT_EQ(k.sprite.SearchSurface(""), -1);
    EXPECT_EQ(k.sprite.SetBlending(0), 0);
    EXPECT_EQ(k.debugLines(),
              (std::vector<std::string>{
                  "Error: <ZKSPRITE::CreateSurfaceBuffer> サーフェスバッファの確保に失敗しました",
                  "Error: <ZKSPRITE::CreateTextureBuffer> テクスチャバッファの確保に失敗しました",
                  "Warn: <ZKSPRITE::CreateSurfaceBuffer> 既にサーフェスバッファは確保されています",
                  "Error: <ZKSPRITE::SetBlending> インデックス番号外を指定しています",
              }));
}
