#pragma once

#include <cstdint>

// The shell's settings kept in env.env, with the values a run starts from when the
// file is missing. The shell holds them in its words, env.env's reader and writer
// read and write them, and the settings screen changes them in place.
struct SettingsWords {
    std::uint32_t soundWarning = 1;
    std::uint32_t fullScreen = 0;
    std::uint32_t colourDepth = 32;
    std::uint32_t bgmOn = 1;
    std::uint32_t voiceOn = 1;
    std::uint32_t seOn = 1;
    std::uint32_t bgmVolume = 5;
    std::uint32_t voiceVolume = 5;
    std::uint32_t seVolume = 5;
};
