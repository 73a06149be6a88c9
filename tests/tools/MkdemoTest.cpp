#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/SystemSaveFile.h"
#include "mkdemo/CharacterSheets.h"
#include "mkdemo/DemoSystemSave.h"
#include "mkdemo/FileStem.h"
#include "mkdemo/MusicComposer.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
#include "mkdemo/StorySources.h"
#include "platform/audio/SoundDecoder.h"
#include "platform/text/Cp932.h"
#include "platform/video/BitmapFile.h"
#include "shell/AssetManifest.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/RunTool.h"
#include "support/TempWorkDir.h"
#include "system/ZKCODE.h"

using zktest::DemoData;
using zktest::ReadFileBytes;
using zktest::RunTool;
using zktest::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

// The five archives and the movie.
const std::vector<std::string> kArchives = {"Img.dat", "SE.dat",       "VO.dat",
                                            "AU.dat",  "Scenario.dat", "Mov.vid"};

std::set<std::string> NamesOf(const std::map<std::string, std::string>& members) {
    std::set<std::string> names;
    for (const auto& [name, bytes] : members) names.insert(name);
    return names;
}

std::set<std::string> Named(const std::vector<std::string>& names) {
    std::set<std::string> set;
    for (const std::string& name : names) {
        if (!name.empty()) set.insert(name);
    }
    return set;
}

std::uint32_t To565(std::uint32_t argb) {
    return ((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) | ((argb >> 3) & 0x001F);
}

// Decoded frames of a sound file's bytes, or 0 when the game cannot decode it.
platform::SoundHandle Decode(const std::string& bytes) {
    WriteFileBytes("sound.wav", bytes);
    platform::SoundHandle sound;
    return platform::SoundDecoder().decode("sound.wav", sound) == 0 ? sound : nullptr;
}

bool Audible(const platform::DecodedSound& sound) {
    for (const std::int16_t sample : sound.samples) {
        if (sample > 1000 || sample < -1000) return true;
    }
    return false;
}

void ExpectLength(const std::string& name, const std::string& bytes, double ms) {
    const platform::SoundHandle sound = Decode(bytes);
    ASSERT_NE(sound, nullptr) << name;
    EXPECT_NEAR(static_cast<double>(sound->frames()) * 1000.0 / platform::kMixRate, ms, 1.0)
        << name;
    EXPECT_TRUE(Audible(*sound)) << name;
}

}  // namespace

