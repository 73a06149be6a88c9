#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "shell/CursorSetting.h"
#include "shell/EnvData.h"
#include "shell/SettingsText.h"
#include "shell/ShellState.h"
#include "support/Bytes.h"
#include "support/RecordingShellEngine.h"
#include "support/TestKit.h"

using zktest::Hex;
using zktest::ReadFileBytes;
using zktest::Sjis;
using zktest::WriteFileBytes;

namespace {

const std::string kDefaultEnv = Hex(
    "83 54 83 45 83 93 83 68 8c 78 8d 90 3a 20 4f 4e 0a 83 58 83 4e 83 8a 81 5b 83 93 83 82 81 5b"
    "83 68 3a 20 57 69 6e 64 6f 77 09 89 e6 96 ca 83 4a 83 89 81 5b 3a 20 33 32 62 69 74 0a 42 47"
    "4d 3a 20 4f 4e 09 09 56 6f 6c 75 6d 65 3a 20 35 0a 56 4f 49 43 45 3a 20 4f 4e 09 56 6f 6c 75"
    "6d 65 3a 20 35 0a 53 45 3a 20 4f 4e 09 09 56 6f 6c 75 6d 65 3a 20 35 0a 83 81 83 62 83 5a 81"
    "5b 83 57 91 ac 93 78 3a 20 31 30 30 30 09 83 6e 83 93 83 59 83 74 83 8a 81 5b 3a 20 4f 46 46"
    "09 83 49 81 5b 83 67 83 58 83 4c 83 62 83 76 3a 20 4f 46 46 09");

struct EnvFixture {
    zktest::TestKit kit;
    zktest::RecordingShellEngine engine;
    ShellState& state = BeginShellState();

    // Loads text as env.env and gives back what a save then writes.
    std::string roundTrip(const std::string& text) {
        WriteFileBytes("env.env", text);
        EXPECT_EQ(LoadEnvData(engine, "env.env"), 1);
        EXPECT_EQ(SaveEnvData(engine, "env.env"), 1);
        return ReadFileBytes("env.env");
    }
};

std::string Line(std::u8string_view label, const std::string& rest) { return Sjis(label) + rest; }

// What may stand in a settings file's place and cannot be read.
const struct {
    const char* what;
    void (*place)(const char* path);
    int error;
} kUnreadable[] = {
    {"a FIFO", [](const char* path) { mkfifo(path, 0600); }, ENOTSUP},
    {"a file over the cap",
     [](const char* path) { WriteFileBytes(path, std::string(kMaxSettingsBytes + 1, '\n')); },
     EFBIG},
    {"a folder", [](const char* path) { std::filesystem::create_directory(path); }, EISDIR},
};

// What stands at path: its kind and, for a file, its bytes.
std::string Standing(const char* path) {
    const auto type = std::filesystem::symlink_status(path).type();
    const std::string kind = std::to_string(static_cast<int>(type));
    return type == std::filesystem::file_type::regular ? kind + ReadFileBytes(path) : kind;
}

std::string NotReadLine(const char* tag, const char* path, int error) {
    return std::string("Error: <") + tag + "> " + path + " を読み込めません (" +
           std::strerror(error) + ")";
}

}  // namespace

TEST(EnvData, DefaultsAreWrittenByteForByte) {
    EnvFixture f;
    EXPECT_EQ(LoadEnvData(f.engine, "env.env"), 0);
    EXPECT_EQ(f.engine.calls, std::vector<std::string>{"GameSetMsgConfig 1000 0 0"});
    EXPECT_EQ(SaveEnvData(f.engine, "env.env"), 1);
    EXPECT_EQ(ReadFileBytes("env.env"), kDefaultEnv);

    f.state.settings.seVolume = 9;
    EXPECT_EQ(LoadEnvData(f.engine, nullptr), -1);
    EXPECT_EQ(f.state.settings.seVolume, 5u) << "the defaults are applied";
    EXPECT_EQ(f.kit.debugLines(), std::vector<std::string>{"Error: <LoadEnvData> 引数が不正です"});
}

TEST(EnvData, NonDefaultValuesSurviveARoundTrip) {
    EnvFixture f;
    f.state.settings.soundWarning = 0;
    f.state.settings.fullScreen = 1;
    f.state.settings.colourDepth = 16;
    f.state.settings.bgmOn = 0;
    f.state.settings.voiceVolume = 10;
    f.state.settings.seOn = 0;
    f.state.settings.seVolume = 3;
    f.engine.msgSpeed = 250;
    f.engine.handsFree = 1;
    f.engine.autoSkip = 1;
    ASSERT_EQ(SaveEnvData(f.engine, "env.env"), 1);
    const std::string written = ReadFileBytes("env.env");
    EXPECT_NE(written.find("VOICE: ON\tVolume: 10\nSE: OFF\t\tVolume: 3\n"), std::string::npos);

    BeginShellState();
    EXPECT_EQ(f.roundTrip(written), written);
    EXPECT_EQ(CurrentShellState().windowStyle, kFullScreenStyle);
    EXPECT_EQ(f.engine.calls.back(), "GameSetMsgConfig 250 1 1");
}

