#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/Services.h"
#include "platform/input/VirtualKeys.h"
#include "platform/text/Cp932.h"
#include "support/Bytes.h"
#include "support/FaultyFiles.h"
#include "support/GoldenImage.h"
#include "support/WindowTestBench.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"
#include "windows/SaveRowText.h"

using zktest::Sjis;
using zktest::WindowTestBench;
using zktest::WriteFileBytes;

namespace {

constexpr int kSave = SAVE_LOAD_WINDOW_DATA::kKindSave;
constexpr int kLoad = SAVE_LOAD_WINDOW_DATA::kKindLoad;
// The panel stands open at (200, 5).
constexpr int kPanelX = 200;
constexpr int kPanelY = 5;

std::string Utf8(const std::string& cp932) { return platform::cp932ToUtf8(cp932); }

std::string Row(int slot, const SAVE_INFO_DATA& info) { return Utf8(SaveRowText(slot, info)); }

// A point inside row k, the close button, yes and no of the open panel.
struct Point {
    int x, y;
};
Point RowPoint(int k) { return {kPanelX + 100, kPanelY + 41 + 24 * (k - 1) + 5}; }
constexpr Point kClose{kPanelX + 370, kPanelY + 10};
constexpr Point kYes{kPanelX + 80, kPanelY + 560};
constexpr Point kNo{kPanelX + 270, kPanelY + 560};
constexpr Point kNowhere{10, 10};

// Files whose slot at a chosen path is a regular file that cannot be read: the open
// gives a stream on a folder, whose first read fails.
class UnreadableSlot : public platform::FaultyFiles {
public:
    explicit UnreadableSlot(std::string path) : path_(std::move(path)) {
        std::filesystem::create_directories(folder_);
    }
    bool isRegularFile(const std::string& path) override {
        return path == path_ || FaultyFiles::isRegularFile(path);
    }
    int openRegularFile(const std::string& path, std::uint64_t maxBytes,
                        std::FILE*& stream) override {
        if (path != path_) return FaultyFiles::openRegularFile(path, maxBytes, stream);
        stream = std::fopen(folder_.c_str(), "rb");
        return stream != nullptr ? 0 : errno;
    }

private:
    std::string path_;
    std::string folder_ = "unreadable";
};

struct SaveLoadScreen : ::testing::Test {
    WindowTestBench bench;
    SAVE_LOAD_WINDOW_DATA window;
    platform::ScriptedInput& input = bench.kit.sprites.kit.input;

    SaveLoadScreen() { std::filesystem::create_directories("sav"); }
    ~SaveLoadScreen() override { window.Release(); }

    static void Slot(int k, const std::string& bytes) { WriteFileBytes(SaveSlotPath(k), bytes); }
    void Open(int kind) {
        ASSERT_EQ(window.Initialize(kind, bench.context), 1);
        int calls = 0;
        while (window.WindowOpen(100) == 0) ASSERT_LT(++calls, 10);
        ASSERT_EQ(window.nY, kPanelY);
    }
    // One frame's standby of the open screen, with the left event and the keys
    // released in this frame.
    int Standby(Point p, KEY_STATE left = KEY_STATE_UP, std::vector<int> released = {},
                KEY_STATE right = KEY_STATE_UP) {
        for (const int key : released) input.setKey(key, true);
        bench.sys->KeyScan();
        for (const int key : released) input.setKey(key, false);
        bench.sys->KeyScan();
        return window.nKind == kSave ? window.SaveStandby(p.x, p.y, left, right)
                                     : window.LoadStandby(p.x, p.y, left, right);
    }
    Point Pointer() const {
        Point p{};
        bench.sys->GetMousePos(&p.x, &p.y);
        return p;
    }
    std::string Status() const { return Utf8(window.szStatusMsg); }
    std::uint32_t Effects(int record) const { return bench.effects(record); }
};

}  // namespace

TEST(SaveSlotPath, TwoDigitsForSlotsOneToTwentyAndNothingElse) {
    const struct {
        int slot;
        const char* path;
    } cases[] = {{1, "sav/sav01.sav"},
                 {9, "sav/sav09.sav"},
                 {10, "sav/sav10.sav"},
                 {20, "sav/sav20.sav"},
                 {0, ""},
                 {21, ""},
                 {-1, ""}};
    for (const auto& c : cases) EXPECT_EQ(SaveSlotPath(c.slot), c.path) << c.slot;
}