TEST(MkdemoOutput, SameBytesEveryRunAndThePlayersFilesSurvive) {
    zktest::TempWorkDir dir;
    fs::create_directories("out/sav");
    const std::vector<std::pair<std::string, std::string>> kept = {
        {"out/sav/sav00.sav", "0\n1\n"}, {"out/env.env", "1\n5\n"}, {"out/cursor.txt", "2\n"}};
    for (const auto& [path, bytes] : kept) WriteFileBytes(path, bytes);

    const platform::ProcessResult run = RunTool("mkdemo", {"out"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find("Img.dat: 467 members"), std::string::npos) << run.out;
    for (const std::string& archive : kArchives) {
        EXPECT_TRUE(ReadFileBytes("out/dat/" + archive) ==
                    ReadFileBytes(DemoData::Archive(archive)))
            << archive;
    }
    EXPECT_TRUE(ReadFileBytes("out/dat/unlocked.sav") == ReadFileBytes(DemoData::SystemSave()));
    for (const auto& [path, bytes] : kept) EXPECT_EQ(ReadFileBytes(path), bytes) << path;
    EXPECT_EQ(std::distance(fs::directory_iterator("out/dat"), fs::directory_iterator()), 7);
}

// The game's own reader finds one ending reached, the costume words, the gallery's
// pictures and scenes, nothing else: an empty already-read list.
TEST(MkdemoOutput, TheSystemSaveReadsBackWithAnEndingCostumesPicturesAndScenesOnly) {
    const std::string bytes = ReadFileBytes(DemoData::SystemSave());
    std::array<std::uint32_t, 8> cg;
    std::array<std::uint32_t, 6> replay;
    std::uint32_t gameClear = 9;
    std::array<std::int32_t, 14> clothes;
    cg.fill(9);
    replay.fill(9);
    clothes.fill(9);
    std::vector<AUTO_SKIP_FILE_DATA> list(SystemSaveValues::kListSize);
    const SystemSaveDamage damage = ReadSystemSave(
        bytes,
        {cg, replay, gameClear, clothes,
         std::span<AUTO_SKIP_FILE_DATA, SystemSaveValues::kListSize>(list.data(), list.size())});
    EXPECT_EQ(damage.count, 0);
    EXPECT_EQ(gameClear, 1u);
    // QUIRA 1 to 14, 33 and 86; DULCANE 1, 12, 13 and 33; OMBREA 1, 2 and 17; YSMA 13.
    EXPECT_EQ(cg,
              (std::array<std::uint32_t, 8>{0x3FFF, 1, 1u << 21, 0x1801, 1, 0x10003, 0, 1u << 12}));
    // QUIRA's scene 1 in her first word, OMBREA's in hers.
    EXPECT_EQ(replay, (std::array<std::uint32_t, 6>{1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(clothes, (std::array<std::int32_t, 14>{5, 5, 5, 0, 1, 0, 0, 3, 1, 0, 0, 0, 0, 3}));
    EXPECT_TRUE(
        bytes.ends_with("\n---AUTO_SKIP_FILE_LIST_START---\n---AUTO_SKIP_FILE_LIST_END---\n"));
}

// A picture past a heroine's gallery, or of no heroine, is refused by name and sets
// nothing; the last picture of each is taken.
TEST(MkdemoOutput, APictureUnlockPastTheGalleryIsRefused) {
    std::array<std::uint32_t, 8> cg{};
    std::string error;
    EXPECT_FALSE(mkdemo::DemoSystemSave::UnlockPicture(cg, "YSMA", 14, error));
    EXPECT_NE(error.find("YSMA CG 14"), std::string::npos) << error;
    EXPECT_FALSE(mkdemo::DemoSystemSave::UnlockPicture(cg, "NOBODY", 1, error));
    EXPECT_FALSE(mkdemo::DemoSystemSave::UnlockPicture(cg, "QUIRA", 0, error));
    EXPECT_EQ(cg, (std::array<std::uint32_t, 8>{}));
    EXPECT_TRUE(mkdemo::DemoSystemSave::UnlockPicture(cg, "YSMA", 13, error));
    EXPECT_TRUE(mkdemo::DemoSystemSave::UnlockPicture(cg, "DULCANE", 33, error));
    EXPECT_EQ(cg, (std::array<std::uint32_t, 8>{0, 0, 0, 0, 1, 0, 0, 1u << 12}));
}

// A scene is unlocked only when the gallery lists it and its script is in the
// archive, looked up as the engine looks names up; a refused one sets nothing.
TEST(MkdemoOutput, ASceneUnlockNeedsItsScriptAndAPlaceInTheGallery) {
    const mkdemo::NameSet scripts = {"Q00.spt", "q01.SPT", "Q42.spt", "O01.spt", "O02.spt"};
    const struct {
        const char* heroine;
        std::int32_t scene;
        const char* error;  // nullptr: taken
    } cases[] = {
        {"OMBREA", 2, "scene unlock OMBREA REPLAY 2 is not in the gallery"},
        {"YSMA", 1, "scene unlock YSMA REPLAY 1: its script Y01.spt is not in Scenario.dat"},
        {"QUIRA", 2, "its script Q02.spt is not"},
        {"QUIRA", 0, "scene unlock QUIRA REPLAY 0 is not in the gallery"},
        {"QUIRA", 1, nullptr},
        {"QUIRA", 42, nullptr},
        {"OMBREA", 1, nullptr},
    };
    std::array<std::uint32_t, 6> replay{};
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(mkdemo::DemoSystemSave::UnlockScene(replay, c.heroine, c.scene, scripts, error),
                  c.error == nullptr)
            << c.heroine << " " << c.scene;
        if (c.error != nullptr) {
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
        }
    }
    EXPECT_EQ(replay, (std::array<std::uint32_t, 6>{1, 1u << 9, 0, 0, 1, 0}));
}

// A scene of the save's table whose script is missing refuses the whole demo: the
// old archives and save stay, and nothing staged is left.
TEST(MkdemoOutput, ASceneUnlockWithoutItsScriptLeavesTheOldDemo) {
    zktest::TempWorkDir dir;
    fs::copy(DemoData::SourceDir(), "src", fs::copy_options::recursive);
    fs::remove("src/scenario/O01.spt");
    const std::vector<std::string> old = {"Img.dat", "Scenario.dat", "unlocked.sav"};
    fs::create_directories("out/dat");
    for (const std::string& name : old) WriteFileBytes("out/dat/" + name, "old " + name);

    const platform::ProcessResult run = RunTool("mkdemo", {"--source", "src", "out"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("mkdemo: unlocked.sav: scene unlock OMBREA REPLAY 1: its script "
                           "O01.spt is not in Scenario.dat"),
              std::string::npos)
        << run.err;
    for (const std::string& name : old) {
        EXPECT_EQ(ReadFileBytes("out/dat/" + name), "old " + name) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator("out/dat"), fs::directory_iterator()), 3);
}

// The save is finished with the archives and replaced with them: when it cannot be
// written, the old demo stays whole and no staged file is left.
TEST(MkdemoOutput, ASystemSaveThatCannotBeWrittenLeavesTheOldDemo) {
    zktest::TempWorkDir dir;
    fs::create_directories("out/dat/unlocked.sav.tmp");
    const std::vector<std::string> old = {"Img.dat", "Mov.vid", "unlocked.sav"};
    for (const std::string& name : old) WriteFileBytes("out/dat/" + name, "old " + name);

    const platform::ProcessResult run = RunTool("mkdemo", {"out"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("mkdemo: unlocked.sav: "), std::string::npos) << run.err;
    for (const std::string& name : old) {
        EXPECT_EQ(ReadFileBytes("out/dat/" + name), "old " + name) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator("out/dat"), fs::directory_iterator()), 4);

    // A folder in the save's place cannot be replaced: a failure, with no temporary left.
    fs::remove("out/dat/unlocked.sav.tmp");
    fs::remove("out/dat/unlocked.sav");
    fs::create_directories("out/dat/unlocked.sav/kept");
    const platform::ProcessResult blocked = RunTool("mkdemo", {"out"});
    EXPECT_EQ(blocked.exitStatus, 1);
    EXPECT_NE(blocked.err.find("mkdemo: cannot replace out/dat/unlocked.sav: "), std::string::npos)
        << blocked.err;
    EXPECT_TRUE(fs::is_directory("out/dat/unlocked.sav/kept"));
    EXPECT_FALSE(fs::exists("out/dat/unlocked.sav.tmp"));
}

TEST(MkdemoOutput, EveryPictureLoadsAtItsSizeWithTheKeyOnlyWhereMeant) {
    zktest::TempWorkDir dir;
    const AssetManifest& manifest = AssetManifest::Instance();
    const auto members = DemoData::Members(DemoData::Archive("Img.dat"));
    std::set<std::string> expected = Named(manifest.SurfaceNames());
    expected.merge(Named(manifest.TextureNames()));
    EXPECT_EQ(NamesOf(members), expected);
    EXPECT_EQ(members.size(), 467u);

    const struct {
        const char* name;
        int width, height;
    } sizes[] = {{"Logo.gpc", 400, 240},
                 {"ClothesSelectBody.gpc", 3900, 348},
                 {"Staffroll_BG2.gpc", 3120, 211},
                 {"Tb_rp_Ysma_03.gpc", 320, 118},
                 {"Y0100D.gpc", 360, 560},
                 {"O00H.gpc", 480, 160},
                 {"red.gpc", 800, 600},
                 {"ConfigMaterial.gpc", 748, 728},
                 {"LoadWindowMaterial.gpc", 400, 614},
                 {"ReplayMaterial.gpc", 120, 96}};
    for (const auto& size : sizes) {
        const auto picture = platform::BitmapFile::Decode(
            std::span(reinterpret_cast<const std::uint8_t*>(members.at(size.name).data()),
                      members.at(size.name).size()));
        ASSERT_TRUE(picture) << size.name;
        EXPECT_EQ(picture->width(), size.width) << size.name;
        EXPECT_EQ(picture->height(), size.height) << size.name;
    }

    std::string error;
    const auto catalog = mkdemo::PictureCatalog::Build(manifest, error);
    ASSERT_TRUE(catalog) << error;
    using K = mkdemo::PictureKind;
    for (const mkdemo::PictureEntry& entry : *catalog) {
        WriteFileBytes("picture.gpc", members.at(entry.name));
        const auto picture = platform::BitmapFile::Load("picture.gpc");
        ASSERT_TRUE(picture) << entry.name;
        ASSERT_EQ(picture->width(), entry.width) << entry.name;
        ASSERT_EQ(picture->height(), entry.height) << entry.name;
        const std::uint32_t key = entry.kind == K::CellSheetKeyBlack ? 0 : To565(0xFF00FF);
        const std::uint32_t origin = To565(picture->pixel(0, 0));
        int keyed = 0;
        int likeOrigin = 0;
        for (const std::uint32_t pixel : picture->pixels()) {
            keyed += To565(pixel) == key ? 1 : 0;
            likeOrigin += To565(pixel) == origin ? 1 : 0;
        }
        if (entry.kind == K::Plain) {
            EXPECT_EQ(keyed, 0) << entry.name;
            continue;
        }
        // The engine reads the key from (0, 0): the key there in a picture with keyed
        // pixels; in a whole one, drawn without the key, a colour no other pixel has.
        if (origin != key) {
            EXPECT_EQ(keyed, 0) << entry.name;
            EXPECT_EQ(likeOrigin, 1) << entry.name;
        }
        if (entry.kind == K::Picture) {
            EXPECT_EQ(keyed, 0) << entry.name;
        }
    }
}

// A cell that reaches past its sheet or into another would show a neighbour's colour
// where a window expects its own.
TEST(MkdemoCatalog, CellsStayInsideTheirSheetAndApart) {
    std::string error;
    const auto catalog = mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error);
    ASSERT_TRUE(catalog) << error;
    int sheets = 0;
    for (const mkdemo::PictureEntry& entry : *catalog) {
        if (entry.stem == "Staffroll_Credit") {
            EXPECT_EQ(entry.cells.size(), 39u);
        }
        if (entry.kind != mkdemo::PictureKind::CellSheet &&
            entry.kind != mkdemo::PictureKind::CellSheetKeyBlack) {
            continue;
        }
        ++sheets;
        std::set<std::string> names;
        for (std::size_t i = 0; i < entry.cells.size(); ++i) {
            const mkdemo::SheetCell& a = entry.cells[i];
            EXPECT_TRUE(names.insert(a.name).second) << entry.stem << " " << a.name;
            EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.left < a.right && a.top < a.bottom &&
                        a.right <= entry.width && a.bottom <= entry.height)
                << entry.stem << " " << a.name;
            for (std::size_t j = 0; j < i; ++j) {
                const mkdemo::SheetCell& b = entry.cells[j];
                const bool apart = a.right <= b.left || b.right <= a.left || a.bottom <= b.top ||
                                   b.bottom <= a.top;
                EXPECT_TRUE(apart) << entry.stem << " " << a.name << " and " << b.name;
            }
        }
    }
    EXPECT_EQ(sheets, 19);
}

// The costume select's cursor frames go around a card, the extras menu's glow and
// blink around a label, the gallery's cursors around a thumbnail: only their border is painted, in
// both styles, and what lies under them shows through inside.
TEST(MkdemoCatalog, FrameCellsAreABorderWithWhiteEdgesAroundTheKey) {
    zktest::TempWorkDir dir;
    std::string error;
    const auto catalog = mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error);
    ASSERT_TRUE(catalog) << error;
    std::map<std::string, int> frames;
    // Where each style's border has its white edges, its own colour and the key inside:
    // the art's is a six-pixel ring with the rim two pixels in, the plain cells' a
    // seven-pixel band.
    const struct {
        bool art;
        int colorAt, innerWhite, keyFrom;
    } styles[] = {{true, 2, 5, 6}, {false, 3, 6, 7}};
    for (const mkdemo::PictureEntry& entry : *catalog) {
        for (const auto& style : styles) {
            const auto colors = style.art ? mkdemo::PicturePainter::CellColors(entry)
                                          : mkdemo::PicturePainter::PlainCellColors(entry);
            WriteFileBytes("sheet.gpc", style.art ? mkdemo::PicturePainter::BitmapOf(entry)
                                                  : mkdemo::PicturePainter::PlainBitmapOf(entry));
            const auto picture = platform::BitmapFile::Load("sheet.gpc");
            ASSERT_TRUE(picture) << entry.name;
            for (const mkdemo::SheetCell& cell : entry.cells) {
                if (!cell.frame) continue;
                frames[entry.stem] += style.art ? 1 : 0;
                const int w = cell.right - cell.left;
                const int h = cell.bottom - cell.top;
                const std::uint32_t color = To565(colors.at(cell.name));
                const int c = style.colorAt;
                const struct {
                    int dx, dy;
                    std::uint32_t expected;
                } pixels[] = {{0, h / 2, To565(0xFFFFFF)},
                              {c, h / 2, color},
                              {style.innerWhite, h / 2, To565(0xFFFFFF)},
                              {style.keyFrom, h / 2, To565(0xFF00FF)},
                              {w / 2, h / 2, To565(0xFF00FF)},
                              {w / 2, 2, color},
                              {w - 1 - c, h / 2, color},
                              {w / 2, h - 3, color}};
                for (const auto& p : pixels) {
                    EXPECT_EQ(To565(picture->pixel(cell.left + p.dx, cell.top + p.dy)), p.expected)
                        << entry.stem << " " << cell.name << " " << style.art << " " << p.dx << ","
                        << p.dy;
                }
            }
        }
        const auto colors = mkdemo::PicturePainter::CellColors(entry);
        // A chosen button's two blink looks must tell apart.
        if (entry.stem == "SpecialMaterial") {
            EXPECT_NE(colors.at("点滅0"), colors.at("点滅1"));
        }
    }
    EXPECT_EQ(frames,
              (std::map<std::string, int>{
                  {"CGMaterial", 10}, {"ClothesSelectMaterial", 5}, {"SpecialMaterial", 3}}));
}

