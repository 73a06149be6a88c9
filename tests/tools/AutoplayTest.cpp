#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "autoplay/InputScript.h"
#include "autoplay/PngWriter.h"
#include "mkdemo/OpeningMovie.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
#include "shell/AssetManifest.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/MakeMovie.h"
#include "support/PictureDistance.h"
#include "support/ReadPng.h"
#include "support/RunTool.h"
#include "support/TempWorkDir.h"

using autoplay::InputAction;
using autoplay::InputScript;
using zktest::DemoData;
using zktest::ReadFileBytes;
using zktest::ReadPng;
using zktest::RunTool;
using zktest::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

// A picture of the manifest as mkdemo catalogs it.
mkdemo::PictureEntry CatalogEntry(const std::string& stem) {
    static const std::vector<mkdemo::PictureEntry> catalog = [] {
        std::string error;
        const auto entries = mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error);
        EXPECT_TRUE(entries) << error;
        return entries.value_or(std::vector<mkdemo::PictureEntry>{});
    }();
    for (const mkdemo::PictureEntry& e : catalog)
        if (e.stem == stem) return e;
    return mkdemo::PictureEntry{};
}

// The demo in folder, with a numbered three-second movie in place of its opening: for
// the runs that pass through the movie to the title.
std::string DemoWithShortMovie(const std::string& folder) {
    fs::create_directories(folder + "/dat");
    for (const auto& entry : fs::directory_iterator(DemoData::Dir() + "/dat")) {
        if (entry.path().filename() == "Mov.vid") continue;
        fs::create_symlink(entry.path(), folder + "/dat/" + entry.path().filename().string());
    }
    zktest::MakeMovie(mkdemo::MovieRecipe::GameSize(), folder + "/dat/Mov.vid");
    return folder;
}

// Frame, action, key or value: a compact view of what a script asks for.
struct Seen {
    int frame;
    InputAction action;
    int value;
    bool operator==(const Seen&) const = default;
};

// Key codes as base-256 digits, the first highest.
int KeysValue(const std::vector<int>& keys) {
    int value = 0;
    for (const int key : keys) value = value * 256 + key;
    return value;
}

std::vector<Seen> Events(const InputScript& script) {
    std::vector<Seen> seen;
    for (const auto& [frame, events] : script.legs[0].events) {
        for (const auto& e : events) {
            const int value = e.action == InputAction::Advance      ? static_cast<int>(e.ms)
                              : e.action == InputAction::Move       ? e.x * 1000 + e.y
                              : e.action == InputAction::ExpectMode ? e.mode * 100 + e.step
                              : e.action == InputAction::Enter      ? e.mode * 100 + e.step
                              : e.action == InputAction::Menu       ? static_cast<int>(e.item)
                              : e.action == InputAction::Dialog     ? KeysValue(e.keys)
                                                                    : e.key;
            seen.push_back({frame, e.action, value});
        }
    }
    return seen;
}

// One run of autoplay: its arguments, the exit status it must give and a text its
// output must hold.
struct ToolRun {
    std::vector<std::string> args;
    int exit;
    const char* says;
};

void ExpectRun(const ToolRun& run) {
    const platform::ProcessResult result = RunTool("autoplay", run.args);
    EXPECT_EQ(result.exitStatus, run.exit) << run.says << "\n" << result.err;
    EXPECT_NE((result.out + result.err).find(run.says), std::string::npos)
        << run.says << "\n"
        << result.out << result.err;
}

std::string DemoInput(const char* name) { return DemoData::SourceDir() + "/" + name; }

}  // namespace

