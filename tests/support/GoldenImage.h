#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/video/Rect.h"

namespace zktest {

// A region of a frame compared exactly with a golden PNG file, as autoplay writes
// them. On a mismatch the region is written into the current folder as
// <name>.actual.png, with <name>.diff.png (differing pixels red, the others dimmed),
// and the result names the count and the first differing pixel. With the
// environment's ZK_UPDATE_GOLDEN=1 the golden file is written instead, which is
// for after looking at the new pictures.
class GoldenImage {
public:
    static ::testing::AssertionResult Matches(const std::string& goldenPath,
                                              const std::vector<std::uint32_t>& frame,
                                              int frameWidth, const platform::Rect& region);
};

}  // namespace zktest