// scanf's "%d" seven times over: white space before each number, a sign, digits;
// the first text that is no number ends the reading. Numbers saturate.
TEST(SaveHeader, SevenNumbersUntilTheFirstTextThatIsNone) {
    const struct {
        const char* line;
        std::vector<std::int32_t> numbers;
    } cases[] = {
        {"2026 12 5 18 7 9 3\n", {2026, 12, 5, 18, 7, 9, 3}},
        {"2026 12 5 18 7\n", {2026, 12, 5, 18, 7, 0, 0}},
        {"", {0, 0, 0, 0, 0, 0, 0}},
        {"SAVE 2026 12", {0, 0, 0, 0, 0, 0, 0}},
        {"2026 x 5", {2026, 0, 0, 0, 0, 0, 0}},
        {"2026abc 5", {2026, 0, 0, 0, 0, 0, 0}},
        {"12-5+3\t\v7", {12, -5, 3, 7, 0, 0, 0}},
        {"- 5", {0, 0, 0, 0, 0, 0, 0}},
        {"99999999999 -5 0 0 0 0 120", {2147483647, -5, 0, 0, 0, 0, 120}},
        {"2147483647 -2147483648 -2147483649 2147483648",
         {2147483647, -2147483648, -2147483648, 2147483647, 0, 0, 0}},
        {"1 2 3 4 5 6 7 8", {1, 2, 3, 4, 5, 6, 7}},
    };
    for (const auto& c : cases) {
        SAVE_INFO_DATA info;
        info.nExist = 1;
        SAVE_LOAD_WINDOW_DATA::ParseSaveHeader(c.line, info);
        const std::vector<std::int32_t> got = {info.nYear,   info.nMonth,  info.nDay,    info.nHour,
                                               info.nMinute, info.nSecond, info.nGameDay};
        EXPECT_EQ(got, c.numbers) << c.line;
        EXPECT_EQ(info.nExist, 1u) << c.line;
    }
}

// Every field is exactly two characters; the year is taken modulo 100 first.
TEST(SaveRowText, TwoCharactersPerNumberAndQuestionMarksOutsideTheRange) {
    const struct {
        int slot;
        SAVE_INFO_DATA info;
        const char* row;
    } cases[] = {
        {3, {1, 2026, 12, 5, 18, 7, 9, 3}, "NO.03[26/12/05 18:07:09 03日目]"},
        {7, {1, 2005, 5, 1, 9, 5, 0, 12}, "NO.07[05/05/01 09:05:00 12日目]"},
        {12, {0, 2026, 12, 5, 18, 7, 9, 3}, "NO.12[--/--/-- --:--:-- --日目]"},
        {1, {1, 0, 0, 0, 0, 0, 0, 0}, "NO.01[00/00/00 00:00:00 00日目]"},
        {6, {1, 2147483647, -5, 0, 0, 0, 0, 120}, "NO.06[47/?\?/00 00:00:00 ??日目]"},
        {20, {1, -5, 10, 99, 100, -1, 59, 17}, "NO.20[?\?/10/99 ??:??:59 17日目]"},
        {9, {1, 2100, 9, 31, 23, 59, 60, 0}, "NO.09[00/09/31 23:59:60 00日目]"},
    };
    for (const auto& c : cases) EXPECT_EQ(Row(c.slot, c.info), c.row);
}

