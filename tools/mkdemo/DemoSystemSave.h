#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "mkdemo/ScriptChecker.h"

namespace mkdemo {

// The system save the demo ships beside its archives: what a player who had reached
// every unlock of its table would have, everything else 0 and nothing read. The game
// never opens it; a player copies it to sav/sav00.sav, and test sessions start from
// a copy of it.
class DemoSystemSave {
public:
    static constexpr const char* kName = "unlocked.sav";

    // The file's bytes, in the game's own format; nothing, with the reason in error,
    // when an unlock of the table is refused. scripts are Scenario.dat's members.
    static std::optional<std::string> Bytes(const NameSet& scripts, std::string& error);
    // Sets the CG bit of picture nItem (from 1) of the heroine's gallery: false, with
    // the unlock named in error, past the gallery's pictures.
    static bool UnlockPicture(std::span<std::uint32_t> cg, std::string_view heroine,
                              std::int32_t nItem, std::string& error);
    // Sets the REPLAY bit of scene nItem (from 1) of the heroine's gallery: false, with
    // the unlock named in error, past the gallery's scenes or when the scene's script
    // is not among scripts, since the gallery would then offer a scene that cannot play.
    static bool UnlockScene(std::span<std::uint32_t> replay, std::string_view heroine,
                            std::int32_t nItem, const NameSet& scripts, std::string& error);
};

}  // namespace mkdemo
