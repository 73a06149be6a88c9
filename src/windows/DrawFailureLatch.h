#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// A screen's drawing calls fail the same way frame after frame (a missing font, a
// material smaller than its cells), so a failure line is logged once and again only
// after that call has succeeded in between. Each screen owns its latch, so that one
// screen's failure never hides another's; within it a call is known by its place in
// the source and, for a call made in a loop, by its item.
// Where a call stands in the source, taken at the caller by a default argument.
struct CallSite {
    const char* file;
    std::uint_least32_t line;
    static constexpr CallSite Here(const char* file = __builtin_FILE(),
                                   std::uint_least32_t line = __builtin_LINE()) {
        return {file, line};
    }
};

class DrawFailureLatch {
public:
    // A negative result is a failure, logged as "描画に失敗しました" under szTag
    // unless this call is still latched.
    void Check(std::string_view szTag, int nResult, int nItem = 0,
               CallSite site = CallSite::Here());

private:
    struct Call {
        std::string_view file;
        std::uint_least32_t line;
        int item;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> failing_;
};