TEST(SaveRowText, StatusTextsNameTheSlotInFullWidthDigits) {
    const struct {
        SAVE_STATUS status;
        int slot;
        const char* text;
    } cases[] = {
        {SAVE_STATUS::Hover, 1, "Ｎｏ．０１を選択しています。"},
        {SAVE_STATUS::SaveQuestion, 10, "Ｎｏ．１０にセーブしますか？"},
        {SAVE_STATUS::LoadQuestion, 20, "Ｎｏ．２０をロードしますか？"},
        {SAVE_STATUS::SaveNotice, 3, "Ｎｏ．０３にセーブできません。"},
        {SAVE_STATUS::LoadNotice, 19, "Ｎｏ．１９はロードできません。"},
        {SAVE_STATUS::Hover, 0, ""},
        {SAVE_STATUS::Hover, 21, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8(SaveStatusText(c.status, c.slot)), c.text);
    EXPECT_EQ(Utf8(SaveAnswerText(true)), "はい");
    EXPECT_EQ(Utf8(SaveAnswerText(false)), "いいえ");
}

// A slot is used when its path names a regular file; its row is what the first line
// yields.
TEST_F(SaveLoadScreen, HeadersOfTheReferenceFilesGiveTheirRows) {
    Slot(2, "");
    Slot(3, "2026 12 5 18 7 9 3\nMUSIC x\n");
    std::filesystem::create_directory(SaveSlotPath(4));
    Slot(5, "2026 1 2 3 4\n");
    Slot(6, "99999999999 -5 0 0 0 0 120\n");
    Slot(7, "2005 5 1 9 5 0 12\n");
    Slot(8, "not a save\n");
    Slot(9, "2009 9 9 9 9 9 9\n");
    Slot(10, "2010 10 10 10 10 10 10\n");
    Slot(11, std::string(600, '7'));
    std::filesystem::create_directory("elsewhere");
    std::filesystem::create_symlink("../elsewhere", SaveSlotPath(12));
    WriteFileBytes("target", "2001 2 3 4 5 6 7\n");
    std::filesystem::create_symlink("../target", SaveSlotPath(13));
    ASSERT_EQ(window.Initialize(kLoad, bench.context), 1);
    const char* rows[] = {
        "NO.01[--/--/-- --:--:-- --日目]", "NO.02[00/00/00 00:00:00 00日目]",
        "NO.03[26/12/05 18:07:09 03日目]", "NO.04[--/--/-- --:--:-- --日目]",
        "NO.05[26/01/02 03:04:00 00日目]", "NO.06[47/?\?/00 00:00:00 ??日目]",
        "NO.07[05/05/01 09:05:00 12日目]", "NO.08[00/00/00 00:00:00 00日目]",
        "NO.09[09/09/09 09:09:09 09日目]", "NO.10[10/10/10 10:10:10 10日目]",
        "NO.11[47/00/00 00:00:00 00日目]", "NO.12[--/--/-- --:--:-- --日目]",
        "NO.13[01/02/03 04:05:06 07日目]",
    };
    for (int k = 1; k <= 13; ++k) EXPECT_EQ(Row(k, window.SaveInfo[k - 1]), rows[k - 1]);
    for (int k = 14; k <= 20; ++k) EXPECT_EQ(window.SaveInfo[k - 1].nExist, 0u) << k;
    EXPECT_TRUE(bench.lines().empty());
}

// A used slot that cannot be read shows zeros with a warning; the slots after it are
// read all the same, and the reading reports the failure.
TEST_F(SaveLoadScreen, AReadErrorLeavesItsSlotUsedAndTheOthersRead) {
    Slot(3, "2026 12 5 18 7 9 3\n");
    Slot(4, "2026 1 1 1 1 1 1\n");
    Slot(7, "2005 5 1 9 5 0 12\n");
    UnreadableSlot files(SaveSlotPath(4));
    platform::ScopedService<platform::Files> scope(files);
    ASSERT_EQ(window.Initialize(kSave, bench.context), 1);
    const std::string warning = "指定ファイルはセーブファイルではないか、壊れています";
    EXPECT_EQ(bench.lines(),
              std::vector<std::string>{"Warn: <SAVE_LOAD_WINDOW_DATA::Initialize> " + warning});
    window.nSelectNo = 7;
    window.SetNotice(SaveStatusText(SAVE_STATUS::SaveNotice, 7).c_str());
    std::filesystem::remove(SaveSlotPath(3));
    Slot(20, "2020 2 2 2 2 2 2\n");
    bench.kit.clearLog();
    EXPECT_EQ(window.ReloadSaveInfo(), 0);
    EXPECT_EQ(bench.lines(),
              std::vector<std::string>{"Warn: <SAVE_LOAD_WINDOW_DATA::ReloadSaveInfo> " + warning});
    EXPECT_EQ(Row(3, window.SaveInfo[2]), "NO.03[--/--/-- --:--:-- --日目]") << "removed";
    EXPECT_EQ(Row(4, window.SaveInfo[3]), "NO.04[00/00/00 00:00:00 00日目]");
    EXPECT_EQ(Row(7, window.SaveInfo[6]), "NO.07[05/05/01 09:05:00 12日目]");
    EXPECT_EQ(Row(20, window.SaveInfo[19]), "NO.20[20/02/02 02:02:02 02日目]");
    // Nothing else of the screen changes.
    EXPECT_EQ(window.nSelectNo, 7);
    EXPECT_EQ(Status(), "Ｎｏ．０７にセーブできません。");
    EXPECT_EQ(window.nInitFlg, 1u);

    platform::ScopedService<platform::Files> plain(bench.kit.sprites.kit.files);
    bench.kit.clearLog();
    EXPECT_EQ(window.ReloadSaveInfo(), 1);
    EXPECT_EQ(Row(4, window.SaveInfo[3]), "NO.04[26/01/01 01:01:01 01日目]");
    EXPECT_TRUE(bench.lines().empty());
}

// Kind 3 and a missing context set nothing up; a release of a cleared screen is
// harmless. Neither writes a line.
TEST_F(SaveLoadScreen, OnlyKindsOneAndTwoOverAWholeContextOpen) {
    GameContext partial = *bench.context;
    partial.pSnd = nullptr;
    EXPECT_EQ(window.Initialize(kSave, nullptr), 0);
    EXPECT_EQ(window.Initialize(kSave, &partial), 0);
    EXPECT_EQ(window.nSurfNo, -1);
    EXPECT_EQ(window.Initialize(3, bench.context), 0);
    EXPECT_EQ(window.nInitFlg, 0u);
    EXPECT_EQ(window.nSurfNo, -1);
    EXPECT_TRUE(bench.lines().empty());
    EXPECT_EQ(window.WindowOpen(100), -1);
    EXPECT_EQ(window.WindowClose(100), -1);
    EXPECT_EQ(window.SaveStandby(0, 0, 0, 0), -1);
    EXPECT_EQ(window.LoadStandby(0, 0, 0, 0), -1);
    EXPECT_EQ(bench.lines(),
              (std::vector<std::string>{
                  "Error: <SAVE_LOAD_WINDOW_DATA::WindowOpen> 初期化されていません",
                  "Error: <SAVE_LOAD_WINDOW_DATA::WindowClose> 初期化されていません",
                  "Error: <SAVE_LOAD_WINDOW_DATA::SaveStandby> 初期化されていません",
                  "Error: <SAVE_LOAD_WINDOW_DATA::LoadStandby> 初期化されていません"}));
    const auto& shown = bench.drawFrame([&] { EXPECT_EQ(window.Draw(), 1); });
    EXPECT_EQ(WindowTestBench::At(shown, kPanelX + 1, 300), 0x000000u);
    window.Release();
    SAVE_LOAD_WINDOW_DATA never;
    never.Release();
    EXPECT_EQ(never.nSurfNo, -1);
    EXPECT_EQ(never.nKind, 0);
}

// Pointer and clicks on the save screen, frame by frame. The extra input is a key
// released in the frame, or the right button's release.
TEST_F(SaveLoadScreen, TheSaveScreenHoversAsksAndAnswers) {
    constexpr int kRight = platform::VK_RBUTTON;
    constexpr KEY_STATE kUp = KEY_STATE_UP;
    constexpr KEY_STATE kClick = KEY_STATE_RELEASED;
    const char* question = "Ｎｏ．０３にセーブしますか？";
    const Point row4Top{kPanelX + 12, kPanelY + 41 + 72};
    const Point rowsRight{kPanelX + 387, kPanelY + 41 + 72};
    Slot(3, "2026 12 5 18 7 9 3\n");
    Open(kSave);
    const struct {
        const char* what;
        Point p;
        KEY_STATE left;
        int extra;
        // The result; sounds 4 and 5 played in the frame; the fields after it.
        int result, hovers, clicks, select, cursor, asking;
        const char* status;
    } frames[] = {
        {"onto row 3", RowPoint(3), kUp, 0, 1, 1, 0, 3, 3, 0, "Ｎｏ．０３を選択しています。"},
        {"row 4 starts at y + 41 + 72", row4Top, kUp, 0, 1, 1, 0, 4, 4, 0,
         "Ｎｏ．０４を選択しています。"},
        {"x + 387 is off the rows", rowsRight, kUp, 0, 0, 0, 0, 0, 0, 0, ""},
        {"onto an empty row and click at once", RowPoint(5), kClick, 0, 1, 1, 1, 5, 5, 1,
         "Ｎｏ．０５にセーブしますか？"},
        {"no rows while asking", RowPoint(6), kClick, 0, 0, 0, 0, 5, 0, 1,
         "Ｎｏ．０５にセーブしますか？"},
        {"onto no", kNo, kUp, 0, 1, 1, 0, 5, 23, 1, "Ｎｏ．０５にセーブしますか？"},
        {"no", kNo, kClick, 0, 0, 0, 1, 5, 23, 0, "Ｎｏ．０５にセーブしますか？"},
        {"off the rows", kNo, kUp, 0, 0, 0, 0, 0, 0, 0, ""},
        {"onto row 3", RowPoint(3), kUp, 0, 1, 1, 0, 3, 3, 0, "Ｎｏ．０３を選択しています。"},
        {"click a hovered row", RowPoint(3), kClick, 0, 1, 0, 1, 3, 3, 1, question},
        {"onto the close button while asking", kClose, kUp, 0, 0, 1, 0, 3, 21, 1, question},
        {"'S' closes, the click unseen", kYes, kClick, 'S', 3, 0, 0, 3, 21, 1, question},
        {"the right button closes", kYes, kUp, kRight, 3, 0, 0, 3, 21, 1, question},
        {"'L' is the load screen's", kYes, kUp, 'L', 1, 1, 0, 3, 22, 1, question},
        {"yes", kYes, kClick, 0, 2, 0, 1, 3, 22, 0, question},
        {"yes is no row", kYes, kUp, 0, 0, 0, 0, 0, 0, 0, ""},
        {"row 5 kept on the close button", RowPoint(5), kUp, 0, 1, 1, 0, 5, 5, 0,
         "Ｎｏ．０５を選択しています。"},
        {"onto the close button", kClose, kUp, 0, 0, 1, 0, 5, 21, 0, ""},
        {"close clicked", kClose, kClick, 0, 3, 0, 1, 5, 21, 0, ""},
    };
    for (const auto& f : frames) {
        SCOPED_TRACE(f.what);
        const std::uint32_t hovers = Effects(4);
        const std::uint32_t clicks = Effects(5);
        const std::vector<int> keys =
            f.extra != 0 && f.extra != kRight ? std::vector<int>{f.extra} : std::vector<int>{};
        EXPECT_EQ(Standby(f.p, f.left, keys, f.extra == kRight ? kClick : kUp), f.result);
        EXPECT_EQ(Effects(4) - hovers, static_cast<std::uint32_t>(f.hovers));
        EXPECT_EQ(Effects(5) - clicks, static_cast<std::uint32_t>(f.clicks));
        EXPECT_EQ(window.nSelectNo, f.select);
        EXPECT_EQ(window.nCursorId, f.cursor);
        EXPECT_EQ(window.nSlideFlg, static_cast<std::uint32_t>(f.asking));
        EXPECT_EQ(Status(), f.status);
    }
}

// The load screen passes over empty rows, drops its slot on the close button and
// answers yes with its own sound.
TEST_F(SaveLoadScreen, TheLoadScreenOffersUsedRowsOnly) {
    Slot(3, "2026 12 5 18 7 9 3\n");
    Open(kLoad);
    EXPECT_EQ(Standby(RowPoint(4)), 0);
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(Effects(4), 0u);
    EXPECT_EQ(Standby(RowPoint(3)), 1);
    EXPECT_EQ(Standby(kClose), 0);
    EXPECT_EQ(window.nSelectNo, 0) << "dropped on the close button";
    EXPECT_EQ(Standby(RowPoint(3), KEY_STATE_RELEASED), 1);
    EXPECT_EQ(Status(), "Ｎｏ．０３をロードしますか？");
    EXPECT_EQ(Standby(kClose), 0);
    EXPECT_EQ(window.nSelectNo, 3) << "kept while asking";
    EXPECT_EQ(Standby(kYes, KEY_STATE_UP, {'S'}), 1) << "'S' is the save screen's";
    const std::uint32_t clicks = Effects(5);
    EXPECT_EQ(Standby(kYes, KEY_STATE_RELEASED), 2);
    EXPECT_EQ(Effects(3), 1u);
    EXPECT_EQ(Effects(5), clicks);
    EXPECT_EQ(window.nSelectNo, 3);
    EXPECT_EQ(Standby(kYes, KEY_STATE_UP, {'L'}), 3);
}

// A press on the close button shows it pressed; the pointer leaving shows it normal.
TEST_F(SaveLoadScreen, TheCloseButtonShowsHoverAndPress) {
    Open(kSave);
    const struct {
        Point p;
        KEY_STATE left;
        std::int32_t state;
    } frames[] = {{kClose, KEY_STATE_UP, 1},   {kClose, KEY_STATE_PRESSED, 2},
                  {kClose, KEY_STATE_HELD, 2}, {RowPoint(1), KEY_STATE_HELD, 0},
                  {kClose, KEY_STATE_HELD, 2}, {kClose, KEY_STATE_RELEASED, 0}};
    for (const auto& f : frames) {
        Standby(f.p, f.left);
        EXPECT_EQ(window.nCloseBtnState, f.state) << f.p.y << " " << f.left;
    }
}

// A notice stays while the pointer rests on yes or goes to the close button; a row's
// hover text replaces it.
TEST_F(SaveLoadScreen, ANoticeOutlastsThePointersMovesOffTheRows) {
    Open(kSave);
    Standby(RowPoint(3), KEY_STATE_RELEASED);
    ASSERT_EQ(Standby(kYes, KEY_STATE_RELEASED), 2);
    window.SetNotice(SaveStatusText(SAVE_STATUS::SaveNotice, window.nSelectNo).c_str());
    const char* notice = "Ｎｏ．０３にセーブできません。";
    for (const Point p : {kYes, kClose, kNowhere, kClose}) {
        Standby(p);
        EXPECT_EQ(Status(), notice) << p.x << "," << p.y;
    }
    const auto& shown = bench.drawFrame([&] { window.Draw(); });
    EXPECT_EQ(WindowTestBench::At(shown, kPanelX + 199, kPanelY + 545), 0xFFFFFFu)
        << "the notice in the middle of the status line";
    Standby(RowPoint(2));
    EXPECT_EQ(Status(), "Ｎｏ．０２を選択しています。");
    Standby(kNowhere);
    EXPECT_EQ(Status(), "");

    window.SetNotice(notice);
    Standby(RowPoint(2), KEY_STATE_RELEASED);
    EXPECT_EQ(Status(), "Ｎｏ．０２にセーブしますか？") << "a question replaces it";
    window.SetNotice(std::string(300, 'x').c_str());
    EXPECT_EQ(std::string(window.szStatusMsg), std::string(255, 'x')) << "cut to the line's buffer";
    window.Release();
    EXPECT_EQ(Status(), "");
}

// The arrow keys warp the pointer to an item's centre; the next frame's standby
// finds it there.
TEST_F(SaveLoadScreen, ArrowKeysRunThroughTheRowsAndRoundByTheCloseButton) {
    const Point close{kPanelX + 378, kPanelY + 19};
    const auto row = [](int k) { return Point{kPanelX + 199, kPanelY + 53 + 24 * (k - 1)}; };
    Slot(3, "2026 12 5 18 7 9 3\n");
    Slot(7, "2005 5 1 9 5 0 12\n");
    const struct {
        int kind;
        Point from;
        std::vector<int> keys;
        Point to;
    } cases[] = {
        {kSave, kNowhere, {platform::VK_DOWN}, close},
        {kSave, kNowhere, {platform::VK_LEFT}, close},
        {kSave, kNowhere, {platform::VK_RIGHT}, close},
        {kSave, close, {platform::VK_DOWN}, row(1)},
        {kSave, close, {platform::VK_UP}, row(20)},
        {kSave, close, {platform::VK_LEFT}, close},
        {kSave, row(20), {platform::VK_DOWN}, close},
        {kSave, row(1), {platform::VK_UP}, close},
        {kSave, row(5), {platform::VK_DOWN}, row(6)},
        {kSave, row(5), {platform::VK_DOWN, platform::VK_UP}, row(4)},
        {kSave, row(5), {platform::VK_RIGHT}, row(5)},
        {kLoad, kNowhere, {platform::VK_UP}, close},
        {kLoad, close, {platform::VK_DOWN}, row(3)},
        {kLoad, row(3), {platform::VK_DOWN}, row(7)},
        {kLoad, row(7), {platform::VK_DOWN}, close},
        {kLoad, close, {platform::VK_UP}, row(7)},
        {kLoad, row(7), {platform::VK_UP}, row(3)},
        {kLoad, row(3), {platform::VK_UP}, close},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " from " + std::to_string(c.from.x) + "," +
                     std::to_string(c.from.y));
        Open(c.kind);
        Standby(c.from);
        bench.sys->SetMousePos(c.from.x, c.from.y);
        Standby(c.from, KEY_STATE_UP, c.keys);
        EXPECT_EQ(Pointer().x, c.to.x);
        EXPECT_EQ(Pointer().y, c.to.y);
        window.Release();
    }
}

