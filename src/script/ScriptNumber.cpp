#include "script/ScriptNumber.h"

#include <limits>

namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::int32_t Clamped(std::int64_t value) {
    if (value < kMin) return static_cast<std::int32_t>(kMin);
    if (value > kMax) return static_cast<std::int32_t>(kMax);
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t ScriptNumber(std::string_view word) {
    std::size_t i = 0;
    while (i < word.size() && IsSpace(word[i])) ++i;
    bool negative = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
    // Once past the range the value only needs to stay beyond it.
    std::int64_t value = 0;
    for (; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i) {
        if (value <= kMax + 1) value = value * 10 + (word[i] - '0');
    }
    return Clamped(negative ? -value : value);
}

std::int32_t ScriptSum(std::int32_t a, std::int32_t b) {
    return Clamped(static_cast<std::int64_t>(a) + b);
}
