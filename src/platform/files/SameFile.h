#pragma once

#include <string>

namespace platform {

// True when both paths name one existing file, whatever the spelling: links,
// "./" prefixes and hard links included.
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace platform
