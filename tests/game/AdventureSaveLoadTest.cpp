#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "autoplay/MenuItem.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/input/VirtualKeys.h"
#include "support/Bytes.h"
#include "support/SlotDamage.h"
#include "support/WholeGameTest.h"
#include "windows/SaveRowText.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string kTag = "Error: <GAMEMAIN::ADVMainProc> ";
const std::string kLoadFailed = kTag + "ロード処理に失敗しました";

// Five lines to read, a choice after the fourth.
const std::vector<std::u8string> kStory = {u8"#MsgWndOpen INSTANT",  u8"#MsgDisp NULL 一行目",
                                           u8"#MsgDisp NULL 二行目", u8"#MsgDisp NULL 三行目",
                                           u8"#MsgDisp NULL 四行目", u8"#SelectStart 2 1 あ い",
                                           u8"#SelectBranch 1 1",    u8"#MsgDisp NULL 一を選んだ",
                                           u8"#SelectBranch 2 1",    u8"#MsgDisp NULL 二を選んだ",
                                           u8"#SelectEnd 1",         u8"#KeyWait"};

class AdventureSaveLoad : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    SAVE_LOAD_WINDOW_DATA& screen() { return game().SaveLoadWindowData; }
    std::int32_t step() { return session().procStep(); }

    // The story in the main loop with its first line complete.
    void begin(const std::vector<std::u8string>& lines = kStory) {
        std::u8string plain = u8"// test\r\n";
        for (const std::u8string& line : lines) plain += line + u8"\r\n";
        replaceScript("prologue.spt", zktest::Sjis(plain));
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        enter(GAME_MODE_ADV);
        rest();
        ASSERT_TRUE(runUntil([&] { return shown(u8"一行目"); }, 300));
    }
    void rest() { session().input().setPointer({400, 200}); }
    bool shown(std::u8string_view text) {
        return game().MsgWindowData.MsgData.szScriptText == zktest::Sjis(text) &&
               game().MsgWindowData.nDispByte == -1;
    }
    bool release(int key) {
        down(key);
        if (!runFrames(1)) return false;
        up(key);
        return runFrames(1);
    }
    bool clickAt(int x, int y) {
        session().input().setPointer({x, y});
        return release(platform::VK_LBUTTON);
    }
    // The story's next line, clicked to and shown whole.
    bool next(std::u8string_view text) {
        rest();
        return release(platform::VK_LBUTTON) && runUntil([&] { return shown(text); }, 120);
    }
    // The screen opened by its key, standing in its standby.
    bool open(int key) {
        return release(key) && runUntil([&] { return step() == (key == 'S' ? 5 : 8); }, 120);
    }
    bool close(int key) {
        return release(key) && runUntil([&] { return step() == 3; }, 120);
    }
    // Row nSlot clicked, then yes.
    bool choose(std::int32_t nSlot) {
        const SAVE_LOAD_WINDOW_DATA& s = screen();
        return clickAt(s.nX + 199, s.nY + 41 + 24 * (nSlot - 1) + 12) &&
               clickAt(s.nX + 99, s.nY + 569);
    }
    bool saveIn(std::int32_t nSlot) { return open('S') && choose(nSlot) && close('S'); }
    Lines errors() const {
        Lines found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }
    std::string slotPath(int nSlot) const {
        char name[32];
        std::snprintf(name, sizeof name, "sav/sav%02d.sav", nSlot);
        return name;
    }
    fs::path folder() { return session().folder(); }
};

TEST_F(AdventureSaveLoad, ASaveWritesTheSlotAndShowsItsRow) {
    begin();
    ASSERT_TRUE(open('S'));
    EXPECT_EQ(screen().SaveInfo[2].nExist, 0u);
    const std::string empty = SaveRowText(3, screen().SaveInfo[2]);
    ASSERT_TRUE(choose(3));
    EXPECT_EQ(step(), 5);
    EXPECT_TRUE(zktest::FileExists(slotPath(3)));
    EXPECT_EQ(screen().SaveInfo[2].nExist, 1u);
    EXPECT_NE(SaveRowText(3, screen().SaveInfo[2]), empty);
    ASSERT_TRUE(close('S'));
    EXPECT_EQ(screen().nInitFlg, 0u);
    EXPECT_TRUE(shown(u8"一行目"));
    EXPECT_EQ(errors(), Lines{});
}

