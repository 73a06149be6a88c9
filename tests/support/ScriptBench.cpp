#include "support/ScriptBench.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/BitmapWriter.h"
#include "mkdemo/InitScriptWriter.h"
#include "mkdemo/PicturePainter.h"
#include "platform/input/VirtualKeys.h"
#include "shell/AssetManifest.h"
#include "support/DemoData.h"

namespace zktest {

namespace {

constexpr const char* kBodies[] = {"Y0100", "Y0200", "Y0300"};
constexpr const char* kFaces[] = {"Q00A", "Q00B", "Q00C"};
constexpr const char* kOverlays[] = {"black", "white", "red"};

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

// A picture of one colour inside a border of the key colour, 8 pixels wide.
std::string KeyedPicture(const mkdemo::PictureEntry& entry, std::uint32_t xrgb) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(entry.width * entry.height));
    for (int y = 0; y < entry.height; ++y) {
        for (int x = 0; x < entry.width; ++x) {
            const bool border = x < 8 || y < 8 || x >= entry.width - 8 || y >= entry.height - 8;
            pixels[static_cast<std::size_t>(y * entry.width + x)] =
                border ? ScriptBench::kKey : xrgb;
        }
    }
    return zktools::BitmapBytes(zktools::BitmapForm::Rgb24, entry.width, entry.height, pixels);
}

std::string FlatPicture(const mkdemo::PictureEntry& entry, std::uint32_t xrgb) {
    const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(entry.width * entry.height),
                                            xrgb);
    return zktools::BitmapBytes(zktools::BitmapForm::Rgb24, entry.width, entry.height, pixels);
}

std::vector<std::pair<std::string, std::string>> KitPictures() {
    static const std::vector<std::pair<std::string, std::string>> painted = [] {
        auto pictures = WindowTestBench::Materials();
        for (int i = 0; i < 2; ++i) {
            const mkdemo::PictureEntry& entry =
                WindowTestBench::Entry(ScriptBench::kBackgrounds[i]);
            pictures.emplace_back(entry.name,
                                  FlatPicture(entry, ScriptBench::kBackgroundColors[i]));
        }
        for (const char* stem : kOverlays) {
            const mkdemo::PictureEntry& entry = WindowTestBench::Entry(stem);
            pictures.emplace_back(entry.name, mkdemo::PicturePainter::PlainBitmapOf(entry));
        }
        for (int i = 0; i < 3; ++i) {
            const mkdemo::PictureEntry& body = WindowTestBench::Entry(kBodies[i]);
            pictures.emplace_back(body.name, KeyedPicture(body, ScriptBench::kBodyColors[i]));
            const mkdemo::PictureEntry& face = WindowTestBench::Entry(kFaces[i]);
            pictures.emplace_back(face.name, KeyedPicture(face, ScriptBench::kFaceColors[i]));
        }
        return pictures;
    }();
    return painted;
}

// The registry's rows, the story's two variables and the bench's character.
ScriptBench::Script KitInit() {
    std::vector<std::u8string> tail = {u8"#REG_DATA DAY VAR 1", u8"#REG_DATA HELP VAR 0",
                                       u8"#REG_DATA HERO CHAR 3 3", u8"#REG_DATA EXTRA CHAR 1 1"};
    for (int n = 1; n <= 3; ++n) {
        const std::string body = kBodies[n - 1];
        const std::string face = kFaces[n - 1];
        const std::string number = " " + std::to_string(n) + " ";
        tail.push_back(U8("#CHARA_SET_BODY HERO" + number + body + " " + body + " -100 40 60 30"));
        tail.push_back(
            U8("#CHARA_SET_FACE HERO" + number + face + " " + face + " 0 0 3 0 REPETITION"));
        for (int eye = 1; eye <= 3; ++eye) {
            tail.push_back(U8("#CHARA_SET_EYE HERO" + number + std::to_string(eye) + " " +
                              std::to_string((eye - 1) * 160) + " 160 160 1000"));
        }
    }
    return mkdemo::InitScriptWriter::Lines(AssetManifest::Instance(), tail);
}

void WriteKitData() {
    ScriptKit::WriteArchive("dat/Img.dat", KitPictures());
    ScriptKit::WriteArchive("dat/VO.dat",
                            {{WindowTestBench::kVoices[0], WindowTestBench::Voice(1000)},
                             {WindowTestBench::kVoices[1], WindowTestBench::Voice(1000)},
                             {ScriptBench::kShortVoice, WindowTestBench::Voice(100)},
                             {ScriptBench::kLongVoice, WindowTestBench::Voice(2000)}});
    ScriptBench::Scripts({{"Init.spt", KitInit()}});
}

// The interpreter's error-information line for a command of test.spt.
std::string InfoLine(int line, const std::string& command) {
    return "---Error Info--- File: test.spt Line: " + std::to_string(line) + " Command: " + command;
}

