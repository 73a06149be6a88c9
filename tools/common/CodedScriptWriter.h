#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zktools {

// A coded script as the game reads it: plain CP932 bytes encoded by the line codec
// in the mode that keeps each CR LF plain. Nothing, with the reason in error, when
// the codec fails.
std::optional<std::string> EncodeScript(std::string_view plain, std::string& error);

// The coded script of UTF-8 lines: each converted to CP932 and ended with CR LF,
// the last included. Nothing when a line has no CP932 form or the codec fails.
std::optional<std::string> CodedScriptBytes(const std::vector<std::u8string>& lines,
                                            std::string& error);

}  // namespace zktools
