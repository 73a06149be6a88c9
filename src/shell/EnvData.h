#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "game/SettingsWords.h"

class ShellEngine;

// The settings kept in env.env: the shell's words and the game's message settings.
struct EnvSettings {
    SettingsWords settings;
    std::uint32_t msgSpeed = 1000;
    std::uint32_t handsFree = 0;
    std::uint32_t autoSkip = 0;
};

constexpr std::uint32_t kFullScreenStyle = 0x90000000;

// Reads the six lines of stream; a line the stream no longer holds keeps its default.
EnvSettings ReadEnvSettings(std::FILE* stream);

// The file exactly as written: six lines, the last one ending in a tab.
std::string FormatEnvSettings(const EnvSettings& settings);

// Reads path into the current shell state and the game's message settings: 1 read,
// 0 no file (defaults), -1 null path (defaults).
int LoadEnvData(ShellEngine& engine, const char* path);

// Replaces path with the current settings: 1 written, -1 when nothing could be
// written (the old file then stays as it was), 0 when the load found the file but
// could not read it, so that it is kept for the player rather than lost to defaults.
int SaveEnvData(ShellEngine& engine, const char* path);
