#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "autoplay/MenuItem.h"

namespace autoplay {

enum class InputAction {
    Down,         // key: down from this frame's sample on
    Up,           // key
    Move,         // x, y
    Advance,      // ms: extra clock advance before this frame
    Shot,         // text: file name without .png, empty for the default
    ExpectMode,   // mode, step (-1: any)
    ExpectLog,    // text
    ExpectNoLog,  // text
    ExpectFatal,
    End,
    WaitMode,  // mode, step, within: the state that starts a leg
    Enter,     // mode, step: the mode changes after this frame
    Menu,      // item: clicked on the strip before this frame
    Dialog,    // keys: typed into the first dialog the shell opens in this frame
};

struct InputEvent {
    InputAction action = InputAction::End;
    int line = 0;  // where the script says it
    int key = 0;
    int x = 0;
    int y = 0;
    std::uint32_t ms = 0;
    int mode = 0;
    int step = -1;
    int within = 0;  // frames a wait may take
    MenuItem item = MenuItem::Save;
    std::vector<int> keys;
    std::string text;
};

// The events of one leg by frame: counted from frame 0 in the first leg, from the
// frame its wait was met in every later one.
struct InputLeg {
    InputEvent wait;  // WaitMode in every leg but the first
    std::map<int, std::vector<InputEvent>> events;
};

// A parsed input script: settings and its legs, each with the events of each frame
// in file order.
struct InputScript {
    std::uint32_t clockStart = 100000;
    std::uint32_t step = 16;
    std::optional<int> frames;
    std::vector<InputLeg> legs = std::vector<InputLeg>(1);

    // Nothing, with "input:<line>: <text>" in error, for a line it cannot take.
    static std::optional<InputScript> Parse(std::string_view text, std::string& error);
    // A key by name or decimal code 1-255; 0 when it is neither.
    static int KeyCode(const std::string& word);
};

}  // namespace autoplay