// The extras menu's plain background shows where its objects are: each place outlined
// by a white band between dark lines, labelled in its middle but for the dress room,
// which is hidden until an ending.
TEST(MkdemoCatalog, TheExtrasMenuBackgroundOutlinesItsObjects) {
    zktest::TempWorkDir dir;
    std::string error;
    const auto catalog = mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error);
    ASSERT_TRUE(catalog) << error;
    const auto entry = std::find_if(catalog->begin(), catalog->end(),
                                    [](const auto& e) { return e.stem == "SpecialBack"; });
    ASSERT_NE(entry, catalog->end());
    WriteFileBytes("back.gpc", mkdemo::PicturePainter::PlainBitmapOf(*entry));
    const auto picture = platform::BitmapFile::Load("back.gpc");
    ASSERT_TRUE(picture);
    // The band's lines, its white and the art around it.
    enum Look { kDark, kWhite, kArt };
    const auto lookAt = [&](int x, int y) {
        const std::uint32_t pixel = To565(picture->pixel(x, y));
        return pixel == To565(0x202020) ? kDark : pixel == To565(0xFFFFFF) ? kWhite : kArt;
    };
    const auto isWhite = [&](int x, int y) { return lookAt(x, y) == kWhite; };
    const struct {
        int left, top, right, bottom;
        bool labelled;
    } places[] = {{335, 423, 472, 600, true},
                  {581, 343, 681, 452, true},
                  {261, 26, 539, 245, true},
                  {100, 360, 200, 485, false}};
    for (const auto& p : places) {
        const int midX = (p.left + p.right) / 2;
        const int midY = (p.top + p.bottom) / 2;
        const struct {
            int x, y;
            Look look;
        } band[] = {
            {p.left - 1, midY, kArt},    {p.left, midY, kDark},       {p.left + 1, midY, kWhite},
            {p.left + 3, midY, kWhite},  {p.left + 4, midY, kDark},   {p.left + 5, midY, kArt},
            {p.right - 1, midY, kDark},  {p.right - 2, midY, kWhite}, {p.right, midY, kArt},
            {midX, p.top, kDark},        {midX, p.top + 1, kWhite},   {midX, p.bottom - 1, kDark},
            {midX, p.bottom - 2, kWhite}};
        for (const auto& b : band) {
            EXPECT_EQ(lookAt(b.x, b.y), b.look) << p.left << ": " << b.x << "," << b.y;
        }
        int ink = 0;
        int inkLeft = p.right, inkRight = p.left, inkTop = p.bottom, inkBottom = p.top;
        for (int y = p.top + 6; y < p.bottom - 6; ++y) {
            for (int x = p.left + 6; x < p.right - 6; ++x) {
                if (!isWhite(x, y)) continue;
                ++ink;
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x + 1);
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y + 1);
            }
        }
        EXPECT_EQ(ink > 0, p.labelled) << p.left << " " << ink;
        if (ink > 0) {
            EXPECT_NEAR((inkLeft + inkRight) / 2, midX, 3) << p.left;
            EXPECT_NEAR((inkTop + inkBottom) / 2, midY, 3) << p.left;
        }
    }
}

