#pragma once

#include <string>

namespace mkdemo {

// The system save the demo ships beside its archives: what a player who had reached
// every unlock of its table would have, everything else 0 and nothing read. The game
// never opens it; a player copies it to sav/sav00.sav, and test sessions start from
// a copy of it.
class DemoSystemSave {
public:
    static constexpr const char* kName = "unlocked.sav";

    // The file's bytes, in the game's own format.
    static std::string Bytes();
};

}  // namespace mkdemo