// In the frame after no, the pointer still rests on it while browsing: up and down
// go to the close button on the save screen and nowhere on the load screen.
TEST_F(SaveLoadScreen, ArrowKeysFromTheAnswerJustGiven) {
    Slot(3, "2026 12 5 18 7 9 3\n");
    for (const int kind : {kSave, kLoad}) {
        Open(kind);
        Standby(RowPoint(3), KEY_STATE_RELEASED);
        Standby(kNo);
        ASSERT_EQ(Standby(kNo, KEY_STATE_RELEASED), 0);
        bench.sys->SetMousePos(kNo.x, kNo.y);
        Standby(kNo, KEY_STATE_UP, {platform::VK_UP});
        EXPECT_EQ(Pointer().y, kind == kSave ? kPanelY + 19 : kNo.y) << kind;
        window.Release();
    }
}

TEST_F(SaveLoadScreen, ArrowKeysWhileAskingSwapYesAndNoAndGoToTheCloseButton) {
    const Point close{kPanelX + 378, kPanelY + 19};
    const Point yes{kPanelX + 99, kPanelY + 569};
    const Point no{kPanelX + 299, kPanelY + 569};
    Open(kSave);
    Standby(RowPoint(2), KEY_STATE_RELEASED);
    const struct {
        int key;
        Point to;
    } steps[] = {
        {platform::VK_LEFT, no},  {platform::VK_RIGHT, yes}, {platform::VK_RIGHT, no},
        {platform::VK_UP, close}, {platform::VK_DOWN, no},   {platform::VK_DOWN, close},
    };
    Point at = kNowhere;
    for (const auto& s : steps) {
        Standby(at);
        Standby(at, KEY_STATE_UP, {s.key});
        at = Pointer();
        EXPECT_EQ(at.x, s.to.x) << s.key;
        EXPECT_EQ(at.y, s.to.y) << s.key;
    }
    EXPECT_EQ(window.nSlideFlg, 1u);
    // From a row nothing moves while asking, and with any other flag nothing at all.
    window.nCursorId = 2;
    bench.sys->SetMousePos(1, 1);
    Standby(kNowhere, KEY_STATE_UP, {platform::VK_UP});
    EXPECT_EQ(Pointer().x, 1);
    window.nSlideFlg = 2;
    window.nCursorId = 0;
    Standby(kNowhere, KEY_STATE_UP, {platform::VK_DOWN});
    EXPECT_EQ(Pointer().x, 1);
}

