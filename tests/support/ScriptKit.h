#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/GAMEMAIN.h"
#include "shell/ShellGameHost.h"
#include "shell/ShellState.h"
#include "sound/ZKSND.h"
#include "support/ManualAudio.h"
#include "support/SpriteKit.h"
#include "system/ZKSYSTEM.h"

namespace zktest {

// The game object over real engine objects whose slots carry the registry's names,
// and over a fresh shell record, with helpers that write the archives the loaders
// and the interpreter read.
struct ScriptKit {
    ShellState& shell = BeginShellState();
    ShellGameHost host;
    SpriteKit sprites;
    ManualAudio audio;
    ZKSYSTEM sys;
    ZKSND snd;
    std::unique_ptr<GAMEMAIN> game = std::make_unique<GAMEMAIN>();

    ScriptKit();
    ~ScriptKit();

    // Coded script of UTF-8 lines, each ended with CR LF; line 1 should be a comment.
    static std::string Coded(const std::vector<std::u8string>& lines);
    // Coded script of plain CP932 bytes as they stand.
    static std::string CodedPlain(const std::string& plain);
    // Writes an archive of (name, bytes) members.
    static void WriteArchive(const std::string& path,
                             const std::vector<std::pair<std::string, std::string>>& members);
    // A 24-bit bitmap of one colour (0x00RRGGBB).
    static std::string Flat(int width, int height, std::uint32_t xrgb);
    // A short 16-bit tone.
    static std::string Tone();

    // Opens a script of lines in the interpreter; false when it did not open.
    bool OpenScript(const std::vector<std::u8string>& lines, const std::string& name = "test.spt");
    // Opens coded script bytes in the interpreter.
    bool OpenCodedScript(const std::string& coded, const std::string& name = "test.spt");

    // Registry names of slots.
    static std::string SurfaceName(int slot);
    static std::string EffectName(int record);

    std::vector<std::string> lines() const { return sprites.debugLines(); }
    void clearLog() { sprites.clearLog(); }
    platform::ManualClock& clock() { return sprites.kit.clock; }
};

}  // namespace zktest
