#pragma once

#include <cstddef>
#include <cstdint>

// One of the dress room's costume comments: the face the heroine makes, and what she
// says, in CP932, a line break written as backslash-n until it is first shown.
class DR_COMMENT_DATA {
public:
    static constexpr std::size_t kTextSize = 512;

    // Expression 0 and an empty text.
    DR_COMMENT_DATA() = default;

    // The expression and a copy of szTextIn (null: empty), cut on a character
    // boundary to fit.
    void Set(std::uint32_t nExpressionIn, const char* szTextIn);

    // 0, 1 or 2: which face is drawn beside the comment.
    std::uint32_t nExpression = 0;
    char szText[kTextSize] = {};
};