// Used rows white, empty ones grey, the chosen one red (on the load screen only a
// used one); yes red under the pointer; the close button's three looks.
TEST_F(SaveLoadScreen, RowsYesNoAndTheCloseButtonTakeTheirColours) {
    constexpr std::uint32_t kRed = 0xFF0000;
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    constexpr std::uint32_t kGrey = 0x808080;
    const auto cell = [](const char* stem, const char* name) {
        return WindowTestBench::CellColor(stem, name);
    };
    const auto text = [](int k) { return Point{kPanelX + 13, kPanelY + 41 + 24 * (k - 1) + 1}; };
    Slot(3, "2026 12 5 18 7 9 3\n");
    Slot(7, "2005 5 1 9 5 0 12\n");
    Open(kSave);
    Standby(RowPoint(5), KEY_STATE_RELEASED);
    Standby(kYes);
    const auto& shown = bench.drawFrame([&] { window.Draw(); });
    const struct {
        Point p;
        std::uint32_t color;
        const char* what;
    } probes[] = {
        {text(3), kWhite, "used"},
        {text(4), kGrey, "empty"},
        {text(5), kRed, "chosen, though empty"},
        {{kPanelX + 77, kPanelY + 558}, kRed, "yes under the pointer"},
        {{kPanelX + 265, kPanelY + 558}, kWhite, "no"},
        {{kPanelX + 200, kPanelY + 35}, cell("SaveWindowMaterial", "panel"), "panel"},
        {{kPanelX + 370, kPanelY + 12}, cell("SaveWindowMaterial", "close-n"), "close"},
        {{kPanelX + 200, kPanelY + 592}, 0x000000, "below the panel"},
    };
    for (const auto& p : probes) {
        EXPECT_EQ(WindowTestBench::At(shown, p.p.x, p.p.y), p.color) << p.what;
    }
    EXPECT_TRUE(zktest::GoldenImage::Matches(std::string(ZK_GOLDEN_DIR) + "/save-screen.png", shown,
                                             800, {kPanelX, kPanelY, 600, 595}));

    window.Release();
    Open(kLoad);
    Standby(RowPoint(4));
    Standby(RowPoint(3), KEY_STATE_RELEASED);
    for (const auto& [state, look] : {std::pair{1, "close-h"}, {2, "close-p"}, {7, "close-p"}}) {
        window.nCloseBtnState = state;
        window.nSelectNo = 4;
        const auto& load = bench.drawFrame([&] { window.Draw(); });
        EXPECT_EQ(WindowTestBench::At(load, text(4).x, text(4).y), kGrey) << "empty, chosen";
        EXPECT_EQ(WindowTestBench::At(load, text(3).x, text(3).y), kWhite);
        for (const int y : {kPanelY + 7, kPanelY + 30}) {
            EXPECT_EQ(WindowTestBench::At(load, kPanelX + 370, y), cell("LoadWindowMaterial", look))
                << state << " at " << y;
        }
    }
    window.nSelectNo = 3;
    EXPECT_EQ(WindowTestBench::At(bench.drawFrame([&] { window.Draw(); }), text(3).x, text(3).y),
              kRed);
}

