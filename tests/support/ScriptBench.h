#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "mkdemo/PicturePainter.h"
#include "support/WindowTestBench.h"

namespace zktest {

// The story interpreter driven frame by frame as the story screen drives it, over the
// window bench: the message window set up, effects 4 and 5 loaded, the windows shown
// and save, load and settings allowed. Each frame moves the clock 16 ms, samples time
// and input as the game's frame does, runs the script, then the message and choice
// windows' standbys while the windows are shown and the animation of the shown
// characters and picture layers. It draws nothing: a pixel test calls the draw it
// checks (win.drawFrame).
struct ScriptBench {
    // Kit: pictures, voices and a character of the bench's own; Demo: the generated
    // demo's archives and Init.spt, with the system save read as at boot.
    enum class Data { Kit, Demo };
    using Script = std::vector<std::u8string>;

    // A character registered without being a heroine.
    static constexpr const char* kExtra = "EXTRA";
    // The bench's character: three bodies and three faces, each one flat colour on the
    // key colour, registered with three eye frames of 1000 ms.
    static constexpr const char* kHero = "HERO";
    static constexpr std::uint32_t kKey = mkdemo::PicturePainter::kKeyColor;
    static constexpr std::uint32_t kBodyColors[3] = {0x00C04040, 0x0040C040, 0x004040C0};
    static constexpr std::uint32_t kFaceColors[3] = {0x00F0E0A0, 0x00A0E0F0, 0x00E0A0F0};
    // A 100 ms and a 2 s voice in VO.dat.
    static constexpr const char* kShortVoice = "VSHORT.sou";
    static constexpr const char* kLongVoice = "VLONG.sou";
    static constexpr std::uint32_t kFrame = 16;
    // Two backgrounds, each one flat colour over the whole screen.
    static constexpr const char* kBackgrounds[2] = {"BG00", "BG01"};
    static constexpr std::uint32_t kBackgroundColors[2] = {0x00305070, 0x00D0A040};

    WindowTestBench win;
    // Dispatches by command word, as the interpreter's table spells it.
    std::map<std::string, int> dispatched;

    explicit ScriptBench(Data data = Data::Kit);

    GAMEMAIN& game() { return *win.kit.game; }
    ScriptKit& kit() { return win.kit; }
    platform::ScriptedInput& input() { return win.kit.sprites.kit.input; }
    std::vector<std::string> lines() const { return win.kit.lines(); }
    void clearLog() { win.kit.clearLog(); }

    // Writes dat/Scenario.dat with these members (UTF-8 lines; line 1 a comment).
    static void Scripts(const std::vector<std::pair<std::string, Script>>& members);
    // Writes one script and opens it; false when it did not open.
    bool open(const Script& lines, const std::string& name = "test.spt");
    // Opens a member of the scripts written; false when it did not open.
    bool open(const std::string& name);

    // One frame; ScrMain's result.
    std::int32_t frame();
    // Frames until done() holds (checked before each frame), at most maxFrames; false
    // when it never held.
    bool runUntil(const std::function<bool()>& done, int maxFrames = 3000);
    // Runs frames until every slot is free and the interpreter has read on to the
    // next line, or the script ended or failed; false when maxFrames ran out.
    bool runToEnd(int maxFrames = 3000);
    void hold(int virtualKey, bool down) { input().setKey(virtualKey, down); }
    void point(int x, int y);
    // The left button pressed in one frame and released in the next, where the pointer
    // stands; the release is the click.
    void click();
    // Points at choice plate k (counted from 1) and clicks it.
    void pickChoice(int k);
    int count(const std::string& word) const;
    // A handler's failure line, then the interpreter's lines for the failed command
    // read from this line of test.spt.
    static std::vector<std::string> FailureLines(const std::string& failure, int line,
                                                 const std::string& command);
    // A handler's warning, then the interpreter's lines for the command read from this
    // line of test.spt.
    static std::vector<std::string> WarningLines(const std::string& warning, int line,
                                                 const std::string& command);
    // Opens test.spt with this one line below its comment and runs it until the script
    // ends or fails; the lines logged meanwhile, but for the end's own line.
    std::vector<std::string> runLine(const std::string& line);

    // The character with this ID.
    ZKCHAR& character(const char* szID = kHero);
    std::int32_t lastResult = 0;
};

}  // namespace zktest