TEST(InputScriptParse, ValidLinesGiveTheirEventsInFrameAndFileOrder) {
    std::string error;
    const auto ok = InputScript::Parse(
        "clock 5000\r\nstep 33\nframes 9\n"
        "at 4 press RETURN\n"
        "at 2 click 10 20\n"
        "at 2 down 0\n"
        "at 3 advance 141000\n"
        "\tat 1 up 200  \n"
        "at 5 expect mode 3 step 2\n"
        "at 5 expect log Error: <x> two  blanks\n"
        "at 6 enter 255 step 12\n"
        "at 6 enter 9\n"
        "at 6 enter 0 step 0\n"
        "at 0 menu settings\n"
        "at 6 menu load\n"
        "at 6 dialog N\n"
        "at 6 end\n",
        error);
    ASSERT_TRUE(ok) << error;
    EXPECT_EQ(ok->clockStart, 5000u);
    EXPECT_EQ(ok->step, 33u);
    EXPECT_EQ(ok->frames, 9);
    using A = InputAction;
    using M = autoplay::MenuItem;
    EXPECT_EQ(Events(*ok), (std::vector<Seen>{{0, A::Menu, static_cast<int>(M::Settings)},
                                              {1, A::Up, 200},
                                              {2, A::Move, 10020},
                                              {2, A::Down, 1},
                                              {2, A::Down, '0'},
                                              {3, A::Up, 1},
                                              {3, A::Advance, 141000},
                                              {4, A::Down, 13},
                                              {5, A::Up, 13},
                                              {5, A::ExpectMode, 302},
                                              {5, A::ExpectLog, 0},
                                              {6, A::Enter, 25512},
                                              {6, A::Enter, 900},
                                              {6, A::Enter, 0},
                                              {6, A::Menu, static_cast<int>(M::Load)},
                                              {6, A::Dialog, 'N'},
                                              {6, A::End, 0}}));
    EXPECT_EQ(ok->legs[0].events.at(5).back().text, "Error: <x> two  blanks");

    // A mode change may come in the frame a wait is met; a click on the strip not.
    const auto leg = InputScript::Parse(
        "wait mode 3 step 0 within 9\nat +0 enter 9 step 11\nat +1 menu save\n", error);
    ASSERT_TRUE(leg) << error;
    const auto& first = leg->legs[1].events.at(0).at(0);
    EXPECT_EQ(first.action, A::Enter);
    EXPECT_EQ(first.mode * 100 + first.step, 911);
    EXPECT_EQ(leg->legs[1].events.at(1).at(0).item, M::Save);

    const auto typed = InputScript::Parse("at 2 dialog 9 SPACE 121\n", error);
    ASSERT_TRUE(typed) << error;
    EXPECT_EQ(Events(*typed), (std::vector<Seen>{{2, A::Dialog, ('9' * 256 + 32) * 256 + 121}}));
}

