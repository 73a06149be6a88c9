#pragma once

#include <cstdint>
#include <memory>

#include "platform/video/Rect.h"

// The wipe strips of the background: each strip's current and start rectangle and
// its duration. The arrays exist only while a wipe is set up.
struct CLIPPING_DATA {
    std::int32_t nClipNum = 0;
    std::unique_ptr<platform::Rect[]> prcClip;
    std::unique_ptr<platform::Rect[]> prcStartClip;
    std::unique_ptr<std::uint32_t[]> pdwClipTime;

    void Free() {
        nClipNum = 0;
        prcClip.reset();
        prcStartClip.reset();
        pdwClipTime.reset();
    }
};
