#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BareGame.h"
#include "game/SystemSaveFile.h"
#include "support/Bytes.h"

namespace {

namespace fs = std::filesystem;
using zktest::ReadFileBytes;
using zktest::WriteFileBytes;

const std::string kSave = "sav/sav00.sav";
const std::string kBackup = "sav/sav00.sav.bak";
const std::string kTemp = "sav/sav00.sav.tmp";
constexpr std::uint32_t kUntouched = 7;

// The 29 flag words in file order.
std::vector<std::uint32_t> Words(const GAMEMAIN& game) {
    std::vector<std::uint32_t> words(std::begin(game.dwCGFlg), std::end(game.dwCGFlg));
    words.insert(words.end(), std::begin(game.dwReplayFlg), std::end(game.dwReplayFlg));
    words.push_back(game.nGameClearFlg);
    for (const std::int32_t flag : game.nClothesFlg)
        words.push_back(static_cast<std::uint32_t>(flag));
    return words;
}

void SetWords(GAMEMAIN& game, std::uint32_t value) {
    for (std::uint32_t& word : game.dwCGFlg) word = value;
    for (std::uint32_t& word : game.dwReplayFlg) word = value;
    game.nGameClearFlg = value;
    for (std::int32_t& flag : game.nClothesFlg) flag = static_cast<std::int32_t>(value);
}

std::vector<std::string> Entries(const GAMEMAIN& game) {
    std::vector<std::string> entries;
    for (const AUTO_SKIP_FILE_DATA& entry : game.AutoSkipFileData) {
        if (entry.szFileName[0] == '\0') break;
        entries.push_back(std::string(entry.szFileName) + "=" + std::to_string(entry.nPosition));
    }
    return entries;
}

// Lines 1 to 29 hold 11..39 in file order; the list holds a, b and c.
std::vector<std::string> BaseLines() {
    std::vector<std::string> lines;
    for (int i = 1; i <= 29; ++i) lines.push_back(std::to_string(10 + i));
    lines.insert(lines.end(), {"", "---AUTO_SKIP_FILE_LIST_START---", "a.spt\t10", "b.spt\t-1",
                               "c.spt\t30", "---AUTO_SKIP_FILE_LIST_END---"});
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

std::string DamageLine(int count, int line, const char* what) {
    return "Error: <GAMEMAIN::LoadIntegratedData> sav/sav00.sav が壊れています (" +
           std::to_string(count) + "件、最初は" + std::to_string(line) + "行目: " + what +
           ")。元のファイルを sav/sav00.sav.bak に保存しました";
}

struct SaveTest : BareGame {
    SaveTest() { fs::create_directory("sav"); }

    // A fresh game object that has read the file.
    std::unique_ptr<GAMEMAIN> Reread() {
        auto fresh = std::make_unique<GAMEMAIN>();
        fresh->LoadIntegratedData();
        return fresh;
    }
};

TEST_F(SaveTest, WritesTheExactFormat) {
    game->LoadIntegratedData();
    game->dwCGFlg[0] = 1;
    game->dwCGFlg[1] = 0xFFFFFFFFu;
    game->dwCGFlg[7] = 0x80000000u;
    game->dwReplayFlg[5] = 7;
    game->nGameClearFlg = 31;
    game->nClothesFlg[0] = 3;
    game->nClothesFlg[13] = -2;
    ASSERT_EQ(game->AddAutoSkipFileList("Prologue.spt", 120), 1u);
    const std::string table = zktest::Sjis(u8"表") + ".spt";
    ASSERT_EQ(game->AddAutoSkipFileList(table.c_str(), -1), 1u);
    // The running script is recorded as read up to its current line.
    std::strcpy(game->ScrFileData.szFileName, "Prologue.spt");
    game->ScrFileData.nLine = 150;

    ASSERT_EQ(game->SaveIntegratedData(), 1);
    EXPECT_EQ(ReadFileBytes(kSave),
              "1\n-1\n0\n0\n0\n0\n0\n-2147483648\n0\n0\n0\n0\n0\n7\n31\n3\n0\n0\n0\n0\n0\n0\n"
              "0\n0\n0\n0\n0\n0\n-2\n\n---AUTO_SKIP_FILE_LIST_START---\nPrologue.spt\t150\n" +
                  zktest::Hex("95 5C") + ".spt\t-1\n---AUTO_SKIP_FILE_LIST_END---\n");
    EXPECT_FALSE(zktest::FileExists(kTemp));
    EXPECT_TRUE(kit.debugLines().empty());
}

TEST_F(SaveTest, FullListRoundTripsWithoutBackup) {
    game->LoadIntegratedData();
    SetWords(*game, 0xDEADBEEFu);
    for (int i = 0; i < 512; ++i) {
        ASSERT_EQ(game->AddAutoSkipFileList(("s" + std::to_string(i) + ".spt").c_str(), i), 1u);
    }
    ASSERT_EQ(game->SaveIntegratedData(), 1);

    const auto back = Reread();
    EXPECT_EQ(Words(*back), Words(*game));
    EXPECT_EQ(Entries(*back), Entries(*game));
    EXPECT_EQ(Entries(*back).size(), 512u);
    EXPECT_EQ(back->GetIntegratedState(), GAMEMAIN::INTEGRATED_STATE::Loaded);
    EXPECT_FALSE(zktest::FileExists(kBackup));
    EXPECT_TRUE(kit.debugLines().empty());
}

TEST_F(SaveTest, MissingFileGivesZerosAndTheNextWriteCreatesIt) {
    SetWords(*game, kUntouched);
    std::strcpy(game->AutoSkipFileData[0].szFileName, "old.spt");
    // Before the boot read nothing is written, whatever the object holds.
    EXPECT_EQ(game->SaveIntegratedData(), 1);
    EXPECT_FALSE(zktest::FileExists(kSave));

    game->LoadIntegratedData();
    EXPECT_EQ(Words(*game), std::vector<std::uint32_t>(29, 0));
    EXPECT_TRUE(Entries(*game).empty());
    ASSERT_EQ(game->SaveIntegratedData(), 1);
    EXPECT_EQ(Words(*Reread()), std::vector<std::uint32_t>(29, 0));
    EXPECT_TRUE(kit.debugLines().empty());
}

TEST_F(SaveTest, DamagedFileIsBackedUpAndReplacedOnlyByTheNextWrite) {
    const auto base = BaseLines();
    const auto with = [&](int line, const std::string& text) {
        auto lines = base;
        lines[line - 1] = text;
        return Join(lines);
    };
    const auto without = [&](int line) {
        auto lines = base;
        lines.erase(lines.begin() + line - 1);
        return Join(lines);
    };
    const auto firstLines = [&](int count) {
        return Join(std::vector<std::string>(base.begin(), base.begin() + count));
    };
    std::vector<std::string> many(base.begin(), base.begin() + 31), first512;
    for (int i = 0; i < 513; ++i) {
        many.push_back("m" + std::to_string(i) + ".spt\t" + std::to_string(i));
        if (i < 512) first512.push_back("m" + std::to_string(i) + ".spt=" + std::to_string(i));
    }
    many.push_back("---AUTO_SKIP_FILE_LIST_END---");
    auto blanks = base;
    blanks.insert(blanks.begin() + 32, {"", " \t\r"});
    const std::vector<std::string> abc = {"a.spt=10", "b.spt=-1", "c.spt=30"};
    const std::vector<std::string> ac = {"a.spt=10", "c.spt=30"};
    const std::string name300 = std::string(300, 'n') + "\t5";

    const struct {
        const char* name;
        std::string input;
        int wordsRead;
        int keptWord;  // a word line whose value is not taken, 0 for none
        std::vector<std::string> entries;
        std::string line;
    } cases[] = {
        {"cut after 15", firstLines(15), 15, 0, {}, DamageLine(1, 16, "開始行がありません")},
        {"no start", without(31), 29, 0, {}, DamageLine(1, 35, "開始行がありません")},
        {"no end", without(35), 29, 0, abc, DamageLine(1, 35, "終了行がありません")},
        {"word not a number", with(3, "12abc"), 29, 3, abc, DamageLine(1, 3, "数値ではありません")},
        {"word above range", with(5, "4294967296"), 29, 5, abc,
         DamageLine(1, 5, "数値が範囲外です")},
        {"300-byte name", with(33, name300), 29, 0, ac,
         DamageLine(1, 33, "ファイル名が長すぎます")},
        {"700-byte word line", with(2, std::string(700, '1')), 29, 2, abc,
         DamageLine(1, 2, "行が511バイトを超えています")},
        {"blank lines in the list", Join(blanks), 29, 0, abc, DamageLine(2, 33, "空行です")},
        {"513 entries", Join(many), 29, 0, first512, DamageLine(1, 544, "513件目以降の行です")},
        {"position -5", with(33, "b.spt\t-5"), 29, 0, ac, DamageLine(1, 33, "位置が不正です")},
        {"NUL in a name", with(33, std::string("b\0x.spt\t5", 9)), 29, 0, ac,
         DamageLine(1, 33, "ファイル名が不正です")},
        {"position missing", with(33, "b.spt"), 29, 0, ac, DamageLine(1, 33, "位置がありません")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        kit.log.clear();
        fs::remove(kBackup);
        WriteFileBytes(kSave, c.input);
        auto loaded = std::make_unique<GAMEMAIN>();
        SetWords(*loaded, kUntouched);

        loaded->LoadIntegratedData();
        EXPECT_EQ(kit.debugLines(), std::vector<std::string>{c.line});
        EXPECT_EQ(ReadFileBytes(kBackup), c.input);
        EXPECT_EQ(ReadFileBytes(kSave), c.input);
        const auto words = Words(*loaded);
        for (int i = 1; i <= 29; ++i) {
            const bool taken = i <= c.wordsRead && i != c.keptWord;
            EXPECT_EQ(words[i - 1], taken ? 10u + i : kUntouched) << "line " << i;
        }
        EXPECT_EQ(Entries(*loaded), c.entries);

        ASSERT_EQ(loaded->SaveIntegratedData(), 1);
        kit.log.clear();
        const auto back = Reread();
        EXPECT_TRUE(kit.debugLines().empty());
        EXPECT_EQ(Words(*back), Words(*loaded));
        EXPECT_EQ(Entries(*back), Entries(*loaded));
    }
}

TEST_F(SaveTest, UnreadableFileIsNeverWritten) {
    const std::string withheld =
        "Error: <GAMEMAIN::SaveIntegratedData> 起動時に読み込めなかったため "
        "sav/sav00.sav には書き込みません";
    // Nothing in the save's place may hold the boot or be read without bound.
    const struct {
        const char* what;
        void (*place)();
        int error;
        fs::file_type kept;
    } cases[] = {
        {"a folder", [] { fs::create_directory(kSave); }, EISDIR, fs::file_type::directory},
        {"a FIFO", [] { mkfifo(kSave.c_str(), 0600); }, ENOTSUP, fs::file_type::fifo},
        {"beyond the cap",
         [] {
             WriteFileBytes(kSave, "1\n");
             fs::resize_file(kSave, 1024 * 1024 + 1);
         },
         EFBIG, fs::file_type::regular},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        kit.log.clear();
        c.place();
        auto loaded = std::make_unique<GAMEMAIN>();
        loaded->LoadIntegratedData();
        EXPECT_EQ(loaded->GetIntegratedState(), GAMEMAIN::INTEGRATED_STATE::Withheld);
        EXPECT_EQ(loaded->SaveIntegratedData(), 0);
        loaded->Release();

        EXPECT_EQ(kit.debugLines(),
                  (std::vector<std::string>{
                      std::string("Error: <GAMEMAIN::LoadIntegratedData> sav/sav00.sav "
                                  "を読み込めません (") +
                          std::strerror(c.error) + ")。今回は書き込みません",
                      withheld, withheld,
                      "Error: <GAMEMAIN::Release> 統合ファイルのセーブに失敗しました"}));
        EXPECT_EQ(fs::symlink_status(kSave).type(), c.kept);
        EXPECT_FALSE(zktest::FileExists(kTemp) || zktest::FileExists(kBackup));
        fs::remove_all(kSave);
    }
}

TEST_F(SaveTest, DamagedFileThatCannotBeBackedUpIsWithheld) {
    const std::string damaged = Join(BaseLines()).substr(0, 10);
    WriteFileBytes(kSave, damaged);
    fs::create_directories(kBackup + "/keep");
    game->LoadIntegratedData();

    EXPECT_EQ(game->GetIntegratedState(), GAMEMAIN::INTEGRATED_STATE::Withheld);
    ASSERT_EQ(kit.debugLines().size(), 2u);
    EXPECT_EQ(kit.debugLines()[1],
              "Error: <GAMEMAIN::LoadIntegratedData> 壊れた sav/sav00.sav を保存できません。"
              "今回は書き込みません");
    EXPECT_EQ(game->SaveIntegratedData(), 0);
    EXPECT_EQ(ReadFileBytes(kSave), damaged);
    EXPECT_TRUE(fs::is_directory(kBackup + "/keep"));
}

TEST_F(SaveTest, FailedWriteKeepsTheOldFile) {
    const std::string clean = Join(BaseLines());
    const struct {
        const char* name;
        void (*obstruct)();
    } cases[] = {
        {"directory at the temporary file", [] { fs::create_directory(kTemp); }},
        {"target replaced by a folder",
         [] {
             fs::remove(kSave);
             fs::create_directories(kSave + "/inside");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(kSave);
        fs::remove_all(kTemp);
        WriteFileBytes(kSave, clean);
        auto loaded = std::make_unique<GAMEMAIN>();
        loaded->LoadIntegratedData();
        loaded->nGameClearFlg = 99;
        c.obstruct();
        kit.log.clear();

        EXPECT_EQ(loaded->SaveIntegratedData(), 0);
        EXPECT_EQ(kit.debugLines(),
                  std::vector<std::string>{
                      std::string("Error: <GAMEMAIN::SaveIntegratedData> sav/sav00.sav "
                                  "の書き込みに失敗しました (") +
                      std::strerror(EISDIR) + ")。以前のファイルはそのままです"});
        if (fs::is_directory(kSave)) {
            EXPECT_TRUE(fs::is_directory(kSave + "/inside"));
        } else {
            EXPECT_EQ(ReadFileBytes(kSave), clean);
        }
        EXPECT_FALSE(fs::is_regular_file(kTemp));
    }
}

TEST(SystemSaveFile, FlagWordsTakeDecimalsWithinThirtyTwoBits) {
    const struct {
        std::string line;
        bool taken;
        std::uint32_t value;
    } cases[] = {
        {" -1\r", true, 0xFFFFFFFFu},
        {"+5", true, 5},
        {"4294967295", true, 0xFFFFFFFFu},
        {"-2147483648", true, 0x80000000u},
        {"-2147483649", false, 0},
        {"99999999999999999999999", false, 0},
        {"", false, 0},
        {"1 2", false, 0},
        {"0x10", false, 0},
        {"-", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::uint32_t cg[8] = {kUntouched}, replay[6] = {}, clear = 0;
        std::int32_t clothes[14] = {};
        auto list = std::make_unique<AUTO_SKIP_FILE_DATA[]>(512);
        const SystemSaveValues values{cg, replay, clear, clothes,
                                      std::span<AUTO_SKIP_FILE_DATA, 512>(list.get(), 512)};
        const SystemSaveDamage damage = ReadSystemSave(c.line + "\n", values);
        EXPECT_EQ(cg[0], c.taken ? c.value : kUntouched);
        // The missing list is always noted; a refused word first.
        EXPECT_EQ(damage.count, c.taken ? 1 : 2);
        EXPECT_EQ(damage.firstLine, c.taken ? 2 : 1);
    }
}

}  // namespace
