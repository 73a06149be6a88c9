#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

enum class SettingsLine { End, Read, Damaged };

// The most a settings file is read of; the game writes them under 200 bytes.
constexpr std::uint64_t kMaxSettingsBytes = 1024 * 1024;

// The settings file at path for reading, or null. Missing is quiet; anything else
// that is not a regular file within the cap (a FIFO, a device, a folder) or cannot
// be opened is refused at once with an error line under tag, and unreadable becomes
// true: the caller goes on as without the file, but must leave the file as it is,
// since it may hold the player's settings.
std::FILE* OpenSettingsFile(const char* path, std::string_view tag, bool& unreadable);

// Reads the next line of stream into line, without its line feed, keeping at most
// maxBytes bytes; the rest of a longer line is skipped so that it never becomes the
// next line, up to kMaxSettingsBytes in all. End when the stream had ended before
// the line began; Damaged when the line was cut or holds a NUL byte, which no editor
// of these files writes.
SettingsLine ReadSettingsLine(std::FILE* stream, std::string& line, std::size_t maxBytes);

// A decimal number as the C library reads one: an optional sign, then digits; no
// digits gives 0 and values beyond 32 bits saturate.
std::int32_t ParseSettingsNumber(std::string_view word);

// The text converted once to the settings files' code page.
std::string SettingsCp932(std::u8string_view utf8);
