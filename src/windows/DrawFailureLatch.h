#pragma once

#include <string_view>

#include "system/FailureLatch.h"

// A screen's drawing calls fail the same way frame after frame (a missing font, a
// material smaller than its cells), so a failure line is logged once and again only
// after that call has succeeded in between. Each screen owns its latch.
class DrawFailureLatch {
public:
    // A negative result is a failure, logged as "描画に失敗しました" under szTag
    // unless this call is still latched.
    void Check(std::string_view szTag, int nResult, int nItem = 0,
               CallSite site = CallSite::Here());

private:
    FailureLatch calls_;
};
