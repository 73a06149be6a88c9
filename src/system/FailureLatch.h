#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Where a call stands in the source, taken at the caller by a default argument.
struct CallSite {
    const char* file;
    std::uint_least32_t line;
    static constexpr CallSite Here(const char* file = __builtin_FILE(),
                                   std::uint_least32_t line = __builtin_LINE()) {
        return {file, line};
    }
};

// A call that fails the same way call after call (a draw each frame, a sound state
// asked each frame without a sound device) is told once, and again only after it has
// succeeded in between. A call is known by its place in the source and, for a call
// made in a loop, by its item; each owner keeps its own latch, so that one owner's
// failure never hides another's.
class FailureLatch {
public:
    // Notes the call's outcome: true when it failed and was not failing already, so
    // that its failure is to be told. A success re-arms the call.
    bool NewFailure(bool bFailed, int nItem = 0, CallSite site = CallSite::Here());

private:
    struct Call {
        std::string_view file;
        std::uint_least32_t line;
        int item;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> failing_;
};