void LinkDemoData() {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(DemoData::Dir() + "/dat")) {
        const fs::path link = fs::path("dat") / entry.path().filename();
        fs::remove(link);
        fs::create_symlink(entry.path(), link);
    }
}

}  // namespace

ScriptBench::ScriptBench(Data data) {
    GAMEMAIN& g = game();
    if (data == Data::Kit) {
        WriteKitData();
    } else {
        LinkDemoData();
    }
    EXPECT_EQ(g.InitScrMain(), 1);
    if (data == Data::Demo) g.LoadIntegratedData();
    EXPECT_EQ(g.MsgWindowData.Initialize(&g.Context), 1u);
    g.nMsgWndDispFlg = 1;
    g.MsgWndStatusChange(7, 1);
    g.SetScrObserver([this](const char* szWord) { ++dispatched[szWord]; });
    std::srand(1);
    clearLog();
}

void ScriptBench::Scripts(const std::vector<std::pair<std::string, Script>>& members) {
    std::vector<std::pair<std::string, std::string>> coded;
    for (const auto& [name, lines] : members) coded.emplace_back(name, ScriptKit::Coded(lines));
    ScriptKit::WriteArchive("dat/Scenario.dat", coded);
}

bool ScriptBench::open(const Script& lines, const std::string& name) {
    Scripts({{name, lines}});
    return open(name);
}

bool ScriptBench::open(const std::string& name) {
    const bool opened = game().ScrFileOpen(name.c_str()).bOpened;
    clearLog();
    return opened;
}

std::int32_t ScriptBench::frame() {
    GAMEMAIN& g = game();
    kit().clock().advance(kFrame);
    g.FrameUpdate();
    lastResult = g.ScrMain();
    const std::uint32_t now = g.dwNowTime;
    if (g.nMsgWndDispFlg != 0) {
        int x = 0;
        int y = 0;
        kit().sys.GetMousePos(&x, &y);
        const KEY_STATE left = kit().sys.GetVKeyStatus(platform::VK_LBUTTON);
        g.MsgWindowData.WindowStandby(x, y, left, now);
        if (g.SelectWindowData.nInitFlg != 0) {
            g.SelectWindowData.WindowStandby(x, y, left, now,
                                             g.MsgWindowData.nBackLogNo == -1 ? 1 : 0);
        }
    }
    for (std::int32_t i = 0; i < g.nCharNum; ++i) {
        if (g.pCharData[i].nDispFlg != 0) g.pCharData[i].Animation(now);
    }
    for (GRAPHIC_DATA_EX* layer : {&g.PRIM1, &g.PRIM2}) {
        if (layer->nDispFlg != 0) layer->AnimationProc(now);
    }
    return lastResult;
}

bool ScriptBench::runUntil(const std::function<bool()>& done, int maxFrames) {
    for (int i = 0; i < maxFrames; ++i) {
        if (done()) return true;
        frame();
    }
    return done();
}

bool ScriptBench::runToEnd(int maxFrames) {
    return runUntil([this] { return lastResult == 2 || lastResult == -1; }, maxFrames);
}

void ScriptBench::point(int x, int y) { input().setPointer({x, y}); }

void ScriptBench::click() {
    hold(platform::VK_LBUTTON, true);
    frame();
    hold(platform::VK_LBUTTON, false);
    frame();
}

void ScriptBench::pickChoice(int k) {
    const SELECT_WINDOW_DATA& plate = game().SelectWindowData.SlcWnd[k - 1];
    point(plate.nCenterX, plate.nCenterY);
    frame();
    click();
}

int ScriptBench::count(const std::string& word) const {
    const auto it = dispatched.find(word);
    return it == dispatched.end() ? 0 : it->second;
}

std::vector<std::string> ScriptBench::FailureLines(const std::string& failure, int line,
                                                   const std::string& command) {
    return {failure, "Error: <GAMEMAIN::ScrExe> 呼び出した命令が失敗しました",
            "Error: <GAMEMAIN::ScrMain> 呼び出したGAMEMAIN::ScrExeが失敗しました",
            InfoLine(line, command)};
}

std::vector<std::string> ScriptBench::WarningLines(const std::string& warning, int line,
                                                   const std::string& command) {
    return {warning, "Warn: <GAMEMAIN::ScrExe> 呼び出した命令内で警告が発生しました",
            InfoLine(line, command)};
}

std::vector<std::string> ScriptBench::runLine(const std::string& line) {
    EXPECT_TRUE(open({u8"// c", U8(line)}));
    lastResult = 0;
    EXPECT_TRUE(runToEnd(100)) << line;
    std::vector<std::string> logged = lines();
    std::erase(logged, "Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です");
    return logged;
}

ZKCHAR& ScriptBench::character(const char* szID) {
    std::int32_t index = -1;
    game().IDSerch(szID, 4, &index);
    EXPECT_GE(index, 0) << szID;
    return game().pCharData[index < 0 ? 0 : index];
}

}  // namespace zktest