// The extras menu and the dress room cut their pictures, strips and buttons from
// these rectangles: each must hold exactly its own cell, or a stray edge of another
// shows on screen.
TEST(MkdemoCatalog, TheExtrasScreensCutEachPictureFromItsOwnCell) {
    zktest::TempWorkDir dir;
    std::string error;
    const auto catalog = mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error);
    ASSERT_TRUE(catalog) << error;
    const std::uint32_t white = To565(0xFFFFFF);
    const struct {
        const char* stem;
        const char* name;
        int left, top, right, bottom;
        bool frame;
    } cuts[] = {{"SpecialMaterial", "ＣＧ・選択", 160, 208, 408, 376, false},
                {"SpecialMaterial", "ＢＧＭ・選択", 0, 0, 160, 136, false},
                {"SpecialMaterial", "タイトル・決定", 160, 0, 448, 208, false},
                {"SpecialMaterial", "ドレス・選択", 0, 136, 80, 264, false},
                {"SpecialMaterial", "光", 160, 376, 434, 426, true},
                {"SpecialMaterial", "点滅0", 160, 426, 434, 476, true},
                {"SpecialMaterial", "点滅1", 160, 476, 434, 526, true},
                {"ClothesSelectMaterial", "戻る0", 665, 0, 775, 32, false},
                {"ClothesSelectMaterial", "戻る1", 665, 32, 775, 64, false},
                {"ClothesSelectMaterial", "戻る2", 665, 64, 775, 96, false},
                {"ClothesSelectMaterial", "前0", 775, 0, 807, 32, false},
                {"ClothesSelectMaterial", "前1", 775, 32, 807, 64, false},
                {"ClothesSelectMaterial", "前2", 775, 64, 807, 96, false},
                {"ClothesSelectMaterial", "次0", 807, 0, 839, 32, false},
                {"ClothesSelectMaterial", "次1", 807, 32, 839, 64, false},
                {"ClothesSelectMaterial", "次2", 807, 64, 839, 96, false},
                {"QuiraFaceWnd", "表情0", 0, 0, 116, 92, false},
                {"QuiraFaceWnd", "表情2", 116, 0, 232, 92, false},
                {"QuiraFaceWnd", "表情1", 232, 0, 348, 92, false},
                {"ReplayMaterial", "replay-n", 0, 0, 120, 32, false},
                {"ReplayMaterial", "replay-h", 0, 32, 120, 64, false},
                {"ReplayMaterial", "replay-p", 0, 64, 120, 96, false}};
    for (const auto& c : cuts) {
        const auto entry = std::find_if(catalog->begin(), catalog->end(),
                                        [&](const auto& e) { return e.stem == c.stem; });
        ASSERT_NE(entry, catalog->end()) << c.stem;
        WriteFileBytes("sheet.gpc", mkdemo::PicturePainter::PlainBitmapOf(*entry));
        const auto picture = platform::BitmapFile::Load("sheet.gpc");
        ASSERT_TRUE(picture) << c.stem;
        const auto at = [&](int x, int y) -> std::optional<std::uint32_t> {
            if (x < 0 || y < 0 || x >= entry->width || y >= entry->height) return std::nullopt;
            return To565(picture->pixel(x, y));
        };
        const std::uint32_t color =
            To565(mkdemo::PicturePainter::PlainCellColors(*entry).at(c.name));
        const int l = c.left, t = c.top, r = c.right, b = c.bottom;
        if (!c.frame) {
            // (0, 0) is the sheet's key pixel, so the other three corners.
            for (const auto& [x, y] : {std::pair{r - 1, t}, {l, b - 1}, {r - 1, b - 1}}) {
                EXPECT_EQ(at(x, y), color) << c.name << " " << x << "," << y;
            }
            for (const auto& [x, y] : {std::pair{l - 1, t}, {l, t - 1}, {r, t}, {l, b}}) {
                EXPECT_NE(at(x, y), color) << c.name << " " << x << "," << y;
            }
            continue;
        }
        const int midX = (l + r) / 2;
        const int midY = (t + b) / 2;
        EXPECT_EQ(at(l, midY), white) << c.name;
        EXPECT_EQ(at(l + 3, midY), color) << c.name;
        EXPECT_EQ(at(r - 1, midY), white) << c.name;
        EXPECT_EQ(at(r - 4, midY), color) << c.name;
        EXPECT_EQ(at(midX, t), white) << c.name;
        EXPECT_EQ(at(midX, b - 1), white) << c.name;
        for (const auto& [x, y] : {std::pair{l - 1, midY}, {r, midY}}) {
            EXPECT_NE(at(x, y), white) << c.name << " " << x;
            EXPECT_NE(at(x, y), color) << c.name << " " << x;
        }
        EXPECT_NE(at(midX, t - 1), color) << c.name;
        EXPECT_NE(at(midX, b), color) << c.name;
    }
}

