#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

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
    std::string text;
};

// A parsed input script: settings and the events of each frame in file order.
struct InputScript {
    std::uint32_t clockStart = 100000;
    std::uint32_t step = 16;
    std::optional<int> frames;
    std::map<int, std::vector<InputEvent>> events;

    // Nothing, with "input:<line>: <text>" in error, for a line it cannot take.
    static std::optional<InputScript> Parse(std::string_view text, std::string& error);
    // A key by name or decimal code 1-255; 0 when it is neither.
    static int KeyCode(const std::string& word);
};

}  // namespace autoplay
