#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "FuzzCheck.h"
#include "common/CombinedFileWriter.h"
#include "game/GAMEMAIN.h"
#include "game/ShellWords.h"
#include "graphics/ZKSPRITE.h"
#include "shell/RegisterResourceFiles.h"
#include "shell/ShellGameHost.h"
#include "sound/ZKSND.h"
#include "system/ZKSYSTEM.h"

namespace zkfuzz {

// The engine objects of a script fuzz target, built once for the whole run, with the
// dat/ folder the scenario archive is written into.
struct FuzzEngine {
    QuietLog quiet;
    ZKSYSTEM sys;
    ZKSPRITE sprite;
    ZKSND snd;
    ShellWords shell;
    ShellGameHost host;
    GAMEMAIN game;

    FuzzEngine() {
        sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1);
        snd.Initialize(nullptr, nullptr, 0);
        RegisterResourceFiles(sprite, snd);
        sys.Initialize(nullptr, 1);
        game.SetShell(shell, host);
        game.Initialize(&sys, &sprite, &snd);
        std::filesystem::create_directory("dat");
    }

    // The input as the only member of dat/Scenario.dat; false when the archive cannot
    // hold it, and the input is then skipped.
    static bool WriteScenario(const char* member, const std::uint8_t* data, std::size_t size) {
        const std::string bytes(reinterpret_cast<const char*>(data), size);
        std::string error;
        return zktools::WriteCombinedFile("dat/Scenario.dat",
                                          {zktools::MemberFromBytes(member, bytes)},
                                          zktools::ListPlace::InArchive, error);
    }
};

}  // namespace zkfuzz
