#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// UTF-8 to the game's code page (CP932); nothing when the text has no CP932 form.
std::optional<std::string> utf8ToCp932(std::string_view utf8);
std::optional<std::string> utf8ToCp932(std::u8string_view utf8);

// CP932 to UTF-8. Never fails: a byte that starts no valid character becomes "\xNN".
std::string cp932ToUtf8(std::string_view cp932);

}  // namespace platform
