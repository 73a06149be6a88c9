#include <cmath>
#include <filesystem>
#include <functional>

#include "SoundFixture.h"
#include "platform/media/MediaPump.h"
#include "platform/video/DisplayContext.h"
#include "platform/video/DisplayStatus.h"
#include "platform/video/HeadlessDisplay.h"
#include "support/MakeMovie.h"
#include "support/MovieBand.h"

using mkdemo::MovieContainer;
using Strings = std::vector<std::string>;

namespace {

const double kToneRms = 0.125 / std::sqrt(2.0);
const std::string kNotInitialized = "ZKSND::Initializeの処理を終えずに呼び出されました";

// The sound object on a main window, the headless display showing its layers.
class MultimediaTest : public SoundFixture {
protected:
    void StartOnWindow() {
        ASSERT_EQ(snd.Initialize(kWindow, nullptr, 0), 0);
        kit.log.clear();
    }
    // Pumps the media and pulls the mix every 10 ms for ms; the mix.
    std::vector<float> Run(std::uint32_t ms) {
        std::vector<float> mix;
        for (std::uint32_t t = 0; t < ms; t += 10) {
            platform::MediaPump::instance().pump();
            const std::vector<float> block = audio.pull(441);
            mix.insert(mix.end(), block.begin(), block.end());
            kit.clock.advance(10);
        }
        return mix;
    }
    // The 10 ms blocks of the mix that carry the tone.
    static int SoundingBlocks(const std::vector<float>& mix) {
        int count = 0;
        for (std::size_t at = 0; at + 882 <= mix.size(); at += 882) {
            count += zktest::Rms(std::span(mix.data() + at, 882)) > kToneRms / 2 ? 1 : 0;
        }
        return count;
    }
    // The number of the movie picture at the AVI window's rectangle, -1 for none.
    int Shown() const { return zktest::MovieBand::Read(display.frame(), 800, 100, 50, 320); }
    std::uint32_t At(int x, int y) const { return display.frame().at(y * 800 + x) & 0xFFFFFF; }

    inline static const platform::WindowHandle kWindow =
        reinterpret_cast<platform::WindowHandle>(0x1000);
    platform::HeadlessDisplay display;
    platform::ScopedService<platform::Display> displayScope{display};
};

}  // namespace

TEST_F(MultimediaTest, RecordsRefuseEveryCallBeforeTheTableIsReserved) {
    StartOnWindow();
    std::uint32_t length = 0;
    const std::vector<std::pair<std::string, std::function<int()>>> calls = {
        {"MMSetData", [&] { return snd.MMSetData(0, "a.mpg", 0); }},
        {"MMOpen", [&] { return snd.MMOpen(0, 0, "a.mpg"); }},
        {"MMClose", [&] { return snd.MMClose(0); }},
        {"MMPlay", [&] { return snd.MMPlay(0); }},
        {"MMPlayEx", [&] { return snd.MMPlayEx(0, 0, 0); }},
        {"MMStop", [&] { return snd.MMStop(0); }},
        {"MMPause", [&] { return snd.MMPause(0); }},
        {"MMGetLength", [&] { return snd.MMGetLength(0, &length); }},
    };
    for (const auto& [name, call] : calls) {
        kit.log.clear();
        EXPECT_EQ(call(), 0) << name;
        EXPECT_EQ(engineLines(),
                  Strings{"Warn: <ZKSND::" + name + "> マルチメディアデータを確保していません"});
    }
}