TEST(EnvData, TheSlowestMessageSpeedIsKeptAndZeroTakesTheDefault) {
    const std::string speedLine = Hex("83 81 83 62 83 5a 81 5b 83 57 91 ac 93 78 3a 20");
    const struct {
        const char* written;
        const char* kept;
    } cases[] = {{"1", "1"}, {"0", "1000"}, {"2", "2"}};
    for (const auto& c : cases) {
        EnvFixture f;
        std::string text = kDefaultEnv;
        text.replace(text.find(speedLine + "1000") + speedLine.size(), 4, c.written);
        EXPECT_NE(f.roundTrip(text).find(speedLine + c.kept + "\t"), std::string::npos)
            << c.written;
        EXPECT_EQ(f.engine.calls.back(), std::string("GameSetMsgConfig ") + c.kept + " 0 0");
    }
}

TEST(EnvData, WordsAreReadByPositionWithTheirLimits) {
    const struct {
        std::string text;
        std::string expectedLine;  // the line the save writes in its place
    } cases[] = {
        {Line(u8"ｘ: ", "off\n"), Sjis(u8"サウンド警告: OFF\n")},
        {"\nA Window B 8bit\n", Sjis(u8"スクリーンモード: Window\t画面カラー: 32bit\n")},
        {"\nA full B 24BIT\n", Sjis(u8"スクリーンモード: Full\t画面カラー: 24bit\n")},
        {"\n\nBGM: off Volume: 0\n", "BGM: OFF\t\tVolume: 1\n"},
        {"\n\nBGM: ON Volume: 11\n", "BGM: ON\t\tVolume: 10\n"},
        {"\n\n\nVOICE: ON Volume: -2\n", "VOICE: ON\tVolume: 10\n"},
        {"\n\n\n\nSE: ON Volume: 99999999999999\n", "SE: ON\t\tVolume: 10\n"},
        {"\n\n\n\n\nX 0 Y on Z on", Sjis(u8"メッセージ速度: 1000\t")},
        {"\n\n\n\n\nX abc Y on Z on", Sjis(u8"メッセージ速度: 1000\t")},
        {"\n\n\n\n\nX 37 Y on Z on", Sjis(u8"メッセージ速度: 37\tハンズフリー: ON\t")},
        {"\n\n\n\n\nX -1b Y on Z on", Sjis(u8"メッセージ速度: -1\t")},
        {"\n\n\n\n\nX 99999999999 Y on Z on", Sjis(u8"メッセージ速度: 2147483647\t")},
        // A word is cut to 99 bytes: the 7 is its hundredth.
        {"\n\nBGM: ON Volume: " + std::string(99, '0') + "7\n", "BGM: ON\t\tVolume: 1\n"},
        {"A\tOFF\r\nB Full C 16bit\r\nBGM: OFF Volume: 7\r\n",
         Sjis(u8"サウンド警告: OFF\nスクリーンモード: Full\t画面カラー: 16bit\n") +
             "BGM: OFF\t\tVolume: 7\n"},
        {std::string(5000, 'x') + "\nA Full", Sjis(u8"スクリーンモード: Full\t")},
    };
    for (const auto& c : cases) {
        EnvFixture f;
        EXPECT_NE(f.roundTrip(c.text).find(c.expectedLine), std::string::npos) << c.text;
    }
}

TEST(EnvData, MissingLinesTakeTheirDefaults) {
    EnvFixture f;
    const std::string written =
        f.roundTrip(Sjis(u8"サウンド警告: OFF\nスクリーンモード: Window\t画面カラー: 24bit\n"));
    EXPECT_EQ(written.substr(written.find("BGM")), kDefaultEnv.substr(kDefaultEnv.find("BGM")));
}

TEST(EnvData, DamagedFilesGiveSettingsInRange) {
    std::string noise;
    for (int i = 0; i < 3000; ++i) noise.push_back(static_cast<char>((i * 37 + 11) % 256));
    const std::string damaged[] = {std::string("\0OFF\0\n\0\0Full\n", 14), noise,
                                   std::string(70000, '\n'), Hex("83 0a 83 20 83"),
                                   "BGM: ON Volume: -2147483649"};
    for (const auto& text : damaged) {
        EnvFixture f;
        f.roundTrip(text);
        const SettingsWords& s = CurrentShellState().settings;
        for (auto level : {s.bgmVolume, s.voiceVolume, s.seVolume}) {
            EXPECT_GE(level, 1u);
            EXPECT_LE(level, 10u);
        }
        EXPECT_TRUE(s.colourDepth == 16 || s.colourDepth == 24 || s.colourDepth == 32);
        EXPECT_NE(f.engine.msgSpeed, 0u);
    }

    EnvFixture f;
    const std::string written =
        f.roundTrip(std::string("A\0 OFF\n", 7) + std::string(600, 'x') + "\nBGM: OFF Volume: 2\n");
    EXPECT_NE(written.find("BGM: OFF\t\tVolume: 2\n"), std::string::npos);
    EXPECT_EQ(
        f.kit.debugLines(),
        (std::vector<std::string>{"Warn: <LoadEnvData> 環境設定ファイルの1行目が壊れています",
                                  "Warn: <LoadEnvData> 環境設定ファイルの2行目が壊れています"}));

    // A stream that never ends gives a damaged line, not a wait.
    std::FILE* endless = std::fopen("/dev/zero", "rb");
    std::string line;
    EXPECT_EQ(ReadSettingsLine(endless, line, 511), SettingsLine::Damaged);
    std::fclose(endless);
}