// The save fails with the older slot whole; the screen stays in its standby and says so
// until the player points at a row.
TEST_F(AdventureSaveLoad, AFailedSaveKeepsTheOldSlotAndTheScreen) {
    begin();
    ASSERT_TRUE(saveIn(3));
    const std::string before = zktest::ReadFileBytes(slotPath(3));
    ASSERT_TRUE(next(u8"二行目"));
    fs::create_directory(slotPath(3) + ".tmp");
    ASSERT_TRUE(open('S'));
    const std::size_t errorsBefore = errors().size();
    ASSERT_TRUE(choose(3));
    ASSERT_TRUE(runFrames(10));
    EXPECT_EQ(step(), 5);
    EXPECT_EQ(zktest::ReadFileBytes(slotPath(3)), before);
    EXPECT_STREQ(screen().szStatusMsg, SaveStatusText(SAVE_STATUS::SaveNotice, 3).c_str());
    const Lines lines = errors();
    ASSERT_EQ(lines.size(), errorsBefore + 2);
    EXPECT_TRUE(lines[errorsBefore].starts_with(
        "Error: <GAMEMAIN::SaveIndependentData> sav/sav03.sav の書き込みに失敗しました"));
    EXPECT_EQ(lines.back(), kTag + "セーブ処理に失敗しました");
    // Once the way is clear the same screen saves.
    fs::remove(slotPath(3) + ".tmp");
    ASSERT_TRUE(choose(3));
    EXPECT_NE(zktest::ReadFileBytes(slotPath(3)), before);
    EXPECT_EQ(errors().size(), errorsBefore + 2);
}

// The load fades to black, writes the system save once, then resumes after the saved
// line and fades back in; with the system save failing it still loads.
TEST_F(AdventureSaveLoad, ALoadResumesAfterTheSavedLine) {
    for (const bool systemSaveFails : {false, true}) {
        SCOPED_TRACE(systemSaveFails);
        begin();
        ASSERT_TRUE(next(u8"二行目"));
        ASSERT_TRUE(saveIn(1));
        const std::int32_t savedLine = game().ScrFileData.nLine;
        ASSERT_TRUE(next(u8"三行目"));
        ASSERT_TRUE(next(u8"四行目"));
        const std::int32_t lineBefore = game().ScrFileData.nLine;
        fs::remove("sav/sav00.sav");
        if (systemSaveFails) fs::create_directory("sav/sav00.sav.tmp");
        ASSERT_TRUE(open('L'));
        ASSERT_TRUE(choose(1));
        EXPECT_EQ(step(), 10);
        EXPECT_EQ(game().FadeGraphData.nDispFlg, 1u);
        EXPECT_LT(game().FadeGraphData.fAlpha, 0.1f);
        EXPECT_TRUE(shown(u8"四行目")) << "nothing changes before the fade's end";
        const std::uint32_t confirmed = game().dwNowTime;
        ASSERT_TRUE(runUntil([&] { return step() != 10; }, 120));
        EXPECT_GE(game().dwNowTime - confirmed, 1000u) << "the fade takes a second";
        EXPECT_EQ(step(), 11);
        EXPECT_EQ(game().FadeGraphData.fAlpha, 1.0f);
        const std::vector<std::uint32_t>& frame = session().lastFrame();
        EXPECT_EQ(std::count_if(frame.begin(), frame.end(),
                                [](std::uint32_t pixel) { return (pixel & 0xFFFFFF) != 0; }),
                  0)
            << "the overlay covers the frame in black";
        EXPECT_EQ(screen().nInitFlg, 0u);
        EXPECT_FALSE(game().PendingLoad.has_value());
        EXPECT_TRUE(shown(u8"二行目"));
        EXPECT_EQ(game().ScrFileData.nLine, savedLine);
        // The system save was written with the story as it stood before the load.
        EXPECT_EQ(zktest::FileExists("sav/sav00.sav"), !systemSaveFails);
        EXPECT_EQ(std::pair(game().nScrSkipEnableFlg, game().nScrSkipLine),
                  std::pair(1u, lineBefore));
        ASSERT_TRUE(runUntil([&] { return step() == 3; }, 120));
        EXPECT_EQ(game().FadeGraphData.nDispFlg, 0u);
        ASSERT_TRUE(next(u8"三行目"));
        const Lines lines = errors();
        const std::string failed = kTag + "統合セーブデータのセーブ処理に失敗しました";
        EXPECT_EQ(std::count(lines.begin(), lines.end(), failed), systemSaveFails ? 1 : 0);
        EXPECT_EQ(lines.size(), systemSaveFails ? 2u : 0u);
        TearDown();
    }
}