TEST_F(MultimediaTest, RecordsPlayPauseEndAndPlayAgainAcrossFrames) {
    StartOnWindow();
    zktest::MakeMovie({.picture = false, .container = MovieContainer::MpegProgram}, "tone.mpg");
    zktest::MakeMovie({.container = MovieContainer::Avi}, "movie.avi");
    ASSERT_EQ(snd.MMDATAReserve(2), 1);
    ASSERT_EQ(snd.MMOpen(0, 1, "tone.mpg"), 1);
    ASSERT_EQ(snd.MMPlay(0), 1);
    const std::vector<float> start = Run(200);
    EXPECT_GE(SoundingBlocks(start), 19);  // MP2 starts with a few ms of silence
    EXPECT_EQ(snd.MMPlay(0), 1);
    EXPECT_EQ(engineLines(), Strings{"Warn: <ZKSND::MMPlay> 既に再生中です"});
    ASSERT_EQ(snd.MMPause(0), 1);
    EXPECT_EQ(SoundingBlocks(Run(100)), 0);
    // The second press plays the file again from its start.
    ASSERT_EQ(snd.MMPause(0), 1);
    const std::vector<float> again = Run(200);
    ASSERT_EQ(again.size(), start.size());
    for (std::size_t i = 0; i < start.size(); i += 97) EXPECT_NEAR(again[i], start[i], 1e-3) << i;
    ASSERT_EQ(snd.MMStop(0), 1);
    EXPECT_EQ(SoundingBlocks(Run(100)), 0) << "a stop silences the play";
    // Past its natural end the record reads stopped and plays again.
    Run(900);
    kit.log.clear();
    EXPECT_EQ(snd.MMPlay(0), 1);
    EXPECT_EQ(engineLines(), Strings{});
    std::uint32_t length = 0;
    ASSERT_EQ(snd.MMGetLength(0, &length), 1);
    EXPECT_NEAR(length, 1018.0, 30.0);
    ASSERT_EQ(snd.MMPlayEx(0, 500, 800), 1);
    EXPECT_EQ(SoundingBlocks(Run(600)), 30);
    // A file with pictures plays its sound only.
    ASSERT_EQ(snd.MMOpen(1, 0, "movie.avi"), 1);
    ASSERT_EQ(snd.MMPlay(1), 1);
    EXPECT_EQ(SoundingBlocks(Run(200)), 20);
    EXPECT_FALSE(display.externalLayers().anyShown());
    EXPECT_EQ(engineLines(), Strings{});
    // A play that ended by itself is closed without a stop.
    Run(900);
    EXPECT_EQ(snd.MMClose(1), 1);
    EXPECT_EQ(engineLines(), Strings{});
    // Reopening a playing record ends its play; the record then plays the new file.
    ASSERT_EQ(snd.MMPlay(0), 1);
    ASSERT_EQ(snd.MMOpen(0, 0, "movie.avi"), 1);
    EXPECT_EQ(SoundingBlocks(Run(100)), 0);
    ASSERT_EQ(snd.MMPlayEx(0, 0, 200), 1);
    EXPECT_EQ(SoundingBlocks(Run(300)), 20);
    EXPECT_EQ(engineLines(), Strings{});
    // A reopen that fails still ends the play, and leaves the record closed.
    ASSERT_EQ(snd.MMPlay(0), 1);
    EXPECT_EQ(snd.MMOpen(0, 0, "missing.mpg"), 0);
    EXPECT_EQ(SoundingBlocks(Run(100)), 0);
    kit.log.clear();
    EXPECT_EQ(snd.MMStop(0), 0);
    EXPECT_EQ(engineLines(), Strings{"Error: <ZKSND::MMStop> データを開いていません"});
}