TEST(EnvData, AFailedSaveKeepsTheOldFile) {
    EnvFixture f;
    WriteFileBytes("env.env", "old");
    std::filesystem::create_directory("env.env.tmp");
    EXPECT_EQ(SaveEnvData(f.engine, "env.env"), -1);
    EXPECT_EQ(SaveEnvData(f.engine, nullptr), -1);
    EXPECT_EQ(ReadFileBytes("env.env"), "old");
    const std::string openFailed =
        "Message: <SaveEnvData> 環境設定ファイルの書き込みオープンに失敗しました";
    EXPECT_EQ(f.kit.debugLines(), (std::vector<std::string>{openFailed, openFailed}));
    EXPECT_TRUE(std::filesystem::is_empty("env.env.tmp"));
}

TEST(EnvData, AFileThatCannotBeReadIsKeptAndTheNextLoadDecidesAfresh) {
    for (const auto& c : kUnreadable) {
        SCOPED_TRACE(c.what);
        EnvFixture f;
        c.place("env.env");
        const std::string before = Standing("env.env");
        f.state.settings.seVolume = 9;
        EXPECT_EQ(LoadEnvData(f.engine, "env.env"), 0);
        EXPECT_EQ(f.state.settings.seVolume, 5u) << "the run goes on with the defaults";
        f.state.settings.bgmVolume = 2;
        EXPECT_EQ(SaveEnvData(f.engine, "env.env"), 0);
        EXPECT_EQ(Standing("env.env"), before);
        EXPECT_EQ(f.kit.debugLines(),
                  (std::vector<std::string>{
                      NotReadLine("LoadEnvData", "env.env", c.error),
                      "Warn: <SaveEnvData> 読み込めなかった env.env は上書きしません"}));

        std::filesystem::remove("env.env");
        EXPECT_EQ(LoadEnvData(f.engine, "env.env"), 0);
        EXPECT_EQ(SaveEnvData(f.engine, "env.env"), 1);
        EXPECT_EQ(ReadFileBytes("env.env"), kDefaultEnv);
    }
}

TEST(CursorSetting, AFileThatCannotBeReadIsKept) {
    for (const auto& c : kUnreadable) {
        SCOPED_TRACE(c.what);
        zktest::TestKit kit;
        c.place("cursor.txt");
        const std::string before = Standing("cursor.txt");
        EXPECT_EQ(LoadCursorSetting("cursor.txt"), 0);
        EXPECT_EQ(Standing("cursor.txt"), before);
        EXPECT_EQ(kit.debugLines(),
                  (std::vector<std::string>{
                      NotReadLine("LoadCursorSetting", "cursor.txt", c.error),
                      "Warn: <LoadCursorSetting> 読み込めなかった cursor.txt は上書きしません"}));
    }
}

TEST(CursorSetting, KindAndRewrite) {
    const std::string header =
        Hex("2a 2a 2a 2a 2a 2a 20 83 7d 83 45 83 58 83 4a 81 5b 83 5c 83 8b 82 cc 95 cf 8d 58 82 "
            "aa 89 c2"
            "94 5c 82 c5 82 b7 81 42 20 2a 2a 2a 2a 2a 2a 0a");
    const struct {
        const char* text;  // null: no file
        int kind;
        bool rewritten;
    } cases[] = {
        {nullptr, 0, true},
        {"a\nb\nc\nCursor:2\n", 2, false},
        {"a\r\nb\r\nc\r\nCursor:\t1\r\n", 1, false},
        {"a\nb\nc\nCursor:\t3\n", 0, true},
        {"a\nb\nc\nCursor:\t02\n", 0, true},
        {"a\nb\n", 0, true},
    };
    for (const auto& c : cases) {
        zktest::TestKit kit;
        if (c.text != nullptr) WriteFileBytes("cursor.txt", c.text);
        EXPECT_EQ(LoadCursorSetting("cursor.txt"), c.kind) << c.text;
        const std::string after = ReadFileBytes("cursor.txt");
        if (c.rewritten) {
            EXPECT_EQ(after.size(), 151u);
            EXPECT_EQ(after.substr(0, header.size()), header);
            EXPECT_EQ(after.substr(141), "Cursor:\t0\n");
            EXPECT_EQ(kit.debugLines().size(), c.text != nullptr ? 1u : 0u);
        } else {
            EXPECT_EQ(after, c.text);
        }
    }
    zktest::TestKit kit;
    EXPECT_EQ(LoadCursorSetting(nullptr), 0);
    EXPECT_EQ(kit.debugLines(),
              std::vector<std::string>{"Warn: <LoadCursorSetting> "
                                       "カーソル設定ファイルの書き込みに失敗しました"});
}
