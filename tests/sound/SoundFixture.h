#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/ZKSND.h"
#include "support/ManualAudio.h"
#include "support/TestKit.h"

// A sound object on the manual device in a private folder, with the log captured.
class SoundFixture : public ::testing::Test {
protected:
    static constexpr std::uint32_t kBuffers = 44;

    ~SoundFixture() override { snd.Release(); }

    // Initialised, with the game's 44 buffers reserved, and nothing logged yet.
    void Start() {
        ASSERT_EQ(snd.Initialize(nullptr, nullptr, 0), 0);
        ASSERT_EQ(snd.DADATAReserve(kBuffers), 1);
        kit.log.clear();
    }

    // Writes a constant-level sound file and loads it into buffer index.
    void LoadLevel(int index, const std::string& name, std::size_t frames, float level) {
        zktest::WriteLevelWav(name, frames, level);
        ASSERT_EQ(snd.DALoad(index, name.c_str(), DA_PATH_SE), 0) << name;
    }

    std::vector<std::string> lines() const { return kit.debugLines(); }
    // The lines of the engine itself, without FFmpeg's own diagnostics.
    std::vector<std::string> engineLines() const {
        std::vector<std::string> kept;
        for (const std::string& line : lines()) {
            if (line.rfind("Error: <FFmpeg> ", 0) != 0) kept.push_back(line);
        }
        return kept;
    }

    zktest::TestKit kit;
    zktest::ManualAudio audio;
    ZKSND snd;
};