// Set up, the screen is not drawn before its slide; released, its sounds are gone
// from tmp/.
TEST_F(SaveLoadScreen, ReleaseUnloadsTheSoundsAndNothingShowsBeforeTheSlide) {
    const std::string sounds[] = {"tmp/Load_Select.sou", "tmp/WindowOpen.sou"};
    ASSERT_EQ(window.Initialize(kLoad, bench.context), 1);
    for (const std::string& sound : sounds) EXPECT_TRUE(zktest::FileExists(sound)) << sound;
    const auto& shown = bench.drawFrame([&] { window.Draw(); });
    EXPECT_EQ(WindowTestBench::At(shown, 5, 5), 0x000000u);
    window.Release();
    for (const std::string& sound : sounds) EXPECT_FALSE(zktest::FileExists(sound)) << sound;
}

// Without its picture the screen stays shut; without a sound it works silently.
TEST_F(SaveLoadScreen, AMissingPictureFailsTheSetUpAMissingSoundOnlyLogs) {
    const auto count = [&](const std::string& line) {
        const auto lines = bench.lines();
        return std::count(lines.begin(), lines.end(), line);
    };
    const std::string tag = "Error: <SAVE_LOAD_WINDOW_DATA::Initialize> ";
    zktest::ScriptKit::WriteArchive("dat/SE.dat", {});
    ASSERT_EQ(window.Initialize(kLoad, bench.context), 1);
    EXPECT_EQ(count(tag + "SEのロードに失敗しました"), 2);
    window.Release();
    bench.kit.clearLog();
    ASSERT_EQ(window.Initialize(kSave, bench.context), 1);
    EXPECT_EQ(count(tag + "SEのロードに失敗しました"), 1);
    window.Release();

    auto pictures = WindowTestBench::Materials();
    std::erase_if(pictures, [](const auto& p) { return p.first == "SaveWindowMaterial.gpc"; });
    zktest::ScriptKit::WriteArchive("dat/Img.dat", pictures);
    bench.kit.clearLog();
    EXPECT_EQ(window.Initialize(kSave, bench.context), 0);
    EXPECT_EQ(count(tag + "画像のロードに失敗しました"), 1);
    EXPECT_EQ(window.WindowOpen(100), -1);
    ASSERT_EQ(window.Initialize(kLoad, bench.context), 1) << "the load screen's picture is there";
}

// Closed from the question, the panel slides down with the yes/no pair on it, and
// once down nothing is drawn.
TEST_F(SaveLoadScreen, AClosingSlideFromTheQuestionKeepsThePairToItsEnd) {
    Open(kSave);
    Standby(RowPoint(2), KEY_STATE_RELEASED);
    ASSERT_EQ(Standby(kNowhere, KEY_STATE_UP, {}, KEY_STATE_RELEASED), 3);
    int result = 0;
    for (int calls = 0; result == 0; ++calls) {
        ASSERT_LT(calls, 12);
        result = window.WindowClose(100);
        const auto& shown = bench.drawFrame([&] { window.Draw(); });
        const int yesY = window.nY + 558;
        if (result == 0 && yesY < 600) {
            EXPECT_EQ(WindowTestBench::At(shown, kPanelX + 265, yesY), 0xFFFFFFu) << window.nY;
        }
        if (result == 1) {
            EXPECT_EQ(WindowTestBench::At(shown, kPanelX + 200, 599), 0x000000u);
        }
    }
    EXPECT_EQ(window.nY, 600);
    EXPECT_EQ(window.nDispFlg, 0u);
    EXPECT_EQ(window.nSlideFlg, 0u);
}