TEST_F(MultimediaTest, RecordsRefuseBadRangesFilesAndRecordsWithTheirLines) {
    StartOnWindow();
    zktest::MakeMovie({.picture = false, .container = MovieContainer::MpegProgram}, "tone.mpg");
    ASSERT_EQ(snd.MMDATAReserve(2), 1);
    ASSERT_EQ(snd.MMOpen(0, 0, "tone.mpg"), 1);
    const auto error = [](const std::string& op, const std::string& text) {
        return "Error: <ZKSND::" + op + "> " + text;
    };
    const std::string badPlay = error("MMPlayEx", "再生に失敗しました");
    const std::string tooLong(260, 'a');
    // Existing files whose paths are 259 and 260 bytes long: the record holds 260 with
    // the terminator.
    const std::string folder(100, 'd');
    std::filesystem::create_directory(folder);
    const std::string fits = folder + "/" + std::string(154, 'f') + ".mpg";
    const std::string overflows = folder + "/" + std::string(155, 'f') + ".mpg";
    for (const std::string& path : {fits, overflows}) std::filesystem::copy_file("tone.mpg", path);
    std::uint32_t length = 0;
    const auto badIndex = [&](const std::string& op) {
        return Strings{error(op, "指定したインデックス番号が不正です")};
    };
    const struct {
        std::function<int()> call;
        int result;
        Strings lines;
    } cases[] = {
        {[&] { return snd.MMStop(0); }, 1, {"Warn: <ZKSND::MMStop> 既に停止されています"}},
        {[&] { return snd.MMPlay(2); }, 0, badIndex("MMPlay")},
        {[&] { return snd.MMPlayEx(-1, 0, 0); }, 0, badIndex("MMPlayEx")},
        {[&] { return snd.MMStop(2); }, 0, badIndex("MMStop")},
        {[&] { return snd.MMPause(-1); }, 0, badIndex("MMPause")},
        {[&] { return snd.MMGetLength(2, &length); }, 0, badIndex("MMGetLength")},
        {[&] { return snd.MMClose(-1); }, 0, {error("MMClose", "インデックス値が不正です")}},
        {[&] { return snd.MMSetData(2, "tone.mpg", 0); },
         0,
         {error("MMSetData", "インデックス番号外を指定しています")}},
        {[&] { return snd.MMPlayEx(0, 900, 1200); }, 0, {badPlay}},
        {[&] { return snd.MMPlayEx(0, 800, 500); }, 0, {badPlay}},
        {[&] { return snd.MMPlayEx(0, 1100, 0); }, 0, {badPlay}},
        {[&] { return snd.MMPlayEx(1, 0, 0); }, -1, {error("MMPlayEx", "データを開いていません")}},
        {[&] { return snd.MMPlay(1); },
         0,
         {error("MMPlayEx", "データを開いていません"),
          error("MMPlay", "呼び出したZKSND::MMPlayExが失敗しました")}},
        {[&] { return snd.MMOpen(1, 0, "missing.mpg"); },
         0,
         {error("MMOpen", "ファイルオープンに失敗しました")}},
        {[&] { return snd.MMOpen(1, 0, tooLong.c_str()); },
         0,
         {error("MMOpen", "ファイルオープンに失敗しました")}},
        {[&] { return snd.MMOpen(1, 2, "tone.mpg"); },
         0,
         {error("MMOpen", "ファイルタイプが不正です")}},
        {[&] { return snd.MMOpen(2, 0, "tone.mpg"); },
         0,
         {error("MMOpen", "インデックス番号が不正です")}},
        {[&] { return snd.MMSetData(1, nullptr, 0); },
         0,
         {error("MMSetData", "ファイルパスが不正です")}},
        {[&] { return snd.MMGetLength(0, nullptr); },
         0,
         {error("MMGetLength", "不正な引数が渡されました")}},
        {[&] { return snd.MMSetData(1, overflows.c_str(), 0); },
         0,
         {error("MMSetData", "ファイルパスが不正です")}},
        {[&] { return snd.MMSetData(1, fits.c_str(), 0); }, 1, {}},
        {[&] { return snd.MMOpen(1, 0, overflows.c_str()); },
         0,
         {error("MMOpen", "ファイルオープンに失敗しました")}},
        {[&] { return snd.MMOpen(1, 0, fits.c_str()); }, 1, {}},
        {[&] { return snd.MMClose(1); }, 1, {}},
        {[&] {
             snd.Release();
             snd.MMDATAReserve(1);
             return snd.MMOpen(0, 0, "tone.mpg");
         },
         0,
         {error("MMOpen", kNotInitialized)}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        kit.log.clear();
        EXPECT_EQ(cases[i].call(), cases[i].result) << i;
        EXPECT_EQ(engineLines(), cases[i].lines) << i;
    }
}

TEST_F(MultimediaTest, TheAviWindowShowsEachPictureOnceAtItsRectangleAboveTheGraphs) {
    StartOnWindow();
    zktest::MakeMovie({.container = MovieContainer::Avi}, "movie.avi");
    std::unique_ptr<platform::DisplayContext> context;
    ASSERT_EQ(display.createContext({platform::kLevelDefault, 800, 600, 32, false}, context),
              platform::DD_OK);
    context->backBuffer->fill(context->backBuffer->bounds(), 0x808080);
    ASSERT_EQ(display.present(*context), platform::DD_OK);
    // A graph's picture overlaps the window's left part.
    display.setExternalPicture(2, std::vector<std::uint32_t>(200 * 200, 0xFF0000), 200, 200);
    display.setExternalShown(2, true);
    std::vector<int> shown;
    display.onCompose = [&](const std::vector<std::uint32_t>&, int) {
        if (shown.empty() || shown.back() != Shown()) shown.push_back(Shown());
    };
    ASSERT_EQ(snd.AVIInit(), 1);
    ASSERT_EQ(snd.AVIOpen("movie.avi", 100, 50, 320, 240), 1);
    Run(100);
    EXPECT_EQ(At(300, 200), 0u);
    EXPECT_EQ(snd.AVIPlayEndCheck(), 0);
    ASSERT_EQ(snd.AVIPlay(), 1);
    while (Shown() != 4) Run(10);
    ASSERT_EQ(snd.AVIPause(), 1);
    Run(500);
    EXPECT_EQ(Shown(), 4);
    ASSERT_EQ(snd.AVIRePlay(), 1);
    for (int t = 0; t < 300 && snd.AVIPlayEndCheck() == 0; ++t) Run(10);
    EXPECT_EQ(snd.AVIPlayEndCheck(), 1);
    EXPECT_EQ(shown, (std::vector<int>{-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(At(50, 100), 0xFF0000u);
    // A play at the end starts over.
    shown.clear();
    ASSERT_EQ(snd.AVIPlay(), 1);
    EXPECT_EQ(snd.AVIPlayEndCheck(), 0);
    for (int t = 0; t < 300 && snd.AVIPlayEndCheck() == 0; ++t) Run(10);
    ASSERT_GE(shown.size(), 10u);
    EXPECT_EQ(std::vector<int>(shown.end() - 10, shown.end()),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(snd.AVIGetLength(), 1000);
    ASSERT_EQ(snd.AVIClose(), 1);
    EXPECT_EQ(snd.AVIGetLength(), 0);
    Run(10);
    EXPECT_EQ(At(300, 200), 0x808080u);
    EXPECT_EQ(At(150, 100), 0xFF0000u);
    EXPECT_EQ(engineLines(), Strings{});
    // Released with a file open, the window forgets the file's length.
    ASSERT_EQ(snd.AVIOpen("movie.avi", 100, 50, 320, 240), 1);
    snd.AVIRelease();
    EXPECT_EQ(snd.AVIPlayEndCheck(), 0);
    EXPECT_EQ(engineLines(), Strings{"AVI Size:\t0\nNow Pos:\t0"});
}

TEST_F(MultimediaTest, AviCallsWithoutAWindowOrAFileFailWithTheirLines) {
    ASSERT_EQ(snd.Initialize(nullptr, nullptr, 0), 0);
    const auto error = [](const std::string& op, const std::string& text) {
        return "Error: <ZKSND::" + op + "> " + text;
    };
    const std::string sizeLine = "AVI Size:\t0\nNow Pos:\t0";
    const std::string play = error("AVIPlay", "AVIの再生に失敗しました");
    const std::string stop = error("AVIStop", "AVIファイル停止に失敗しました");
    const std::string pause = error("AVIPause", "AVIの一時停止に失敗しました");
    const std::string resume = error("AVIRePlay", "AVIの一時停止解除に失敗しました");
    const std::string closeFailed = error("AVIClose", "AVIの停止に失敗しました");
    const struct {
        std::function<int()> call;
        int result;
        Strings lines;
    } cases[] = {
        {[&] { return snd.AVIInit(); },
         0,
         {error("AVIInit", "AVI用MCIウィンドウの作成に失敗しました")}},
        {[&] { return snd.AVIPlay(); }, 0, {play}},
        {[&] { return snd.AVIStop(); }, 0, {stop}},
        {[&] { return snd.AVIPause(); }, 0, {pause}},
        {[&] { return snd.AVIRePlay(); }, 0, {resume}},
        {[&] { return snd.AVIClose(); }, 0, {stop, closeFailed}},
        {[&] { return snd.AVIOpen("m.avi", 0, 0, 8, 8); },
         0,
         {stop, closeFailed, error("AVIOpen", "AVIファイルのクローズに失敗しました")}},
        {[&] { return snd.AVIPlayEndCheck(); }, 0, {sizeLine}},
        // With a window but no file.
        {[&] {
             snd.Initialize(kWindow, nullptr, 0);
             return snd.AVIInit() + snd.AVIInit();
         },
         2,
         {"Error: <ZKSND::Initialize> ZKSNDクラスは既に初期化済みです"}},
        {[&] { return snd.AVIStop() + snd.AVIClose(); }, 2, {}},
        {[&] { return snd.AVIPlay(); }, 0, {play}},
        {[&] { return snd.AVIPause(); }, 0, {pause}},
        {[&] { return snd.AVIRePlay(); }, 0, {resume}},
        {[&] { return snd.AVIPlayEndCheck(); }, 0, {sizeLine}},
        {[&] { return snd.AVIOpen(nullptr, 0, 0, 8, 8); },
         0,
         {error("AVIOpen", "AVIファイルのオープンに失敗しました")}},
        {[&] {
             snd.AVIRelease();
             return snd.AVIStop();
         },
         0,
         {stop}},
        {[&] {
             snd.Release();
             return snd.AVIPlay();
         },
         0,
         {error("AVIPlay", kNotInitialized)}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        kit.log.clear();
        EXPECT_EQ(cases[i].call(), cases[i].result) << i;
        EXPECT_EQ(engineLines(), cases[i].lines) << i;
    }
}