// A header that cannot be read again after a save is told, and the screen stays
// open with the new row. /proc/self/mem is a regular file whose first read fails.
TEST_F(AdventureSaveLoad, AnUnreadableHeaderAfterASaveKeepsTheScreen) {
    begin();
    fs::create_directories("sav");
    fs::create_symlink("/proc/self/mem", slotPath(5));
    ASSERT_TRUE(open('S'));
    const std::size_t errorsBefore = errors().size();
    ASSERT_TRUE(choose(3));
    ASSERT_TRUE(runFrames(5));
    EXPECT_EQ(step(), 5);
    EXPECT_EQ(screen().SaveInfo[2].nExist, 1u);
    const Lines lines = errors();
    ASSERT_EQ(lines.size(), errorsBefore + 2);
    EXPECT_EQ(lines.back(), kTag + "セーブウィンドウの更新に失敗しました");
}

// A slot refused at the confirm changes nothing: no file, no step, no overlay, no
// script position; the screen stays in its standby with the notice up.
TEST_F(AdventureSaveLoad, ARefusedSlotChangesNothing) {
    begin();
    ASSERT_TRUE(saveIn(1));
    const std::string good = zktest::ReadFileBytes(slotPath(1));
    const std::string damaged =
        "Error: <GAMEMAIN::LoadIndependentData> セーブファイルでないか、ファイルが壊れています "
        "(sav/sav02.sav ";
    struct Case {
        std::string name;
        std::string bytes;
        std::string line;
    };
    std::vector<Case> cases = {
        {"cut in half", good.substr(0, good.size() / 2), damaged},
    };
    // The first mutation of each class of hidden damage the parser is swept with; the
    // header's year is the first number.
    zktest::SlotDamage::AllClasses(good, {{0, good.find(' ')}},
                                   [&](const std::string& bytes, const std::string& what) {
                                       cases.push_back({what, bytes, damaged});
                                       return false;
                                   });
    ASSERT_EQ(cases.size(), 1u + 7u) << "the seven damage classes";
    ASSERT_TRUE(next(u8"二行目"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        zktest::WriteFileBytes(slotPath(2), c.bytes);
        const auto files = zktest::FolderSnapshot(folder() / "sav");
        const auto tmp = zktest::FolderSnapshot(folder() / "tmp");
        const long position = std::ftell(game().ScrFileData.fp);
        const std::int32_t line = game().ScrFileData.nLine;
        ASSERT_TRUE(open('L'));
        const std::size_t errorsBefore = errors().size();
        ASSERT_TRUE(choose(2));
        ASSERT_TRUE(runFrames(10));
        EXPECT_EQ(std::pair(game().GetMode(), step()),
                  std::pair(static_cast<std::int32_t>(GAME_MODE_ADV), 8));
        EXPECT_EQ(game().FadeGraphData.nDispFlg, 0u);
        EXPECT_FALSE(game().PendingLoad.has_value());
        EXPECT_STREQ(screen().szStatusMsg, SaveStatusText(SAVE_STATUS::LoadNotice, 2).c_str());
        const Lines lines = errors();
        ASSERT_EQ(lines.size(), errorsBefore + 2);
        EXPECT_TRUE(lines[errorsBefore].starts_with(c.line)) << lines[errorsBefore];
        EXPECT_EQ(lines.back(), kLoadFailed);
        ASSERT_TRUE(close('L'));
        EXPECT_EQ(zktest::FolderSnapshot(folder() / "sav"), files);
        EXPECT_EQ(zktest::FolderSnapshot(folder() / "tmp"), tmp);
        EXPECT_EQ(std::pair(std::ftell(game().ScrFileData.fp), game().ScrFileData.nLine),
                  std::pair(position, line));
        EXPECT_TRUE(shown(u8"二行目"));
    }
    ASSERT_TRUE(next(u8"三行目"));
}

// A slot that resumes in the costume select loads into it: the screen comes back over
// the slot's costumes and order map, and the story's script is gone.
TEST_F(AdventureSaveLoad, ACostumeSelectSlotLoadsIntoTheCostumeSelect) {
    begin();
    ASSERT_TRUE(saveIn(1));
    std::string clothes = zktest::ReadFileBytes(slotPath(1));
    const std::size_t mode = [&] {
        std::size_t at = 0;
        for (int i = 0; i < 3; ++i) at = clothes.find('\n', at) + 1;
        return at;
    }();
    ASSERT_EQ(clothes.substr(mode, 2), "9 ");
    clothes.replace(mode, 1, "10");
    zktest::WriteFileBytes(slotPath(2), clothes);
    game().ClothesSelectData.nSortNo[0] = 5;
    ASSERT_TRUE(open('L'));
    ASSERT_TRUE(choose(2));
    ASSERT_TRUE(runUntil([&] { return game().GetMode() == GAME_MODE_CLOTHES_SELECT; }, 120));
    EXPECT_EQ(step(), 11);
    EXPECT_EQ(game().ScrFileData.fp, nullptr);
    EXPECT_EQ(game().ClothesSelectData.nInitFlg, 1u);
    EXPECT_EQ(game().ClothesSelectData.nSortNo[0], -1);
    EXPECT_EQ(screen().nInitFlg, 0u);
    ASSERT_TRUE(runUntil([&] { return step() == 2; }, 120));
    EXPECT_EQ(game().nSaveEnableFlg, 1u);
    EXPECT_EQ(errors(), Lines{});
}

// While a chosen plate closes, 'S' and the strip's Save do nothing and say nothing.
TEST_F(AdventureSaveLoad, NoSaveWhileAChoiceCloses) {
    begin();
    SELECT_WINDOW_COLLECT_DATA& choice = game().SelectWindowData;
    choice.nSelect = 1;
    const std::size_t errorsBefore = errors().size();
    ASSERT_TRUE(release('S'));
    menu(autoplay::MenuItem::Save);
    ASSERT_TRUE(runFrames(2));
    EXPECT_EQ(step(), 3);
    EXPECT_EQ(errors().size(), errorsBefore);
    choice.nSelect = -1;
    EXPECT_TRUE(open('S'));
}

// A screen that fails in its slide or its standby ends the game with its line.
TEST_F(AdventureSaveLoad, AFailingScreenIsFatal) {
    const struct {
        int key;
        int stage;  // 0 opening, 1 standing, 2 closing
        std::string line;
    } cases[] = {
        {'S', 0, "セーブウィンドウのオープン処理でエラーが発生しました"},
        {'S', 1, "セーブ待機中にエラーが発生しました"},
        {'S', 2, "セーブウィンドウのクローズ処理でエラーが発生しました"},
        {'L', 0, "ロードウィンドウのオープン処理でエラーが発生しました"},
        {'L', 1, "ロード待機中にエラーが発生しました"},
        {'L', 2, "ロードウィンドウのクローズ処理でエラーが発生しました"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        begin();
        if (c.stage == 0) {
            ASSERT_TRUE(release(c.key));
        } else {
            ASSERT_TRUE(open(c.key));
        }
        if (c.stage == 2) {
            ASSERT_TRUE(release(c.key));
        }
        EXPECT_EQ(step(), (c.key == 'S' ? 4 : 7) + c.stage);
        screen().nInitFlg = 0;
        EXPECT_FALSE(runFrames(1));
        const Lines lines = errors();
        EXPECT_NE(std::find(lines.begin(), lines.end(), kTag + c.line), lines.end());
        TearDown();
    }
}

// The overlay's picture gone when the player confirms a load, or by the fade's end:
// the game ends with its line.
TEST_F(AdventureSaveLoad, AMissingOverlayPictureIsFatal) {
    for (const bool atResume : {false, true}) {
        SCOPED_TRACE(atResume);
        begin();
        ASSERT_TRUE(saveIn(1));
        ASSERT_TRUE(open('L'));
        const std::string picture = game().pSprite->GetTextureFileName(0);
        if (atResume) {
            ASSERT_TRUE(choose(1));
            ASSERT_EQ(step(), 10);
        }
        replaceMembers("Img.dat", {{picture, ""}});
        EXPECT_FALSE(atResume ? runUntil([&] { return step() != 10; }, 120) : choose(1));
        const Lines lines = errors();
        EXPECT_NE(
            std::find(lines.begin(), lines.end(), kTag + "呼び出したTextureLoadが失敗しました"),
            lines.end());
        TearDown();
    }
}

// The script gone from the archive by the fade's end: the game ends with the
// extraction's line.
TEST_F(AdventureSaveLoad, AScriptGoneAtTheResumeIsFatal) {
    begin();
    ASSERT_TRUE(saveIn(1));
    ASSERT_TRUE(open('L'));
    ASSERT_TRUE(choose(1));
    ASSERT_EQ(step(), 10);
    replaceMembers("Scenario.dat", {{"prologue.spt", ""}});
    EXPECT_FALSE(runUntil([&] { return step() != 10; }, 120));
    const Lines lines = errors();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        kTag + "取り出すファイルに該当ファイルが存在しません"),
              lines.end());
}