TEST(MkdemoOutput, EverySoundDecodesAtItsLength) {
    zktest::TempWorkDir dir;
    const auto& effects = AssetManifest::Instance().EffectNames();
    const auto se = DemoData::Members(DemoData::Archive("SE.dat"));
    EXPECT_EQ(NamesOf(se), Named(effects));
    for (const std::string& name : Named(effects)) {
        const platform::SoundHandle effect = Decode(se.at(name));
        ASSERT_NE(effect, nullptr) << name;
        EXPECT_LT(effect->frames(), platform::kMixRate * 7u / 10u) << name;
        EXPECT_TRUE(Audible(*effect)) << name;
    }
    const auto au = DemoData::Members(DemoData::Archive("AU.dat"));
    EXPECT_EQ(au.size(), 19u);
    for (int track = 1; track <= 19; ++track) {
        const std::string name =
            "bgm" + std::string(track < 10 ? "0" : "") + std::to_string(track) + ".mus";
        const mkdemo::Piece piece = mkdemo::MusicComposer::Compose(track);
        ExpectLength(name, au.at(name),
                     1000.0 * mkdemo::MusicComposer::kSteps / mkdemo::MusicComposer::kStepsPerBeat *
                         60 / piece.bpm);
    }
    const auto vo = DemoData::Members(DemoData::Archive("VO.dat"));
    for (const char* name : {"V0001.sou", "V0006.sou", "V0101.sou", "V0103.sou", "V0403.sou"}) {
        ASSERT_EQ(vo.count(name), 1u) << name;
        const platform::SoundHandle voice = Decode(vo.at(name));
        ASSERT_NE(voice, nullptr) << name;
        EXPECT_GE(voice->frames(), platform::kMixRate / 2u) << name;
        EXPECT_TRUE(Audible(*voice)) << name;
    }
}

