#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

enum class SettingsLine { End, Read, Damaged };

// Reads the next line of stream into line, without its line feed, keeping at most
// maxBytes bytes; the rest of a longer line is skipped so that it never becomes the
// next line. End when the stream had ended before the line began; Damaged when the
// line was cut or holds a NUL byte, which no editor of these files writes.
SettingsLine ReadSettingsLine(std::FILE* stream, std::string& line, std::size_t maxBytes);

// A decimal number as the C library reads one: an optional sign, then digits; no
// digits gives 0 and values beyond 32 bits saturate.
std::int32_t ParseSettingsNumber(std::string_view word);

// The text converted once to the settings files' code page.
std::string SettingsCp932(std::u8string_view utf8);