// The script resumes after its saved line as the interpreter counts lines, over a long
// line holding a trail byte 0xF5; a script that got shorter since the confirm is told.
TEST_F(AdventureSaveLoad, TheResumeCountsLinesAsTheInterpreterReadsThem) {
    std::u8string longLine = u8"// ";
    for (int i = 0; i < 160; ++i) longLine += u8"偖";
    std::vector<std::u8string> story = kStory;
    story.insert(story.begin() + 2, longLine);
    ASSERT_GT(zktest::Sjis(longLine).size(), 300u);
    ASSERT_NE(zktest::Sjis(longLine).find('\xF5'), std::string::npos);
    for (const bool shorter : {false, true}) {
        SCOPED_TRACE(shorter);
        begin(story);
        ASSERT_TRUE(next(u8"二行目"));
        ASSERT_TRUE(saveIn(1));
        const std::int32_t savedLine = game().ScrFileData.nLine;
        ASSERT_TRUE(next(u8"三行目"));
        ASSERT_TRUE(open('L'));
        ASSERT_TRUE(choose(1));
        ASSERT_EQ(step(), 10);
        if (shorter) replaceScript("prologue.spt", zktest::Sjis(u8"// test\r\n"));
        ASSERT_TRUE(runUntil([&] { return step() == 3; }, 200));
        EXPECT_EQ(game().ScrFileData.nLine, savedLine);
        const Lines warn{"Warn: <GAMEMAIN::ADVMainProc> 再開位置がスクリプトの終端を越えています"};
        EXPECT_EQ(errors(), shorter ? warn : Lines{});
        if (!shorter) {
            EXPECT_TRUE(shown(u8"二行目"));
            ASSERT_TRUE(next(u8"三行目"));
        }
        TearDown();
    }
}

}  // namespace