TEST(InputScriptParse, BadLinesAreRefusedWithTheirLineNumber) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"# comment\n\nclock 5000\nstep 33\tframes 9\n", "input:4: wrong number of words"},
        {"jump 3", "input:1: unknown command jump"},
        {"\n\nat 3 press F1", "input:3: unknown key F1"},
        {"at -1 press A", "input:1: not a valid frame: -1"},
        {"at 1 down 256", "input:1: unknown key 256"},
        {"step 0", "input:1: not a valid step: 0"},
        {"step 1001", "input:1: not a valid step: 1001"},
        {"at 1 click 5", "input:1: expected: click [<x> <y>]"},
        {"at 1 expect mode x", "input:1: not a valid mode: x"},
        {"at 1 expect log", "input:1: missing log text"},
        {"at 1 expect colour 3", "input:1: unknown expectation colour"},
        {"at 1 shot ../x", "input:1: a shot name is a file name"},
        {"at 1 fly", "input:1: unknown action fly"},
        {"at 1", "input:1: missing action"},
        {"wait mode 1 step 2", "input:1: expected: wait mode <m> step <s> within <n>"},
        {"wait mode 1 step 2 within 5\nat 3 end",
         "input:2: after a wait, frames count from it: at +<k>"},
        {"at +1 end", "input:1: at +<k> counts from a wait, and none comes before it"},
        {"wait mode 1 step 2 within 5\nat +0 press A",
         "input:2: input at +0 comes too late: a wait is met after its frame has run"},
        {"at 1 enter", "input:1: missing mode"},
        {"at 1 enter 256", "input:1: not a valid mode: 256"},
        {"at 1 enter 9 stop 3", "input:1: expected: enter <m> [step <s>]"},
        {"at 1 enter 9 step", "input:1: expected: enter <m> [step <s>]"},
        {"at 1 enter 9 step 3 4", "input:1: expected: enter <m> [step <s>]"},
        {"at 1 enter 9 step -1", "input:1: not a valid step: -1"},
        {"at 1 menu", "input:1: wrong number of words"},
        {"at 1 menu save load", "input:1: wrong number of words"},
        {"at 1 menu help", "input:1: unknown menu item help"},
        {"at 1 menu Save", "input:1: unknown menu item Save"},
        {"wait mode 1 step 2 within 5\nat +0 menu load",
         "input:2: input at +0 comes too late: a wait is met after its frame has run"},
        {"at 1 dialog", "input:1: expected: dialog <key> [<key> ...]"},
        {"at 1 dialog Y maybe", "input:1: unknown key maybe"},
        {"wait mode 1 step 2 within 5\nat +0 dialog Y",
         "input:2: input at +0 comes too late: a wait is met after its frame has run"},
        {"wait mode 1 step 2 within 5\nat +0 advance 5",
         "input:2: input at +0 comes too late: a wait is met after its frame has run"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(InputScript::Parse(c.text, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(PngWriter, AKnownFrameReadsBackThroughAnIndependentReader) {
    // Wide enough that the rows need two stored blocks.
    const int width = 150;
    const int height = 160;
    std::vector<std::uint32_t> pixels(width * height);
    std::string expected;
    for (int y = 0; y < height; ++y) {
        expected.push_back(0);
        for (int x = 0; x < width; ++x) {
            pixels[y * width + x] = static_cast<std::uint32_t>(x << 16 | y << 8 | (x ^ y));
            expected += {static_cast<char>(x), static_cast<char>(y), static_cast<char>(x ^ y)};
        }
    }
    const ReadPng png = ReadPng::Read(autoplay::PngBytes(width, height, pixels));
    EXPECT_EQ(png.width, 150u);
    EXPECT_EQ(png.height, 160u);
    EXPECT_TRUE(png.rows == expected);
}

TEST(AutoplayCommandLine, ExitCodesForPlannedEndsFatalErrorsBadInputAndFailedExpectations) {
    zktest::TempWorkDir dir;
    fs::create_directories("damaged/dat");
    for (const char* archive : {"Img.dat", "SE.dat", "VO.dat", "AU.dat"}) {
        fs::create_symlink(DemoData::Archive(archive), fs::path("damaged/dat") / archive);
    }
    const std::string init =
        DemoData::PlainScript("Init.spt") + "#REG_DATA 15 CLOTHES 2 1 x cos01.spt\r\n";
    DemoData::WriteVariant("Scenario.dat", {{"Init.spt", DemoData::CodedScript(init)}},
                           "damaged/dat/Scenario.dat");
    WriteFileBytes("bad.txt", "at 0 expect mode 1\n# fine\nat 1 hop\n");
    WriteFileBytes("mode5.txt", "at 0 expect mode 5\n");
    WriteFileBytes("nodialog.txt", "at 0 expect mode 1\nat 2 dialog N\nat 5 end\n");
    WriteFileBytes("baddialog.txt", "at 0 expect mode 1\nat 2 dialog\n");
    // The title's exit item, answered no, then yes.
    WriteFileBytes("quit.txt",
                   "frames 1200\nwait mode 3 step 10 within 900\nat +1 click 400 500\n"
                   "at +3 dialog N\n"
                   "at +5 expect mode 3 step 10\nat +6 click 400 500\nat +8 dialog Y\n");
    WriteFileBytes("enter.txt", "at 0 menu settings\nat 0 enter 7 step 7\n");
    WriteFileBytes("badenter.txt", "at 0 enter 10\nat 1 enter 9 step x\n");
    WriteFileBytes("badmenu.txt", "at 0 enter 10\n\nat 2 menu quit\n");
    WriteFileBytes("wait.txt",
                   "wait mode 1 step 2 within 90\nat +1 expect mode 1 step 2\n"
                   "wait mode 5 step 0 within 3\n");
    const std::string shortMovie = DemoWithShortMovie("short");
    const ToolRun runs[] = {
        {{"--help"}, 0, "usage: autoplay"},
        {{"--quiet", shortMovie}, 0, "600 frames, mode 3 step 3, 0 Error, 1 Warn: all 600"},
        {{"damaged"}, 1, "行目でエラーが発生しました"},
        {{"--input", "bad.txt", DemoData::Dir()}, 2, "input:3: unknown action hop"},
        {{"--input", "badenter.txt", DemoData::Dir()}, 2, "input:2: not a valid step: x"},
        {{"--input", "badmenu.txt", DemoData::Dir()}, 2, "input:3: unknown menu item quit"},
        {{"--input", "enter.txt", DemoData::Dir()},
         1,
         "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::HintModeMainProcが失敗しました"},
        {{"--input", "mode5.txt", DemoData::Dir()}, 3, "frame 0: input line 1"},
        {{"--input", "nodialog.txt", DemoData::Dir()},
         3,
         "frame 2: input line 2: expectation failed: no dialog opened"},
        {{"--input", "baddialog.txt", DemoData::Dir()},
         2,
         "input:2: expected: dialog <key> [<key> ...]"},
        {{"--input", "quit.txt", shortMovie}, 0, "mode 3 step 10, 0 Error, 1 Warn: quit in frame"},
        {{"--input", "wait.txt", DemoData::Dir()},
         3,
         "input line 3: expectation failed: mode 1 step 2 after 3 frames"},
        {{"--frames", "0", DemoData::Dir()}, 2, "--frames needs a number"},
    };
    for (const ToolRun& run : runs) ExpectRun(run);
}

// The story's input runs through the staff roll into the extras menu, its shots
// showing the movie, the story's text and the fade to white.
TEST(AutoplayCommandLine, ThePlaythroughEndsCleanInTheExtrasMenu) {
    zktest::TempWorkDir dir;
    ExpectRun({{"--input", DemoInput("playthrough.txt"), DemoData::Dir()},
               0,
               "mode 4 step 2, 0 Error, 0 Warn: end in frame"});
    const ReadPng boot = ReadPng::Read(ReadFileBytes("autoplay-out/boot.png"));
    EXPECT_EQ(boot.width, 800u);
    EXPECT_EQ(boot.height, 600u);
    // The opening across the game area: the town at dusk 0.7 s in, the game's name
    // while it is held; each far from the other.
    const mkdemo::OpeningMovie opening;
    const auto distance = [](const std::string& shot, const std::string& picture) {
        return zktest::PictureDistance(
            ReadPng::Read(ReadFileBytes("autoplay-out/" + shot + ".png")).xrgb(), 800, 600, picture,
            mkdemo::OpeningMovie::kWidth, mkdemo::OpeningMovie::kHeight);
    };
    const std::string town = opening.picture(17);
    const std::string name = opening.picture(440);
    EXPECT_LT(distance("movie", town), 5);
    EXPECT_GT(distance("movie", name), 30);
    EXPECT_LT(distance("movie-name", name), 5);
    EXPECT_GT(distance("movie-name", town), 30);
    // The story's line is drawn in white, a backlog page in grey.
    const auto textPixels = [](const std::string& shot, std::uint32_t colour) {
        const std::vector<std::uint32_t> frame =
            ReadPng::Read(ReadFileBytes("autoplay-out/" + shot + ".png")).xrgb();
        return std::count_if(frame.begin() + 456 * 800, frame.begin() + 557 * 800,
                             [&](std::uint32_t pixel) { return (pixel & 0xFFFFFF) == colour; });
    };
    for (const char* shot : {"adv-first-line", "adv-choice", "rehearsal-face-change"}) {
        EXPECT_GT(textPixels(shot, 0xFFFFFF), textPixels(shot, 0xB4B4B4)) << shot;
    }
    EXPECT_GT(textPixels("adv-backlog", 0xB4B4B4), textPixels("adv-backlog", 0xFFFFFF));
    for (const char* shot :
         {"adv-leave", "rehearsal-wipe", "rehearsal-mosaic", "rehearsal-layers"}) {
        EXPECT_TRUE(zktest::FileExists("autoplay-out/" + std::string(shot) + ".png")) << shot;
    }
    // Halfway through the fade to white every pixel is at least half white.
    const std::vector<std::uint32_t> white =
        ReadPng::Read(ReadFileBytes("autoplay-out/rehearsal-white.png")).xrgb();
    EXPECT_TRUE(std::all_of(white.begin(), white.end(),
                            [](std::uint32_t pixel) { return (pixel & 0x808080) == 0x808080; }));
}

// The save and load input, and the extras input over the demo's system save.
TEST(AutoplayCommandLine, TheSaveLoadAndExtrasInputsEndCleanWithTheirShots) {
    zktest::TempWorkDir dir;
    ExpectRun({{"--input", DemoInput("saveload.txt"), DemoData::Dir()},
               0,
               "mode 9 step 3, 0 Error, 0 Warn: end"});
    for (const char* shot : {"save-screen", "load-screen", "after-load"}) {
        EXPECT_TRUE(zktest::FileExists("autoplay-out/" + std::string(shot) + ".png")) << shot;
    }
    ExpectRun({{"--system-save", DemoData::SystemSave(), "--input", DemoInput("extras.txt"),
                DemoData::Dir()},
               0,
               "mode 3 step 0, 0 Error, 0 Warn: end"});
    for (const char* shot : {"extras-menu", "extras-hover", "extras-dress-hover", "extras-settings",
                             "dress-comment", "dress-arrow-pressed", "dress-page2", "scene-return",
                             "scene-q01", "scene-choice", "gallery-after-scene", "extras-leave"}) {
        EXPECT_TRUE(fs::is_regular_file(fs::path("autoplay-out") / (std::string(shot) + ".png")))
            << shot;
    }
    // The music room: the bar on the selected row, and Play inactive while a track plays.
    const auto cellAt = [](const std::string& shot, int x, int y) {
        return ReadPng::Read(ReadFileBytes("autoplay-out/" + shot + ".png"))
                   .xrgb()[static_cast<std::size_t>(y * 800 + x)] &
               0xFFFFFF;
    };
    const auto cell = [&](const std::string& name) {
        return mkdemo::PicturePainter::CellColors(CatalogEntry("BGMModeMaterial")).at(name);
    };
    const struct {
        const char* shot;
        int barX, barY;
        const char* play;
    } rooms[] = {{"music-room", 373, 90, "play-n"},
                 {"music-playing", 789, 370, "play-i"},
                 {"music-next", 789, 410, "play-i"}};
    for (const auto& room : rooms) {
        EXPECT_EQ(cellAt(room.shot, room.barX, room.barY), cell("bar")) << room.shot;
        EXPECT_EQ(cellAt(room.shot, 666, 481), cell(room.play)) << room.shot;
    }
    // The return button of a scene lit under the pointer, at the window's lower right:
    // its rim's upper right point.
    EXPECT_EQ(cellAt("scene-return", 777, 565),
              mkdemo::PicturePainter::CellColors(CatalogEntry("ReplayMaterial")).at("replay-h"));
    // The hint mode, which only an input enters, back in the extras menu.
    ExpectRun({{"--input", DemoInput("hint.txt"), DemoData::Dir()},
               0,
               "mode 4 step 0, 0 Error, 0 Warn: end"});
    EXPECT_TRUE(fs::is_regular_file("autoplay-out/hint.png"));
}
