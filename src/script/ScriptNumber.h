#pragma once

#include <cstdint>
#include <string_view>

// A number written in a script or in Init.spt, read as atoi reads it (leading white
// space, a sign, the digits up to the first other byte, 0 without digits), but held
// to the i32 range so that no word can overflow.
std::int32_t ScriptNumber(std::string_view word);

// a + b held to the i32 range, for sums of script numbers such as x + width.
std::int32_t ScriptSum(std::int32_t a, std::int32_t b);