TEST(MkdemoOutput, ScriptsDecodeToTheirSourcesAndInitRegistersEachNameOnce) {
    zktest::TempWorkDir dir;
    const auto scripts = DemoData::Members(DemoData::Archive("Scenario.dat"));
    std::map<std::string, std::string> decoded;
    for (const auto& [name, coded] : scripts) {
        WriteFileBytes("coded.spt", coded);
        ASSERT_EQ(ZKDecode("coded.spt", "plain.txt"), 0) << name;
        decoded[name] = ReadFileBytes("plain.txt");
    }
    std::set<std::string> sources = {"Init.spt"};
    for (const auto& entry : fs::directory_iterator(DemoData::SourceDir() + "/scenario")) {
        const std::string name = entry.path().filename().string();
        sources.insert(name);
        std::string expected;
        const std::string utf8 = ReadFileBytes(entry.path().string());
        for (const std::u8string& line :
             mkdemo::StorySources::SplitLines(std::u8string(utf8.begin(), utf8.end()))) {
            expected += platform::utf8ToCp932(line).value_or("?") + "\r\n";
        }
        EXPECT_TRUE(decoded[name] == expected) << name;
    }
    EXPECT_EQ(NamesOf(scripts), sources);

    // Each manifest name once per table, under its stem.
    std::map<std::string, std::multiset<std::string>> rows;
    std::size_t start = 0;
    const std::string& init = decoded["Init.spt"];
    for (std::size_t end; (end = init.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const auto words = mkdemo::StorySources::Words(init.substr(start, end - start));
        if (words.size() == 4 && words[0] == "#REG_DATA" &&
            words[1] == mkdemo::FileStem(words[3])) {
            rows[words[2]].insert(words[3]);
        }
    }
    const AssetManifest& manifest = AssetManifest::Instance();
    const std::vector<std::pair<std::string, std::vector<std::string>>> tables = {
        {"TEX", manifest.TextureNames()},
        {"SURF", manifest.SurfaceNames()},
        {"WAVE", manifest.EffectNames()}};
    for (const auto& [kind, names] : tables) {
        const std::set<std::string> once(rows[kind].begin(), rows[kind].end());
        EXPECT_EQ(once.size(), rows[kind].size()) << kind;
        EXPECT_EQ(once, Named(names)) << kind;
    }
}

// One broken source per rule: refused with file and line, nothing written.
TEST(MkdemoChecks, EachBrokenSourceIsRefusedWithItsLineAndTheOutputUntouched) {
    const struct {
        const char* file;
        int line;  // replaced (or appended after the end when beyond it)
        std::u8string text;
        const char* message;
    } cases[] = {
        {"scenario/prologue.spt", 2, u8"#bgdisp BG99", "prologue.spt:2: the surface BG99"},
        {"scenario/prologue.spt", 2, u8"#PrimAniInit 1 BG99 SURF 1 LOOP FALSE FALSE FALSE",
         "prologue.spt:2: the surface BG99"},
        {"scenario/prologue.spt", 2, u8"#PrimGraphicDisp 2 NULL 0 0 0 0 10 10",
         "prologue.spt:2: the surface NULL"},
        {"scenario/prologue.spt", 34, u8"#FileChange nowhere.spt", "prologue.spt:34: the script"},
        {"init-story.txt", 4, u8"#REG_DATA 1 CLOTHES 2 1 説明 cos99.spt",
         "init-story.txt:4: the script"},
        {"scenario/cos01.spt", 3, u8"#PlayBGM bgm20.mus", "cos01.spt:3: the music bgm20.mus"},
        {"scenario/cos02.spt", 7, u8"#MsgDisp NULL 雪☃です", "cos02.spt:7: character 16"},
        {"scenario/cos03.spt", 7, u8"#MsgDisp NULL " + std::u8string(497, u8'a'),
         "cos03.spt:7: the line is 511 bytes long"},
        {"scenario/cos_more.spt", 1, u8"#BGDisp BG06", "cos_more.spt:1: the first line"},
        {"scenario/cos01.spt", 24, u8"#StopWave", "cos01.spt:24: #StopWave needs an ID"},
        {"scenario/cos01.spt", 20, u8"#FlgONVar QUIRA 2 REPLAY",
         "cos01.spt:20: the script Q02.spt"},
        {"scenario/cos02.spt", 5, u8"#MsgDisplay NULL 誤記", "cos02.spt:5: #MsgDisplay is not"},
        {"scenario/prologue.spt", 8, u8"#charin quira CENTER DEFAULT 16 1 500",
         "prologue.spt:8: body 16 of QUIRA does not exist"},
        {"scenario/prologue.spt", 10, u8"#GoTo #bgdisp",
         "prologue.spt:10: no line below starts with the label #bgdisp"},
        {"scenario/finale.spt", 4, u8"#Jump 5", "finale.spt:4: #Jump 5 passes the last line"},
        {"scenario/cos01.spt", 10, u8"#MsgDisp あいうえおかきくけこa 長い名前",
         "cos01.spt:10: the speaker is 21 bytes long, more than 20"},
        {"scenario/prologue.spt", 12, u8"#SelectStart 2 1 あいうえおかきくけこさa 糸を選ぶ",
         "prologue.spt:12: a choice is 23 bytes long, more than 22"},
    };
    for (const auto& c : cases) {
        zktest::TempWorkDir dir;
        fs::copy(DemoData::SourceDir(), "src", fs::copy_options::recursive);
        const std::string path = "src/" + std::string(c.file);
        const std::string bytes = ReadFileBytes(path);
        auto lines = mkdemo::StorySources::SplitLines(std::u8string(bytes.begin(), bytes.end()));
        lines.resize(std::max<std::size_t>(lines.size(), static_cast<std::size_t>(c.line)));
        lines[static_cast<std::size_t>(c.line - 1)] = c.text;
        std::u8string text;
        for (const std::u8string& line : lines) text += line + u8"\n";
        WriteFileBytes(path, std::string(text.begin(), text.end()));
        fs::create_directories("out");
        WriteFileBytes("out/env.env", "kept");

        const platform::ProcessResult run = RunTool("mkdemo", {"--source", "src", "out"});
        EXPECT_EQ(run.exitStatus, 1) << c.message;
        EXPECT_NE(run.err.find(std::string("mkdemo: ") + c.message), std::string::npos)
            << c.message << "\n"
            << run.err;
        EXPECT_FALSE(fs::exists("out/dat")) << c.message;
        EXPECT_EQ(ReadFileBytes("out/env.env"), "kept");
    }
}
